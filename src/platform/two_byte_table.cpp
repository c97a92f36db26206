#include "platform/two_byte_table.h"

#include <cstddef>
#include <cstring>

namespace traverse {
namespace {

constexpr std::uint32_t kUnknown = 0;
constexpr std::uint32_t kToIconv = 1;

// The word as read from memory on a little-endian machine: its first byte the lowest.
std::uint64_t LittleEndian(std::uint64_t word) {
#if __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return __builtin_bswap64(word);
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
    std::atomic<std::uint32_t>& entry = m_entries[index];
    std::uint32_t code = entry.load(std::memory_order_relaxed);
    if (code == kUnknown) {
        code = AskIconv(lead, trail);
        entry.store(code, std::memory_order_relaxed);
    }
    return code;
}

void TwoByteTable::Decode(const unsigned char*& in, const unsigned char* inEnd,
                          unsigned char*& out, unsigned char* outEnd) {
    while (in < inEnd) {
        if (*in < 0x80) {
            // Record files change between ASCII and two-byte names every few bytes: eight bytes
            // are copied at once and the output advanced by the ASCII ones among them (what
            // lies beyond is overwritten next).
            if (inEnd - in >= 8 && outEnd - out >= 8) {
                std::uint64_t word = 0;
                std::memcpy(&word, in, 8);
                std::memcpy(out, &word, 8);
                const std::uint64_t high = LittleEndian(word) & 0x8080808080808080u;
                const int ascii = high == 0 ? 8 : __builtin_ctzll(high) / 8;
                in += ascii;
                out += ascii;
                continue;
            }
            if (out == outEnd) return;
            *out++ = *in++;
            continue;
        }
        const std::uint32_t code = in + 1 < inEnd ? Entry(in[0], in[1]) : kToIconv;
        const std::size_t length = code >> 24;
        if (code == kToIconv || static_cast<std::size_t>(outEnd - out) < length) return;
        for (std::size_t i = 0; i < length; ++i) {
            out[i] = static_cast<unsigned char>(code >> (8 * i));
        }
        out += length;
        in += 2;
    }
}

bool TwoByteTable::LeavesToIconv(const unsigned char* in, const unsigned char* inEnd) {
    return in < inEnd && *in >= 0x80 && (in + 1 == inEnd || Entry(in[0], in[1]) == kToIconv);
}

}  // namespace traverse
