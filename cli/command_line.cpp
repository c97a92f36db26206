#include "command_line.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <filesystem>

#include "traverse/version.h"

namespace traverse_cli {
namespace {

constexpr char kDescription[] =
    "Pre-processes the field records of a survey traverse (XML record files with GBK names).\n"
    "Reports go to stdout and messages to stderr, in UTF-8. Exit status: 0 when every command\n"
    "succeeded, 1 when one did not, 2 for a usage error.";

// A mistake in the words: said on stderr with the way to help.
ParseOutcome UsageError(const std::string& reason) {
    std::fprintf(stderr, "traverse: %s\nTry 'traverse --help' for more information.\n", reason.c_str());
    return {false, 2};
}

struct Subcommand {
    const char* name;
    Action action;
    const char* description;
};

constexpr Subcommand kSubcommands[] = {
    {"import", Action::Import, "import FILE and report every incomplete observation"},
    {"check", Action::Check, "import FILE, then check its horizontal-angle rounds"},
    {"export", Action::Export, "import FILE, then write the adjustment input file OUT"},
    {"run", Action::Run, "import, check and export; OUT (-o) defaults to FILE with the extension .txt"},
    {"repair", Action::Repair, "mend, in place, names that start with a character XML forbids"},
};

// The record files and outputs of the chosen command, checked once CLI11 has read the words.
ParseOutcome Settle(CommandLine& commandLine, bool haveOutput) {
    const bool export_ = commandLine.action == Action::Export;
    const std::size_t operands = commandLine.files.size();
    if (export_ && operands != 2) return UsageError("export takes FILE and OUT");
    if (!export_ && operands != 1) return UsageError("this command takes one FILE");
    if (export_) {
        commandLine.output = commandLine.files.back();
        commandLine.files.pop_back();
    }
    if (haveOutput && commandLine.action != Action::Run) return UsageError("-o goes with run only");
    if (commandLine.action == Action::Run && !haveOutput) {
        commandLine.output = DefaultOutputPath(commandLine.files.front());
    }
    // Writing the adjustment file over the record file would lose the records.
    std::error_code ignored;
    if (!commandLine.output.empty() &&
        std::filesystem::equivalent(commandLine.files.front(), commandLine.output, ignored)) {
        return UsageError("the adjustment file " + commandLine.output +
                          " would replace the record file; give another OUT");
    }
    return {true, 0};
}

}  // namespace

ParseOutcome ParseCommandLine(int argc, char** argv, CommandLine& commandLine) {
    CLI::App app(kDescription, "traverse");
    app.require_subcommand(1);
    app.set_version_flag("--version", std::string("traverse ") + TRAVERSE_VERSION);
    app.add_flag("--json", commandLine.json, "one JSON object per library command, one per line, on stdout");
    CLI::Option* output = app.add_option("-o,--output", commandLine.output, "the adjustment input file of run")
                              ->option_text("OUT");
    for (const Subcommand& entry : kSubcommands) {
        CLI::App* sub = app.add_subcommand(entry.name, entry.description);
        sub->fallthrough();
        const char* operands = entry.action == Action::Export ? "FILE OUT" : "FILE";
        sub->add_option(operands, commandLine.files, "the record file")->required();
        sub->callback([&commandLine, action = entry.action] { commandLine.action = action; });
    }
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& success) {
        return {false, app.exit(success)};
    } catch (const CLI::ParseError& error) {
        return UsageError(error.what());
    }
    return Settle(commandLine, output->count() > 0);
}

std::string DefaultOutputPath(const std::string& file) {
    return std::filesystem::path(file).replace_extension(".txt").string();
}

}  // namespace traverse_cli
