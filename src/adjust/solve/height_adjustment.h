// The height adjustment: a one-dimensional adjustment of the height differences, reciprocal
// observations both used, separate from the plane.
#ifndef TRAVERSE_ADJUST_HEIGHT_ADJUSTMENT_H
#define TRAVERSE_ADJUST_HEIGHT_ADJUSTMENT_H

#include <vector>

#include "adjust/solve/adjusted_rows.h"
#include "adjust/model/network.h"

namespace traverse {

struct HeightAdjustment {
    std::vector<int> unknown;  // per point: index of its height, -1 when fixed or without height
    std::vector<int> used;     // the network's height differences adjusted, in order
    AdjustedRows adjusted;     // one row per used height difference
};

// Carries heights from the known heights along the height differences, then adjusts the heights of
// every point so reached. Points no known height reaches keep no height (a note names them) and
// their height differences are left out.
HeightAdjustment AdjustHeights(Network& network);

}  // namespace traverse

#endif
