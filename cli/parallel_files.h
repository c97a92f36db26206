// Works on several record files at once and prints their outputs whole, in the order of the files.
#ifndef TRAVERSE_CLI_PARALLEL_FILES_H
#define TRAVERSE_CLI_PARALLEL_FILES_H

#include <functional>
#include <string>
#include <vector>

#include "output.h"

namespace traverse_cli {

// Runs process(file, output) for every file on up to jobs threads (0: one per core); each file's
// output is held and released whole, in file order, headed by the file's name when headed is set. A
// progress line goes to stderr while it runs when stderr is a terminal. Returns the worst status of
// the files.
int ProcessFiles(const std::vector<std::string>& files, unsigned jobs, bool headed,
                 const std::function<int(const std::string& file, Output& output)>& process);

}  // namespace traverse_cli

#endif
