// The traverse program's command line.
#ifndef TRAVERSE_CLI_COMMAND_LINE_H
#define TRAVERSE_CLI_COMMAND_LINE_H

#include <string>

namespace traverse_cli {

enum class Action { Help, Version, Import, Check, Export, Run, Repair };

struct CommandLine {
    Action action = Action::Help;
    bool json = false;
    std::string file;    // the record file, UTF-8 as given
    std::string output;  // the adjustment input file, UTF-8 as given
};

// Parses argc/argv. Returns false with a one-line reason in error when the words are off.
bool ParseCommandLine(int argc, char** argv, CommandLine& commandLine, std::string& error);

// The help text, ending with a line feed.
const char* UsageText();

// The adjustment file next to file: its extension, if any, replaced by ".txt".
std::string DefaultOutputPath(const std::string& file);

}  // namespace traverse_cli

#endif
