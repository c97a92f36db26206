// The options resolved against the grade table into the values the adjustment applies.
#ifndef TRAVERSE_ADJUST_ADJUSTMENT_SETTINGS_H
#define TRAVERSE_ADJUST_ADJUSTMENT_SETTINGS_H

#include "traverse/adjust.h"

namespace traverse {

// The values the options and the grade table give, unchecked.
AdjustmentSettings ResolveSettings(const AdjustmentOptions& options);

// Raises AdjustmentFailure (InvalidOptions) for a sigma not above 0 or another value out of range.
void ValidateSettings(const AdjustmentSettings& settings);

// A line as sighted: what the sigma of its height difference depends on.
struct SightedLine {
    double horizontal = 0.0;  // metres
    double slope = 0.0;       // metres
    double zenith = 0.0;      // radians
    int zenithRounds = 1;     // the zenith rounds of the station
};

// A-priori sigmas of one observation, in metres or radians. rounds: the station's rounds of
// directions (or of zenith distances), over which an instrument's sigma per round is averaged.
double DirectionSigma(const AdjustmentSettings& settings, int rounds);
double DistanceSigma(const AdjustmentSettings& settings, double horizontalDistance);
double HeightDifferenceSigma(const AdjustmentSettings& settings, const SightedLine& line);

}  // namespace traverse

#endif
