// Angle arithmetic on the full circle: the few primitives through which every direction of the
// library is wrapped, differenced or averaged, so that the 0/2*pi seam is handled in one place.
#ifndef TRAVERSE_RECORDS_CIRCLE_H
#define TRAVERSE_RECORDS_CIRCLE_H

#include <vector>

namespace traverse {

// radians brought onto the circle: radians in [0, 2*pi), by whole turns; inf and nan give nan.
double WrapTurn(double radians);

// The difference b - a of two directions (radians), the short way round: in (-pi, pi].
double AngleDifference(double a, double b);

// Mean of two directions a and b, radians, normally each in [0, 2*pi). When they lie more than pi
// apart they straddle the seam (359deg59'58" and 0deg00'02"): 2*pi is added to the smaller before
// averaging and the mean is reduced into [0, 2*pi), so the pair averages to about 0, not about pi.
// Otherwise the result is exactly (a + b) * 0.5, the plain mean.
double ShortWayMean(double a, double b);

// Mean of several directions, radians each in [0, 2*pi], the same rule for any count: when they
// spread over more than pi (largest minus smallest) they lie on both sides of the seam, every one
// below pi is lifted by 2*pi, and a mean of 2*pi or more is brought back once. Otherwise the
// result is exactly the plain mean, the sum in order divided by the count. Not for an empty list.
double ShortWayMean(const std::vector<double>& radians);

// A difference of two directions, in (-2*pi, 2*pi), made non-negative by adding 2*pi once when it
// is negative (a difference a hair below 0 may become 2*pi itself).
double TurnNonNegative(double radians);

// The spread of directions (radians) measured on the circle: the length of the shortest arc that
// holds them all, in [0, 2*pi). 0 for fewer than two values.
double CircularSpread(const std::vector<double>& radians);

}  // namespace traverse

#endif
