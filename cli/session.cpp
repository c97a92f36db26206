#include "session.h"

#include <new>
#include <utility>

#include "text_for_people.h"

namespace traverse_cli {
namespace {

thread_local Session* t_session = nullptr;

}  // namespace

void ShowInSession(const std::string& gbkText) {
    if (t_session != nullptr) {
        t_session->OnMessageBox(gbkText);
    } else {
        std::fprintf(stderr, "%s\n", traverse::GbkToUtf8(gbkText).c_str());
    }
}

void RouteMessageBoxesToSessions() { traverse::SetMessageBoxHandler(ShowInSession); }

Session::Session(bool json, Output& output, std::string file, bool nameFile)
    : m_json(json),
      m_output(output),
      m_file(std::move(file)),
      m_nameFile(nameFile),
      m_previous(t_session) {
    t_session = this;
}

Session::~Session() { t_session = m_previous; }

std::uint32_t Session::Run(const Command& command) {
    m_messages.clear();
    m_command = &command;
    const std::string textBefore = m_importer.m_strText;
    const std::string errorBefore = m_importer.m_strError;
    std::uint32_t result;
    try {
        result = command.run();
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
    m_command = nullptr;
    if (result != command.success) m_failed = true;
    if (m_json) {
        if (command.quiet) return result;
        Json messages = Json::array();
        for (const std::string& text : m_messages) messages.push_back(traverse::GbkToUtf8(text));
        Json object{{"command", command.name},
                    {"result", result},
                    {"report", traverse::GbkToUtf8(m_importer.m_strText)},
                    {"error", traverse::GbkToUtf8(m_importer.m_strError)},
                    {"messages", messages}};
        if (std::string(command.name) == "import") {
            // Only where there are some: the import's object of a sound file stays as it was.
            Json warnings = ImportWarnings(m_importer);
            if (!warnings.empty()) object["warnings"] = std::move(warnings);
            object["data"] = ImportData(m_importer);
        }
        EmitJson(std::move(object));
    } else {
        EmitText(command, result, textBefore, errorBefore);
    }
    return result;
}

void Session::Note(const std::string& utf8Lines, bool error) {
    if (m_json || utf8Lines.empty()) return;
    if (error) {
        m_output.Err(utf8Lines);
    } else {
        m_output.Out(utf8Lines);
    }
}

void Session::EmitJson(Json object) {
    if (!m_json) return;
    if (m_nameFile) {
        Json named{{"file", m_file}};
        for (auto& [key, value] : object.items()) named[key] = std::move(value);
        object = std::move(named);
    }
    m_output.Out(object.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n");
}

void Session::OnMessageBox(const std::string& text) {
    m_messages.push_back(text);
    m_lastMessage = text;
    if (m_json) return;
    std::string line;
    if (m_command != nullptr && m_command->describeMessage) line = m_command->describeMessage(text);
    if (line.empty()) line = traverse::GbkToUtf8(text);
    m_output.Err(line + "\n");
}

// The report when the command changed it; the explanation of the result; m_strError when the
// command changed it and it says more than the last message box and the explanation did.
void Session::EmitText(const Command& command, std::uint32_t result, const std::string& textBefore,
                       const std::string& errorBefore) {
    const std::string& text = m_importer.m_strText;
    if (!command.quiet && text != textBefore && !text.empty())
        m_output.Out(traverse::GbkToUtf8(text) + "\n");
    const std::string explanation = command.explain ? command.explain(result) : std::string();
    Note(explanation, true);
    const std::string& error = m_importer.m_strError;
    const bool explained =
        !error.empty() && explanation.find(traverse::GbkToUtf8(error)) != std::string::npos;
    if (error != errorBefore && error != m_lastMessage && !explained) {
        m_output.Err(CutLongLines(traverse::GbkToUtf8(error)) + "\n");
    }
}

}  // namespace traverse_cli
