// The precision a report gives beyond the points: each side joined by an observation relative to
// its ends, the orientation unknowns, and the weakest point and side.
#ifndef TRAVERSE_ADJUST_RELATIVE_PRECISION_H
#define TRAVERSE_ADJUST_RELATIVE_PRECISION_H

#include <vector>

#include "adjust/model/network.h"
#include "adjust/solve/plane_adjustment.h"
#include "traverse/adjust.h"

namespace traverse {

// Every pair of points joined by a direction or a distance, at least one end adjusted, once, in
// the order of its first observation. The covariances of a joined pair lie on the pattern of the
// factor, so every entry is one the inversion computed.
std::vector<AdjustedSide> SideResults(const Network& network, const PlaneAdjustment& plane);

// The orientation of every set of directions with its sigma.
std::vector<AdjustedOrientation> OrientationResults(const Network& network,
                                                    const PlaneAdjustment& plane);

// Sets result.weakestPoint and result.weakestSide from its points and sides.
void FindWeakest(AdjustmentResult& result);

}  // namespace traverse

#endif
