// The targets of a round, for readers that hold the round read-only.
#ifndef TRAVERSE_RECORDS_TARGET_NAMES_H
#define TRAVERSE_RECORDS_TARGET_NAMES_H

#include <string>
#include <vector>

#include "traverse/survey_records.h"

namespace traverse {

// The distinct target names of turn in order of first appearance (byte-exact comparison):
// GetObjectName's list.
std::vector<std::string> DistinctTargetNames(const CSurveyTurn& turn);

// The distinct target names of all rounds in order of first appearance, round after round: the
// first round's names come first, as DistinctTargetNames(rounds[0]) lists them.
std::vector<std::string> DistinctTargetNames(const std::vector<CSurveyTurn>& rounds);

}  // namespace traverse

#endif
