// Why a file could not be read or written, in the system's words, for people.
#ifndef TRAVERSE_CLI_FILE_DIAGNOSIS_H
#define TRAVERSE_CLI_FILE_DIAGNOSIS_H

#include <string>

namespace traverse_cli {

// Why the file at path cannot be read as a record file ("No such file or directory", "Is a
// directory", "Not a regular file", "Permission denied"); empty when it can be.
std::string WhyUnreadable(const std::string& path);

// Why the file at path cannot be created for writing; "unknown reason" when it can be after all.
// Leaves the file system as it found it.
std::string WhyUnwritable(const std::string& path);

// Where the record file at path (UTF-8) holds a character GBK cannot hold, as a line for people
// ending with a line feed; empty when it holds none.
std::string WhereTextOutsideGbk(const std::string& path);

}  // namespace traverse_cli

#endif
