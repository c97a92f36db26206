#include "platform/gbk_encode_table.h"

#include "platform/characters.h"
#include "platform/filled_entry.h"

namespace traverse {
namespace {

constexpr std::uint32_t kToIconv = 1;

// Whether c is a character of the plane in its shortest form and no surrogate: one whose code
// point names its bytes, as the table's index needs.
bool IsPlaneCharacter(const chars::Utf8Char& c) {
    return (c.length == 2 && c.code >= 0x80) ||
           (c.length == 3 && c.code >= 0x800 && (c.code < 0xD800 || c.code > 0xDFFF));
}

}  // namespace

std::uint32_t GbkEncodeTable::AskIconv(const char* utf8, std::size_t length) {
    const char* in = utf8;
    std::size_t inLeft = length;
    unsigned char gbk[4];
    char* out = reinterpret_cast<char*>(gbk);
    std::size_t outLeft = sizeof gbk;
    if (!m_converter().Step(&in, &inLeft, &out, &outLeft) || inLeft != 0) return kToIconv;
    const std::size_t written = sizeof gbk - outLeft;
    if (written == 0 || written > 2) return kToIconv;
    std::uint32_t entry = static_cast<std::uint32_t>(written) << 24;
    for (std::size_t i = 0; i < written; ++i) {
        entry |= static_cast<std::uint32_t>(gbk[i]) << (8 * i);
    }
    return entry;
}

std::uint32_t GbkEncodeTable::Entry(std::uint32_t codePoint, const char* utf8, std::size_t length) {
    return FilledEntry(m_entries[codePoint], [&] { return AskIconv(utf8, length); });
}

bool GbkEncodeTable::Encode(std::string_view utf8, std::string& out) {
    for (std::size_t at = 0; at < utf8.size();) {
        if (static_cast<unsigned char>(utf8[at]) < 0x80) {
            out += utf8[at++];
            continue;
        }
        const chars::Utf8Char c = chars::DecodeUtf8(utf8, at);
        if (!IsPlaneCharacter(c)) return false;
        const std::uint32_t code = Entry(c.code, utf8.data() + at, c.length);
        if (code == kToIconv) return false;
        for (std::size_t i = 0; i < (code >> 24); ++i) out += static_cast<char>(code >> (8 * i));
        at += c.length;
    }
    return true;
}

}  // namespace traverse
