#include "platform/iconv_converter.h"

#include <algorithm>
#include <cerrno>

namespace traverse {

IconvConverter::IconvConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}

IconvConverter::~IconvConverter() {
    if (IsOpen()) iconv_close(m_cd);
}

bool IconvConverter::Convert(std::string_view input, std::string& output,
                             const OnInvalid& onInvalid) {
    output.clear();
    if (!IsOpen()) return false;
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    output.resize(input.size() * 2 + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t used = 0;
    while (inLeft > 0) {
        char* out = &output[used];
        std::size_t outLeft = output.size() - used;
        const std::size_t rc = iconv(m_cd, &in, &inLeft, &out, &outLeft);
        used = output.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        const bool truncated = errno == EINVAL;
        output.resize(used);
        const std::size_t at = input.size() - inLeft;
        const std::size_t skip = std::min(onInvalid(input, at, truncated, output), inLeft);
        if (skip == 0) return false;
        in += skip;
        inLeft -= skip;
        used = output.size();
        output.resize(used + inLeft * 2 + 16);
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    }
    output.resize(used);
    return true;
}

bool IconvConverter::Step(const char** in, std::size_t* inLeft, char** out, std::size_t* outLeft) {
    if (!IsOpen()) {
        errno = EINVAL;
        return false;
    }
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    char* from = const_cast<char*>(*in);
    const std::size_t rc = iconv(m_cd, &from, inLeft, out, outLeft);
    *in = from;
    return rc != static_cast<std::size_t>(-1);
}

std::size_t IconvConverter::CharacterLength(std::string_view text, std::size_t pos) {
    if (!IsOpen()) return 1;
    const std::size_t left = text.size() - pos;
    for (std::size_t n = 1; n <= 4 && n <= left; ++n) {
        char* in = const_cast<char*>(text.data() + pos);
        std::size_t inLeft = n;
        char out[16];
        char* outPtr = out;
        std::size_t outLeft = sizeof out;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(m_cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) return n;
        if (errno != EINVAL) break;
    }
    return 1;
}

}  // namespace traverse
