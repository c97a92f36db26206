// What traverse repair tells people: what was mended and where, or why the file could not be.
#ifndef TRAVERSE_CLI_REPAIR_SUMMARY_H
#define TRAVERSE_CLI_REPAIR_SUMMARY_H

#include <string>

#include "traverse/repair.h"

namespace traverse_cli {

// Lines (UTF-8, each ending with a line feed) about the repair of file (UTF-8, as given).
std::string RepairSummary(const std::string& file, const traverse::RepairResult& repair);

}  // namespace traverse_cli

#endif
