#include "adjust/solve/local_figure.h"

#include "adjust/solve/point_placement.h"

namespace traverse {
namespace {

PlanePosition PositionOf(const NetworkPoint& point) { return PlanePosition{point.x, point.y}; }

// The point of the figure, other than its origin, that is placed in the network and lies farthest
// from the origin; -1 when there is none.
int FarthestAnchor(const Network& network, const Network& figure, int origin) {
    int anchor = -1;
    double longest = 0.0;
    for (std::size_t p = 0; p < figure.points.size(); ++p) {
        const double length = PlaneDistance(PlanePosition{}, PositionOf(figure.points[p]));
        if (static_cast<int>(p) == origin || !figure.points[p].hasPlane ||
            !network.points[p].hasPlane || !(length > longest))
            continue;
        anchor = static_cast<int>(p);
        longest = length;
    }
    return anchor;
}

}  // namespace

std::vector<std::pair<int, PlanePosition>> PlaceFigure(const Network& network,
                                                       const FigureStart& start) {
    Network figure = network;
    for (NetworkPoint& point : figure.points) point.hasPlane = false;
    for (DirectionSet& set : figure.sets) set.oriented = false;
    figure.points[start.origin].x = figure.points[start.origin].y = 0.0;
    figure.points[start.origin].hasPlane = true;
    PointPlacement placement(figure, false);
    if (start.set >= 0) {
        placement.RunFrom(start.set);
    } else {
        placement.RunFromLine(start.distance);
    }
    std::vector<std::pair<int, PlanePosition>> carried;
    const int anchor = FarthestAnchor(network, figure, start.origin);
    if (anchor < 0) return carried;
    const PlanePosition localTo = PositionOf(figure.points[anchor]);
    const PlanePosition globalFrom = PositionOf(network.points[start.origin]);
    const PlanePosition globalTo = PositionOf(network.points[anchor]);
    for (std::size_t p = 0; p < figure.points.size(); ++p) {
        if (!figure.points[p].hasPlane || network.points[p].hasPlane) continue;
        carried.emplace_back(static_cast<int>(p),
                             CarryOver(PositionOf(figure.points[p]), PlanePosition{}, localTo,
                                       globalFrom, globalTo));
    }
    return carried;
}

}  // namespace traverse
