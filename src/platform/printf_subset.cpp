// The conversions that reports and files use by the hundred thousand, written without printf:
// %s, %d, %i, %u and %f with the flags - and +, a width, a precision for %f, and the lengths l, ll
// and z. Any other conversion, or an argument that does not match its conversion as the C argument
// list would carry it, leaves the whole text to printf, so that nothing prints differently.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <string_view>

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

// The text of one conversion: a number written into the caller's buffer, a C string in place, or
// printf's own digits held in spill.
struct Field {
    char buffer[kNumberTextSize + 1];  // a sign before the number
    std::string spill;
    std::string_view text;
};

// The conversion's text, when the argument is what printf would read for it.
bool FieldText(const Conversion& conversion, const FormatArgument& argument, Field& field) {
    using Kind = FormatArgument::Kind;
    char* const end = field.buffer + sizeof field.buffer;
    char* start = nullptr;
    if (conversion.type == 's') {
        if (argument.kind != Kind::Text || argument.text == nullptr) return false;  // "(null)"
        field.text = argument.text;
        return true;
    }
    bool plus = false;
    if (conversion.type == 'f') {
        if (argument.kind != Kind::Real) return false;
        plus = conversion.plusSign && !std::signbit(argument.real);
        start = FixedBackwards(end, argument.real, conversion.precision);
        if (start == nullptr) {  // inf, nan, huge values: printf's digits
            field.spill = plus ? "+" : "";
            AppendFixed(field.spill, argument.real, conversion.precision);
            field.text = field.spill;
            return true;
        }
    } else {
        const std::size_t bytes = conversion.length == 0 ? 4 : 8;
        if (argument.kind != Kind::Integer || argument.size != bytes) return false;
        const bool wide = bytes == 8;
        if (conversion.type == 'u') {
            start = UnsignedBackwards(
                end, wide ? argument.bits : static_cast<std::uint32_t>(argument.bits));
        } else {
            const long long value =
                wide ? static_cast<std::int64_t>(argument.bits)
                     : static_cast<std::int32_t>(static_cast<std::uint32_t>(argument.bits));
            plus = conversion.plusSign && value >= 0;
            start = IntegerBackwards(end, value);
        }
    }
    if (plus) *--start = '+';
    field.text = std::string_view(start, static_cast<std::size_t>(end - start));
    return true;
}

// The formatted text gathered in a buffer of its own and handed to the string a line or more at
// a time: a report's line is one append, not one per piece.
class Gathered {
public:
    explicit Gathered(std::string& out) : m_out(out), m_start(out.size()) {}

    void Append(std::string_view text) {
        if (text.size() > sizeof m_buffer - m_used) {
            Flush();
            if (text.size() > sizeof m_buffer) {
                m_out.append(text.data(), text.size());
                return;
            }
        }
        std::memcpy(m_buffer + m_used, text.data(), text.size());
        m_used += text.size();
    }
    // The format's text up to its next '%' or its end: returns where it stopped.
    const char* Literal(const char* p) {
        for (; *p != '%' && *p != '\0'; ++p) {
            if (m_used == sizeof m_buffer) Flush();
            m_buffer[m_used++] = *p;
        }
        return p;
    }
    void Spaces(std::size_t count) {
        while (count > 0) {
            if (m_used == sizeof m_buffer) Flush();
            const std::size_t spaces = std::min(count, sizeof m_buffer - m_used);
            std::memset(m_buffer + m_used, ' ', spaces);
            m_used += spaces;
            count -= spaces;
        }
    }
    // The text's width padded with spaces, before it or after it.
    void Padded(std::string_view text, const Conversion& conversion) {
        const std::size_t width = static_cast<std::size_t>(conversion.width);
        const std::size_t pad = text.size() < width ? width - text.size() : 0;
        if (!conversion.leftAlign) Spaces(pad);
        Append(text);
        if (conversion.leftAlign) Spaces(pad);
    }
    void Flush() {
        m_out.append(m_buffer, m_used);
        m_used = 0;
    }
    // The string as it was before.
    void Abandon() {
        m_out.resize(m_start);
        m_used = 0;
    }

private:
    std::string& m_out;
    std::size_t m_start;
    char m_buffer[256];
    std::size_t m_used = 0;
};

// Whether a C string argument lies within out's storage, which appending may move.
bool PointsInto(const std::string& out, const FormatArgument* arguments, std::size_t count) {
    const auto within = std::less_equal<const char*>();
    for (std::size_t i = 0; i < count; ++i) {
        const char* text = arguments[i].text;
        if (arguments[i].kind == FormatArgument::Kind::Text && text != nullptr &&
            within(out.data(), text) && within(text, out.data() + out.capacity())) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool AppendWithoutPrintf(std::string& out, const char* format, const FormatArgument* arguments,
                         std::size_t count) {
    if (PointsInto(out, arguments, count)) {
        std::string text;
        if (!AppendWithoutPrintf(text, format, arguments, count)) return false;
        out += text;
        return true;
    }
    Gathered gathered(out);
    std::size_t next = 0;
    Field field;
    for (const char* p = format;;) {
        p = gathered.Literal(p);
        if (*p == '\0') {
            gathered.Flush();
            return true;
        }
        ++p;  // past the '%'
        if (*p == '%') {
            gathered.Append("%");
            ++p;
            continue;
        }
        Conversion conversion;
        if (next == count || !ParseConversion(p, conversion) ||
            !FieldText(conversion, arguments[next++], field)) {
            gathered.Abandon();
            return false;
        }
        gathered.Padded(field.text, conversion);
    }
}

}  // namespace detail
}  // namespace traverse
