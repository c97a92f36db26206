// Everything a user gets from one record file through the library's commands, to compare two
// spellings of the same records byte for byte.
#ifndef TRAVERSE_TESTS_SUPPORT_RECORD_OUTPUTS_H
#define TRAVERSE_TESTS_SUPPORT_RECORD_OUTPUTS_H

#include <cstdint>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace traverse {

struct RecordOutputs {
    std::uint32_t import = 0;
    std::string importReport;
    std::string checkReport;
    std::vector<std::string> messages;
    std::string adjustmentFile;
    std::string fieldChecks;  // with the defaults; empty unless asked for
    std::string adjustment;   // the report for people; empty unless asked for
};

// Imports recordPath, checks it and exports it into dir as outName; with withResults also the
// field checks and the adjustment, each with its defaults.
RecordOutputs ProcessRecordFile(const TempDir& dir, const std::string& recordPath,
                                const std::string& outName, bool withResults);

// Each output of a equal to that of b; what names the case in a failure.
void ExpectSameRecordOutputs(const RecordOutputs& a, const RecordOutputs& b,
                             const std::string& what);

}  // namespace traverse

#endif
