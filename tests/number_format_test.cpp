// Numbers written without printf are byte for byte what printf writes in the "C" locale: compared
// with snprintf on millions of doubles chosen where rounding is hard, and on formats of all shapes.
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/c_number.h"

namespace traverse {
namespace {

std::string Printf(const char* format, double value) {
    char text[400];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

double FromBits(std::uint64_t bits) {
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Compares AppendFixed with printf on every value; stops at the first few differences.
class FixedComparison {
public:
    explicit FixedComparison(int decimals) : m_decimals(decimals) {
        std::snprintf(m_format, sizeof m_format, "%%.%df", decimals);
    }
    void operator()(double value) {
        m_text.clear();
        AppendFixed(m_text, value, m_decimals);
        ++m_count;
        if (m_text != Printf(m_format, value) && ++m_failures <= 5) {
            ADD_FAILURE() << m_format << " of " << Printf("%.17g", value) << ": "
                          << m_text << " against printf's " << Printf(m_format, value);
        }
    }
    long count() const { return m_count; }

private:
    int m_decimals;
    char m_format[16];
    std::string m_text;
    long m_count = 0;
    int m_failures = 0;
};

// The value and its neighbours up to two units in the last place either side.
void WithNeighbours(FixedComparison& compare, double value) {
    double down = value;
    double up = value;
    compare(value);
    for (int i = 0; i < 2; ++i) {
        compare(down = std::nextafter(down, -INFINITY));
        compare(up = std::nextafter(up, INFINITY));
    }
}

void CompareOnHardValues(int decimals, int perKind) {
    SCOPED_TRACE(decimals);
    FixedComparison compare(decimals);
    std::mt19937_64 random(20261208 + decimals);
    const double scale = std::pow(10.0, decimals);
    std::uniform_int_distribution<int> binaryExponent(-40, 64);
    std::uniform_int_distribution<std::uint64_t> subnormalBits(1, (std::uint64_t{1} << 52) - 1);
    for (int i = 0; i < perKind; ++i) {
        const std::uint64_t bits = random();
        compare(FromBits(bits));                                           // any pattern at all
        compare(std::ldexp(FromBits(bits >> 12 | 0x3FF0000000000000), binaryExponent(random)));
        compare(FromBits(subnormalBits(random)));                          // subnormals
        // n.5 units of the last place written: the decimal boundary as parsed, and beside it.
        WithNeighbours(compare, (static_cast<double>(bits % 2000000000000) + 0.5) / scale);
        WithNeighbours(compare, -(static_cast<double>(bits % 4000000) + 0.5) / scale);
        // An exact tie: odd / 2^(decimals + 1) is k + 1/2 units exactly.
        compare(std::ldexp(static_cast<double>((bits >> 13) | 1), -(decimals + 1)));
        compare(std::ldexp(static_cast<double>((bits >> 40) | 1), -(decimals + 1)));
    }
    for (int power = -25; power <= 25; ++power) {  // powers of ten, and where rounding crosses them
        const double ten = std::pow(10.0, power);
        WithNeighbours(compare, ten);
        WithNeighbours(compare, -ten);
        WithNeighbours(compare, ten - 0.5 / scale);
        WithNeighbours(compare, ten - 0.4 / scale);
    }
    const double specials[] = {0.0,     -0.0,     INFINITY, -INFINITY,    NAN,           -NAN,
                               DBL_MAX, -DBL_MAX, DBL_MIN,  DBL_TRUE_MIN, -DBL_TRUE_MIN, 9.96,
                               9.95,    99.95,    0.05,     0.15,         0.25,          2.5};
    for (double special : specials) WithNeighbours(compare, special);
    for (int fast = 0; fast <= 15; ++fast) WithNeighbours(compare, std::pow(10.0, 19 - fast));
    EXPECT_GT(compare.count(), 12L * perKind);
}

TEST(AToF, OnePassGivesTheValueAndTheNumberCheck) {
    for (const char* text : {"1.25", " -3.5e2 ", "7x", "", " ", "+.5", ".", "1e", "1e+", "2e-3\t",
                             "12345678901234567890.5", "abc", "0x10", "-0", "1.5 2"}) {
        bool isNumber = true;
        const double value = AToF(text, isNumber);
        const double alone = AToF(text);
        EXPECT_EQ(std::memcmp(&value, &alone, sizeof value), 0) << text;
        EXPECT_EQ(isNumber, IsNumberText(text)) << text;
    }
}

// Readings as record files write them, and texts a little beside that form: the value and the
// check of the one pass are those of the general reading.
TEST(AToF, ReadingsGiveWhatTheGeneralReadingGives) {
    std::mt19937_64 random(77);
    std::uniform_int_distribution<int> length(0, 18);
    static const char kAlphabet[] = "0123456789012345678901234567890123456789.-+e ";
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    for (int trial = 0; trial < 300000; ++trial) {
        std::string text;
        for (int n = length(random); n > 0; --n) text += kAlphabet[pick(random)];
        bool isNumber = false;
        const double value = AToF(text, isNumber);
        const double general = AToF(text);
        ASSERT_EQ(std::memcmp(&value, &general, sizeof value), 0) << text;
        ASSERT_EQ(isNumber, IsNumberText(text)) << text;
    }
}

TEST(AppendFixed, WritesWhatPrintfWritesForEveryKindOfDouble) {
    for (int decimals : {1, 3, 6}) CompareOnHardValues(decimals, 120000);
    for (int decimals : {0, 2, 4, 10, 15, 16}) CompareOnHardValues(decimals, 10000);
}

TEST(AppendInteger, WritesTheWholeRange) {
    std::string text;
    for (long long value : {0LL, 7LL, -7LL, 10LL, -100LL, LLONG_MAX, LLONG_MIN}) {
        text.clear();
        AppendInteger(text, value);
        EXPECT_EQ(text, std::to_string(value));
    }
    text.clear();
    AppendUnsigned(text, ULLONG_MAX);
    EXPECT_EQ(text, std::to_string(ULLONG_MAX));
}

// A random printf conversion for the given lengths and types: flags, width, precision
// drawn from what printf accepts, most of them written without printf, some left to it.
std::string RandomConversion(std::mt19937_64& random, const std::vector<const char*>& lengths,
                                const char* types) {
    static const char* const kFlags[] = {"", "", "-", "+", "-+", "0", " ", "#"};
    static const char* const kWidths[] = {"", "", "1", "5", "12", "*"};
    static const char* const kPrecisions[] = {"", "", ".", ".0", ".1", ".3", ".6", ".12", ".20"};
    auto pick = [&](auto& list, std::size_t size) { return list[random() % size]; };
    std::string conversion = "%";
    conversion += pick(kFlags, std::size(kFlags));
    const std::string width = pick(kWidths, std::size(kWidths));
    conversion += width == "*" ? "" : width;  // '*' would take an argument of its own
    conversion += pick(kPrecisions, std::size(kPrecisions));
    conversion += lengths[random() % lengths.size()];
    conversion += types[random() % std::strlen(types)];
    return conversion;
}

// FormatText against snprintf for one format and its arguments.
template <typename... Args>
void ExpectSameAsPrintf(const std::string& format, Args... args) {
    char expected[512];
    // A trailing argument that no conversion reads: without any, the call reads as printing
    // unchecked text (-Wformat-security).
    std::snprintf(expected, sizeof expected, format.c_str(), args..., 0);
    ASSERT_EQ(FormatText(format, args...), expected) << format;
}

TEST(FormatText, WritesWhatPrintfWritesForEveryShapeOfConversion) {
    std::mt19937_64 random(20261209);
    std::uniform_real_distribution<double> reals(-2000.0, 2000.0);
    const char* const texts[] = {"", "K1", "\xb2\xe2\xd5\xbe\x37", "a longer target name"};
    for (int i = 0; i < 50000; ++i) {
        const double real = std::round(reals(random) * 1000.0) / (i % 2 ? 1000.0 : 10.0);
        const std::string literal = i % 3 ? " =" : "\xb5\xda %% ";
        const int integer = static_cast<int>(random() % 20001) - 10000;
        const long wide = static_cast<long>(random()) >> (random() % 64);
        ExpectSameAsPrintf(literal + RandomConversion(random, {"", "l"}, "fFeg"), real);
        ExpectSameAsPrintf(RandomConversion(random, {""}, "f") + literal,
                           static_cast<float>(real));
        ExpectSameAsPrintf(RandomConversion(random, {""}, "diux"), integer);
        ExpectSameAsPrintf(RandomConversion(random, {"l", "ll"}, "diux") + literal, wide);
        ExpectSameAsPrintf(RandomConversion(random, {"z", "l"}, "u"),
                           static_cast<std::size_t>(wide));
        ExpectSameAsPrintf(literal + RandomConversion(random, {""}, "s") + "%s", texts[i % 4],
                           "!");
        ExpectSameAsPrintf(literal + RandomConversion(random, {""}, "c"), 'x');
    }
}

TEST(FormatText, CatalogueShapesAndOddArguments) {
    ExpectSameAsPrintf("%s 2C=%.1lf", "\xc4\xbf\xb1\xea", 9.96);
    ExpectSameAsPrintf("\xb5\xda%ld\xb2\xe2\xbb\xd8", 12L);
    ExpectSameAsPrintf("%s\t%d%d\t%.3lf\t%.3lf\t%.3lf\n", "K1", 1, 0, 3521.0005, -0.0, 1e300);
    ExpectSameAsPrintf("%d %u %d", true, static_cast<unsigned char>(200), static_cast<short>(-3));
    ExpectSameAsPrintf("%d|%u|%ld|%lu", INT_MIN, UINT_MAX, LONG_MIN, ULONG_MAX);
    ExpectSameAsPrintf("%+.1f %+.1f %+f %+f", 0.0, -0.0, NAN, -INFINITY);
    ExpectSameAsPrintf("100%% %s", "done");
    ExpectSameAsPrintf("%.f %.1f %-8.3f|%8.3f|", 2.5, 0.25, 1.0005, -1.0005);
    ExpectSameAsPrintf("%.3s", "abcdef");  // printf's: a precision on %s
    ExpectSameAsPrintf("%hd %Lf", 70000, 1.5L);
    ExpectSameAsPrintf("no conversion at all");
    // Longer than a line, and widths past it.
    const std::string longText(80, 'n');
    ExpectSameAsPrintf("%-200s|%200.3f|%s|", "a", -1.5, longText.c_str());
    // An argument within the text appended to.
    std::string out = "0123456789";
    AppendText(out, "<%s|%5s>", out.c_str(), out.c_str() + 8);
    EXPECT_EQ(out, "0123456789<0123456789|   89>");
}

}  // namespace
}  // namespace traverse
