#include "import/bad_name_sites.h"

#include <string_view>
#include <unordered_map>

#include "platform/characters.h"
#include "platform/iconv_converter.h"

namespace traverse {
namespace {

enum class NameStart { Good, Bad, Other };

// Reads the markup of a file in UTF-8 or GB18030. Every byte that delimits markup is below 0x40
// and no digit, which no trail byte of either encoding is, so markup is found byte by byte; only
// "]]>" is looked for character by character.
class Scanner {
public:
    Scanner(const std::string& bytes, bool utf8)
        : m_bytes(bytes), m_utf8(utf8), m_decoder("UTF-8", utf8 ? "UTF-8" : "GB18030") {}

    std::vector<std::size_t> Run();

private:
    std::size_t Length(std::size_t at) const {
        return m_utf8 ? chars::DecodeUtf8(m_bytes, at).length : chars::Gb18030Length(m_bytes, at);
    }
    std::uint32_t CodeAt(std::size_t at);
    NameStart Classify(std::size_t at);
    void NoteName(std::size_t at);
    std::size_t After(std::string_view close, std::size_t from) const;
    std::size_t CdataEnd(std::size_t from) const;
    std::size_t SkipBlanks(std::size_t at) const;
    std::size_t NameEnd(std::size_t at) const;
    std::size_t StartTag(std::size_t at);

    const std::string& m_bytes;
    bool m_utf8;
    IconvConverter m_decoder;
    std::unordered_map<std::uint32_t, std::uint32_t> m_codes;  // GB18030 characters met, by bytes
    std::vector<std::size_t> m_sites;
};

std::uint32_t Scanner::CodeAt(std::size_t at) {
    const std::size_t length = Length(at);
    if (m_utf8 || length == 1) {
        const chars::Utf8Char c = chars::DecodeUtf8(m_bytes, at);
        return c.length == 1 && c.code >= 0x80 ? 0xFFFD : c.code;  // a byte that decodes to nothing
    }
    std::uint32_t key = 0;
    for (std::size_t i = 0; i < length; ++i) {
        key = key << 8 | static_cast<unsigned char>(m_bytes[at + i]);
    }
    const auto known = m_codes.find(key);
    if (known != m_codes.end()) return known->second;
    std::string utf8;
    const bool decoded = m_decoder.Convert(std::string_view(m_bytes).substr(at, length), utf8,
                                           [](std::string_view, std::size_t, bool, std::string&) {
                                               return std::size_t{0};
                                           });
    const chars::Utf8Char c = chars::DecodeUtf8(utf8, 0);
    const std::uint32_t code = decoded && c.length == utf8.size() ? c.code : 0xFFFD;
    m_codes.emplace(key, code);
    return code;
}

NameStart Scanner::Classify(std::size_t at) {
    if (at >= m_bytes.size()) return NameStart::Other;
    const std::uint32_t code = CodeAt(at);
    if (chars::IsXmlNameStartChar(code)) return NameStart::Good;
    if (code == 0xFFFD) return NameStart::Other;  // what does not decode is a fault of its own
    if (code >= 0x80) return NameStart::Bad;
    return chars::IsAsciiNameChar(static_cast<char>(code)) ? NameStart::Bad : NameStart::Other;
}

void Scanner::NoteName(std::size_t at) {
    if (Classify(at) == NameStart::Bad) m_sites.push_back(at);
}

std::size_t Scanner::After(std::string_view close, std::size_t from) const {
    const std::size_t found = m_bytes.find(close, from);
    return found == std::string::npos ? m_bytes.size() : found + close.size();
}

std::size_t Scanner::CdataEnd(std::size_t from) const {
    if (m_utf8) return After("]]>", from);
    for (std::size_t at = from; at < m_bytes.size(); at += Length(at)) {
        if (m_bytes.compare(at, 3, "]]>") == 0) return at + 3;
    }
    return m_bytes.size();
}

std::size_t Scanner::SkipBlanks(std::size_t at) const {
    while (at < m_bytes.size() && chars::IsXmlSpace(m_bytes[at])) ++at;
    return at;
}

std::size_t Scanner::NameEnd(std::size_t at) const {
    while (at < m_bytes.size() && !chars::IsXmlSpace(m_bytes[at]) &&
           std::string_view("/>=\"'<").find(m_bytes[at]) == std::string_view::npos) {
        ++at;
    }
    return at;
}

// The start tag whose name is at at: its name and its attributes' names; returns the offset
// after it. Quoted values may hold '>'.
std::size_t Scanner::StartTag(std::size_t at) {
    NoteName(at);
    at = NameEnd(at);
    while (at < m_bytes.size()) {
        const std::size_t name = SkipBlanks(at);
        if (name == m_bytes.size() || m_bytes[name] == '>') return name + 1;
        if (m_bytes.compare(name, 2, "/>") == 0) return name + 2;
        if (name == at || m_bytes[name] == '<') return name;  // no markup that this reads
        NoteName(name);
        std::size_t value = SkipBlanks(NameEnd(name));
        if (value >= m_bytes.size() || m_bytes[value] != '=') return value;
        value = SkipBlanks(value + 1);
        const char quote = value < m_bytes.size() ? m_bytes[value] : '\0';
        if (quote != '"' && quote != '\'') return value;
        const std::size_t close = m_bytes.find(quote, value + 1);
        if (close == std::string::npos) return m_bytes.size();
        at = close + 1;
    }
    return at;
}

std::vector<std::size_t> Scanner::Run() {
    std::size_t at = m_utf8 && chars::StartsWithUtf8Bom(m_bytes) ? chars::kUtf8Bom.size() : 0;
    // The parser takes a NUL byte for the end of the text: nothing after it is read.
    const std::size_t end = m_bytes.find('\0', at);
    while ((at = m_bytes.find('<', at)) < end) {
        const std::string_view rest = std::string_view(m_bytes).substr(at, 9);
        if (rest.substr(0, 4) == "<!--") {
            at = After("-->", at + 4);
        } else if (rest == "<![CDATA[") {
            at = CdataEnd(at + 9);
        } else if (rest.substr(0, 2) == "<?") {
            at = After("?>", at + 2);
        } else if (rest.substr(0, 2) == "<!") {
            break;  // a document type declaration
        } else if (rest.substr(0, 2) == "</") {
            NoteName(at + 2);
            at = After(">", at + 2);
        } else {
            at = StartTag(at + 1);
        }
    }
    while (!m_sites.empty() && m_sites.back() >= end) m_sites.pop_back();
    return m_sites;
}

}  // namespace

std::vector<std::size_t> BadNameSites(const std::string& bytes, const std::string& encoding) {
    if (!encoding.empty() && encoding != "GB18030") return {};
    return Scanner(bytes, encoding.empty()).Run();
}

}  // namespace traverse
