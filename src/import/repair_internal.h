// The repair loop with its load step supplied, so that the loop's guards can be driven directly.
#ifndef TRAVERSE_IMPORT_REPAIR_INTERNAL_H
#define TRAVERSE_IMPORT_REPAIR_INTERNAL_H

#include <functional>
#include <string>

#include "traverse/repair.h"
#include "traverse/xml_dom.h"

namespace traverse {

// Loads the file once per round: true when it loads, else false with error set.
using RepairLoad = std::function<bool(const std::string& gbkPath, XmlParseError& error)>;

RepairResult RepairXmlFileWith(const std::string& gbkPath, const RepairLoad& load);

}  // namespace traverse

#endif
