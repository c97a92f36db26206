// Mean horizontal directions of one station over all its rounds.
#ifndef TRAVERSE_REDUCE_DIRECTION_REDUCTION_H
#define TRAVERSE_REDUCE_DIRECTION_REDUCTION_H

#include <string>
#include <vector>

#include "reduce/station_reduction.h"

namespace traverse {

// The mean direction of every target, reduced to the first target of the first round, into
// directions; what a round could not give into messages (see StationReduction).
void ReduceDirections(const std::vector<CSurveyTurn>& rounds, std::vector<ReducedValue>& directions,
                      std::vector<std::string>& messages);

}  // namespace traverse

#endif
