#include "adjust/solve/plane_adjustment.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "adjust/adjustment_texts.h"
#include "adjust/model/adjustment_failure.h"
#include "adjust/solve/approximate_coordinates.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "records/circle.h"

namespace traverse {
namespace {

constexpr int kMaxIterations = 20;
constexpr double kConverged = 1e-5;  // metres: 0.01 mm

PlaneUnknowns NumberUnknowns(const Network& network) {
    PlaneUnknowns unknowns;
    for (const NetworkPoint& point : network.points) {
        const bool adjusted = point.inPlane && !point.planeKnown;
        unknowns.point.push_back(adjusted ? unknowns.count : -1);
        if (adjusted) unknowns.count += 2;
    }
    for (const DirectionSet& set : network.sets) {
        unknowns.set.push_back(set.directions.empty() ? -1 : unknowns.count);
        if (!set.directions.empty()) ++unknowns.count;
    }
    return unknowns;
}

// The GBK message that names what an unknown belongs to, for a singular network.
std::string Describe(const Network& network, const PlaneUnknowns& unknowns, int unknown) {
    for (std::size_t p = 0; p < network.points.size(); ++p) {
        if (unknowns.point[p] >= 0 &&
            (unknown == unknowns.point[p] || unknown == unknowns.point[p] + 1)) {
            return FormatText(GBK(text::kAdjustSingularPoint), network.points[p].name.c_str());
        }
    }
    for (std::size_t s = 0; s < network.sets.size(); ++s) {
        if (unknown == unknowns.set[s]) {
            return FormatText(GBK(text::kAdjustSingularOrientation),
                              network.points[network.sets[s].station].name.c_str());
        }
    }
    return std::string();
}

void AddPoint(DesignRow& row, int unknown, double dx, double dy) {
    if (unknown < 0) return;
    row.Add(unknown, dx);
    row.Add(unknown + 1, dy);
}

// The line from one point to another at the current coordinates; two points that coincide cannot
// carry a direction or a distance.
struct LineGeometry {
    double dx, dy, squared;
};

LineGeometry Geometry(const Network& network, int from, int to) {
    const NetworkPoint& a = network.points[from];
    const NetworkPoint& b = network.points[to];
    const LineGeometry line{b.x - a.x, b.y - a.y,
                            (b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y)};
    if (!(line.squared > 1e-12)) {
        throw AdjustmentFailure(
            AdjustmentStatus::Singular,
            FormatText(GBK(text::kAdjustCoincident), a.name.c_str(), b.name.c_str()));
    }
    return line;
}

DesignRow DirectionRow(const Network& network, const PlaneUnknowns& unknowns,
                       const Direction& direction) {
    const DirectionSet& set = network.sets[direction.set];
    const LineGeometry line = Geometry(network, set.station, direction.target);
    const double computed = WrapTurn(std::atan2(line.dy, line.dx) - set.orientation);
    DesignRow row;
    row.misclosure = AngleDifference(computed, direction.value);
    row.sigma = direction.sigma;
    AddPoint(row, unknowns.point[set.station], line.dy / line.squared, -line.dx / line.squared);
    AddPoint(row, unknowns.point[direction.target], -line.dy / line.squared,
             line.dx / line.squared);
    row.Add(unknowns.set[direction.set], -1.0);
    return row;
}

DesignRow DistanceRow(const Network& network, const PlaneUnknowns& unknowns,
                      const Distance& distance) {
    const LineGeometry line = Geometry(network, distance.from, distance.to);
    const double length = std::sqrt(line.squared);
    DesignRow row;
    row.misclosure = distance.value - length;
    row.sigma = distance.sigma;
    AddPoint(row, unknowns.point[distance.from], -line.dx / length, -line.dy / length);
    AddPoint(row, unknowns.point[distance.to], line.dx / length, line.dy / length);
    return row;
}

std::vector<DesignRow> Rows(const Network& network, const PlaneUnknowns& unknowns) {
    std::vector<DesignRow> rows;
    rows.reserve(network.directions.size() + network.distances.size());
    for (const Direction& direction : network.directions)
        rows.push_back(DirectionRow(network, unknowns, direction));
    for (const Distance& distance : network.distances)
        rows.push_back(DistanceRow(network, unknowns, distance));
    return rows;
}

// Applies the corrections; returns the largest coordinate correction in metres (infinite when a
// correction is not a number).
double Apply(Network& network, const PlaneUnknowns& unknowns,
             const std::vector<double>& correction) {
    double largest = 0.0;
    for (std::size_t p = 0; p < network.points.size(); ++p) {
        const int u = unknowns.point[p];
        if (u < 0) continue;
        network.points[p].x += correction[u];
        network.points[p].y += correction[u + 1];
        largest = std::max({largest, std::fabs(correction[u]), std::fabs(correction[u + 1])});
        if (!std::isfinite(correction[u]) || !std::isfinite(correction[u + 1])) return HUGE_VAL;
    }
    for (std::size_t s = 0; s < network.sets.size(); ++s) {
        if (unknowns.set[s] >= 0)
            network.sets[s].orientation =
                WrapTurn(network.sets[s].orientation + correction[unknowns.set[s]]);
    }
    return largest;
}

}  // namespace

PlaneAdjustment AdjustPlane(Network& network) {
    PlaneAdjustment result;
    result.unknowns = NumberUnknowns(network);
    result.adjusted.unknowns = result.unknowns.count;
    for (DirectionSet& set : network.sets) OrientSet(network, set);
    const auto owners = [&](int unknown) { return Describe(network, result.unknowns, unknown); };
    AdjustedRows& adjusted = result.adjusted;
    for (int iteration = 1; iteration <= kMaxIterations; ++iteration) {
        adjusted.rows = Rows(network, result.unknowns);
        FactorizeOrFail(adjusted, owners);
        const double largest =
            Apply(network, result.unknowns, adjusted.normal->Solve(adjusted.rows));
        result.iterations = iteration;
        if (!(largest < kConverged)) continue;
        // At the solution: the residuals and the cofactors of the final linearisation.
        adjusted.rows = Rows(network, result.unknowns);
        FactorizeOrFail(adjusted, owners);
        adjusted.normal->InvertSelected();
        for (const DesignRow& row : adjusted.rows) adjusted.residuals.push_back(-row.misclosure);
        return result;
    }
    throw AdjustmentFailure(AdjustmentStatus::NotConverged,
                            FormatText(GBK(text::kAdjustNotConverged), kMaxIterations));
}

}  // namespace traverse
