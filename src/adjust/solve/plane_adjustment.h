// The plane adjustment: directions with one orientation unknown per set and horizontal distances,
// solved by Gauss-Newton on sparse normal equations.
#ifndef TRAVERSE_ADJUST_PLANE_ADJUSTMENT_H
#define TRAVERSE_ADJUST_PLANE_ADJUSTMENT_H

#include <vector>

#include "adjust/solve/adjusted_rows.h"
#include "adjust/model/network.h"

namespace traverse {

struct PlaneUnknowns {
    std::vector<int> point;  // index of a point's x (y follows), -1 when fixed or not in the plane
    std::vector<int> set;    // index of a set's orientation, -1 for a set without directions
    int count = 0;
};

struct PlaneAdjustment {
    PlaneUnknowns unknowns;
    AdjustedRows adjusted;  // rows: the directions, then the distances, in the network's order
    int iterations = 0;
};

// Adjusts the coordinates of network (approximated beforehand) and the orientations of its sets in
// place: iterates until the largest coordinate correction is below 0.01 mm. Raises
// AdjustmentFailure: Singular naming an undetermined point, NotConverged after 20 iterations.
PlaneAdjustment AdjustPlane(Network& network);

}  // namespace traverse

#endif
