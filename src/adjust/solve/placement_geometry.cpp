#include "adjust/solve/placement_geometry.h"

#include <cmath>
#include <complex>

namespace traverse {
namespace {

using Complex = std::complex<double>;

Complex AsComplex(const PlanePosition& p) { return Complex(p.x, p.y); }
PlanePosition AsPosition(const Complex& z) { return PlanePosition{z.real(), z.imag()}; }

double Determinant3(const double (&m)[3][4], int skip) {
    int c[3], k = 0;
    for (int j = 0; j < 4; ++j)
        if (j != skip) c[k++] = j;
    return m[0][c[0]] * (m[1][c[1]] * m[2][c[2]] - m[1][c[2]] * m[2][c[1]]) -
           m[0][c[1]] * (m[1][c[0]] * m[2][c[2]] - m[1][c[2]] * m[2][c[0]]) +
           m[0][c[2]] * (m[1][c[0]] * m[2][c[1]] - m[1][c[1]] * m[2][c[0]]);
}

}  // namespace

double PlaneDistance(const PlanePosition& a, const PlanePosition& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

double CutSine(const Ray& a, const Ray& b) { return std::fabs(std::sin(b.azimuth - a.azimuth)); }

bool IntersectRays(const Ray& a, const Ray& b, PlanePosition& at) {
    const double sine = std::sin(b.azimuth - a.azimuth);
    if (sine == 0.0) return false;
    const double dx = b.from.x - a.from.x, dy = b.from.y - a.from.y;
    // a.from + ta ua = b.from + tb ub, solved by Cramer's rule.
    const double ta = (dx * std::sin(b.azimuth) - dy * std::cos(b.azimuth)) / sine;
    const double tb = (dx * std::sin(a.azimuth) - dy * std::cos(a.azimuth)) / sine;
    if (!(ta > 0.0 && tb > 0.0)) return false;
    at = PlanePosition{a.from.x + ta * std::cos(a.azimuth), a.from.y + ta * std::sin(a.azimuth)};
    return true;
}

bool IntersectCircles(const PlanePosition& a, double ra, const PlanePosition& b, double rb,
                      PlanePosition (&at)[2]) {
    const double d = PlaneDistance(a, b);
    if (!(d > 0.0)) return false;
    const double along = (ra * ra - rb * rb + d * d) / (2 * d);
    double across = ra * ra - along * along;
    if (across < 0.0) {
        const double miss = std::fmax(d - (ra + rb), std::fabs(ra - rb) - d);
        if (!(miss < 1e-3 * (ra + rb))) return false;
        across = 0.0;
    }
    across = std::sqrt(across);
    const double ux = (b.x - a.x) / d, uy = (b.y - a.y) / d;
    const double x = a.x + along * ux, y = a.y + along * uy;
    at[0] = PlanePosition{x - across * uy, y + across * ux};
    at[1] = PlanePosition{x + across * uy, y - across * ux};
    return true;
}

// With the orientation w (c = cos w, s = sin w up to one scale) and U = xc + ys, V = yc - xs, each
// sighting's condition "the target lies on the line at direction + w" is linear in (c, s, U, V):
// three sightings leave one solution, the cofactors of their rows.
Resection Resect(const Sighting (&sightings)[3]) {
    PlanePosition centre;
    for (const Sighting& s : sightings) {
        centre.x += s.target.x / 3;
        centre.y += s.target.y / 3;
    }
    double scale = 0.0;
    for (const Sighting& s : sightings) scale += PlaneDistance(centre, s.target) / 3;
    if (!(scale > 0.0)) return Resection{};
    double rows[3][4];
    for (int k = 0; k < 3; ++k) {
        const double ax = (sightings[k].target.x - centre.x) / scale;
        const double ay = (sightings[k].target.y - centre.y) / scale;
        const double sine = std::sin(sightings[k].direction),
                     cosine = std::cos(sightings[k].direction);
        const double row[4] = {ax * sine - ay * cosine, ax * cosine + ay * sine, -sine, cosine};
        const double norm = std::sqrt(row[0] * row[0] + row[1] * row[1] + 1.0);
        for (int j = 0; j < 4; ++j) rows[k][j] = row[j] / norm;
    }
    double n[4];
    for (int j = 0; j < 4; ++j) n[j] = (j % 2 == 0 ? 1 : -1) * Determinant3(rows, j);
    const double c = n[0], s = n[1], u = n[2], v = n[3];
    const double squared = c * c + s * s;
    Resection result;
    result.strength = std::sqrt(squared);
    if (!(squared > 0.0)) return result;
    result.station = PlanePosition{centre.x + scale * (u * c - v * s) / squared,
                                   centre.y + scale * (u * s + v * c) / squared};
    return result;
}

PlanePosition CarryOver(const PlanePosition& local, const PlanePosition& localFrom,
                        const PlanePosition& localTo, const PlanePosition& globalFrom,
                        const PlanePosition& globalTo) {
    const Complex turn =
        (AsComplex(globalTo) - AsComplex(globalFrom)) / (AsComplex(localTo) - AsComplex(localFrom));
    return AsPosition(AsComplex(globalFrom) + (AsComplex(local) - AsComplex(localFrom)) * turn);
}

}  // namespace traverse
