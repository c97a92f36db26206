// Reduction of the horizontal distances to the projection plane: first to the surface of height
// H0, then onto the Gauss plane at the line's distance from the central meridian.
#ifndef TRAVERSE_ADJUST_DISTANCE_REDUCTION_H
#define TRAVERSE_ADJUST_DISTANCE_REDUCTION_H

#include "adjust/model/network.h"
#include "crs/projected_crs.h"
#include "traverse/adjust.h"

namespace traverse {

// D_H = D (1 + (H0 - Hm) / R), Hm the mean height of the line's ends (adjusted heights). Raises
// AdjustmentFailure (InvalidObservation) naming an end without height, and (InvalidOptions) naming
// a line whose distance the reductions so far change by a factor outside 0.99 to 1.01.
void ReduceToSurface(Network& network, const AdjustmentSettings& settings);

// D_g = D_H (1 + ym^2 / (2 R^2) + dy^2 / (24 R^2)), ym the mean y of the ends less the false
// easting Ym, dy their difference (approximate coordinates). Raises as ReduceToSurface for the
// factor.
void ReduceToGaussPlane(Network& network, const AdjustmentSettings& settings);

// D_p = D_H (k1 + 4 km + k2) / 6: PROJ's point scale factor k of crs at the ends and the middle
// of the line (approximate coordinates), Simpson's rule along it. Raises as ReduceToSurface for
// the factor, and (InvalidObservation) naming a point outside the domain of crs.
void ReduceToProjection(Network& network, const ProjectedCrs& crs);

}  // namespace traverse

#endif
