// Runs the library's commands on one importer and tells the user about each as it ends.
#ifndef TRAVERSE_CLI_SESSION_H
#define TRAVERSE_CLI_SESSION_H

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "traverse/traverse.h"

namespace traverse_cli {

class Session {
public:
    explicit Session(bool json);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    traverse::CImportXml& Importer() { return m_importer; }
    bool AllSucceeded() const { return m_allSucceeded; }

    // Runs command, which returns the library's result; success is the result that means success.
    // Returns the result.
    std::uint32_t Run(const char* name, std::uint32_t success,
                      const std::function<std::uint32_t()>& command);

    // Tells people the outcome of a command that has no report of its own (UTF-8 lines).
    void Note(const std::string& utf8Lines, std::FILE* stream);

private:
    void OnMessageBox(const std::string& text);
    void EmitText(bool errorSet);
    void EmitJson(const char* name, std::uint32_t result, bool withData);

    bool m_json;
    bool m_allSucceeded = true;
    traverse::CImportXml m_importer;
    std::vector<std::string> m_messages;
    traverse::MessageBoxHandler m_previousHandler;
};

}  // namespace traverse_cli

#endif
