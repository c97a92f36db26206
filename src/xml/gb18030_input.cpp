#include "xml/gb18030_input.h"

#include <cerrno>
#include <cstddef>

#include "platform/two_byte_table.h"

namespace traverse {
namespace {

IconvConverter& ThreadConverter() {
    thread_local IconvConverter converter("UTF-8", "GB18030");
    return converter;
}

TwoByteTable& Table() {
    static TwoByteTable table(ThreadConverter);
    return table;
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
    const unsigned char* from = in;
    const unsigned char* const inEnd = in + *inlen;
    unsigned char* to = out;
    unsigned char* const outEnd = out + *outlen;
    Table().Decode(from, inEnd, to, outEnd);
    int result = 0;
    if (from < inEnd) {
        result = Table().LeavesToIconv(from, inEnd)
                     ? RestThroughIconv(from, static_cast<std::size_t>(inEnd - from), to,
                                        static_cast<std::size_t>(outEnd - to))
                     : -1;
    }
    *inlen = static_cast<int>(from - in);
    *outlen = static_cast<int>(to - out);
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
