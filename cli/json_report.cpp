#include "json_report.h"

#include "traverse/code_page.h"
#include "traverse/import_contents.h"

namespace traverse_cli {
namespace {

using traverse::CSurveyTurn;
using traverse::GbkToUtf8;

Json CheckItems(const std::vector<traverse::TAGCheckInfo>& items) {
    Json list = Json::array();
    for (const traverse::TAGCheckInfo& item : items) {
        list.push_back(Json{{"code", item.m_nFlag}, {"limit", item.m_dLimit}});
    }
    return list;
}

Json Records(const CSurveyTurn& turn) {
    Json records = Json::array();
    for (const traverse::CBaseObserve& observe : turn.m_arrObserve) {
        records.push_back(
            Json{{"target", GbkToUtf8(observe.m_strName)}, {"values", observe.m_arrValue}});
    }
    return records;
}

Json Rounds(const std::vector<CSurveyTurn>& turns) {
    Json rounds = Json::array();
    for (const CSurveyTurn& turn : turns) rounds.push_back(Records(turn));
    return rounds;
}

Json Station(const traverse::CPoint3D& station) {
    const traverse::TAGStationObserve* block = traverse::StationBlock(station);
    traverse::TAGStationObserve empty{};
    const traverse::TAGStationObserve& data = block != nullptr ? *block : empty;
    // Floats are widened to double, so the JSON shows the value the library holds.
    return Json{{"name", GbkToUtf8(station.m_strName)},
                {"has_block", block != nullptr},
                {"instrument_height", static_cast<double>(data.m_info.m_fInstrumentHeight)},
                {"pressure", static_cast<double>(data.m_info.m_fPressure)},
                {"temperature", static_cast<double>(data.m_info.m_fTemperature)},
                {"add_const", static_cast<double>(data.m_info.m_fAddConst)},
                {"mul_const", static_cast<double>(data.m_info.m_fMulConst)},
                {"horizontal", Rounds(data.m_arrHAngle)},
                {"zenith", Rounds(data.m_arrZenith)},
                {"distance", Rounds(data.m_arrDistance)},
                {"target_height", Rounds(data.m_arrTargetHeight)}};
}

// A limit that does not exist is null.
Json Limit(traverse::LimitSource source, double limit) {
    return source == traverse::LimitSource::None ? Json(nullptr) : Json(limit);
}

Json Face(int face) { return face == 1 ? Json("L") : face == 2 ? Json("R") : Json(nullptr); }

// Where a value stands: station, round (null over the rounds), target (null for a whole round),
// face (null but for 1002).
Json Where(const traverse::FieldCheckValue& value) {
    return Json{{"station", GbkToUtf8(value.station)},
                {"round", value.round == 0 ? Json(nullptr) : Json(value.round)},
                {"target", value.target.empty() ? Json(nullptr) : Json(GbkToUtf8(value.target))},
                {"face", Face(value.face)}};
}

Json FieldCheckItem(const traverse::FieldCheckValue& value) {
    Json item{{"code", value.code}, {"item", GbkToUtf8(traverse::FieldCheckItemName(value.code))}};
    item.update(Where(value));
    item.update(Json{{"value", value.value},
                     {"limit", Limit(value.limitSource, value.limit)},
                     {"limit_source", traverse::LimitSourceName(value.limitSource)},
                     {"exceeded", value.exceeded}});
    return item;
}

Json FieldCheckSummaryItem(const traverse::FieldCheckSummary& summary) {
    Json worst = nullptr;
    if (summary.count > 0) {
        worst = Json{{"value", summary.worst.value}};
        worst.update(Where(summary.worst));
    }
    return Json{{"code", summary.code},
                {"item", GbkToUtf8(traverse::FieldCheckItemName(summary.code))},
                {"limit", Limit(summary.limitSource, summary.limit)},
                {"limit_source", traverse::LimitSourceName(summary.limitSource)},
                {"limit_origin", summary.limitOrigin},
                {"count", summary.count},
                {"exceeded", summary.exceededCount},
                {"worst", worst}};
}

// Which reduction of the distances ran: "crs", "gauss_plane", "surface" or "none".
const char* ReductionName(const traverse::AdjustmentSettings& s) {
    if (s.reducedWithCrs) return "crs";
    if (s.yOffset) return "gauss_plane";
    return s.surfaceHeight ? "surface" : "none";
}

Json Settings(const traverse::AdjustmentSettings& s) {
    const bool propagated = s.heightSigmaSource == traverse::SettingSource::Instrument;
    return Json{{"grade", traverse::TraverseGradeName(s.grade)},
                {"grade_given", s.gradeSource == traverse::SettingSource::Option},
                {"sigma_direction", s.directionSigma},
                {"sigma_direction_source", traverse::SettingSourceName(s.directionSigmaSource)},
                {"sigma_distance_mm", s.distanceSigmaA},
                {"sigma_distance_mm_source", traverse::SettingSourceName(s.distanceSigmaASource)},
                {"sigma_distance_ppm", s.distanceSigmaB},
                {"sigma_distance_ppm_source", traverse::SettingSourceName(s.distanceSigmaBSource)},
                {"sigma_height_mm_per_km", propagated ? Json(nullptr) : Json(s.heightSigma)},
                {"sigma_height_source", traverse::SettingSourceName(s.heightSigmaSource)},
                {"angular_closure_factor", s.angularClosureFactor},
                {"relative_closure_limit", s.relativeClosureLimit},
                {"height_order", s.heightOrder},
                {"reciprocal_height_factor", s.reciprocalHeightFactor},
                {"refraction", s.refraction},
                {"earth_radius", s.earthRadius},
                {"surface_height", s.surfaceHeight ? Json(*s.surfaceHeight) : Json(nullptr)},
                {"y_offset", s.yOffset ? Json(*s.yOffset) : Json(nullptr)},
                {"crs", s.reducedWithCrs ? Json(s.crs) : Json(nullptr)},
                {"crs_name", s.reducedWithCrs ? Json(s.crsName) : Json(nullptr)},
                {"reduction", ReductionName(s)},
                {"alpha", s.alpha},
                {"w_critical", s.wTestCritical},
                {"mdb_delta0", s.mdbDelta0},
                {"confidence", s.confidence ? Json(*s.confidence) : Json(nullptr)},
                {"ellipse_scale", s.ellipseScale}};
}

Json Names(const std::vector<std::string>& gbkNames) {
    Json names = Json::array();
    for (const std::string& name : gbkNames) names.push_back(GbkToUtf8(name));
    return names;
}

Json Traverse(const traverse::TraverseClosure& t) {
    return Json{{"shape", traverse::TraverseShapeName(t.shape)},
                {"stations", Names(t.stations)},
                {"start_orientation", GbkToUtf8(t.startOrientation)},
                {"end_orientation", GbkToUtf8(t.endOrientation)},
                {"angles", t.angleCount},
                {"f_beta", t.angularMisclosure},
                {"f_beta_limit", t.angularLimit},
                {"f_beta_within_limit", t.angularWithinLimit},
                {"length", t.length},
                {"fx_mm", t.fx},
                {"fy_mm", t.fy},
                {"fs_mm", t.fs},
                {"relative", t.relativeMisclosure},
                {"relative_limit", t.relativeLimit},
                {"relative_within_limit", t.relativeWithinLimit}};
}

Json Reciprocal(const traverse::ReciprocalCheck& c) {
    return Json{{"kind", traverse::ReciprocalKindName(c.kind)},
                {"from", GbkToUtf8(c.from)},
                {"to", GbkToUtf8(c.to)},
                {"forward", c.forward},
                {"backward", c.backward},
                {"distance", c.distance},
                {"difference_mm", c.difference},
                {"limit_mm", c.limit},
                {"within_limit", c.withinLimit}};
}

// One figure against the grade: its unit is the item's (arc seconds, mm, a ratio, metres, sides).
Json Precision(const traverse::PrecisionJudgement& j) {
    return Json{{"item", traverse::PrecisionItemName(j.item)},
                {"traverse", j.traverse.empty() ? Json(nullptr) : Json(GbkToUtf8(j.traverse))},
                {"count", j.count},
                {"value", j.value},
                {"mean_side", j.meanSide > 0 ? Json(j.meanSide) : Json(nullptr)},
                {"limit", j.limit},
                {"judged", j.judged},
                {"within_limit", j.withinLimit}};
}

Json Test(const traverse::ModelTest& t) {
    return Json{{"observations", t.observations}, {"unknowns", t.unknowns},
                {"redundancy", t.redundancy},     {"vtpv", t.weightedSquareSum},
                {"sigma0", t.sigma0},             {"lower_bound", t.lowerBound},
                {"upper_bound", t.upperBound},    {"applicable", t.applicable},
                {"passed", t.passed}};
}

// A coordinate the point does not have is null.
Json Coordinate(bool has, double value) { return has ? Json(value) : Json(nullptr); }

Json Point(const traverse::AdjustedPoint& p, double ellipseScale) {
    return Json{
        {"name", GbkToUtf8(p.name)},
        {"x", Coordinate(p.hasPlane, p.x)},
        {"y", Coordinate(p.hasPlane, p.y)},
        {"h", Coordinate(p.hasHeight, p.h)},
        {"plane", p.hasPlane ? Json(p.planeFixed ? "fixed" : "adjusted") : Json(nullptr)},
        {"height", p.hasHeight ? Json(p.heightFixed ? "fixed" : "adjusted") : Json(nullptr)},
        {"sigma_x_mm", p.sigmaX},
        {"sigma_y_mm", p.sigmaY},
        {"sigma_p_mm", p.sigmaPosition},
        {"ellipse_a_mm", p.ellipseMajor},
        {"ellipse_b_mm", p.ellipseMinor},
        {"ellipse_azimuth_deg", p.ellipseAzimuth},
        {"confidence_ellipse_a_mm", p.ellipseMajor * ellipseScale},
        {"confidence_ellipse_b_mm", p.ellipseMinor * ellipseScale},
        {"sigma_h_mm", p.sigmaH},
        {"latitude", Coordinate(p.hasGeographic, p.latitude)},
        {"longitude", Coordinate(p.hasGeographic, p.longitude)},
        {"convergence_deg", Coordinate(p.hasGeographic, p.convergence)},
        {"scale_factor", Coordinate(p.hasGeographic, p.scaleFactor)}};
}

Json Side(const traverse::AdjustedSide& s, double ellipseScale) {
    return Json{{"from", GbkToUtf8(s.from)},
                {"to", GbkToUtf8(s.to)},
                {"azimuth", s.azimuth},
                {"length", s.length},
                {"sigma_length_mm", s.sigmaLength},
                {"relative_sigma", s.relativeSigma},
                {"sigma_azimuth_sec", s.sigmaAzimuth},
                {"ellipse_a_mm", s.ellipseMajor},
                {"ellipse_b_mm", s.ellipseMinor},
                {"ellipse_azimuth_deg", s.ellipseAzimuth},
                {"confidence_ellipse_a_mm", s.ellipseMajor * ellipseScale},
                {"confidence_ellipse_b_mm", s.ellipseMinor * ellipseScale}};
}

Json Orientation(const traverse::AdjustedOrientation& o) {
    return Json{
        {"station", GbkToUtf8(o.station)}, {"orientation", o.orientation}, {"sigma_sec", o.sigma}};
}

// The index of a weakest point or side, or null when there is none.
Json Index(int index) { return index >= 0 ? Json(index) : Json(nullptr); }

// One key per quantity, its unit chosen by the kind, as the README says.
Json Observation(const traverse::AdjustedObservation& o) {
    const bool direction = o.kind == traverse::ObservationKind::Direction;
    return Json{{"kind", traverse::ObservationKindName(o.kind)},
                {"station", GbkToUtf8(o.station)},
                {"target", GbkToUtf8(o.target)},
                {"value", direction ? o.observedRadians : o.observedMetres},
                {"adjusted", direction ? o.adjustedRadians : o.adjustedMetres},
                {"horizontal_distance", o.horizontalDistance},
                {"sigma", o.Errors().sigma},
                {"adjusted_sigma", o.Errors().adjustedSigma},
                {"residual", o.Errors().residual},
                {"redundancy", o.redundancy},
                {"w", o.standardizedResidual},
                {"mdb", o.Errors().mdb},
                {"outlier", o.outlier},
                {"weakly_controlled", o.weaklyControlled}};
}

template <typename T, typename Convert>
Json Array(const std::vector<T>& items, Convert convert) {
    Json list = Json::array();
    for (const T& item : items) list.push_back(convert(item));
    return list;
}

}  // namespace

Json AdjustmentObject(const traverse::AdjustmentResult& result) {
    const auto scaled = [&result](auto convert) {
        return [&result, convert](const auto& item) {
            return convert(item, result.settings.ellipseScale);
        };
    };
    return Json{{"command", "adjust"},
                {"result", traverse::AdjustmentWithinLimits(result) ? 0u : traverse::RESULT_FAILED},
                {"status", traverse::AdjustmentStatusName(result.status)},
                {"error", GbkToUtf8(result.error)},
                {"settings", Settings(result.settings)},
                {"notes", Names(result.notes)},
                {"closures",
                 {{"simple_traverse", result.simpleTraverse},
                  {"traverses", Array(result.traverses, Traverse)},
                  {"reciprocal", Array(result.reciprocalChecks, Reciprocal)}}},
                {"precision", Array(result.precision, Precision)},
                {"tests",
                 {{"plane", Test(result.plane)},
                  {"height", Test(result.height)},
                  {"global", Test(result.global)}}},
                {"iterations", result.iterations},
                {"points", Array(result.points, scaled(Point))},
                {"observations", Array(result.observations, Observation)},
                {"sides", Array(result.sides, scaled(Side))},
                {"orientations", Array(result.orientations, Orientation)},
                {"weakest_point", Index(result.weakestPoint)},
                {"weakest_side", Index(result.weakestSide)}};
}

Json FieldChecksObject(const traverse::FieldCheckResult& result) {
    Json items = Json::array();
    for (const traverse::FieldCheckValue& value : result.values)
        items.push_back(FieldCheckItem(value));
    Json summary = Json::array();
    for (const traverse::FieldCheckSummary& item : result.summary)
        summary.push_back(FieldCheckSummaryItem(item));
    Json leftOut = Json::array();
    for (const traverse::LeftOutRound& round : result.leftOutRounds) {
        leftOut.push_back(Json{{"station", GbkToUtf8(round.station)},
                               {"round", round.round},
                               {"opening", GbkToUtf8(round.opening)},
                               {"orientation", GbkToUtf8(round.orientation)}});
    }
    return Json{{"command", "field-checks"},
                {"result", result.exceededCount == 0 ? 0u : traverse::RESULT_FAILED},
                {"grade", result.hasGrade ? Json(TraverseGradeName(result.grade)) : Json(nullptr)},
                {"grade_defaulted", result.gradeDefaulted},
                {"items", items},
                {"summary", summary},
                {"left_out_rounds", leftOut}};
}

Json ImportWarnings(const traverse::CImportXml& importer) {
    Json warnings = Json::array();
    for (const traverse::ValueNotNumber& value : traverse::FindValuesNotNumbers(importer)) {
        warnings.push_back(Json{{"warning", "not_a_number"},
                                {"kind", traverse::ValueKindName(value.kind)},
                                {"station", GbkToUtf8(value.station)},
                                {"round", value.round == 0 ? Json(nullptr) : Json(value.round)},
                                {"element", GbkToUtf8(value.element)},
                                {"attribute", GbkToUtf8(value.attribute)},
                                {"text", GbkToUtf8(value.text)},
                                {"line", value.line},
                                {"message", GbkToUtf8(traverse::DescribeValueNotNumber(value))}});
    }
    return warnings;
}

Json ImportData(const traverse::CImportXml& importer) {
    Json points = Json::array();
    for (const traverse::CPoint3D& point : importer.m_arrKnownPoint) {
        points.push_back(Json{{"name", GbkToUtf8(point.m_strName)},
                              {"x", point.m_dX},
                              {"y", point.m_dY},
                              {"h", point.m_dZ}});
    }
    Json stations = Json::array();
    for (const traverse::CPoint3D* station : importer.m_arrStation)
        stations.push_back(Station(*station));
    return Json{{"checks",
                 {{"horizontal", CheckItems(importer.m_arrHAngleCheck)},
                  {"vertical", CheckItems(importer.m_arrVAngleCheck)},
                  {"distance", CheckItems(importer.m_arrDistCheck)}}},
                {"known_points", points},
                {"stations", stations}};
}

}  // namespace traverse_cli
