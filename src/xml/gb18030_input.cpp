#include "xml/gb18030_input.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/iconv_converter.h"

namespace traverse {
namespace {

constexpr unsigned kFirstLead = 0x81;
constexpr unsigned kLeads = 0xFE - kFirstLead + 1;
constexpr unsigned kFirstTrail = 0x40;
constexpr unsigned kTrails = 0xFE - kFirstTrail + 1;
// What a two-byte sequence decodes to: not asked yet, or left to iconv (no single character).
constexpr std::uint32_t kUnknown = 0;
constexpr std::uint32_t kToIconv = 1;

// Filled as characters are met, from iconv itself: a file uses a few hundred of them. An entry is
// the character's UTF-8 bytes, first in the low byte, and their count in the high one.
std::array<std::atomic<std::uint32_t>, kLeads * kTrails> g_twoByte{};

IconvConverter& ThreadConverter() {
    thread_local IconvConverter converter("UTF-8", "GB18030");
    return converter;
}

// The entry for the two bytes lead trail as iconv decodes them alone, or kToIconv.
std::uint32_t AskIconv(unsigned char lead, unsigned char trail) {
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    const char* in = bytes;
    std::size_t inLeft = 2;
    unsigned char utf8[8];
    char* out = reinterpret_cast<char*>(utf8);
    std::size_t outLeft = sizeof utf8;
    if (!ThreadConverter().Step(&in, &inLeft, &out, &outLeft) || inLeft != 0) return kToIconv;
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

std::uint32_t TwoByte(unsigned char lead, unsigned char trail) {
    if (lead < kFirstLead || lead > 0xFE || trail < kFirstTrail || trail > 0xFE || trail == 0x7F) {
        return kToIconv;
    }
    const std::size_t index = (lead - kFirstLead) * kTrails + trail - kFirstTrail;
    std::atomic<std::uint32_t>& entry = g_twoByte[index];
    std::uint32_t code = entry.load(std::memory_order_relaxed);
    if (code == kUnknown) {
        code = AskIconv(lead, trail);
        entry.store(code, std::memory_order_relaxed);
    }
    return code;
}

// How many of the first most bytes at text are ASCII, eight at a time while they can be.
std::size_t AsciiRun(const unsigned char* text, std::ptrdiff_t most) {
    std::size_t run = 0;
    const auto limit = static_cast<std::size_t>(most);
    for (std::uint64_t word = 0; run + 8 <= limit; run += 8) {
        std::memcpy(&word, text + run, 8);
        if ((word & 0x8080808080808080u) != 0) break;
    }
    while (run < limit && text[run] < 0x80) ++run;
    return run;
}

// The rest of a buffer through iconv, with the results libxml2's own iconv handler gives: 0,
// -2 at a sequence that does not convert, -1 when out is full, -3 when in ends inside one.
int RestThroughIconv(const unsigned char*& in, std::size_t inLeft, unsigned char*& out,
                     std::size_t outLeft) {
    const char* from = reinterpret_cast<const char*>(in);
    char* to = reinterpret_cast<char*>(out);
    const bool whole = ThreadConverter().Step(&from, &inLeft, &to, &outLeft);
    const int error = errno;
    in = reinterpret_cast<const unsigned char*>(from);
    out = reinterpret_cast<unsigned char*>(to);
    if (whole && inLeft == 0) return 0;
    return error == EILSEQ ? -2 : error == E2BIG ? -1 : -3;
}

// xmlCharEncodingInputFunc: converts as much of in as fits into out; *inlen and *outlen become
// the bytes read and written.
int DecodeGb18030(unsigned char* out, int* outlen, const unsigned char* in, int* inlen) {
    if (out == nullptr || outlen == nullptr || in == nullptr || inlen == nullptr) {
        if (outlen != nullptr) *outlen = 0;
        return -1;
    }
    const unsigned char* const inStart = in;
    const unsigned char* const inEnd = in + *inlen;
    unsigned char* const outStart = out;
    unsigned char* const outEnd = out + *outlen;
    int result = 0;
    while (in < inEnd) {
        if (*in < 0x80) {
            const std::size_t copied = AsciiRun(in, std::min(inEnd - in, outEnd - out));
            if (copied == 0) {
                result = -1;
                break;
            }
            std::memcpy(out, in, copied);
            in += copied;
            out += copied;
            continue;
        }
        const std::uint32_t code = in + 1 < inEnd ? TwoByte(in[0], in[1]) : kToIconv;
        if (code == kToIconv) {
            result = RestThroughIconv(in, static_cast<std::size_t>(inEnd - in), out,
                                      static_cast<std::size_t>(outEnd - out));
            break;
        }
        const std::size_t length = code >> 24;
        if (static_cast<std::size_t>(outEnd - out) < length) {
            result = -1;
            break;
        }
        for (std::size_t i = 0; i < length; ++i) {
            out[i] = static_cast<unsigned char>(code >> (8 * i));
        }
        out += length;
        in += 2;
    }
    *inlen = static_cast<int>(in - inStart);
    *outlen = static_cast<int>(out - outStart);
    return result;
}

}  // namespace

xmlCharEncodingHandlerPtr Gb18030InputHandler() {
    static char name[] = "GB18030";
    static xmlCharEncodingHandler handler = [] {
        xmlCharEncodingHandler made{};
        made.name = name;
        made.input = DecodeGb18030;
        return made;
    }();
    return &handler;
}

}  // namespace traverse
