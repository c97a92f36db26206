#include "traverse/angle.h"

#include "traverse/dms.h"

namespace traverse {

double SecondToRad(double seconds) { return seconds * RAD_PER_SECOND; }

double RadToSecond(double radians) { return radians * SECONDS_PER_RAD; }

double RightAngleToLeftAngle(double radians) {
    double t = radians + PI;
    if (!(t < TWO_PI)) t -= TWO_PI;
    return t;
}

double GetAngle(double left, double right) {
    const double l = DmsToRadian(left);
    const double r = DmsToRadian(right);
    return (l + RightAngleToLeftAngle(r)) * 0.5;
}

}  // namespace traverse
