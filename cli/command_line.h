// The traverse program's command line, parsed with CLI11.
#ifndef TRAVERSE_CLI_COMMAND_LINE_H
#define TRAVERSE_CLI_COMMAND_LINE_H

#include <string>
#include <vector>

#include "traverse/adjust.h"
#include "traverse/field_checks.h"

namespace traverse_cli {

enum class Action { Import, Check, Export, Run, Repair, Adjust, Report };

struct CommandLine {
    Action action = Action::Import;
    bool json = false;
    std::vector<std::string> files;  // the record files, UTF-8 as given
    std::vector<std::string> outputs;  // every -o, as given
    // The one file of the command: the adjustment input file of export or run (-o), the page of
    // report (the -o that is no result file)
    std::string output;
    // adjust and report: the -o files of the adjusted network, each in its extension's format
    std::vector<std::string> resultFiles;
    bool noBackup = false;           // repair: no FILE.orig
    bool allChecks = false;  // check --all: the field checks after the horizontal-angle checks
    traverse::FieldCheckOptions fieldChecks;  // check --all and report: --grade and --instrument
    traverse::AdjustmentOptions adjustment;   // adjust and report: --grade and the sigma options
    std::string gama;                         // adjust --gama: the gama-local document (one file)
    std::string sides;                        // adjust --sides: a CSV of the sides (one file)
    unsigned jobs = 0;               // files worked on at once; 0: one per core
};

// The outcome of parsing: go on with the command line, or stop with an exit status (help and
// version printed: 0; a usage error, reported on stderr: 2).
struct ParseOutcome {
    bool proceed = false;
    int status = 0;
};

ParseOutcome ParseCommandLine(int argc, char** argv, CommandLine& commandLine);

// The adjustment file next to file: its extension, if any, replaced by ".txt".
std::string DefaultOutputPath(const std::string& file);

// The report page next to file: its extension, if any, replaced by ".html".
std::string DefaultReportPath(const std::string& file);

// What commandLine's action writes for file: OUT when given, else the default of the action;
// empty for an action that writes nothing.
std::string OutputPathOf(const CommandLine& commandLine, const std::string& file);

}  // namespace traverse_cli

#endif
