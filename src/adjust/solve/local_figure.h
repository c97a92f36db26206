// A figure computed in a frame of its own and carried onto the network: what a traverse that no
// end orients needs, as it reaches its second placed point only through points not yet placed.
#ifndef TRAVERSE_ADJUST_LOCAL_FIGURE_H
#define TRAVERSE_ADJUST_LOCAL_FIGURE_H

#include <utility>
#include <vector>

#include "adjust/model/network.h"
#include "adjust/solve/placement_geometry.h"

namespace traverse {

// A placed point and either a set at it that nothing orients or a distance from it to a point not
// placed (the other one -1).
struct FigureStart {
    int origin = 0;
    int set = -1;
    int distance = -1;
};

// The origin at (0, 0) and the set oriented at 0, or the distance's other end due north: what can
// be placed from there alone is one rigid figure. When it reaches another placed point, the
// similarity through the origin and the farthest such point carries it onto the network: the
// points not yet placed with their positions there, none when it reaches no placed point.
std::vector<std::pair<int, PlanePosition>> PlaceFigure(const Network& network,
                                                       const FigureStart& start);

}  // namespace traverse

#endif
