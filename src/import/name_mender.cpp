#include "import/name_mender.h"

#include <algorithm>

#include "traverse/code_page.h"
#include "xml/xml_parse_error_table.h"
#include "xml/xml_parser.h"

namespace traverse {
namespace {

// What replaces the character at at: "st" padded with "_" for a multi-byte character, "st" over
// it and the next byte where that is a single-byte name character, else "s".
std::string ChooseBytes(const std::string& lineBytes, std::size_t at, std::size_t length) {
    if (length > 1) return "st" + std::string(length - 2, '_');
    if (at + 1 < lineBytes.size() && chars::IsAsciiNameChar(lineBytes[at + 1])) return "st";
    return "s";
}

// The name that starts at at: up to white space, '/', '>', '=' or the end of the line.
std::size_t NameEnd(const std::string& lineBytes, std::size_t at, CharReader& reader) {
    std::size_t end = at;
    while (end < lineBytes.size() && !chars::IsXmlSpace(lineBytes[end]) &&
           std::string_view("/>=").find(lineBytes[end]) == std::string_view::npos) {
        end += reader.Length(lineBytes, end);
    }
    return std::min(end, lineBytes.size());
}

// Bytes of the file (in encoding) as GBK text, for people.
std::string AsGbk(const std::string& bytes, const std::string& encoding) {
    return Utf8ToGbkLossy(DecodeRecordText(bytes, encoding).utf8);
}

}  // namespace

CharReader::CharReader(const std::string& encoding)
    : m_encoding(encoding), m_converter("UTF-8", encoding.empty() ? "UTF-8" : encoding.c_str()) {}

std::size_t CharReader::Length(std::string_view bytes, std::size_t pos) {
    if (m_encoding.empty()) return chars::DecodeUtf8(bytes, pos).length;
    if (m_encoding == "GB18030") return chars::Gb18030Length(bytes, pos);
    return m_converter.CharacterLength(bytes, pos);
}

NameMender::NameMender(std::string& content)
    : m_content(content),
      m_encoding(RecordTextEncoding(content.substr(0, kDeclarationPrefixLength))),
      m_reader(m_encoding),
      m_lines(content) {
    StartLine();
}

void NameMender::Restart() {
    m_lines = chars::LineCursor(m_content);
    StartLine();
}

// A byte-order mark is no character of line 1.
void NameMender::StartLine() {
    m_line = m_content.substr(m_lines.Start(), m_lines.End() - m_lines.Start());
    m_column = 1;
    m_at = m_lines.Number() == 1 && m_encoding.empty() && chars::StartsWithUtf8Bom(m_line)
               ? chars::kUtf8Bom.size()
               : 0;
}

bool NameMender::ToLine(long line) {
    if (line < m_lines.Number()) Restart();
    while (m_lines.Number() < line) {
        if (!m_lines.Next()) return false;
        StartLine();
    }
    return true;
}

bool NameMender::MendAt(RepairedName& repaired) {
    // Lines of a UTF-16 file are not found by their line-feed bytes: such a file is not mended.
    if (m_encoding == "UTF-16") return false;
    const long column = std::max(repaired.column, 1L);
    const long line = repaired.line;
    if (line < m_lines.Number() || (line == m_lines.Number() && column < m_column)) Restart();
    if (!ToLine(line)) return false;
    while (m_column < column && m_at < m_line.size()) {
        m_at += m_reader.Length(m_line, m_at);
        ++m_column;
    }
    if (m_at >= m_line.size()) return false;  // the fault is no character here
    return MendHere(repaired);
}

bool NameMender::MendAtOffset(std::size_t offset, RepairedName& repaired) {
    if (m_encoding == "UTF-16" || offset >= m_content.size()) return false;
    if (offset < LastOffset()) Restart();
    while (m_lines.End() < offset) {
        if (!m_lines.Next()) return false;
        StartLine();
    }
    while (m_lines.Start() + m_at < offset && m_at < m_line.size()) {
        m_at += m_reader.Length(m_line, m_at);
        ++m_column;
    }
    if (m_lines.Start() + m_at != offset || m_at >= m_line.size()) return false;
    repaired.line = m_lines.Number();
    repaired.column = m_column;
    return MendHere(repaired);
}

bool NameMender::MendHere(RepairedName& repaired) {
    const std::string replacement = ChooseBytes(m_line, m_at, m_reader.Length(m_line, m_at));
    if (m_line.compare(m_at, replacement.size(), replacement) == 0) return false;
    const std::string before = m_line.substr(m_at, NameEnd(m_line, m_at, m_reader) - m_at);
    m_line.replace(m_at, replacement.size(), replacement);
    m_content.replace(m_lines.Start() + m_at, replacement.size(), replacement);
    repaired.written = replacement;
    repaired.before = AsGbk(before, m_encoding);
    repaired.after =
        AsGbk(replacement + before.substr(std::min(replacement.size(), before.size())), m_encoding);
    return true;
}

}  // namespace traverse
