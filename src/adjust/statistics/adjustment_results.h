// The adjusted network turned into the public result values: points with their precision and
// error ellipses, observations with their statistics.
#ifndef TRAVERSE_ADJUST_ADJUSTMENT_RESULTS_H
#define TRAVERSE_ADJUST_ADJUSTMENT_RESULTS_H

#include <vector>

#include "adjust/solve/height_adjustment.h"
#include "adjust/model/network.h"
#include "adjust/solve/plane_adjustment.h"
#include "traverse/adjust.h"

namespace traverse {

// Every point with plane coordinates or a height, in the network's order.
std::vector<AdjustedPoint> PointResults(const Network& network, const PlaneAdjustment& plane,
                                        const HeightAdjustment& heights);

// Station by station: directions, distances, height differences.
std::vector<AdjustedObservation> ObservationResults(const Network& network,
                                                    const PlaneAdjustment& plane,
                                                    const HeightAdjustment& heights,
                                                    const AdjustmentSettings& settings);

}  // namespace traverse

#endif
