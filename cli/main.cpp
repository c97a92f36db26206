// traverse: runs the library's commands on record files the way an interactive host's buttons do.
#include <clocale>

#include "command_line.h"
#include "file_commands.h"
#include "parallel_files.h"
#include "session.h"

int main(int argc, char** argv) {
    using namespace traverse_cli;
    // Honour the user's locale: the library's numbers must not depend on it.
    std::setlocale(LC_ALL, "");
    CommandLine commandLine;
    const ParseOutcome parsed = ParseCommandLine(argc, argv, commandLine);
    if (!parsed.proceed) return parsed.status;
    RouteMessageBoxesToSessions();
    if (commandLine.files.size() == 1) {
        Output output(false);
        return ProcessOnlyFile(commandLine, commandLine.files.front(), output);
    }
    return ProcessFiles(commandLine.files, commandLine.jobs, !commandLine.json,
                        [&](const std::string& file, Output& output) {
                            return ProcessFile(commandLine, file, output, true);
                        });
}
