// Runs the traverse program as a user would and collects what it printed.
#ifndef TRAVERSE_TESTS_RUN_PROGRAM_H
#define TRAVERSE_TESTS_RUN_PROGRAM_H

#include <string>
#include <vector>

namespace traverse {

struct ProgramRun {
    int status = -1;  // exit status
    std::string out;  // stdout
    std::string err;  // stderr
};

// Runs the traverse program with arguments (in English unless they hold --lang), in environment
// additions such as "LC_ALL=C".
ProgramRun RunTraverse(const std::vector<std::string>& arguments,
                       const std::vector<std::string>& environment = {});

// Runs command (the program, found on PATH when it names no directory, then its arguments).
ProgramRun RunCommand(const std::vector<std::string>& command,
                      const std::vector<std::string>& environment = {});

}  // namespace traverse

#endif
