#include "command_line.h"

#include <filesystem>
#include <vector>

namespace traverse_cli {
namespace {

struct CommandInfo {
    const char* name;
    Action action;
    size_t operands;  // FILE, or FILE and OUT
};

const CommandInfo kCommands[] = {
    {"import", Action::Import, 1}, {"check", Action::Check, 1}, {"export", Action::Export, 2},
    {"run", Action::Run, 1},       {"repair", Action::Repair, 1},
};

}  // namespace

const char* UsageText() {
    return "Usage: traverse [--json] COMMAND ...\n"
           "\n"
           "Pre-processes the field records of a survey traverse (XML record files with GBK names).\n"
           "\n"
           "Commands:\n"
           "  import FILE            import FILE and report every incomplete observation\n"
           "  check  FILE            import FILE, then check its horizontal-angle rounds\n"
           "  export FILE OUT        import FILE, then write the adjustment input file OUT\n"
           "  run    FILE [-o OUT]   import, check and export; OUT defaults to FILE with the\n"
           "                         extension .txt\n"
           "  repair FILE            mend, in place, names that start with a character XML forbids\n"
           "\n"
           "Options:\n"
           "  --json                 one JSON object per library command, one per line, on stdout\n"
           "  -o, --output OUT       the adjustment input file of run\n"
           "  -h, --help             show this help and exit\n"
           "  --version              show the version and exit\n"
           "\n"
           "Reports go to stdout and messages to stderr, in UTF-8. Exit status: 0 when every\n"
           "command succeeded, 1 when one did not, 2 for a usage error.\n";
}

bool ParseCommandLine(int argc, char** argv, CommandLine& commandLine, std::string& error) {
    std::vector<std::string> operands;
    bool haveOutput = false;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (!optionsEnded && word.size() > 1 && word[0] == '-') {
            if (word == "--") {
                optionsEnded = true;
            } else if (word == "--json") {
                commandLine.json = true;
            } else if (word == "-h" || word == "--help") {
                commandLine.action = Action::Help;
                return true;
            } else if (word == "--version") {
                commandLine.action = Action::Version;
                return true;
            } else if (word == "-o" || word == "--output") {
                if (i + 1 >= argc) {
                    error = "option " + word + " needs a file name";
                    return false;
                }
                commandLine.output = argv[++i];
                haveOutput = true;
            } else {
                error = "unknown option " + word;
                return false;
            }
        } else {
            operands.push_back(word);
        }
    }
    if (operands.empty()) {
        error = "no command given";
        return false;
    }
    const CommandInfo* command = nullptr;
    for (const CommandInfo& info : kCommands) {
        if (operands[0] == info.name) command = &info;
    }
    if (command == nullptr) {
        error = "unknown command " + operands[0];
        return false;
    }
    if (operands.size() - 1 != command->operands) {
        error = std::string(command->name) + (command->operands == 2 ? " takes FILE and OUT"
                                                                     : " takes one FILE");
        return false;
    }
    if (haveOutput && command->action != Action::Run) {
        error = "-o goes with run only";
        return false;
    }
    commandLine.action = command->action;
    commandLine.file = operands[1];
    if (command->operands == 2) commandLine.output = operands[2];
    if (command->action == Action::Run && !haveOutput) {
        commandLine.output = DefaultOutputPath(commandLine.file);
    }
    // Writing the adjustment file over the record file would lose the records.
    std::error_code ignored;
    if (!commandLine.output.empty() &&
        std::filesystem::equivalent(commandLine.file, commandLine.output, ignored)) {
        error = "the adjustment file " + commandLine.output +
                " would replace the record file; give another OUT";
        return false;
    }
    return true;
}

std::string DefaultOutputPath(const std::string& file) {
    return std::filesystem::path(file).replace_extension(".txt").string();
}

}  // namespace traverse_cli
