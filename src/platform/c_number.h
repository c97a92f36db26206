// Numbers in and out by the C library's rules in the "C" locale, whatever locale the host set:
// a comma-decimal locale must not change a byte of a report or a file.
#ifndef TRAVERSE_PLATFORM_C_NUMBER_H
#define TRAVERSE_PLATFORM_C_NUMBER_H

#include <string>
#include <type_traits>

namespace traverse {

namespace detail {
void AppendVarargs(std::string& out, const char* format, ...);
inline const char* FormatString(const char* format) { return format; }
inline const char* FormatString(const std::string& format) { return format.c_str(); }

// What C varargs pass intact: numbers and C strings. A std::string would compile and print garbage.
template <typename T>
constexpr bool kIsFormatArgument = std::is_arithmetic_v<T> || std::is_same_v<T, const char*> ||
                                   std::is_same_v<T, char*>;
}  // namespace detail

// printf-style formatting in the "C" locale, appended to out; %s arguments are copied byte for
// byte. format is a C string or a std::string such as a GBK("...") literal; every argument is a
// number or a C string (anything else does not compile).
template <typename Format, typename... Args>
void AppendText(std::string& out, const Format& format, Args... args) {
    static_assert((detail::kIsFormatArgument<Args> && ...),
                  "FormatText takes numbers and C strings: pass text.c_str()");
    detail::AppendVarargs(out, detail::FormatString(format), args...);
}

// AppendText into a string of its own.
template <typename Format, typename... Args>
std::string FormatText(const Format& format, Args... args) {
    std::string text;
    AppendText(text, format, args...);
    return text;
}

// atof: leading white space skipped, then the longest prefix of the form [sign] digits [. digits]
// [e [sign] digits] (at least one digit before the exponent) is converted; 0.0 when there is none.
// No hexadecimal, "inf" or "nan" forms. Out-of-range values give +-HUGE_VAL or 0 as strtod does.
double AToF(const std::string& text);

}  // namespace traverse

#endif
