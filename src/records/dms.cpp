#include "traverse/dms.h"

#include <cmath>
#include <cstdint>

#include "traverse/angle.h"

namespace traverse {
namespace {

// Snaps digit boundaries: 180.5900 is held as 180.58999999999997, whose minute digits must still
// read 59. 1e-9 of a minute is far below any written decimal and far above the double's noise.
constexpr double kDigitSnap = 1e-9;

// Seconds are rounded to this quantum (1e-5") before the minutes and seconds are packed.
constexpr double kQuantaPerSecond = 1e5;
constexpr std::int64_t kQuantaPerMinute = 6000000;
constexpr std::int64_t kQuantaPerDegree = 360000000;

// Beyond this many quanta the integer packing would overflow; such angles are packed in floating
// point without rounding.
constexpr double kMaxQuanta = 9.0e18;

// Below 2^52 every double's integer part converts to an int64 and back exactly.
constexpr double kIntegralBelow = 4503599627370496.0;

// std::floor, with a plain truncation where it is the same: for every reading's digits.
double Floor(double x) {
    const bool truncates = x > 0.0 && x < kIntegralBelow;
    return truncates ? static_cast<double>(static_cast<std::int64_t>(x)) : std::floor(x);
}

// std::llround for 0 <= x < 2^63 (halves away from zero), without the library call: x minus its
// integer part is exact, so the comparison with 0.5 is too.
std::int64_t RoundNonNegative(double x) {
    const auto whole = static_cast<std::int64_t>(x);
    return x - static_cast<double>(whole) >= 0.5 ? whole + 1 : whole;
}

}  // namespace

double DmsToRadian(double dms) {
    if (!std::isfinite(dms)) return dms;
    const double x = std::fabs(dms);
    const double degrees = Floor(x + kDigitSnap * 1e-2);
    const double minuteDigits = (x - degrees) * 100.0;  // minutes and hundredths: mm.ss...
    const double minutes = Floor(minuteDigits + kDigitSnap);
    const double seconds = (minuteDigits - minutes) * 100.0;
    const double totalSeconds = degrees * 3600.0 + minutes * 60.0 + seconds;
    const double radians = totalSeconds * RAD_PER_SECOND;
    return dms < 0 ? -radians : radians;
}

double RadianToDms(double radians) {
    if (!std::isfinite(radians)) return radians;
    const double seconds = std::fabs(radians) * SECONDS_PER_RAD;
    double dms;
    if (seconds * kQuantaPerSecond < kMaxQuanta) {
        const std::int64_t quanta = RoundNonNegative(seconds * kQuantaPerSecond);
        const std::int64_t degrees = quanta / kQuantaPerDegree;
        const std::int64_t minutes = quanta % kQuantaPerDegree / kQuantaPerMinute;
        const std::int64_t secondQuanta = quanta % kQuantaPerMinute;
        // ddd.mmss in units of 1e-9 degree-digits: exact integers, one rounding at the division.
        const std::int64_t packed = degrees * 1000000000 + minutes * 10000000 + secondQuanta;
        dms = static_cast<double>(packed) / 1e9;
    } else {
        const double degrees = std::floor(seconds / 3600.0);
        const double rest = seconds - degrees * 3600.0;
        const double minutes = std::floor(rest / 60.0);
        dms = degrees + minutes / 100.0 + (rest - minutes * 60.0) / 10000.0;
    }
    return radians < 0 ? -dms : dms;
}

}  // namespace traverse
