// traverse: runs the library's commands on a record file the way an interactive host's buttons do.
#include <clocale>
#include <cstdio>
#include <exception>
#include <functional>
#include <new>
#include <iostream>
#include <string>
#include <vector>

#include "command_line.h"
#include "json_report.h"
#include "repair_summary.h"
#include "traverse/traverse.h"

namespace traverse_cli {
namespace {

// Runs library commands on one importer and reports each as it ends.
class Session {
public:
    explicit Session(bool json) : m_json(json) {
        m_previousHandler = traverse::SetMessageBoxHandler(
            [this](const std::string& text) { OnMessageBox(text); });
    }
    ~Session() { traverse::SetMessageBoxHandler(std::move(m_previousHandler)); }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    traverse::CImportXml& Importer() { return m_importer; }
    bool AllSucceeded() const { return m_allSucceeded; }

    // Runs command, which returns the library's result; success is the result that means success.
    // Returns the result.
    std::uint32_t Run(const char* name, std::uint32_t success,
                      const std::function<std::uint32_t()>& command) {
        m_messages.clear();
        const std::string errorBefore = m_importer.m_strError;
        std::uint32_t result;
        try {
            result = command();
        } catch (const traverse::CException& e) {
            e.ReportError();
            result = traverse::RESULT_FAILED;
        } catch (const traverse::_com_error& e) {
            traverse::ShowMessageBox(e.Description().empty() ? traverse::Utf8ToGbk(e.what())
                                                             : e.Description());
            result = traverse::RESULT_FAILED;
        } catch (const std::bad_alloc&) {
            traverse::CMemoryException().ReportError();
            result = traverse::RESULT_FAILED;
        }
        if (result != success) m_allSucceeded = false;
        const bool errorSet = m_importer.m_strError != errorBefore;
        if (m_json) {
            EmitJson(name, result, std::string(name) == "import");
        } else {
            EmitText(errorSet);
        }
        return result;
    }

    // Tells people the outcome of a command that has no report of its own (UTF-8 lines).
    void Note(const std::string& utf8Lines, std::FILE* stream) {
        if (m_json) return;
        std::fputs(utf8Lines.c_str(), stream);
        std::fflush(stream);
    }

private:
    void OnMessageBox(const std::string& text) {
        m_messages.push_back(text);
        if (!m_json) std::fprintf(stderr, "%s\n", traverse::GbkToUtf8(text).c_str());
    }

    // The report as it stands after the command, as a host's report window shows it after each
    // button; then m_strError if the command set it.
    void EmitText(bool errorSet) {
        if (!m_importer.m_strText.empty()) {
            std::fprintf(stdout, "%s\n", traverse::GbkToUtf8(m_importer.m_strText).c_str());
            std::fflush(stdout);
        }
        if (errorSet) std::fprintf(stderr, "%s\n", traverse::GbkToUtf8(m_importer.m_strError).c_str());
    }

    void EmitJson(const char* name, std::uint32_t result, bool withData) {
        Json messages = Json::array();
        for (const std::string& text : m_messages) messages.push_back(traverse::GbkToUtf8(text));
        Json object{{"command", name},
                    {"result", result},
                    {"report", traverse::GbkToUtf8(m_importer.m_strText)},
                    {"error", traverse::GbkToUtf8(m_importer.m_strError)},
                    {"messages", messages}};
        if (withData) object["data"] = ImportData(m_importer);
        std::cout << object.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n'
                  << std::flush;
    }

    bool m_json;
    bool m_allSucceeded = true;
    traverse::CImportXml m_importer;
    std::vector<std::string> m_messages;
    traverse::MessageBoxHandler m_previousHandler;
};

int Execute(const CommandLine& commandLine) {
    std::string file;
    std::string output;
    try {
        file = traverse::Utf8ToGbk(commandLine.file);
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
        session.Note(RepairSummary(commandLine.file, repair),
                     repair.status == traverse::RepairStatus::Loaded ? stdout : stderr);
        break;
    }
    case Action::Help:
    case Action::Version:
        break;
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
    std::string error;
    if (!ParseCommandLine(argc, argv, commandLine, error)) {
        std::fprintf(stderr, "traverse: %s\nTry 'traverse --help' for more information.\n",
                     error.c_str());
        return 2;
    }
    switch (commandLine.action) {
    case Action::Help:
        std::fputs(UsageText(), stdout);
        return 0;
    case Action::Version:
        std::printf("traverse %s\n", TRAVERSE_VERSION);
        return 0;
    default:
        return Execute(commandLine);
    }
}
