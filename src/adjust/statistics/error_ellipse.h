// The standard error ellipse of a 2x2 covariance of x (north) and y (east), and the scale that
// turns it into the ellipse of a given probability.
#ifndef TRAVERSE_ADJUST_ERROR_ELLIPSE_H
#define TRAVERSE_ADJUST_ERROR_ELLIPSE_H

namespace traverse {

struct ErrorEllipse {
    double major = 0.0, minor = 0.0;  // semi-axes a >= b, in the unit of the square root of q
    double azimuth = 0.0;             // degrees of the major axis from north clockwise, [0, 180)
};

ErrorEllipse EllipseOf(double qxx, double qyy, double qxy);

// sqrt of the chi-square quantile with 2 degrees of freedom: sqrt(-2 ln(1 - p)), 2.448 at 0.95.
double EllipseScale(double probability);

}  // namespace traverse

#endif
