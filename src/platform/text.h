// One text of a catalogue in both languages; it yields the current language's text where a C
// string goes, so callers name the identifier and never the language.
#ifndef TRAVERSE_PLATFORM_TEXT_H
#define TRAVERSE_PLATFORM_TEXT_H

#include <stdexcept>
#include <string>
#include <string_view>

#include "traverse/language.h"

namespace traverse {

namespace text_detail {

// Index just past the printf conversion that starts at format[at] == '%'.
constexpr int ConversionEnd(const char* format, int at) {
    int end = at + 1;
    while (format[end] != '\0') {
        const char c = format[end++];
        if ((c >= 'a' && c <= 'z' && c != 'h' && c != 'l' && c != 'j' && c != 'z' && c != 't' &&
             c != 'q') ||
            (c >= 'A' && c <= 'Z' && c != 'L'))
            return end;
    }
    return end;
}

// Index of the next conversion that takes an argument ("%%" takes none), or of the end.
constexpr int NextConversion(const char* format, int at) {
    while (format[at] != '\0') {
        if (format[at] != '%') {
            ++at;
        } else if (format[at + 1] == '%') {
            at += 2;
        } else {
            return at;
        }
    }
    return at;
}

// Whether the conversions from format[at] and other[otherAt] on are the same, in the same order.
constexpr bool SameConversionsFrom(const char* format, int at, const char* other, int otherAt) {
    at = NextConversion(format, at);
    otherAt = NextConversion(other, otherAt);
    if (format[at] == '\0' || other[otherAt] == '\0') return format[at] == other[otherAt];
    const int end = ConversionEnd(format, at);
    const int otherEnd = ConversionEnd(other, otherAt);
    if (end - at != otherEnd - otherAt) return false;
    for (int i = 0; i < end - at; ++i)
        if (format[at + i] != other[otherAt + i]) return false;
    return SameConversionsFrom(format, end, other, otherEnd);
}

}  // namespace text_detail

// Whether two printf formats take the same arguments: the same conversions in the same order.
constexpr bool SamePrintfConversions(const char* format, const char* other) {
    return text_detail::SameConversionsFrom(format, 0, other, 0);
}

// A catalogue entry, UTF-8 in both languages. Declared constexpr, two languages whose printf
// conversions differ do not compile.
struct Text {
    const char* chinese;
    const char* english;

    constexpr Text(const char* zh, const char* en) : chinese(zh), english(en) {
        if (!SamePrintfConversions(zh, en))
            throw std::logic_error("the two languages of a text take different printf arguments");
    }

    const char* Get() const { return CurrentLanguage() == Language::kEnglish ? english : chinese; }
    operator const char*() const { return Get(); }
    operator std::string_view() const { return Get(); }
    operator std::string() const { return Get(); }
};

// The catalogues' own name for it, unhidden where the page's function Text() is declared too.
namespace text {
using Text = struct ::traverse::Text;
}

// Joined to strings as a C string would be.
inline std::string& operator+=(std::string& left, const text::Text& right) {
    return left += right.Get();
}
inline std::string operator+(std::string left, const text::Text& right) {
    return left += right.Get();
}
inline std::string operator+(const text::Text& left, const std::string& right) {
    return left.Get() + right;
}

}  // namespace traverse

#endif
