// In-place repair of a record file whose names start with a character XML does not allow, with a
// report of what was mended. CImportXml::RepairXML is this function without the report.
#ifndef TRAVERSE_REPAIR_H
#define TRAVERSE_REPAIR_H

#include <string>
#include <vector>

#include "traverse/export.h"
#include "traverse/xml_dom.h"

namespace traverse {

enum class RepairStatus {
    Loaded,      // the file loads, as it was or after the mends listed
    OtherError,  // the load fails for another reason than a bad first character of a name
    CannotOpen,  // the file could not be opened for reading and writing (or is read-only)
    Stuck,       // a mend would not move the fault: same position again, or nothing to change
    FileError,   // a read, seek or write of the file failed; it was reported in a message box
    Failed,      // any other failure (e.g. the document could not be created)
};

// One mended name: where its first character was (1-based, the column counted in characters), and
// the bytes written there (GBK/UTF-8 bytes of the file, all ASCII).
struct RepairedName {
    long line = 0;
    long column = 0;
    std::string written;
};

struct RepairResult {
    RepairStatus status = RepairStatus::Failed;
    std::vector<RepairedName> repairs;  // in the order they were written; they stay written
    // The parse error that ended the repair (OtherError, CannotOpen, Stuck); errorCode 0 when the
    // file loads.
    XmlParseError error;
    std::string message;  // FileError: the text shown in the message box (GBK)
};

// Loads the file at gbkPath and, while the load fails with 0xC00CE504, overwrites the offending
// character of the reported line and column with "st" (whole characters only; the file keeps its
// length) and loads again. Nothing is reported but a failed file operation, in a message box.
TRAVERSE_API RepairResult RepairXmlFile(const std::string& gbkPath);

}  // namespace traverse

#endif
