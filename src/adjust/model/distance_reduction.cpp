#include "adjust/model/distance_reduction.h"

#include "adjust/model/adjustment_failure.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "platform/messages.h"

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

}  // namespace

void ReduceToSurface(Network& network, const AdjustmentSettings& settings) {
    for (Distance& distance : network.distances) {
        const double mean = (HeightOf(network, distance.from) + HeightOf(network, distance.to)) / 2;
        distance.value *= 1 + (settings.surfaceHeight - mean) / settings.earthRadius;
    }
}

void ReduceToGaussPlane(Network& network, const AdjustmentSettings& settings) {
    const double r2 = settings.earthRadius * settings.earthRadius;
    for (Distance& distance : network.distances) {
        const double y1 = network.points[distance.from].y - settings.yOffset;
        const double y2 = network.points[distance.to].y - settings.yOffset;
        const double ym = (y1 + y2) / 2, dy = y2 - y1;
        distance.value *= 1 + ym * ym / (2 * r2) + dy * dy / (24 * r2);
    }
}

}  // namespace traverse
