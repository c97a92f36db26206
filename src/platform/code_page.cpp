#include "traverse/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

#include "traverse/exceptions.h"

namespace traverse {
namespace {

// One conversion descriptor per direction and thread, opened at first use: opening one is far
// dearer than a conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {}
    ~Converter() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts input; on a sequence that does not convert, appends replacement and skips
    // skipBytes(...) input bytes if a replacement is given, else returns false.
    template <typename SkipFn>
    bool Convert(const std::string& input, std::string& output, const char* replacement,
                 SkipFn skipBytes) {
        output.clear();
        if (m_cd == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
        output.resize(input.size() * 2 + 4);
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        size_t used = 0;
        while (inLeft > 0) {
            char* out = &output[used];
            size_t outLeft = output.size() - used;
            size_t rc = iconv(m_cd, &in, &inLeft, &out, &outLeft);
            used = output.size() - outLeft;
            if (rc != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                output.resize(output.size() * 2);
            } else {
                if (replacement == nullptr) return false;
                const size_t skip = skipBytes(reinterpret_cast<const unsigned char*>(in), inLeft);
                in += skip;
                inLeft -= skip;
                output.resize(used);
                output += replacement;
                used = output.size();
                output.resize(used + inLeft * 2 + 4);
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
            }
        }
        output.resize(used);
        return true;
    }

private:
    iconv_t m_cd;
};

bool IsAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80) return false;
    }
    return true;
}

// Length of the UTF-8 sequence starting at p, 1 for a byte that starts none.
size_t Utf8SequenceLength(const unsigned char* p, size_t left) {
    size_t n = 1;
    if (p[0] >= 0xF0 && p[0] < 0xF8) n = 4;
    else if (p[0] >= 0xE0) n = 3;
    else if (p[0] >= 0xC0) n = 2;
    if (n > left) return 1;
    for (size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 1;
    }
    return n;
}

// A GBK lead byte with a valid trail takes two bytes; anything else one.
size_t GbkSequenceLength(const unsigned char* p, size_t left) {
    if (p[0] >= 0x81 && p[0] <= 0xFE && left >= 2 && p[1] >= 0x40 && p[1] != 0x7F && p[1] != 0xFF) {
        return 2;
    }
    return 1;
}

}  // namespace

std::string GbkToUtf8(const std::string& gbk) {
    if (IsAscii(gbk)) return gbk;
    thread_local Converter converter("UTF-8", "GBK");
    std::string out;
    converter.Convert(gbk, out, "\xEF\xBF\xBD", GbkSequenceLength);
    return out;
}

std::string Utf8ToGbk(const std::string& utf8) {
    if (IsAscii(utf8)) return utf8;
    thread_local Converter converter("GBK", "UTF-8");
    std::string out;
    if (!converter.Convert(utf8, out, nullptr, Utf8SequenceLength)) {
        throw _com_error(E_NO_UNICODE_TRANSLATION);
    }
    return out;
}

std::string Utf8ToGbkLossy(const std::string& utf8) {
    if (IsAscii(utf8)) return utf8;
    thread_local Converter converter("GBK", "UTF-8");
    std::string out;
    converter.Convert(utf8, out, "?", Utf8SequenceLength);
    return out;
}

}  // namespace traverse
