// What an import holds, for a host that shows it: how many records of each kind, and the
// observations that lack readings.
#ifndef TRAVERSE_IMPORT_CONTENTS_H
#define TRAVERSE_IMPORT_CONTENTS_H

#include <cstddef>
#include <string>
#include <vector>

#include "traverse/survey_records.h"
#include "traverse/visibility.h"

namespace traverse {

class CImportXml;

struct ImportCounts {
    std::size_t knownPoints = 0;
    std::size_t stations = 0;      // every station of the observation section
    std::size_t rounds = 0;        // horizontal, zenith and distance rounds
    std::size_t observations = 0;  // target records in those rounds
};

TRAVERSE_API ImportCounts CountImport(const CImportXml& importer);

enum class IncompleteKind { Horizontal, Zenith, Distance, TargetHeight };

// A record without the readings it needs: two faces for an angle, one reading for a distance or
// a target height.
struct IncompleteObservation {
    IncompleteKind kind = IncompleteKind::Horizontal;
    std::string station;  // GBK
    int round = 0;        // 1-based; 0 for a target height
    std::string target;   // GBK
};

// Station by station in file order; within a station the horizontal, zenith, distance rounds,
// then the target heights, records in file order. The import reports one line for each.
TRAVERSE_API std::vector<IncompleteObservation> FindIncompleteObservations(
    const CImportXml& importer);

// "horizontal", "zenith", "distance", "target_height".
TRAVERSE_API const char* IncompleteKindName(IncompleteKind kind);

// Values whose text is no number, such as a station's 仪器高 written "abc": FindValuesNotNumbers.
TRAVERSE_API std::vector<ValueNotNumber> FindValuesNotNumbers(const CImportXml& importer);

// "station", "horizontal", "zenith", "distance", "target_height".
TRAVERSE_API const char* ValueKindName(ValueKind kind);

// One line for people (GBK): where the value stands, its text, and the number read from it, e.g.
// line 7: 盘左="1O.2" of <导1> in horizontal round 2 of station 凤岭 is no number; read as 1
TRAVERSE_API std::string DescribeValueNotNumber(const ValueNotNumber& value);

}  // namespace traverse

#endif
