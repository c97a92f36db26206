// Encoding of UTF-8 to GBK at the speed of a table lookup: ASCII copied, each other character of
// the Basic Multilingual Plane taken from a table that iconv fills the first time the character is
// met. GBK keeps no state between characters, so the pieces are iconv's own bytes for the whole;
// a text with anything else (a character beyond the plane or outside GBK, bytes that are no UTF-8)
// is left whole to iconv.
#ifndef TRAVERSE_PLATFORM_GBK_ENCODE_TABLE_H
#define TRAVERSE_PLATFORM_GBK_ENCODE_TABLE_H

#include <array>
#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/iconv_converter.h"

namespace traverse {

class GbkEncodeTable {
public:
    // converter: the calling thread's converter from UTF-8 to GBK.
    explicit GbkEncodeTable(IconvConverter& (*converter)()) : m_converter(converter) {}
    GbkEncodeTable(const GbkEncodeTable&) = delete;
    GbkEncodeTable& operator=(const GbkEncodeTable&) = delete;

    // Appends the GBK form of utf8 to out. False when some character is left to iconv; out then
    // holds what came before it. Safe on several threads at once.
    bool Encode(std::string_view utf8, std::string& out);

private:
    // The GBK bytes of code point, first in the low byte, their count in the high one; 0 while
    // not asked, 1 for a character iconv does not turn into one or two bytes.
    std::uint32_t Entry(std::uint32_t codePoint, const char* utf8, std::size_t length);
    std::uint32_t AskIconv(const char* utf8, std::size_t length);

    IconvConverter& (*m_converter)();
    std::array<std::atomic<std::uint32_t>, 0x10000> m_entries{};
};

}  // namespace traverse

#endif
