// The mean direction of a face-left/face-right reading pair, taken the short way round the seam.
#ifndef TRAVERSE_REDUCE_DIRECTION_MEAN_H
#define TRAVERSE_REDUCE_DIRECTION_MEAN_H

#include "traverse/survey_records.h"

namespace traverse {

// Mean direction, radians in [0, 2*pi), of a record's face-left reading [0] and face-right reading
// [1] (packed DMS): GetAngle's value, except that a pair straddling the seam is averaged the short
// way (ShortWayMean). The record must hold at least two readings.
double MeanDirection(const CBaseObserve& observe);

}  // namespace traverse

#endif
