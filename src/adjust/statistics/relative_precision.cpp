#include "adjust/statistics/relative_precision.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_set>

#include "adjust/statistics/error_ellipse.h"
#include "records/circle.h"
#include "traverse/angle.h"

namespace traverse {
namespace {

constexpr double kMillimetres = 1000.0;

// The cofactors (m^2) of the coordinate differences to - from: Q_tt + Q_ff - Q_tf - Q_ft, the
// blocks of a fixed end left out.
struct DifferenceCofactors {
    double xx = 0.0, yy = 0.0, xy = 0.0;
};

DifferenceCofactors Difference(const NormalEquations& normal, int from, int to) {
    DifferenceCofactors q;
    const auto add = [&](int a, int b, double sign) {
        if (a < 0 || b < 0) return;
        q.xx += sign * normal.Cofactor(a, b);
        q.yy += sign * normal.Cofactor(a + 1, b + 1);
        q.xy += sign * (normal.Cofactor(a, b + 1) + normal.Cofactor(a + 1, b)) / 2;
    };
    add(to, to, 1.0);
    add(from, from, 1.0);
    add(to, from, -1.0);
    add(from, to, -1.0);
    return q;
}

AdjustedSide Side(const Network& network, const PlaneAdjustment& plane, int from, int to) {
    const NetworkPoint& a = network.points[from];
    const NetworkPoint& b = network.points[to];
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length = std::hypot(dx, dy);
    const DifferenceCofactors q =
        Difference(*plane.adjusted.normal, plane.unknowns.point[from], plane.unknowns.point[to]);
    AdjustedSide side;
    side.from = a.name;
    side.to = b.name;
    side.azimuth = WrapTurn(std::atan2(dy, dx));
    side.length = length;
    // The length along (dx, dy) / D, the azimuth across it over D.
    const double along = (dx * dx * q.xx + 2 * dx * dy * q.xy + dy * dy * q.yy) / (length * length);
    const double across =
        (dy * dy * q.xx - 2 * dx * dy * q.xy + dx * dx * q.yy) / (length * length);
    side.sigmaLength = std::sqrt(std::max(along, 0.0)) * kMillimetres;
    side.sigmaAzimuth = std::sqrt(std::max(across, 0.0)) / length * SECONDS_PER_RAD;
    side.relativeSigma = side.sigmaLength / kMillimetres / length;
    const ErrorEllipse ellipse = EllipseOf(q.xx, q.yy, q.xy);
    side.ellipseMajor = ellipse.major * kMillimetres;
    side.ellipseMinor = ellipse.minor * kMillimetres;
    side.ellipseAzimuth = ellipse.azimuth;
    return side;
}

class SideCollector {
public:
    SideCollector(const Network& network, const PlaneAdjustment& plane)
        : m_network(network), m_plane(plane) {}

    void Add(int from, int to) {
        const std::vector<int>& unknown = m_plane.unknowns.point;
        if (unknown[from] < 0 && unknown[to] < 0) return;
        const auto low = static_cast<std::uint64_t>(std::min(from, to));
        const auto high = static_cast<std::uint64_t>(std::max(from, to));
        if (!m_joined.insert(low << 32 | high).second) return;
        m_sides.push_back(Side(m_network, m_plane, from, to));
    }

    std::vector<AdjustedSide> Take() { return std::move(m_sides); }

private:
    const Network& m_network;
    const PlaneAdjustment& m_plane;
    std::unordered_set<std::uint64_t> m_joined;
    std::vector<AdjustedSide> m_sides;
};

}  // namespace

std::vector<AdjustedSide> SideResults(const Network& network, const PlaneAdjustment& plane) {
    SideCollector sides(network, plane);
    // Directions and distances in station order, as the observations are listed.
    std::size_t distance = 0;
    for (const DirectionSet& set : network.sets) {
        while (distance < network.distances.size() &&
               network.distances[distance].stationIndex < set.stationIndex) {
            sides.Add(network.distances[distance].from, network.distances[distance].to);
            ++distance;
        }
        for (int d : set.directions) sides.Add(set.station, network.directions[d].target);
    }
    for (; distance < network.distances.size(); ++distance)
        sides.Add(network.distances[distance].from, network.distances[distance].to);
    return sides.Take();
}

std::vector<AdjustedOrientation> OrientationResults(const Network& network,
                                                    const PlaneAdjustment& plane) {
    std::vector<AdjustedOrientation> orientations;
    for (std::size_t s = 0; s < network.sets.size(); ++s) {
        const int unknown = plane.unknowns.set[s];
        if (unknown < 0) continue;
        const DirectionSet& set = network.sets[s];
        AdjustedOrientation o;
        o.stationIndex = set.stationIndex;
        o.station = network.points[set.station].name;
        o.orientation = WrapTurn(set.orientation);
        o.sigma = std::sqrt(std::max(plane.adjusted.normal->Cofactor(unknown, unknown), 0.0)) *
                  SECONDS_PER_RAD;
        orientations.push_back(o);
    }
    return orientations;
}

void FindWeakest(AdjustmentResult& result) {
    result.weakestPoint = -1;
    for (std::size_t p = 0; p < result.points.size(); ++p) {
        const AdjustedPoint& point = result.points[p];
        if (!point.hasPlane || point.planeFixed) continue;
        if (result.weakestPoint < 0 ||
            point.sigmaPosition > result.points[result.weakestPoint].sigmaPosition)
            result.weakestPoint = static_cast<int>(p);
    }
    result.weakestSide = -1;
    for (std::size_t s = 0; s < result.sides.size(); ++s) {
        if (result.weakestSide < 0 ||
            result.sides[s].relativeSigma > result.sides[result.weakestSide].relativeSigma)
            result.weakestSide = static_cast<int>(s);
    }
}

}  // namespace traverse
