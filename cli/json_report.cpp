#include "json_report.h"

#include "traverse/code_page.h"

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
        records.push_back(Json{{"target", GbkToUtf8(observe.m_strName)}, {"values", observe.m_arrValue}});
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

}  // namespace

Json FieldChecksObject(const traverse::FieldCheckResult& result) {
    Json items = Json::array();
    for (const traverse::FieldCheckValue& value : result.values) items.push_back(FieldCheckItem(value));
    Json summary = Json::array();
    for (const traverse::FieldCheckSummary& item : result.summary) summary.push_back(FieldCheckSummaryItem(item));
    return Json{{"command", "field-checks"},
                {"result", result.exceededCount == 0 ? 0u : traverse::RESULT_FAILED},
                {"items", items},
                {"summary", summary}};
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
    for (const traverse::CPoint3D* station : importer.m_arrStation) stations.push_back(Station(*station));
    return Json{{"checks",
                 {{"horizontal", CheckItems(importer.m_arrHAngleCheck)},
                  {"vertical", CheckItems(importer.m_arrVAngleCheck)},
                  {"distance", CheckItems(importer.m_arrDistCheck)}}},
                {"known_points", points},
                {"stations", stations}};
}

}  // namespace traverse_cli
