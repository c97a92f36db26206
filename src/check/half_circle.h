// Angle arithmetic of the horizontal-angle checks: readings reduced to the half circle, and the
// short way round on it for values whose readings lie on both sides of 0.
#ifndef TRAVERSE_CHECK_HALF_CIRCLE_H
#define TRAVERSE_CHECK_HALF_CIRCLE_H

namespace traverse {

// A direction in radians, [0, 2*pi) for any reading of the circle, reduced to the half circle:
// theta - pi when theta >= pi, otherwise theta unchanged (so [0, pi) for such input). Face left and
// face right of one target then agree up to the collimation error.
double ReduceToHalfCircle(double radians);

// The distance d (radians, [0, pi)) of two half-circle values, taken the short way round: pi - d
// when d > pi/2, else d unchanged. Result in [0, pi/2]. Values that do not straddle 0 are close
// together, so d is then returned exactly as it came.
double FoldShortWay(double difference);

// The mean (radians) of two half-circle values a and b, both in [0, pi): the plain (a + b) / 2
// when they lie within pi/2 of each other; otherwise they straddle 0 and the mean is
// (a + b + pi) / 2, reduced by pi when it reaches pi. Result in [0, pi).
double HalfCircleMean(double a, double b);

}  // namespace traverse

#endif
