#include "adjust/statistics/adjustment_results.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "adjust/statistics/error_ellipse.h"
#include "adjust/statistics/observation_statistics.h"
#include "records/circle.h"
#include "traverse/angle.h"
#include "traverse/point3d.h"

namespace traverse {
namespace {

constexpr double kMillimetres = 1000.0;

// sigma x, sigma y and the standard error ellipse from the cofactors qxx, qyy, qxy (m^2).
void SetPrecision(double qxx, double qyy, double qxy, AdjustedPoint& point) {
    point.sigmaX = std::sqrt(std::max(qxx, 0.0)) * kMillimetres;
    point.sigmaY = std::sqrt(std::max(qyy, 0.0)) * kMillimetres;
    point.sigmaPosition = std::hypot(point.sigmaX, point.sigmaY);
    const ErrorEllipse ellipse = EllipseOf(qxx, qyy, qxy);
    point.ellipseMajor = ellipse.major * kMillimetres;
    point.ellipseMinor = ellipse.minor * kMillimetres;
    point.ellipseAzimuth = ellipse.azimuth;
}

AdjustedPoint PointResult(const NetworkPoint& from, int planeUnknown, int heightUnknown,
                          const NormalEquations* plane, const NormalEquations* heights) {
    AdjustedPoint point;
    point.name = from.name;
    point.hasPlane = from.hasPlane;
    point.planeFixed = from.planeKnown;
    point.hasHeight = from.hasHeight;
    point.heightFixed = from.heightKnown;
    point.x = from.hasPlane ? from.x : UNSET_COORD;
    point.y = from.hasPlane ? from.y : UNSET_COORD;
    point.h = from.hasHeight ? from.h : UNSET_COORD;
    if (planeUnknown >= 0) {
        SetPrecision(plane->Cofactor(planeUnknown, planeUnknown),
                     plane->Cofactor(planeUnknown + 1, planeUnknown + 1),
                     plane->Cofactor(planeUnknown, planeUnknown + 1), point);
    }
    if (heightUnknown >= 0) {
        point.sigmaH = std::sqrt(std::max(heights->Cofactor(heightUnknown, heightUnknown), 0.0)) *
                       kMillimetres;
    }
    return point;
}

AdjustedObservation Observation(const Network& network, ObservationKind kind, int stationIndex,
                                int from, int to) {
    AdjustedObservation o;
    o.kind = kind;
    o.stationIndex = stationIndex;
    o.station = network.points[from].name;
    o.target = network.points[to].name;
    const NetworkPoint& a = network.points[from];
    const NetworkPoint& b = network.points[to];
    o.horizontalDistance = std::hypot(b.x - a.x, b.y - a.y);
    return o;
}

}  // namespace

std::vector<AdjustedPoint> PointResults(const Network& network, const PlaneAdjustment& plane,
                                        const HeightAdjustment& heights) {
    std::vector<AdjustedPoint> points;
    for (std::size_t p = 0; p < network.points.size(); ++p) {
        const NetworkPoint& point = network.points[p];
        if (!point.hasPlane && !point.hasHeight) continue;
        points.push_back(PointResult(point, plane.unknowns.point[p], heights.unknown[p],
                                     plane.adjusted.normal.get(), heights.adjusted.normal.get()));
    }
    return points;
}

std::vector<AdjustedObservation> ObservationResults(const Network& network,
                                                    const PlaneAdjustment& plane,
                                                    const HeightAdjustment& heights,
                                                    const AdjustmentSettings& settings) {
    std::vector<AdjustedObservation> directions, distances, differences;
    std::size_t row = 0;
    for (const Direction& d : network.directions) {
        const DirectionSet& set = network.sets[d.set];
        directions.push_back(Observation(network, ObservationKind::Direction, set.stationIndex,
                                         set.station, d.target));
        FillStatistics(plane.adjusted, row, SECONDS_PER_RAD, settings, directions.back());
        directions.back().observedRadians = d.value;
        directions.back().adjustedRadians = WrapTurn(d.value + plane.adjusted.residuals[row++]);
    }
    for (const Distance& d : network.distances) {
        distances.push_back(
            Observation(network, ObservationKind::Distance, d.stationIndex, d.from, d.to));
        FillStatistics(plane.adjusted, row, kMillimetres, settings, distances.back());
        distances.back().observedMetres = d.value;
        distances.back().adjustedMetres = d.value + plane.adjusted.residuals[row++];
    }
    for (std::size_t r = 0; r < heights.used.size(); ++r) {
        const HeightDifference& d = network.heights[heights.used[r]];
        differences.push_back(
            Observation(network, ObservationKind::HeightDifference, d.stationIndex, d.from, d.to));
        differences.back().horizontalDistance = d.distance;
        FillStatistics(heights.adjusted, r, kMillimetres, settings, differences.back());
        differences.back().observedMetres = d.value;
        differences.back().adjustedMetres = d.value + heights.adjusted.residuals[r];
    }
    // Each list is in station order already; merging keeps directions before distances before
    // height differences within a station.
    const auto byStation = [](const AdjustedObservation& a, const AdjustedObservation& b) {
        return a.stationIndex < b.stationIndex;
    };
    std::vector<AdjustedObservation> planeObservations, out;
    planeObservations.reserve(directions.size() + distances.size());
    std::merge(std::make_move_iterator(directions.begin()),
               std::make_move_iterator(directions.end()),
               std::make_move_iterator(distances.begin()), std::make_move_iterator(distances.end()),
               std::back_inserter(planeObservations), byStation);
    out.reserve(planeObservations.size() + differences.size());
    std::merge(std::make_move_iterator(planeObservations.begin()),
               std::make_move_iterator(planeObservations.end()),
               std::make_move_iterator(differences.begin()),
               std::make_move_iterator(differences.end()), std::back_inserter(out), byStation);
    return out;
}

}  // namespace traverse
