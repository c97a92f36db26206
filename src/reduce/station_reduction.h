// The reduced observations of one station: the means over all rounds that the adjustment input
// file lists and the adjustment uses. Computed in one place so that both always agree.
#ifndef TRAVERSE_REDUCE_STATION_REDUCTION_H
#define TRAVERSE_REDUCE_STATION_REDUCTION_H

#include <string>
#include <vector>

#include "traverse/survey_records.h"

namespace traverse {

// One reduced value of one target (name GBK, as the records hold it).
struct ReducedValue {
    std::string target;
    double value = 0.0;
};

struct StationReduction {
    double instrumentHeight = 0.0;  // metres
    // Mean directions reduced to the first target of the first round, radians in [0, 2*pi): the
    // first target first (0), then the others in order of first appearance, round after round; a
    // target without a usable reading has no entry. Empty when the first round names no target.
    std::vector<ReducedValue> directions;
    // Mean zenith distances, radians, free of the index error; order of the first zenith round.
    std::vector<ReducedValue> zenithDistances;
    // Mean slope distances, metres, corrected by the additive and multiplicative constants; order
    // of the first distance round.
    std::vector<ReducedValue> slopeDistances;
    // Target heights, metres: the mean of each record, in record order, not grouped by name.
    std::vector<ReducedValue> targetHeights;
    // GBK texts of what a round could not give (a round closing on the wrong target, a right-angle
    // round without a second orientation), once per target that asked, in order.
    std::vector<std::string> messages;
};

// Reduces the rounds of one station's observation block.
StationReduction ReduceStation(const TAGStationObserve& block);

}  // namespace traverse

#endif
