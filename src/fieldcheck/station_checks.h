// The checks of one station's sets of rounds, one function per kind of observation.
#ifndef TRAVERSE_FIELDCHECK_STATION_CHECKS_H
#define TRAVERSE_FIELDCHECK_STATION_CHECKS_H

#include <vector>

#include "fieldcheck/field_value_sink.h"
#include "traverse/survey_records.h"

namespace traverse {

// 1001 per round, 1002 per closing round and face, 1003 per target over the rounds.
void CheckHorizontalRounds(const std::vector<CSurveyTurn>& rounds, FieldValueSink& sink);

// 1004: the number of rounds that read a target, when there is one.
void CountHorizontalRounds(const std::vector<CSurveyTurn>& rounds, FieldValueSink& sink);

// 2002 per record, 2003 per round, 2001 per target over the rounds.
void CheckZenithRounds(const std::vector<CSurveyTurn>& rounds, FieldValueSink& sink);

// 3001 per record, 3002 per target over the rounds.
void CheckDistanceRounds(const std::vector<CSurveyTurn>& rounds, FieldValueSink& sink);

}  // namespace traverse

#endif
