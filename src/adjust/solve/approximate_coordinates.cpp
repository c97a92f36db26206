#include "adjust/solve/approximate_coordinates.h"

#include <cmath>

#include "adjust/adjustment_texts.h"
#include "adjust/model/adjustment_failure.h"
#include "adjust/solve/point_placement.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "records/circle.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

[[noreturn]] void Fail(AdjustmentStatus status, const std::string& gbkMessage) {
    throw AdjustmentFailure(status, gbkMessage);
}

// The current language's text of an entry, in the library's code page.
std::string InGbk(const Text& text) { return Utf8ToGbk(static_cast<const char*>(text)); }

const char* NameOf(const Network& network, int point) { return network.points[point].name.c_str(); }

// The reason a construction gave, naming the point and the other ends of its observations.
std::string FailedConstruction(const Network& network, int point, const PlacementFailure& failure) {
    const int* ends = failure.points;
    switch (failure.kind) {
        case PlacementFailure::ParallelDirections:
            return FormatText(InGbk(text::kAdjustParallelDirections), NameOf(network, point),
                              NameOf(network, ends[0]), NameOf(network, ends[1]), failure.value);
        case PlacementFailure::DirectionsMiss:
            return FormatText(InGbk(text::kAdjustDirectionsMiss), NameOf(network, point),
                              NameOf(network, ends[0]), NameOf(network, ends[1]));
        case PlacementFailure::DistancesMiss:
            return FormatText(InGbk(text::kAdjustDistancesMiss), NameOf(network, point),
                              NameOf(network, ends[0]), NameOf(network, ends[1]));
        case PlacementFailure::TwoPositions:
            return FormatText(InGbk(text::kAdjustTwoPositions), NameOf(network, point),
                              NameOf(network, ends[0]), NameOf(network, ends[1]));
        case PlacementFailure::DangerCircle:
            return FormatText(InGbk(text::kAdjustDangerCircle), NameOf(network, point),
                              NameOf(network, ends[0]), NameOf(network, ends[1]),
                              NameOf(network, ends[2]));
        case PlacementFailure::None:
            break;
    }
    return std::string();
}

// What the placed points offer the point, when no construction failed on it: too little.
std::string TooFewTies(const Network& network, int point, const PointTies& ties) {
    if (ties.rays.empty() && ties.distances.empty() && ties.sighted.empty())
        return FormatText(InGbk(text::kAdjustNotJoined), NameOf(network, point));
    return FormatText(InGbk(text::kAdjustNotDetermined), NameOf(network, point),
                      static_cast<int>(ties.rays.size()), static_cast<int>(ties.distances.size()),
                      static_cast<int>(ties.sighted.size()));
}

// The point where the network's determination ends, and why: the first point on which a
// construction failed, else the first that placed points reach, else the first not placed.
void FailUndetermined(const Network& network, const PointPlacement& placement) {
    int knownInPlane = 0;
    for (const NetworkPoint& point : network.points)
        knownInPlane += point.inPlane && point.planeKnown;
    int reached = -1, unplaced = -1;
    for (std::size_t p = 0; p < network.points.size(); ++p) {
        const NetworkPoint& point = network.points[p];
        if (!point.inPlane || point.hasPlane) continue;
        // One known point leaves the whole network free to turn about it.
        if (knownInPlane < 2)
            Fail(AdjustmentStatus::NoOrientation, GBK(text::kAdjustNoOrientation));
        const int index = static_cast<int>(p);
        if (placement.Failure(index).kind != PlacementFailure::None) {
            Fail(AdjustmentStatus::UnreachablePoint,
                 FailedConstruction(network, index, placement.Failure(index)));
        }
        const PointTies ties = placement.Ties(index);
        const bool tied = !ties.rays.empty() || !ties.distances.empty() || !ties.sighted.empty();
        if (tied && reached < 0) reached = index;
        if (unplaced < 0) unplaced = index;
    }
    if (unplaced < 0) return;
    const int named = reached >= 0 ? reached : unplaced;
    Fail(AdjustmentStatus::UnreachablePoint, TooFewTies(network, named, placement.Ties(named)));
}

}  // namespace

double Azimuth(const NetworkPoint& a, const NetworkPoint& b) {
    return WrapTurn(std::atan2(b.y - a.y, b.x - a.x));
}

bool OrientSet(const Network& network, DirectionSet& set) {
    const NetworkPoint& station = network.points[set.station];
    bool any = false;
    double first = 0.0, sum = 0.0;
    int count = 0;
    for (int d : set.directions) {
        const Direction& direction = network.directions[d];
        const NetworkPoint& target = network.points[direction.target];
        if (!target.hasPlane) continue;
        const double orientation = WrapTurn(Azimuth(station, target) - direction.value);
        if (!any) first = orientation;
        any = true;
        sum += AngleDifference(first, orientation);
        ++count;
    }
    if (any) set.orientation = WrapTurn(first + sum / count);
    return any;
}

void ApproximateCoordinates(Network& network) {
    bool anyKnown = false;
    for (const NetworkPoint& point : network.points) anyKnown = anyKnown || point.planeKnown;
    if (!anyKnown) Fail(AdjustmentStatus::NoKnownPoints, GBK(text::kAdjustNoKnownPoints));
    PointPlacement placement(network, true);
    placement.Run();
    FailUndetermined(network, placement);
}

}  // namespace traverse
