#include "platform/two_byte_table.h"

#include "platform/filled_entry.h"

#include <cstddef>
#include <cstring>

namespace traverse {
namespace {

constexpr std::uint32_t kToIconv = 1;

// The word as read from memory on a little-endian machine: its first byte the lowest.
template <class Word>
Word LittleEndian(Word word) {
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    if constexpr (sizeof(Word) == 8) {
        return __builtin_bswap64(word);
    } else {
        return __builtin_bswap32(word);
    }
#else
    return word;
#endif
}

}  // namespace

std::uint32_t TwoByteTable::AskIconv(unsigned char lead, unsigned char trail) {
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    const char* in = bytes;
    std::size_t inLeft = 2;
    unsigned char utf8[8];
    char* out = reinterpret_cast<char*>(utf8);
    std::size_t outLeft = sizeof utf8;
    if (!Converter().Step(&in, &inLeft, &out, &outLeft) || inLeft != 0) return kToIconv;
    const std::size_t length = sizeof utf8 - outLeft;
    // One character of two or three bytes: its first byte says so.
    const bool one = (length == 2 && (utf8[0] & 0xE0) == 0xC0) ||
                     (length == 3 && (utf8[0] & 0xF0) == 0xE0);
    if (!one) return kToIconv;
    std::uint32_t entry = static_cast<std::uint32_t>(length) << 24;
    for (std::size_t i = 0; i < length; ++i) {
        entry |= static_cast<std::uint32_t>(utf8[i]) << (8 * i);
    }
    return entry;
}

std::uint32_t TwoByteTable::Entry(unsigned char lead, unsigned char trail) {
    if (lead < kFirstLead || lead > 0xFE || trail < kFirstTrail || trail > 0xFE || trail == 0x7F) {
        return kToIconv;
    }
    const std::size_t index = (lead - kFirstLead) * kTrails + trail - kFirstTrail;
    return FilledEntry(m_entries[index], [&] { return AskIconv(lead, trail); });
}

void TwoByteTable::Decode(const unsigned char*& in, const unsigned char* inEnd,
                          unsigned char*& out, unsigned char* outEnd) {
    // Kept in locals: the caller's pointers could alias the bytes written, and be reloaded after
    // every store.
    const unsigned char* from = in;
    unsigned char* to = out;
    while (from < inEnd) {
        if (*from < 0x80) {
            // Record files change between ASCII and two-byte names every few bytes: eight bytes
            // are copied at once and the output advanced by the ASCII ones among them (what
            // lies beyond is overwritten next).
            if (inEnd - from >= 8 && outEnd - to >= 8) {
                std::uint64_t word = 0;
                std::memcpy(&word, from, 8);
                std::memcpy(to, &word, 8);
                const std::uint64_t high = LittleEndian(word) & 0x8080808080808080u;
                const int ascii = high == 0 ? 8 : __builtin_ctzll(high) / 8;
                from += ascii;
                to += ascii;
                continue;
            }
            if (to == outEnd) break;
            *to++ = *from++;
            continue;
        }
        const std::uint32_t code = from + 1 < inEnd ? Entry(from[0], from[1]) : kToIconv;
        const std::size_t length = code >> 24;
        const std::size_t room = static_cast<std::size_t>(outEnd - to);
        if (code == kToIconv || room < length) break;
        if (room >= 4) {
            // The entry's four bytes at once; the fourth, its count, is overwritten next.
            const std::uint32_t bytes = LittleEndian(code);
            std::memcpy(to, &bytes, 4);
        } else {
            for (std::size_t i = 0; i < length; ++i) {
                to[i] = static_cast<unsigned char>(code >> (8 * i));
            }
        }
        to += length;
        from += 2;
    }
    in = from;
    out = to;
}

bool TwoByteTable::LeavesToIconv(const unsigned char* in, const unsigned char* inEnd) {
    return in < inEnd && *in >= 0x80 && (in + 1 == inEnd || Entry(in[0], in[1]) == kToIconv);
}

}  // namespace traverse
