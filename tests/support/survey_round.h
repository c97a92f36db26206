// Rounds of survey records written out in a test: one target record per name and its readings.
#ifndef TRAVERSE_TESTS_SURVEY_ROUND_H
#define TRAVERSE_TESTS_SURVEY_ROUND_H

#include <initializer_list>
#include <string>
#include <vector>

#include "traverse/survey_records.h"

namespace traverse {

// One target record: its name and its readings (packed DMS for angles, metres otherwise).
struct Rec {
    std::string name;
    std::vector<double> values;
};

// A round holding records in the order given.
CSurveyTurn Round(std::initializer_list<Rec> records);

}  // namespace traverse

#endif
