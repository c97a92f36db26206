// The library commands that one program command runs on one record file.
#ifndef TRAVERSE_CLI_FILE_COMMANDS_H
#define TRAVERSE_CLI_FILE_COMMANDS_H

#include <string>

#include "command_line.h"
#include "output.h"

namespace traverse_cli {

// Runs commandLine's command on file (UTF-8, as given) and reports into output; nameFile names the
// file in every JSON object. Returns the exit status for the file: 0 or 1.
int ProcessFile(const CommandLine& commandLine, const std::string& file, Output& output,
                bool nameFile);
// ProcessFile for the one file of a process, which ends after it: what it holds is never freed.
int ProcessOnlyFile(const CommandLine& commandLine, const std::string& file, Output& output);

}  // namespace traverse_cli

#endif
