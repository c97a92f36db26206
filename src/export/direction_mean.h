// Mean directions for the adjustment input file, taken the short way round the 0/2*pi seam.
#ifndef TRAVERSE_EXPORT_DIRECTION_MEAN_H
#define TRAVERSE_EXPORT_DIRECTION_MEAN_H

#include "traverse/survey_records.h"

namespace traverse {

// Mean of two directions a and b, radians, normally each in [0, 2*pi). When they lie more than pi
// apart they straddle the seam (359deg59'58" and 0deg00'02"): 2*pi is added to the smaller before
// averaging and the mean is reduced into [0, 2*pi), so the pair averages to about 0, not about pi.
// Otherwise the result is exactly (a + b) * 0.5, the plain mean.
double ShortWayMean(double a, double b);

// Mean direction, radians, of a record's face-left reading [0] and face-right reading [1] (packed
// DMS): GetAngle's value, except that a pair straddling the seam is averaged the short way.
// The record must hold at least two readings.
double MeanDirection(const CBaseObserve& observe);

}  // namespace traverse

#endif
