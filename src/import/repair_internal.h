// The repair's parts that its tests reach: the one-name-at-a-time loop with its load step
// supplied, which the repair in one pass must match byte for byte, and the loop's guards.
#ifndef TRAVERSE_IMPORT_REPAIR_INTERNAL_H
#define TRAVERSE_IMPORT_REPAIR_INTERNAL_H

#include <functional>
#include <string>

#include "traverse/repair.h"
#include "traverse/xml_dom.h"

namespace traverse {

// Loads the file once per round: true when it loads, else false with error set.
using RepairLoad = std::function<bool(const std::string& gbkPath, XmlParseError& error)>;

// Loads the file, and while the load fails with a bad first character of a name, mends that one
// name in the file and loads it again.
RepairResult RepairXmlFileWith(const std::string& gbkPath, const RepairLoad& load);

// Runs repair on a fresh result; a file error or any other failure it raises becomes the result's
// status (a file error also shown in a message box).
RepairResult RunRepair(const std::function<void(RepairResult&)>& repair);

// The parser's load of the file at gbkPath, in a new document.
bool LoadRecordFile(const std::string& gbkPath, XmlParseError& error);

// A file whose permission bits allow no write at all is read-only, even for a user (root) whom the
// system would let write it.
bool IsReadOnlyFile(const std::string& gbkPath);

}  // namespace traverse

#endif
