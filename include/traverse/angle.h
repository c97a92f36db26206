// Angle units: arc seconds, radians, and the face-left mean of a reading pair.
#ifndef TRAVERSE_ANGLE_H
#define TRAVERSE_ANGLE_H

#include "traverse/visibility.h"

namespace traverse {

constexpr double PI = 3.141592653589793;
constexpr double TWO_PI = 6.283185307179586;
constexpr double HALF_PI = 1.5707963267948966;
constexpr double THREE_HALF_PI = 4.71238898038469;
constexpr double RAD_PER_SECOND = 4.84813681109536e-06;
constexpr double SECONDS_PER_RAD = 206264.80624709636;

// Arc seconds -> radians (multiplies by RAD_PER_SECOND).
TRAVERSE_API double SecondToRad(double seconds);

// Radians -> arc seconds (multiplies by SECONDS_PER_RAD).
TRAVERSE_API double RadToSecond(double radians);

// Face-right direction (radians) -> its face-left equivalent: adds pi, then subtracts 2*pi once if
// the sum is not less than 2*pi. In [0, 2*pi) for an input in [0, 2*pi).
TRAVERSE_API double RightAngleToLeftAngle(double radians);

// Mean direction, radians, of a face-left and a face-right reading (both packed DMS): the plain
// mean of the face-left direction and the turned face-right one, with no care for the 0/2*pi seam.
TRAVERSE_API double GetAngle(double left, double right);

}  // namespace traverse

#endif
