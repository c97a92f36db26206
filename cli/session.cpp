#include "session.h"

#include <iostream>
#include <new>

#include "json_report.h"

namespace traverse_cli {

Session::Session(bool json) : m_json(json) {
    m_previousHandler =
        traverse::SetMessageBoxHandler([this](const std::string& text) { OnMessageBox(text); });
}

Session::~Session() { traverse::SetMessageBoxHandler(std::move(m_previousHandler)); }

std::uint32_t Session::Run(const char* name, std::uint32_t success,
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

void Session::Note(const std::string& utf8Lines, std::FILE* stream) {
    if (m_json) return;
    std::fputs(utf8Lines.c_str(), stream);
    std::fflush(stream);
}

void Session::OnMessageBox(const std::string& text) {
    m_messages.push_back(text);
    if (!m_json) std::fprintf(stderr, "%s\n", traverse::GbkToUtf8(text).c_str());
}

// The report as it stands after the command, as a host's report window shows it after each
// button; then m_strError if the command set it.
void Session::EmitText(bool errorSet) {
    if (!m_importer.m_strText.empty()) {
        std::fprintf(stdout, "%s\n", traverse::GbkToUtf8(m_importer.m_strText).c_str());
        std::fflush(stdout);
    }
    if (errorSet) std::fprintf(stderr, "%s\n", traverse::GbkToUtf8(m_importer.m_strError).c_str());
}

void Session::EmitJson(const char* name, std::uint32_t result, bool withData) {
    Json messages = Json::array();
    for (const std::string& text : m_messages) messages.push_back(traverse::GbkToUtf8(text));
    Json object{{"command", name},
                {"result", result},
                {"report", traverse::GbkToUtf8(m_importer.m_strText)},
                {"error", traverse::GbkToUtf8(m_importer.m_strError)},
                {"messages", messages}};
    if (withData) object["data"] = ImportData(m_importer);
    std::cout << object.dump(-1, ' ', false, Json::error_handler_t::replace) << '\n' << std::flush;
}

}  // namespace traverse_cli
