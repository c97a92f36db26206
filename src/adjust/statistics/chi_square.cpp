#include "adjust/statistics/chi_square.h"

#include <math.h>

#include <cmath>

namespace traverse {
namespace {

constexpr int kMaxTerms = 1000;
constexpr double kEpsilon = 1e-15;
constexpr double kTiny = 1e-300;

// ln Gamma(a) by the reentrant form: std::lgamma writes the global signgam, and several files are
// adjusted on threads at once.
double LogGamma(double a) {
    int sign = 0;
    return ::lgamma_r(a, &sign);
}

// The regularized lower incomplete gamma function P(a, x) by its series, for x < a + 1.
double LowerGammaSeries(double a, double x) {
    double term = 1.0 / a, sum = term;
    for (int n = 1; n < kMaxTerms && std::fabs(term) > std::fabs(sum) * kEpsilon; ++n) {
        term *= x / (a + n);
        sum += term;
    }
    return sum * std::exp(-x + a * std::log(x) - LogGamma(a));
}

// The upper one, Q(a, x) = 1 - P(a, x), by its continued fraction (modified Lentz), for x >= a + 1.
double UpperGammaFraction(double a, double x) {
    double b = x + 1.0 - a, c = 1.0 / kTiny, d = 1.0 / b, h = d;
    for (int i = 1; i < kMaxTerms; ++i) {
        const double an = -i * (i - a);
        b += 2.0;
        d = an * d + b;
        if (std::fabs(d) < kTiny) d = kTiny;
        c = b + an / c;
        if (std::fabs(c) < kTiny) c = kTiny;
        d = 1.0 / d;
        const double step = d * c;
        h *= step;
        if (std::fabs(step - 1.0) < kEpsilon) break;
    }
    return std::exp(-x + a * std::log(x) - LogGamma(a)) * h;
}

}  // namespace

double ChiSquareCdf(double x, int dof) {
    if (!(x > 0)) return 0.0;
    const double a = dof / 2.0, half = x / 2.0;
    return half < a + 1 ? LowerGammaSeries(a, half) : 1.0 - UpperGammaFraction(a, half);
}

double ChiSquareQuantile(double p, int dof) {
    double low = 0.0, high = dof + 10.0;
    while (ChiSquareCdf(high, dof) < p) high *= 2;
    for (int i = 0; i < 200 && high - low > 1e-12 * high; ++i) {
        const double middle = (low + high) / 2;
        (ChiSquareCdf(middle, dof) < p ? low : high) = middle;
    }
    return (low + high) / 2;
}

}  // namespace traverse
