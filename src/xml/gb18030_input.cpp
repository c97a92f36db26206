#include "xml/gb18030_input.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>

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

// Filled as characters are met, from iconv itself: a file uses a few hundred of them.
std::array<std::atomic<std::uint32_t>, kLeads * kTrails> g_twoByte{};

IconvConverter& ThreadConverter() {
    thread_local IconvConverter converter("UTF-8", "GB18030");
    return converter;
}

std::size_t Utf8Length(std::uint32_t code) { return code < 0x800 ? 2 : code < 0x10000 ? 3 : 4; }

// The code point iconv gives for the two bytes lead trail alone, or kToIconv.
std::uint32_t AskIconv(unsigned char lead, unsigned char trail) {
    const char bytes[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    const char* in = bytes;
    std::size_t inLeft = 2;
    unsigned char utf8[8];
    char* out = reinterpret_cast<char*>(utf8);
    std::size_t outLeft = sizeof utf8;
    if (!ThreadConverter().Step(&in, &inLeft, &out, &outLeft) || inLeft != 0) return kToIconv;
    const std::size_t length = sizeof utf8 - outLeft;
    if (length < 2 || length > 4) return kToIconv;
    std::uint32_t code = utf8[0] & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (utf8[i] & 0x3F);
    return Utf8Length(code) == length ? code : kToIconv;
}

std::uint32_t TwoByte(unsigned char lead, unsigned char trail) {
    if (lead < kFirstLead || lead > 0xFE || trail < kFirstTrail || trail > 0xFE || trail == 0x7F) {
        return kToIconv;
    }
    std::atomic<std::uint32_t>& entry = g_twoByte[(lead - kFirstLead) * kTrails + trail - kFirstTrail];
    std::uint32_t code = entry.load(std::memory_order_relaxed);
    if (code == kUnknown) {
        code = AskIconv(lead, trail);
        entry.store(code, std::memory_order_relaxed);
    }
    return code;
}

void PutUtf8(std::uint32_t code, std::size_t length, unsigned char* out) {
    static const unsigned char kLeadBits[] = {0, 0, 0xC0, 0xE0, 0xF0};
    for (std::size_t i = length - 1; i > 0; --i, code >>= 6) out[i] = 0x80 | (code & 0x3F);
    out[0] = kLeadBits[length] | code;
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
            if (out == outEnd) {
                result = -1;
                break;
            }
            *out++ = *in++;
            continue;
        }
        const std::uint32_t code = in + 1 < inEnd ? TwoByte(in[0], in[1]) : kToIconv;
        if (code == kToIconv) {
            result = RestThroughIconv(in, static_cast<std::size_t>(inEnd - in), out,
                                      static_cast<std::size_t>(outEnd - out));
            break;
        }
        const std::size_t length = Utf8Length(code);
        if (static_cast<std::size_t>(outEnd - out) < length) {
            result = -1;
            break;
        }
        PutUtf8(code, length, out);
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
