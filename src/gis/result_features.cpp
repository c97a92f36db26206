#include "gis/result_features.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "adjust/report_forms.h"
#include "platform/c_number.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

using Type = FeatureField::Type;
using PointsByName = std::unordered_map<std::string, const AdjustedPoint*>;

constexpr double kPi = 3.14159265358979323846;
constexpr int kEllipseVertices = 72;

FeatureField Text(const char* name, const std::string& utf8) {
    return {name, Type::Text, true, utf8, 0.0};
}
FeatureField Real(const char* name, bool present, double value) {
    return {name, Type::Real, present && std::isfinite(value), std::string(), value};
}
FeatureField Flag(const char* name, bool value) {
    return {name, Type::Flag, true, std::string(), value ? 1.0 : 0.0};
}
FeatureField Status(const char* name, bool has, bool fixed) {
    return {name, Type::Text, has, has ? (fixed ? "fixed" : "adjusted") : "", 0.0};
}

PlaneVertex VertexOf(const AdjustedPoint& p) {
    return {p.x, p.y, p.hasHeight, p.h};
}

ResultFeature PointFeature(const AdjustedPoint& p) {
    ResultFeature feature;
    feature.vertices.push_back(VertexOf(p));
    feature.label = GbkToUtf8(p.name);
    const bool adjusted = !p.planeFixed;
    feature.fields = {Text("name", feature.label),
                      Real("x", true, p.x),
                      Real("y", true, p.y),
                      Real("h", p.hasHeight, p.h),
                      Real("sigma_x_mm", adjusted, p.sigmaX),
                      Real("sigma_y_mm", adjusted, p.sigmaY),
                      Real("sigma_p_mm", adjusted, p.sigmaPosition),
                      Real("sigma_h_mm", p.hasHeight && !p.heightFixed, p.sigmaH),
                      Real("ellipse_a_mm", adjusted, p.ellipseMajor),
                      Real("ellipse_b_mm", adjusted, p.ellipseMinor),
                      Real("ellipse_azimuth_deg", adjusted, p.ellipseAzimuth),
                      Status("plane", true, p.planeFixed),
                      Status("height", p.hasHeight, p.heightFixed),
                      Real("latitude", p.hasGeographic, p.latitude),
                      Real("longitude", p.hasGeographic, p.longitude)};
    return feature;
}

ResultFeature ObservationFeature(const AdjustedObservation& o, const AdjustedPoint& from,
                                 const AdjustedPoint& to) {
    const bool direction = o.kind == ObservationKind::Direction;
    ResultFeature feature;
    feature.shape = FeatureShape::Line;
    feature.vertices = {VertexOf(from), VertexOf(to)};
    feature.fields = {Text("kind", ObservationKindName(o.kind)),
                      Text("station", GbkToUtf8(o.station)),
                      Text("target", GbkToUtf8(o.target)),
                      Real("value", true, direction ? o.observedRadians : o.observedMetres),
                      Real("residual", true, o.Errors().residual),
                      Real("sigma", true, o.Errors().sigma),
                      Real("redundancy", true, o.redundancy),
                      Real("w", true, o.standardizedResidual),
                      Flag("outlier", o.outlier),
                      Flag("weakly_controlled", o.weaklyControlled)};
    return feature;
}

// The standard ellipse of p, its semi-axes (mm) drawn scale times as metres.
ResultFeature EllipseFeature(const AdjustedPoint& p, double scale) {
    ResultFeature feature;
    feature.shape = FeatureShape::Polygon;
    const double azimuth = p.ellipseAzimuth * kPi / 180;
    const double a = p.ellipseMajor / 1000 * scale, b = p.ellipseMinor / 1000 * scale;
    for (int i = 0; i <= kEllipseVertices; ++i) {
        const double t = 2 * kPi * (i % kEllipseVertices) / kEllipseVertices;
        const double along = a * std::cos(t), across = b * std::sin(t);
        feature.vertices.push_back({p.x + along * std::cos(azimuth) - across * std::sin(azimuth),
                                    p.y + along * std::sin(azimuth) + across * std::cos(azimuth),
                                    p.hasHeight, p.h});
    }
    feature.fields = {Text("name", GbkToUtf8(p.name)), Real("ellipse_a_mm", true, p.ellipseMajor),
                      Real("ellipse_b_mm", true, p.ellipseMinor),
                      Real("ellipse_azimuth_deg", true, p.ellipseAzimuth),
                      Real("scale", true, scale)};
    return feature;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : "-") + GbkToUtf8(name);
    return joined;
}

