// Decoding of GBK and GB18030 to UTF-8 at the speed of a table lookup: ASCII runs copied, each
// two-byte character taken from a table that iconv fills the first time the character is met;
// anything else (four-byte characters, bytes that start none, a character cut short) is left to
// iconv. Stopping only between characters, the two together give iconv's very bytes.
#ifndef TRAVERSE_PLATFORM_TWO_BYTE_TABLE_H
#define TRAVERSE_PLATFORM_TWO_BYTE_TABLE_H

#include <array>
#include <atomic>
#include <cstdint>

#include "platform/iconv_converter.h"

namespace traverse {

class TwoByteTable {
public:
    // converter: the calling thread's converter from the code page to UTF-8.
    explicit TwoByteTable(IconvConverter& (*converter)()) : m_converter(converter) {}
    TwoByteTable(const TwoByteTable&) = delete;
    TwoByteTable& operator=(const TwoByteTable&) = delete;

    // Decodes from in into out, advancing both, until in ends, out has no room for the next
    // character, or the next is one for iconv. Safe on several threads at once.
    void Decode(const unsigned char*& in, const unsigned char* inEnd, unsigned char*& out,
                unsigned char* outEnd);
    // Whether Decode stopped before a character for iconv rather than for room.
    bool LeavesToIconv(const unsigned char* in, const unsigned char* inEnd);
    IconvConverter& Converter() const { return m_converter(); }

private:
    static constexpr unsigned kFirstLead = 0x81;
    static constexpr unsigned kFirstTrail = 0x40;
    static constexpr unsigned kTrails = 0xFE - kFirstTrail + 1;
    static constexpr unsigned kEntries = (0xFE - kFirstLead + 1) * kTrails;

    std::uint32_t Entry(unsigned char lead, unsigned char trail);
    std::uint32_t AskIconv(unsigned char lead, unsigned char trail);

    IconvConverter& (*m_converter)();
    // A character's UTF-8 bytes, first in the low byte, and their count in the high one; 0 while
    // not asked, 1 for a pair that is no character of its own.
    std::array<std::atomic<std::uint32_t>, kEntries> m_entries{};
};

}  // namespace traverse

#endif
