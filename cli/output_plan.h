// Every file a command line will write, settled before any work starts: a record file given twice
// is worked on once, and no output is written twice, over an input or over a record file.
#ifndef TRAVERSE_CLI_OUTPUT_PLAN_H
#define TRAVERSE_CLI_OUTPUT_PLAN_H

#include <string>

#include "command_line.h"

namespace traverse_cli {

// Keeps each record file of commandLine once, at its first place (the same file under any spelling
// of its path), and says on stderr which were given more than once.
void MergeRepeatedFiles(CommandLine& commandLine);

// Why the outputs of commandLine cannot be written safely, in words for a usage error (UTF-8);
// empty when they can: two outputs that are one file, an output that is a record file given to the
// command, an existing output that holds a record file (its first bytes other than blanks are '<'
// or a byte-order mark, and it is none of the files this program writes).
std::string RefuseUnsafeOutputs(const CommandLine& commandLine);

}  // namespace traverse_cli

#endif
