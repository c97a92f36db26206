#include "output.h"

namespace traverse_cli {

void Output::Write(std::FILE* stream, const std::string& utf8) {
    if (m_held) {
        m_chunks.emplace_back(stream, utf8);
        return;
    }
    std::fputs(utf8.c_str(), stream);
    std::fflush(stream);
}

void Output::Release(const std::string& heading) {
    bool headed[2] = {false, false};
    for (const auto& [stream, text] : m_chunks) {
        bool& done = headed[stream == stderr ? 1 : 0];
        if (!done && !heading.empty()) std::fputs(heading.c_str(), stream);
        done = true;
        std::fputs(text.c_str(), stream);
    }
    if (!headed[0] && !heading.empty()) std::fputs(heading.c_str(), stdout);
    std::fflush(stdout);
    std::fflush(stderr);
    m_chunks.clear();
}

}  // namespace traverse_cli
