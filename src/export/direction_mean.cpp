#include "export/direction_mean.h"

#include <cmath>

#include "traverse/angle.h"
#include "traverse/dms.h"

namespace traverse {

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

double MeanDirection(const CBaseObserve& observe) {
    const double left = DmsToRadian(observe.m_arrValue[0]);
    const double right = RightAngleToLeftAngle(DmsToRadian(observe.m_arrValue[1]));
    return ShortWayMean(left, right);
}

}  // namespace traverse
