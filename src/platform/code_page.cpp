#include "traverse/code_page.h"

#include "platform/characters.h"
#include "platform/gbk_encode_table.h"
#include "platform/iconv_converter.h"
#include "platform/two_byte_table.h"
#include "traverse/exceptions.h"

namespace traverse {
namespace {

constexpr char kReplacementCharacter[] = "\xEF\xBF\xBD";

// One conversion descriptor per direction and thread, opened at first use: opening one is far
// dearer than a conversion.
IconvConverter& GbkToUtf8Converter() {
    thread_local IconvConverter converter("UTF-8", "GBK");
    return converter;
}

IconvConverter& Utf8ToGbkConverter() {
    thread_local IconvConverter converter("GBK", "UTF-8");
    return converter;
}

TwoByteTable& GbkTable() {
    static TwoByteTable table(GbkToUtf8Converter);
    return table;
}

GbkEncodeTable& GbkEncoding() {
    static GbkEncodeTable table(Utf8ToGbkConverter);
    return table;
}

}  // namespace

// Reports run to megabytes: the table takes what it can, iconv the rest from the first character
// the table leaves to it.
std::string GbkToUtf8(const std::string& gbk) {
    if (chars::IsAscii(gbk)) return gbk;
    std::string out(gbk.size() / 2 * 3 + 4, '\0');  // three bytes at most for two, one for one
    const auto* in = reinterpret_cast<const unsigned char*>(gbk.data());
    const unsigned char* const inEnd = in + gbk.size();
    auto* const start = reinterpret_cast<unsigned char*>(&out[0]);
    unsigned char* to = start;
    GbkTable().Decode(in, inEnd, to, start + out.size());
    out.resize(static_cast<std::size_t>(to - start));
    if (in == inEnd) return out;
    std::string rest;
    const std::string_view left(reinterpret_cast<const char*>(in),
                                static_cast<std::size_t>(inEnd - in));
    GbkToUtf8Converter().Convert(left, rest, [](std::string_view input, std::size_t at, bool,
                                                std::string& output) {
        output += kReplacementCharacter;
        return chars::GbkLength(input, at);
    });
    return out + rest;
}

// Names are converted one by one, tens of thousands of them: a table serves the characters
// of the plane, iconv a text with any other.
std::string Utf8ToGbk(const std::string& utf8) {
    if (chars::IsAscii(utf8)) return utf8;
    std::string out;
    out.reserve(utf8.size());
    if (GbkEncoding().Encode(utf8, out)) return out;
    const bool converted = Utf8ToGbkConverter().Convert(
        utf8, out,
        [](std::string_view, std::size_t, bool, std::string&) { return std::size_t{0}; });
    if (!converted) throw _com_error(E_NO_UNICODE_TRANSLATION);
    return out;
}

std::string Utf8ToGbkLossy(const std::string& utf8) {
    if (chars::IsAscii(utf8)) return utf8;
    std::string out;
    Utf8ToGbkConverter().Convert(utf8, out, [](std::string_view input, std::size_t at, bool,
                                               std::string& output) {
        output += '?';
        return chars::DecodeUtf8(input, at).length;
    });
    return out;
}

}  // namespace traverse
