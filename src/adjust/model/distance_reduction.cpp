#include "adjust/model/distance_reduction.h"

#include "adjust/adjustment_texts.h"
#include "adjust/model/adjustment_failure.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

double HeightOf(const Network& network, int point) {
    const NetworkPoint& p = network.points[point];
    if (!p.hasHeight) {
        throw AdjustmentFailure(AdjustmentStatus::InvalidObservation,
                                FormatText(GBK(text::kAdjustSurfaceNeedsHeight), p.name.c_str()));
    }
    return p.h;
}

// A factor this far from 1 comes from a surface height or a false easting that does not suit the
// network; the reduced distance would mean nothing.
void CheckFactor(const Network& network, const Distance& distance) {
    const double factor = distance.value / distance.horizontal;
    if (factor >= 0.99 && factor <= 1.01) return;
    throw AdjustmentFailure(
        AdjustmentStatus::InvalidOptions,
        FormatText(GBK(text::kAdjustReductionFactor), network.points[distance.from].name.c_str(),
                   network.points[distance.to].name.c_str(), factor));
}

double ScaleAt(const ProjectedCrs& crs, double x, double y, const std::string& name) {
    const GeographicPosition position = crs.At(x, y);
    if (!position.valid || !(position.scale > 0)) {
        const std::string format =
            Utf8ToGbk(static_cast<const char*>(text::kAdjustCrsOutsideDomain));
        throw AdjustmentFailure(AdjustmentStatus::InvalidObservation,
                                FormatText(format, name.c_str()));
    }
    return position.scale;
}

}  // namespace

void ReduceToSurface(Network& network, const AdjustmentSettings& settings) {
    for (Distance& distance : network.distances) {
        const double mean = (HeightOf(network, distance.from) + HeightOf(network, distance.to)) / 2;
        distance.value *= 1 + (*settings.surfaceHeight - mean) / settings.earthRadius;
        CheckFactor(network, distance);
    }
}

void ReduceToGaussPlane(Network& network, const AdjustmentSettings& settings) {
    const double r2 = settings.earthRadius * settings.earthRadius;
    for (Distance& distance : network.distances) {
        const double y1 = network.points[distance.from].y - *settings.yOffset;
        const double y2 = network.points[distance.to].y - *settings.yOffset;
        const double ym = (y1 + y2) / 2, dy = y2 - y1;
        distance.value *= 1 + ym * ym / (2 * r2) + dy * dy / (24 * r2);
        CheckFactor(network, distance);
    }
}


void ReduceToProjection(Network& network, const ProjectedCrs& crs) {
    for (Distance& distance : network.distances) {
        const NetworkPoint& a = network.points[distance.from];
        const NetworkPoint& b = network.points[distance.to];
        const double middle = ScaleAt(crs, (a.x + b.x) / 2, (a.y + b.y) / 2, a.name);
        const double scale =
            (ScaleAt(crs, a.x, a.y, a.name) + 4 * middle + ScaleAt(crs, b.x, b.y, b.name)) / 6;
        distance.value *= scale;
        CheckFactor(network, distance);
    }
}

}  // namespace traverse
