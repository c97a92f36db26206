// Runs the library's commands on one importer for one record file and tells the user about each
// as it ends: the report and messages for people, or one JSON object per command.
#ifndef TRAVERSE_CLI_SESSION_H
#define TRAVERSE_CLI_SESSION_H

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "json_report.h"
#include "output.h"
#include "traverse/traverse.h"

namespace traverse_cli {

// One library command as the session runs it.
struct Command {
    Command(const char* commandName, std::uint32_t successResult,
            std::function<std::uint32_t()> body)
        : name(commandName), success(successResult), run(std::move(body)) {}

    const char* name;                       // "import", "check", ...
    std::uint32_t success;                  // the result that means success
    std::function<std::uint32_t()> run;     // runs the command; returns the library's result
    // Lines (UTF-8) that explain a result to people, printed on stderr before the error report.
    std::function<std::string(std::uint32_t result)> explain;
    // The line people see for a message box (GBK text in, UTF-8 out); empty: the text as it is.
    std::function<std::string(const std::string& gbkText)> describeMessage;
    // Neither the report text nor a JSON object: a step of a command that tells its outcome its
    // own way. Messages, explanations and errors still go to stderr.
    bool quiet = false;
};

class Session {
public:
    // file: the record file as given (UTF-8); named in every JSON object when nameFile is set.
    Session(bool json, Output& output, std::string file, bool nameFile);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    traverse::CImportXml& Importer() { return m_importer; }
    const traverse::CImportXml& Importer() const { return m_importer; }
    bool JsonMode() const { return m_json; }
    // 0 when every command succeeded, 2 after a usage error, else 1.
    int Status() const { return m_usageError ? 2 : m_failed ? 1 : 0; }
    // A failure that no library command reported.
    void Fail() { m_failed = true; }
    // Options that the file's data shows to be unusable.
    void FailUsage() { m_usageError = true; }

    // Runs command; returns its result.
    std::uint32_t Run(const Command& command);
    // Lines (UTF-8) for people; nothing in JSON mode.
    void Note(const std::string& utf8Lines, bool error);
    // One more JSON object (JSON mode only), with "file" added when files are named.
    void EmitJson(traverse_cli::Json object);
    // The GBK texts of the message boxes shown during the last command.
    const std::vector<std::string>& Messages() const { return m_messages; }

private:
    friend void ShowInSession(const std::string& gbkText);
    void OnMessageBox(const std::string& text);
    void EmitText(const Command& command, std::uint32_t result, const std::string& textBefore,
                  const std::string& errorBefore);

    bool m_json;
    Output& m_output;
    std::string m_file;
    bool m_nameFile;
    bool m_failed = false;
    bool m_usageError = false;
    traverse::CImportXml m_importer;
    const Command* m_command = nullptr;  // while one runs
    std::vector<std::string> m_messages;
    std::string m_lastMessage;  // GBK, the last message box shown
    Session* m_previous;
};

// Routes every message box of the library to the session running on the calling thread. Installed
// once, before any session starts.
void RouteMessageBoxesToSessions();

}  // namespace traverse_cli

#endif
