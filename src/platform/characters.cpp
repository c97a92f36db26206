#include "platform/characters.h"

#include <array>

namespace traverse {
namespace chars {
namespace {

constexpr std::array<std::uint8_t, 256> MakeTable() {
    std::array<std::uint8_t, 256> table{};
    for (const char c : {' ', '\t', '\r', '\n'})
        table[static_cast<unsigned char>(c)] |= kXmlSpace | kCSpace;
    table['\v'] |= kCSpace;
    table['\f'] |= kCSpace;
    for (int c = '0'; c <= '9'; ++c) table[c] |= kDigit | kAsciiNameChar;
    for (int c = 'A'; c <= 'Z'; ++c) table[c] |= kUpper | kAsciiNameChar;
    for (int c = 'a'; c <= 'z'; ++c) table[c] |= kAsciiNameChar;
    for (const char c : {'_', '-', '.', ':'})
        table[static_cast<unsigned char>(c)] |= kAsciiNameChar;
    return table;
}

constexpr char kCaseOffset = 'a' - 'A';

bool IsGbkLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
bool IsGbkTrail(unsigned char c) { return c >= 0x40 && c != 0x7F && c != 0xFF; }

}  // namespace

constexpr std::array<std::uint8_t, 256> kByteKinds = MakeTable();

bool IsAscii(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (Is(static_cast<unsigned char>(c), kUpper)) c = static_cast<char>(c + kCaseOffset);
    }
    return text;
}

std::string AsciiUpper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - kCaseOffset);
    }
    return text;
}

std::string TrimCSpace(std::string_view text) { return std::string(TrimmedCSpace(text)); }

std::string_view TrimmedCSpace(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsCSpace(text[first])) ++first;
    while (last > first && IsCSpace(text[last - 1])) --last;
    return text.substr(first, last - first);
}

Utf8Char DecodeUtf8(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) return {};
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 1;
    std::uint32_t code = lead;
    if (lead >= 0xF0 && lead < 0xF8) {
        length = 4;
        code = lead & 0x07u;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        code = lead & 0x0Fu;
    } else if (lead >= 0xC0 && lead < 0xE0) {
        length = 2;
        code = lead & 0x1Fu;
    }
    if (length == 1 || pos + length > text.size()) return {lead, 1};
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsUtf8Continuation(text[pos + i])) return {lead, 1};
        code = (code << 6) | (static_cast<unsigned char>(text[pos + i]) & 0x3Fu);
    }
    return {code, length};
}

std::size_t GbkLength(std::string_view text, std::size_t pos) {
    if (pos + 1 < text.size() && IsGbkLead(static_cast<unsigned char>(text[pos])) &&
        IsGbkTrail(static_cast<unsigned char>(text[pos + 1]))) {
        return 2;
    }
    return 1;
}

std::size_t Gb18030Length(std::string_view text, std::size_t pos) {
    if (pos + 3 < text.size() && IsGbkLead(static_cast<unsigned char>(text[pos])) &&
        IsDigit(text[pos + 1])) {
        return 4;
    }
    return GbkLength(text, pos);
}

LineCursor::LineCursor(std::string_view text, std::size_t start) : m_text(text), m_start(start) {
    FindEnd();
}

void LineCursor::FindEnd() {
    m_end = m_start;
    while (m_end < m_text.size() && m_text[m_end] != '\r' && m_text[m_end] != '\n') ++m_end;
}

bool LineCursor::Next() {
    if (m_end >= m_text.size()) return false;
    const bool crLf =
        m_text[m_end] == '\r' && m_end + 1 < m_text.size() && m_text[m_end + 1] == '\n';
    m_start = m_end + (crLf ? 2 : 1);
    ++m_number;
    FindEnd();
    return true;
}

void LineCursor::MoveTo(std::size_t pos) {
    for (LineCursor next = *this; m_end < pos && next.Next() && next.m_start <= pos;) *this = next;
}

long LineCursor::Utf8Column(std::size_t pos) const {
    long column = 1;
    for (std::size_t i = m_start; i < pos && i < m_text.size(); ++i) {
        if (!IsUtf8Continuation(m_text[i])) ++column;
    }
    return column;
}

bool IsXmlNameStartChar(std::uint32_t c) {
    return c == ':' || (c >= 'A' && c <= 'Z') || c == '_' || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
           (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) ||
           (c >= 0x200C && c <= 0x200D) ||
           (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
           (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
           (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

std::size_t Utf8Characters(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += IsUtf8Continuation(c) ? 0 : 1;
    return count;
}

}  // namespace chars
}  // namespace traverse
