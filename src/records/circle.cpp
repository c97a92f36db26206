#include "records/circle.h"

#include <algorithm>
#include <cmath>

#include "traverse/angle.h"

namespace traverse {

double WrapTurn(double radians) {
    double wrapped = std::fmod(radians, TWO_PI);
    if (wrapped < 0.0) wrapped += TWO_PI;
    // fmod of a tiny negative value plus 2*pi may round up to 2*pi itself; nan stays nan.
    return wrapped >= TWO_PI ? 0.0 : wrapped;
}

double AngleDifference(double a, double b) {
    const double d = WrapTurn(b - a);
    return d > PI ? d - TWO_PI : d;
}

double ShortWayMean(double a, double b) {
    if (!(std::fabs(a - b) > PI)) return (a + b) * 0.5;
    // Across the seam: lift the smaller direction by a full turn, then bring the mean back.
    if (a < b) {
        a += TWO_PI;
    } else {
        b += TWO_PI;
    }
    double mean = std::fmod((a + b) * 0.5, TWO_PI);
    if (mean < 0.0) mean += TWO_PI;
    return mean;
}

double ShortWayMean(const std::vector<double>& radians) {
    const auto [lowest, highest] = std::minmax_element(radians.begin(), radians.end());
    const bool acrossSeam = *highest - *lowest > PI;
    double sum = 0.0;
    for (const double value : radians) sum += acrossSeam && value < PI ? value + TWO_PI : value;
    const double mean = sum / static_cast<double>(radians.size());
    return acrossSeam && mean >= TWO_PI ? mean - TWO_PI : mean;
}

double TurnNonNegative(double radians) { return radians < 0.0 ? radians + TWO_PI : radians; }

double CircularSpread(const std::vector<double>& radians) {
    if (radians.size() < 2) return 0.0;
    std::vector<double> sorted;
    sorted.reserve(radians.size());
    for (const double value : radians) sorted.push_back(WrapTurn(value));
    std::sort(sorted.begin(), sorted.end());
    // The arc that holds them all leaves out the widest gap between neighbours on the circle.
    double widestGap = sorted.front() + TWO_PI - sorted.back();
    for (std::size_t i = 1; i < sorted.size(); ++i) {
        widestGap = std::max(widestGap, sorted[i] - sorted[i - 1]);
    }
    return TWO_PI - widestGap;
}

}  // namespace traverse
