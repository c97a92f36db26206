#include "check/half_circle.h"

#include <cmath>

#include "traverse/angle.h"

namespace traverse {

double ReduceToHalfCircle(double radians) { return radians >= PI ? radians - PI : radians; }

double FoldShortWay(double difference) {
    return difference > HALF_PI ? PI - difference : difference;
}

double HalfCircleMean(double a, double b) {
    if (!(std::fabs(a - b) > HALF_PI)) return (a + b) / 2;
    const double mean = (a + b + PI) / 2;
    return mean >= PI ? mean - PI : mean;
}

}  // namespace traverse
