// The copy of a record file kept before it is changed in place.
#ifndef TRAVERSE_CLI_BACKUP_H
#define TRAVERSE_CLI_BACKUP_H

#include <string>

namespace traverse_cli {

// Copies the file at path to path + ".orig", or, when that exists, to the first of ".orig.1",
// ".orig.2", ... that does not; never overwrites a file. Returns the copy's path, or an empty
// string with the reason in error.
std::string KeepBackup(const std::string& path, std::string& error);

}  // namespace traverse_cli

#endif
