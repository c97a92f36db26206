#include "adjust/statistics/error_ellipse.h"

#include <algorithm>
#include <cmath>

#include "traverse/angle.h"

namespace traverse {

ErrorEllipse EllipseOf(double qxx, double qyy, double qxy) {
    ErrorEllipse ellipse;
    const double half = (qxx + qyy) / 2;
    const double radius = std::hypot((qxx - qyy) / 2, qxy);
    ellipse.major = std::sqrt(std::max(half + radius, 0.0));
    ellipse.minor = std::sqrt(std::max(half - radius, 0.0));
    // The major axis turns from x (north) towards y (east) by half the angle of (qxx - qyy, 2 qxy).
    double azimuth = std::atan2(2 * qxy, qxx - qyy) / 2 * 180 / PI;
    if (azimuth < 0) azimuth += 180;
    ellipse.azimuth = azimuth >= 180 ? 0.0 : azimuth;
    return ellipse;
}

double EllipseScale(double probability) { return std::sqrt(-2 * std::log1p(-probability)); }

}  // namespace traverse
