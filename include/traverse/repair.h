// In-place repair of a record file whose names start with a character XML does not allow, with a
// report of what was mended. CImportXml::RepairXML is this function without the report.
#ifndef TRAVERSE_REPAIR_H
#define TRAVERSE_REPAIR_H

#include <string>
#include <vector>

#include "traverse/visibility.h"
#include "traverse/xml_dom.h"

namespace traverse {

enum class RepairStatus {
    Loaded,      // the file loads, as it was or after the mends listed
    OtherError,  // the load fails for another reason than a bad first character of a name
    CannotOpen,  // the file could not be opened for reading and writing (or is read-only), or
                 // the mended file could not be written
    Stuck,       // a mend would not move the fault: same position again, or nothing to change
    FileError,   // a read, seek or write of the file failed; it was reported in a message box
    Failed,      // any other failure (e.g. the document could not be created)
};

// One mended name: where its first character was (1-based, the column counted in characters), the
// bytes written there (all ASCII), and the whole name before and after the mend (GBK).
struct RepairedName {
    long line = 0;
    long column = 0;
    std::string written;
    std::string before;
    std::string after;
};

struct RepairResult {
    RepairStatus status = RepairStatus::Failed;
    std::vector<RepairedName> repairs;  // in the order they were written; they stay written
    // The parse error that ended the repair (OtherError, CannotOpen, Stuck); errorCode 0 when the
    // file loads.
    XmlParseError error;
    std::string message;  // FileError: the text shown in the message box (GBK)
};

// Mends the file at gbkPath as loading it and, while the load fails with 0xC00CE504, overwriting
// the offending character of the reported line and column with "st" (whole characters only; the
// file keeps its length) and loading again would, byte for byte; but the file is read once, the
// mends are confirmed by one parse in memory, and the file is written once, whole. Nothing is
// reported but a failed file operation, in a message box.
TRAVERSE_API RepairResult RepairXmlFile(const std::string& gbkPath);

// A name (GBK) and the lines where it stands.
struct NameLines {
    std::string name;
    std::vector<long> lines;
};

// Names the repair made equal: different names mended to the same one, or a mended name that
// another element of the file already carried. Either merges targets that the field kept apart.
struct RepairCollision {
    std::string mended;                // the name as the repair left it (GBK)
    std::vector<NameLines>
        repaired;  // each name that became it, with the lines where it was mended
    std::vector<long> existing;        // lines where an element already carried the name
};

// The collisions of a repair of the file at gbkPath (as result describes it and the file now
// stands), in the order the mended names were first written. Empty when the repair kept every name
// distinct or the file cannot be read.
TRAVERSE_API std::vector<RepairCollision> FindRepairCollisions(const std::string& gbkPath,
                                                               const RepairResult& result);

}  // namespace traverse

#endif
