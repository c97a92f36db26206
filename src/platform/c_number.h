// Numbers in and out by the C library's rules in the "C" locale, whatever locale the host set:
// a comma-decimal locale must not change a byte of a report or a file.
#ifndef TRAVERSE_PLATFORM_C_NUMBER_H
#define TRAVERSE_PLATFORM_C_NUMBER_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/text.h"

namespace traverse {

// printf("%.*f", decimals, value) in the "C" locale, appended to out: the exact binary value
// rounded to decimals places, half to even only on an exact tie; "-" for every value with its sign
// bit set (-0.0, -0.01 as "-0.0"); "inf", "nan" and their negatives as the C library writes them.
void AppendFixed(std::string& out, double value, int decimals);

// printf("%lld", value) and printf("%llu", value), appended to out.
void AppendInteger(std::string& out, long long value);
void AppendUnsigned(std::string& out, unsigned long long value);

// The same numbers written backwards into a buffer, ending just before end, which has at least
// kNumberTextSize bytes before it: where they start. FixedBackwards gives nullptr for what printf
// writes itself (inf, nan, huge values, more than 15 decimals).
constexpr std::size_t kNumberTextSize = 48;
char* FixedBackwards(char* end, double value, int decimals);
char* IntegerBackwards(char* end, long long value);
char* UnsignedBackwards(char* end, unsigned long long value);

namespace detail {
void AppendVarargs(std::string& out, const char* format, ...);
inline const char* FormatString(const char* format) { return format; }
inline const char* FormatString(const std::string& format) { return format.c_str(); }
inline const char* FormatString(const text::Text& format) { return format.Get(); }

// What C varargs pass intact: numbers and C strings. A std::string would compile and print garbage.
template <typename T>
constexpr bool kIsFormatArgument = std::is_arithmetic_v<T> || std::is_same_v<T, const char*> ||
                                   std::is_same_v<T, char*>;

// One argument as the C argument list carries it, after the default promotions.
struct FormatArgument {
    enum class Kind { None, Integer, Real, Text };
    Kind kind = Kind::None;  // None also for a long double, which no fast conversion reads
    std::size_t size = 0;    // an integer's bytes after promotion: 4 or 8
    std::uint64_t bits = 0;  // an integer's two's complement bits
    double real = 0.0;
    const char* text = nullptr;
};

template <typename T>
FormatArgument MakeFormatArgument(T value) {
    FormatArgument argument;
    if constexpr (std::is_floating_point_v<T> && !std::is_same_v<T, long double>) {
        argument.kind = FormatArgument::Kind::Real;
        argument.real = value;
    } else if constexpr (std::is_integral_v<T>) {
        using Promoted = decltype(+value);
        argument.kind = FormatArgument::Kind::Integer;
        argument.size = sizeof(Promoted);
        argument.bits = static_cast<std::make_unsigned_t<Promoted>>(value);
    } else if constexpr (std::is_pointer_v<T>) {
        argument.kind = FormatArgument::Kind::Text;
        argument.text = value;
    }
    return argument;
}

// format with the arguments when it holds only conversions written here without the C library
// (%s, %d, %i, %u, %f with the flags - and +, a width, a precision where printf reads one, and
// the lengths l, ll, z): true. Otherwise false, and out is left as it was.
bool AppendWithoutPrintf(std::string& out, const char* format, const FormatArgument* arguments,
                         std::size_t count);
}  // namespace detail

// printf-style formatting in the "C" locale, appended to out; %s arguments are copied byte for
// byte. format is a C string or a std::string such as a GBK("...") literal; every argument is a
// number or a C string (anything else does not compile). The common conversions are written
// without the C library's printf, byte for byte as it would write them; the rest go to it.
template <typename Format, typename... Args>
void AppendText(std::string& out, const Format& format, Args... args) {
    static_assert((detail::kIsFormatArgument<Args> && ...),
                  "FormatText takes numbers and C strings: pass text.c_str()");
    const char* text = detail::FormatString(format);
    const detail::FormatArgument arguments[sizeof...(Args) + 1] = {
        detail::MakeFormatArgument(args)...};
    if (!detail::AppendWithoutPrintf(out, text, arguments, sizeof...(Args))) {
        detail::AppendVarargs(out, text, args...);
    }
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
double AToF(std::string_view text);
// Whether text is a number as AToF reads it and nothing else, but white space at either end.
bool IsNumberText(std::string_view text);
// AToF and IsNumberText in one pass over text: the value, and whether text is a number.
double AToF(std::string_view text, bool& isNumber);

}  // namespace traverse

#endif
