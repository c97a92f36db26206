// What traverse repair tells people: what was mended and where, or why the file could not be, and
// the names the repair made equal.
#ifndef TRAVERSE_CLI_REPAIR_SUMMARY_H
#define TRAVERSE_CLI_REPAIR_SUMMARY_H

#include <string>
#include <vector>

#include "traverse/repair.h"

namespace traverse_cli {

// Lines (UTF-8, each ending with a line feed) about the repair of file (UTF-8, as given).
std::string RepairSummary(const std::string& file, const traverse::RepairResult& repair);

// Lines (UTF-8) listing each collision with its lines; empty when there is none.
std::string CollisionSummary(const std::string& file,
                             const std::vector<traverse::RepairCollision>& collisions);

}  // namespace traverse_cli

#endif
