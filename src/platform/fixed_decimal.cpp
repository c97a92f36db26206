// Fixed-point decimals and integers written without printf, byte for byte as printf writes them:
// a report or a file holds hundreds of thousands of numbers, and printf's general machinery (its
// multi-precision arithmetic, its locale) costs more than the rest of producing them.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/c_number.h"

namespace traverse {
namespace {

constexpr int kMaxFastDecimals = 15;

constexpr std::uint64_t kPowersOfTen[kMaxFastDecimals + 1] = {
    1ull,           10ull,           100ull,           1000ull,
    10000ull,       100000ull,       1000000ull,       10000000ull,
    100000000ull,   1000000000ull,   10000000000ull,   100000000000ull,
    1000000000000ull, 10000000000000ull, 100000000000000ull, 1000000000000000ull};

// Below 10^(19 - decimals), value * 10^decimals rounds to an integer below 10^19 < 2^64. Each
// bound is an exact double.
constexpr double kFastLimits[kMaxFastDecimals + 1] = {
    1e19, 1e18, 1e17, 1e16, 1e15, 1e14, 1e13, 1e12, 1e11, 1e10, 1e9, 1e8, 1e7, 1e6, 1e5, 1e4};

__extension__ typedef unsigned __int128 Wide;  // g++ and clang++ have it; ISO C++ does not

// magnitude * 10^decimals rounded to an integer as printf rounds: from the exact binary value,
// half to even only on an exact tie. magnitude is finite, >= 0 and below kFastLimits[decimals].
// The double is significand * 2^exponent with a 53-bit significand; times 10^15 < 2^50 that is
// below 2^103, so the product and its remainder are exact in 128 bits.
std::uint64_t ScaledAndRounded(double magnitude, int decimals) {
    std::uint64_t bits;
    std::memcpy(&bits, &magnitude, sizeof bits);
    const int biased = static_cast<int>(bits >> 52);
    std::uint64_t significand = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased != 0) significand |= std::uint64_t{1} << 52;
    const int exponent = (biased != 0 ? biased : 1) - 1075;
    const Wide product = Wide{significand} * kPowersOfTen[decimals];
    if (exponent >= 0) return static_cast<std::uint64_t>(product << exponent);
    const int shift = -exponent;
    if (shift >= 127) return 0;  // below half of one unit: product < 2^103 <= 2^(shift - 1)
    const Wide quotient = product >> shift;
    const Wide remainder = product & ((Wide{1} << shift) - 1);
    const Wide half = Wide{1} << (shift - 1);
    const bool up = remainder > half || (remainder == half && (quotient & 1) != 0);
    return static_cast<std::uint64_t>(quotient) + (up ? 1 : 0);
}

// "00" to "99": two digits per division.
constexpr char kDigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The last count decimal digits of value, zeros in front where it has fewer, written backwards
// ending just before end; value is left with the digits before them. Returns where they start.
char* WriteLastDigitsBackwards(char* end, std::uint64_t& value, int count) {
    char* p = end;
    for (; count >= 2; count -= 2) {
        p -= 2;
        std::memcpy(p, kDigitPairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (count == 1) {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return p;
}

// The decimal digits of value, at least one, written backwards ending just before end. Returns
// where they start.
char* WriteDigitsBackwards(char* end, std::uint64_t value) {
    char* p = end;
    while (value >= 100) p = WriteLastDigitsBackwards(p, value, 2);
    return WriteLastDigitsBackwards(p, value, value >= 10 ? 2 : 1);
}

}  // namespace

char* FixedBackwards(char* end, double value, int decimals) {
    const double magnitude = std::fabs(value);
    if (decimals < 0 || decimals > kMaxFastDecimals || !(magnitude < kFastLimits[decimals])) {
        return nullptr;
    }
    std::uint64_t scaled = ScaledAndRounded(magnitude, decimals);
    // sign, 20 digits, point, 15 decimals at most; the decimals without a division by 10^n
    char* start = WriteLastDigitsBackwards(end, scaled, decimals);
    if (decimals > 0) *--start = '.';
    start = WriteDigitsBackwards(start, scaled);
    if (std::signbit(value)) *--start = '-';
    return start;
}

char* UnsignedBackwards(char* end, unsigned long long value) {
    return WriteDigitsBackwards(end, value);
}

char* IntegerBackwards(char* end, long long value) {
    // The magnitude in unsigned arithmetic: -LLONG_MIN does not fit a long long.
    const unsigned long long magnitude = static_cast<unsigned long long>(value);
    char* start = WriteDigitsBackwards(end, value < 0 ? 0 - magnitude : magnitude);
    if (value < 0) *--start = '-';
    return start;
}

void AppendFixed(std::string& out, double value, int decimals) {
    char buffer[kNumberTextSize];
    char* const end = buffer + sizeof buffer;
    const char* start = FixedBackwards(end, value, decimals);
    if (start == nullptr) {
        detail::AppendVarargs(out, "%.*f", decimals, value);  // inf, nan, huge values: printf's
        return;
    }
    out.append(start, static_cast<std::size_t>(end - start));
}

void AppendUnsigned(std::string& out, unsigned long long value) {
    char buffer[kNumberTextSize];
    char* const end = buffer + sizeof buffer;
    const char* start = UnsignedBackwards(end, value);
    out.append(start, static_cast<std::size_t>(end - start));
}

void AppendInteger(std::string& out, long long value) {
    char buffer[kNumberTextSize];
    char* const end = buffer + sizeof buffer;
    const char* start = IntegerBackwards(end, value);
    out.append(start, static_cast<std::size_t>(end - start));
}

}  // namespace traverse
