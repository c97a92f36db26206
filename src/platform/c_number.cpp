#include "platform/c_number.h"

#include "platform/characters.h"

#include <locale.h>

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace traverse {
namespace {

locale_t CLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

// Switches the calling thread to the "C" locale for the lifetime of the object.
class CLocaleScope {
public:
    CLocaleScope() : m_previous(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(m_previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    locale_t m_previous;
};

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The value of a decimal number of the form [sign] digits [. digits] [e [sign] digits], when it is
// exact in a few double operations: a significand below 2^53 and a power of ten up to 10^22 are
// both exact doubles, so their one product or quotient is rounded once, correctly, as strtod
// rounds. Readings and coordinates are all of this kind; false for any other number.
bool ExactDecimal(const char* p, const char* end, double& value) {
    constexpr std::uint64_t kExactLimit = std::uint64_t{1} << 53;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
    std::uint64_t significand = 0;
    long exponent = 0;
    bool fraction = false;
    for (; p < end && (chars::IsDigit(*p) || (*p == '.' && !fraction)); ++p) {
        if (*p == '.') {
            fraction = true;
            continue;
        }
        if (significand >= kExactLimit / 10) return false;
        significand = significand * 10 + static_cast<std::uint64_t>(*p - '0');
        if (fraction) --exponent;
    }
    if (p < end) {  // an exponent: e [sign] digits
        ++p;
        bool negativeExponent = false;
        if (p < end && (*p == '+' || *p == '-')) negativeExponent = *p++ == '-';
        long written = 0;
        for (; p < end; ++p) {
            if (written > 1000) return false;
            written = written * 10 + (*p - '0');
        }
        exponent += negativeExponent ? -written : written;
    }
    double magnitude = static_cast<double>(significand);
    if (significand != 0) {
        if (exponent < -22 || exponent > 22) return false;
        magnitude = exponent < 0 ? magnitude / kPowersOfTen[-exponent]
                                 : magnitude * kPowersOfTen[exponent];
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

void detail::AppendVarargs(std::string& out, const char* format, ...) {
    CLocaleScope scope;
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    // Most texts fit a line's buffer: one pass, and no string of their own.
    char line[256];
    const int length = std::vsnprintf(line, sizeof line, format, copy);
    va_end(copy);
    if (length > 0 && static_cast<size_t>(length) < sizeof line) {
        out.append(line, static_cast<size_t>(length));
    } else if (length > 0) {
        const size_t start = out.size();
        out.resize(start + static_cast<size_t>(length) + 1);
        std::vsnprintf(&out[start], static_cast<size_t>(length) + 1, format, args);
        out.resize(start + static_cast<size_t>(length));
    }
    va_end(args);
}

namespace {

// The reading of a record file, [-]digits[.digits] with at most 15 digits and nothing around it,
// in one pass: the value ExactDecimal gives it, the same one division. False for any other text.
bool PlainDecimal(std::string_view text, double& value) {
    constexpr std::ptrdiff_t kMostDigits = 15;  // the significand stays below 2^53 / 10
    const char* p = text.data();
    const char* const end = p + text.size();
    const bool negative = p < end && *p == '-';
    if (negative) ++p;
    std::uint64_t significand = 0;  // wraps only past kMostDigits, when it is not used
    const auto digits = [&] {
        const char* const first = p;
        for (; p < end && static_cast<unsigned char>(*p - '0') < 10; ++p)
            significand = significand * 10 + static_cast<unsigned char>(*p - '0');
        return p - first;
    };
    const std::ptrdiff_t whole = digits();
    std::ptrdiff_t fraction = 0;
    if (whole > 0 && p < end && *p == '.') {
        ++p;
        fraction = digits();
        if (fraction == 0) return false;
    }
    if (p != end || whole == 0 || whole + fraction > kMostDigits) return false;
    double magnitude = static_cast<double>(significand);
    if (significand != 0 && fraction > 0) magnitude /= kPowersOfTen[fraction];
    value = negative ? -magnitude : magnitude;
    return true;
}

// Where the number atof reads from text stands: [start, end); empty when there is none.
struct NumberSpan {
    size_t start = 0;
    size_t end = 0;
};

NumberSpan FindNumber(std::string_view text) {
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && chars::IsCSpace(text[i])) ++i;
    const size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && chars::IsDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && chars::IsDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return {start, start};
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < n && chars::IsDigit(text[j])) {
            while (j < n && chars::IsDigit(text[j])) ++j;
            i = j;
        }
    }
    return {start, i};
}

// The value of the number at span of text; 0.0 when the span is empty.
double NumberAt(std::string_view text, const NumberSpan& span) {
    if (span.start == span.end) return 0.0;
    double value;
    if (ExactDecimal(text.data() + span.start, text.data() + span.end, value)) return value;
    const std::string number(text.substr(span.start, span.end - span.start));
    return strtod_l(number.c_str(), nullptr, CLocale());
}

// Whether span holds a number and only white space follows it.
bool IsWholeNumber(std::string_view text, const NumberSpan& span) {
    if (span.start == span.end) return false;
    for (size_t i = span.end; i < text.size(); ++i) {
        if (!chars::IsCSpace(text[i])) return false;
    }
    return true;
}

}  // namespace

double AToF(std::string_view text) { return NumberAt(text, FindNumber(text)); }

bool IsNumberText(std::string_view text) { return IsWholeNumber(text, FindNumber(text)); }

double AToF(std::string_view text, bool& isNumber) {
    double value = 0.0;
    if (PlainDecimal(text, value)) {
        isNumber = true;
        return value;
    }
    const NumberSpan span = FindNumber(text);
    isNumber = IsWholeNumber(text, span);
    return NumberAt(text, span);
}

}  // namespace traverse
