// traverse: runs the library's commands on a record file the way an interactive host's buttons do.
#include <clocale>
#include <cstdio>
#include <string>

#include "command_line.h"
#include "repair_summary.h"
#include "session.h"

namespace traverse_cli {
namespace {

int Execute(const CommandLine& commandLine) {
    const std::string& utf8File = commandLine.files.front();
    std::string file;
    std::string output;
    try {
        file = traverse::Utf8ToGbk(utf8File);
        output = traverse::Utf8ToGbk(commandLine.output);
    } catch (const traverse::_com_error&) {
        std::fprintf(stderr, "traverse: a path holds characters that GBK cannot hold\n");
        return 1;
    }

    Session session(commandLine.json);
    traverse::CImportXml& importer = session.Importer();
    const auto import = [&] { return importer.OnButtonExchange(file); };
    const auto check = [&] { return importer.OnButtonCheck(); };
    const auto write = [&] { return importer.OnButtonTonbq(output); };
    switch (commandLine.action) {
    case Action::Import:
        session.Run("import", 0, import);
        break;
    case Action::Check:
        session.Run("import", 0, import);
        session.Run("check", 0, check);
        break;
    case Action::Export:
        session.Run("import", 0, import);
        session.Run("export", 0, write);
        break;
    case Action::Run:
        session.Run("import", 0, import);
        session.Run("check", 0, check);
        session.Run("export", 0, write);
        break;
    case Action::Repair: {
        // RepairXML's result, with the details it does not return.
        traverse::RepairResult repair;
        session.Run("repair", 1, [&] {
            repair = traverse::RepairXmlFile(file);
            return repair.status == traverse::RepairStatus::Loaded ? 1u : 0u;
        });
        session.Note(RepairSummary(utf8File, repair),
                     repair.status == traverse::RepairStatus::Loaded ? stdout : stderr);
        break;
    }
    }
    return session.AllSucceeded() ? 0 : 1;
}

}  // namespace
}  // namespace traverse_cli

int main(int argc, char** argv) {
    using namespace traverse_cli;
    // Honour the user's locale: the library's numbers must not depend on it.
    std::setlocale(LC_ALL, "");
    CommandLine commandLine;
    const ParseOutcome parsed = ParseCommandLine(argc, argv, commandLine);
    if (!parsed.proceed) return parsed.status;
    return Execute(commandLine);
}
