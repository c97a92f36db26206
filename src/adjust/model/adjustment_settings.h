// The options resolved against the grade table into the values the adjustment applies.
#ifndef TRAVERSE_ADJUST_ADJUSTMENT_SETTINGS_H
#define TRAVERSE_ADJUST_ADJUSTMENT_SETTINGS_H

#include "traverse/adjust.h"

namespace traverse {

// The values the options and the grade table give, unchecked.
AdjustmentSettings ResolveSettings(const AdjustmentOptions& options);

// Raises AdjustmentFailure (InvalidOptions) for a sigma not above 0 or another value out of range.
void ValidateSettings(const AdjustmentSettings& settings);

// A-priori sigmas of one observation, in metres or radians.
double DirectionSigma(const AdjustmentSettings& settings);
double DistanceSigma(const AdjustmentSettings& settings, double horizontalDistance);
double HeightDifferenceSigma(const AdjustmentSettings& settings, double horizontalDistance);

}  // namespace traverse

#endif