ResultFeature TraverseFeature(const TraverseClosure& c, const PointsByName& points) {
    ResultFeature feature;
    feature.shape = FeatureShape::Line;
    for (const std::string& station : c.stations) {
        const auto found = points.find(station);
        if (found != points.end()) feature.vertices.push_back(VertexOf(*found->second));
    }
    const std::string relative = RelativeClosureText(c.relativeMisclosure);
    feature.label = FormatText("f_beta %+.1f\" fs %.1f mm %s", c.angularMisclosure, c.fs,
                               relative.c_str());
    feature.fields = {Text("shape", TraverseShapeName(c.shape)),
                      Text("stations", Joined(c.stations)),
                      Real("f_beta", true, c.angularMisclosure),
                      Real("f_beta_limit", true, c.angularLimit),
                      Real("fx_mm", true, c.fx),
                      Real("fy_mm", true, c.fy),
                      Real("fs_mm", true, c.fs),
                      Real("length", true, c.length),
                      Text("relative", relative),
                      Text("relative_limit", RelativeClosureText(c.relativeLimit)),
                      Flag("within_limits", c.angularWithinLimit && c.relativeWithinLimit)};
    return feature;
}

// A round 1, 2 or 5 times a power of ten that draws the largest ellipse at about 1/40 of the
// network's extent.
double EllipseScale(const std::vector<AdjustedPoint>& points) {
    double largest = 0.0, north[2] = {1e300, -1e300}, east[2] = {1e300, -1e300};
    for (const AdjustedPoint& p : points) {
        if (!p.hasPlane) continue;
        if (!p.planeFixed) largest = std::max(largest, p.ellipseMajor / 1000);
        north[0] = std::min(north[0], p.x), north[1] = std::max(north[1], p.x);
        east[0] = std::min(east[0], p.y), east[1] = std::max(east[1], p.y);
    }
    const double extent = std::max(north[1] - north[0], east[1] - east[0]);
    if (!(largest > 0) || !(extent > 0) || !std::isfinite(extent / largest)) return 1.0;
    const double wanted = std::max(1.0, extent / 40 / largest);
    const double power = std::pow(10.0, std::floor(std::log10(wanted)));
    for (const double step : {5.0, 2.0}) {
        if (step * power <= wanted) return step * power;
    }
    return power;
}

}  // namespace

ResultFeatures CollectResultFeatures(const AdjustmentResult& result) {
    ResultFeatures features;
    features.ellipseScale = EllipseScale(result.points);
    ResultLayer points{"points", {}}, observations{"observations", {}}, ellipses{"ellipses", {}},
        traverses{"traverses", {}};
    PointsByName byName;
    for (const AdjustedPoint& p : result.points) {
        if (!p.hasPlane) continue;
        byName.emplace(p.name, &p);
        points.features.push_back(PointFeature(p));
        if (!p.planeFixed) ellipses.features.push_back(EllipseFeature(p, features.ellipseScale));
    }
    for (const AdjustedObservation& o : result.observations) {
        const auto from = byName.find(o.station), to = byName.find(o.target);
        if (from == byName.end() || to == byName.end()) continue;
        observations.features.push_back(ObservationFeature(o, *from->second, *to->second));
    }
    for (const TraverseClosure& closure : result.traverses) {
        traverses.features.push_back(TraverseFeature(closure, byName));
    }
    features.layers = {points, observations, ellipses, traverses};
    return features;
}

}  // namespace traverse
