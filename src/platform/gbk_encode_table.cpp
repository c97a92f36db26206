#include "platform/gbk_encode_table.h"

namespace traverse {
namespace {

constexpr std::uint32_t kUnknown = 0;
constexpr std::uint32_t kToIconv = 1;

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The code point of the two- or three-byte sequence at text (in shortest form, no surrogate) and
// its length; length 0 for anything else.
std::uint32_t DecodeBmp(const unsigned char* text, std::size_t left, std::size_t& length) {
    length = 0;
    const unsigned char lead = text[0];
    if (lead >= 0xC2 && lead <= 0xDF && left >= 2 && IsContinuation(text[1])) {
        length = 2;
        return (lead & 0x1Fu) << 6 | (text[1] & 0x3Fu);
    }
    if (lead < 0xE0 || lead > 0xEF || left < 3 || !IsContinuation(text[1]) ||
        !IsContinuation(text[2])) {
        return 0;
    }
    const std::uint32_t code = (lead & 0x0Fu) << 12 | (text[1] & 0x3Fu) << 6 | (text[2] & 0x3Fu);
    if (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    length = 3;
    return code;
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
    for (std::size_t i = 0; i < written; ++i) entry |= static_cast<std::uint32_t>(gbk[i]) << (8 * i);
    return entry;
}

std::uint32_t GbkEncodeTable::Entry(std::uint32_t codePoint, const char* utf8, std::size_t length) {
    std::atomic<std::uint32_t>& entry = m_entries[codePoint];
    std::uint32_t code = entry.load(std::memory_order_relaxed);
    if (code == kUnknown) {
        code = AskIconv(utf8, length);
        entry.store(code, std::memory_order_relaxed);
    }
    return code;
}

bool GbkEncodeTable::Encode(std::string_view utf8, std::string& out) {
    const auto* text = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    for (std::size_t at = 0; at < size;) {
        if (text[at] < 0x80) {
            out += static_cast<char>(text[at++]);
            continue;
        }
        std::size_t length = 0;
        const std::uint32_t codePoint = DecodeBmp(text + at, size - at, length);
        if (length == 0) return false;
        const std::uint32_t code = Entry(codePoint, utf8.data() + at, length);
        if (code == kToIconv) return false;
        for (std::size_t i = 0; i < (code >> 24); ++i) out += static_cast<char>(code >> (8 * i));
        at += length;
    }
    return true;
}

}  // namespace traverse
