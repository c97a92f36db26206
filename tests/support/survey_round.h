// Survey records written out in a test: stations straight into an importer, rounds of one target
// record per name and its readings, and GBK text from the test's UTF-8.
#ifndef TRAVERSE_TESTS_SURVEY_ROUND_H
#define TRAVERSE_TESTS_SURVEY_ROUND_H

#include <initializer_list>
#include <string>
#include <vector>

#include "traverse/point3d.h"
#include "traverse/survey_records.h"

namespace traverse {

// One target record: its name and its readings (packed DMS for angles, metres otherwise).
struct Rec {
    std::string name;
    std::vector<double> values;
};

// A round holding records in the order given.
CSurveyTurn Round(std::initializer_list<Rec> records);

// Appends a station named name (bytes as given) with an empty block and the instrument height to
// stations, which own it; returns its block.
TAGStationObserve& AddStation(std::vector<CPoint3D*>& stations, const std::string& name,
                              float instrumentHeight = 0.0f);

// The GBK form of a UTF-8 text, and back.
std::string Gbk(const std::string& utf8);
std::string Utf8(const std::string& gbk);

}  // namespace traverse

#endif
