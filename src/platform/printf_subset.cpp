// The conversions that reports and files use by the hundred thousand, written without printf:
// %s, %d, %i, %u and %f with the flags - and +, a width, a precision for %f, and the lengths l, ll
// and z. Any other conversion, or an argument that does not match its conversion as the C argument
// list would carry it, leaves the whole text to printf, so that nothing prints differently.
#include <cmath>
#include <cstring>

#include "platform/c_number.h"

namespace traverse {
namespace detail {
namespace {

// One printf conversion: % [-+] [width] [. precision] [l | ll | z] type.
struct Conversion {
    bool leftAlign = false;
    bool plusSign = false;
    int width = 0;
    int precision = -1;  // none given
    int length = 0;      // count of 'l', or 3 for 'z': 0 reads an int, the others 8 bytes
    char type = 0;
};

// Up to three decimal digits at p; false when there are more.
bool ReadNumber(const char*& p, int& number) {
    number = 0;
    for (int digits = 0; *p >= '0' && *p <= '9'; ++p, ++digits) {
        if (digits == 3) return false;
        number = number * 10 + (*p - '0');
    }
    return true;
}

// Parses the conversion after a '%'; p is left after it. False for one this file does not write.
bool ParseConversion(const char*& p, Conversion& conversion) {
    for (;; ++p) {
        if (*p == '-') conversion.leftAlign = true;
        else if (*p == '+') conversion.plusSign = true;
        else break;
    }
    // A '0' here is the zero-padding flag: not written here.
    if (*p == '0' || !ReadNumber(p, conversion.width)) return false;
    if (*p == '.' && !ReadNumber(++p, conversion.precision)) return false;
    if (*p == 'z') {
        conversion.length = 3;
        ++p;
    } else {
        for (; *p == 'l' && conversion.length < 2; ++p) ++conversion.length;
    }
    conversion.type = *p++;
    switch (conversion.type) {
    case 'd':
    case 'i':
    case 'u':  // '+' is for signed numbers only, as in printf
        return conversion.precision < 0;
    case 'f':  // "%llf" is a long double in the C library
        conversion.precision = conversion.precision < 0 ? 6 : conversion.precision;
        return conversion.length <= 1;
    case 's':
        return conversion.precision < 0 && conversion.length == 0;
    default:
        return false;
    }
}

// The conversion's text, appended to out, when the argument is what printf would read for it.
bool AppendConversion(std::string& out, const Conversion& conversion,
                      const FormatArgument& argument) {
    using Kind = FormatArgument::Kind;
    if (conversion.type == 's') {
        if (argument.kind != Kind::Text || argument.text == nullptr) return false;  // "(null)"
        out += argument.text;
    } else if (conversion.type == 'f') {
        if (argument.kind != Kind::Real) return false;
        if (conversion.plusSign && !std::signbit(argument.real)) out += '+';
        AppendFixed(out, argument.real, conversion.precision);
    } else {
        const std::size_t bytes = conversion.length == 0 ? 4 : 8;
        if (argument.kind != Kind::Integer || argument.size != bytes) return false;
        const bool wide = bytes == 8;
        if (conversion.type == 'u') {
            AppendUnsigned(out, wide ? argument.bits : static_cast<std::uint32_t>(argument.bits));
            return true;
        }
        const long long value =
            wide ? static_cast<std::int64_t>(argument.bits)
                 : static_cast<std::int32_t>(static_cast<std::uint32_t>(argument.bits));
        if (conversion.plusSign && value >= 0) out += '+';
        AppendInteger(out, value);
    }
    return true;
}

// Spaces up to the conversion's width, before or after the text that starts at start.
void Pad(std::string& out, std::size_t start, const Conversion& conversion) {
    const std::size_t written = out.size() - start;
    const std::size_t width = static_cast<std::size_t>(conversion.width);
    if (written >= width) return;
    if (conversion.leftAlign) out.append(width - written, ' ');
    else out.insert(start, width - written, ' ');
}

}  // namespace

bool AppendWithoutPrintf(std::string& out, const char* format, const FormatArgument* arguments,
                         std::size_t count) {
    const std::size_t start = out.size();
    std::size_t next = 0;
    for (const char* p = format;;) {
        const char* percent = std::strchr(p, '%');
        if (percent == nullptr) {
            out += p;
            return true;
        }
        out.append(p, static_cast<std::size_t>(percent - p));
        p = percent + 1;
        if (*p == '%') {
            out += '%';
            ++p;
            continue;
        }
        Conversion conversion;
        const std::size_t at = out.size();
        if (next == count || !ParseConversion(p, conversion) ||
            !AppendConversion(out, conversion, arguments[next++])) {
            out.resize(start);
            return false;
        }
        Pad(out, at, conversion);
    }
}

}  // namespace detail
}  // namespace traverse
