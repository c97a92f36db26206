#include "support/field_records.h"

#include <cmath>

#include "platform/c_number.h"
#include "records/circle.h"
#include "records/station_ownership.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"
#include "traverse/field_checks.h"

namespace traverse {
namespace {

constexpr char kAngleFormat[] = "%.5f";     // packed DMS to a tenth of a second
constexpr char kDistanceFormat[] = "%.4f";  // metres to a tenth of a millimetre

// A direction booked: wrapped onto the circle, to the tenth of a second, as packed DMS read back
// from its text, so that the records and an import of their file hold the same doubles.
double BookAngle(double radians) {
    const double tenths = std::round(RadToSecond(WrapTurn(radians)) * 10.0);
    return AToF(FormatText(kAngleFormat, RadianToDms(SecondToRad(tenths / 10.0))));
}

double BookDistance(double metres) { return AToF(FormatText(kDistanceFormat, metres)); }

double Uniform(std::mt19937& random, double halfWidth) {
    return std::uniform_real_distribution<double>(-halfWidth, halfWidth)(random);
}

CBaseObserve Record(const std::string& utf8Name) {
    CBaseObserve record;
    record.m_strName = Utf8ToGbk(utf8Name);
    return record;
}

void AddHorizontalRound(TAGStationObserve& block, const TrueStation& station, double orientation,
                        const Noise& noise, std::mt19937& random) {
    CSurveyTurn& round = block.m_arrHAngle.emplace_back();
    std::vector<const TrueTarget*> order;
    for (const TrueTarget& target : station.targets) order.push_back(&target);
    if (station.closeRounds) order.push_back(&station.targets.front());
    for (const TrueTarget* target : order) {
        CBaseObserve& record = round.m_arrObserve.emplace_back(Record(target->name));
        const double left = orientation + target->direction + station.collimation;
        const double right = orientation + target->direction + PI - station.collimation;
        record.m_arrValue = {BookAngle(left + Uniform(random, noise.angle)),
                             BookAngle(right + Uniform(random, noise.angle))};
    }
}

// Face left reads z + i, face right 360 degrees - z + i.
void AddZenithRound(TAGStationObserve& block, const TrueStation& station, const Noise& noise,
                    std::mt19937& random) {
    CSurveyTurn& round = block.m_arrZenith.emplace_back();
    for (const TrueTarget& target : station.targets) {
        CBaseObserve& record = round.m_arrObserve.emplace_back(Record(target.name));
        record.m_arrValue = {
            BookAngle(target.zenith + station.indexError + Uniform(random, noise.angle)),
            BookAngle(TWO_PI - target.zenith + station.indexError + Uniform(random, noise.angle))};
    }
}

void AddDistanceRound(TAGStationObserve& block, const TrueStation& station, const Noise& noise,
                      std::mt19937& random) {
    CSurveyTurn& round = block.m_arrDistance.emplace_back();
    for (const TrueTarget& target : station.targets) {
        CBaseObserve& record = round.m_arrObserve.emplace_back(Record(target.name));
        for (std::size_t i = 0; i < station.readings; ++i) {
            record.m_arrValue.push_back(
                BookDistance(target.distance + Uniform(random, noise.distance)));
        }
    }
}

void ShiftAngle(double& dms, double seconds) {
    dms = BookAngle(DmsToRadian(dms) + seconds * kSecond);
}

void ShiftDistance(double& metres, double millimetres) {
    metres = BookDistance(metres + millimetres / 1000.0);
}

}  // namespace

TAGStationObserve& AddTrueStation(CImportXml& importer, const TrueStation& station,
                                  const Noise& noise, std::mt19937& random) {
    CPoint3D* point = AppendNewStation(importer.m_arrStation);
    point->m_strName = Utf8ToGbk(station.name);
    TAGStationObserve& block = *StationBlock(*point);
    for (const double orientation : station.orientations) {
        AddHorizontalRound(block, station, orientation, noise, random);
    }
    for (std::size_t r = 0; r < station.zenithRounds; ++r) {
        AddZenithRound(block, station, noise, random);
    }
    for (std::size_t r = 0; r < station.distanceRounds; ++r) {
        AddDistanceRound(block, station, noise, random);
    }
    return block;
}

void Inject2C(CBaseObserve& record, double seconds) {
    ShiftAngle(record.m_arrValue[0], seconds / 2);
    ShiftAngle(record.m_arrValue[1], -seconds / 2);
}

void InjectFaceShift(CBaseObserve& record, int face, double seconds) {
    ShiftAngle(record.m_arrValue[face == 1 ? 0 : 1], seconds);
}

void InjectBothFaces(CBaseObserve& record, double seconds) {
    ShiftAngle(record.m_arrValue[0], seconds);
    ShiftAngle(record.m_arrValue[1], seconds);
}

void InjectVerticalAngle(CBaseObserve& record, double seconds) {
    ShiftAngle(record.m_arrValue[0], -seconds);
    ShiftAngle(record.m_arrValue[1], seconds);
}

void InjectReadingSpread(CBaseObserve& record, double millimetres) {
    ShiftDistance(record.m_arrValue[0], millimetres / 2);
    ShiftDistance(record.m_arrValue[1], -millimetres / 2);
}

void InjectDistanceShift(CBaseObserve& record, double millimetres) {
    for (double& reading : record.m_arrValue) ShiftDistance(reading, millimetres);
}

namespace {

std::string Utf8(const std::string& gbk) { return GbkToUtf8(gbk); }

void AppendTolerances(const CImportXml& importer, std::string& body) {
    const struct {
        const char* group;
        const std::vector<TAGCheckInfo>* items;
    } groups[] = {{"水平角", &importer.m_arrHAngleCheck},
                  {"垂直角", &importer.m_arrVAngleCheck},
                  {"距离", &importer.m_arrDistCheck}};
    body += "  <检查限差>\n";
    for (const auto& group : groups) {
        body += std::string("    <") + group.group + ">";
        for (const TAGCheckInfo& item : *group.items) {
            body += FormatText("<%s 限差=\"%g\"/>", Utf8(FieldCheckItemName(item.m_nFlag)).c_str(),
                               item.m_dLimit);
        }
        body += std::string("</") + group.group + ">\n";
    }
    body += "  </检查限差>\n";
}

// One set of rounds; angle records with face left and face right, distance records with values.
void AppendRounds(const char* set, const std::vector<CSurveyTurn>& rounds, bool angles,
                  std::string& body) {
    if (rounds.empty()) return;
    body += std::string("      <") + set + ">\n";
    for (const CSurveyTurn& round : rounds) {
        body += "        <测回>\n";
        for (const CBaseObserve& record : round.m_arrObserve) {
            const std::vector<double>& values = record.m_arrValue;
            body += "          <" + Utf8(record.m_strName);
            if (angles) {
                body += " 盘左=\"" + FormatText(kAngleFormat, values[0]) + "\" 盘右=\"" +
                        FormatText(kAngleFormat, values[1]) + "\"/>\n";
                continue;
            }
            body += " 值=\"";
            for (std::size_t i = 0; i < values.size(); ++i) {
                body += (i == 0 ? "" : " ") + FormatText(kDistanceFormat, values[i]);
            }
            body += "\"/>\n";
        }
        body += "        </测回>\n";
    }
    body += std::string("      </") + set + ">\n";
}

}  // namespace

std::string RecordFileBody(const CImportXml& importer) {
    std::string body = "<导线观测记录>\n";
    AppendTolerances(importer, body);
    body += "  <观测值>\n";
    for (const CPoint3D* station : importer.m_arrStation) {
        const TAGStationObserve& block = *StationBlock(*station);
        body += FormatText("    <测站 点名=\"%s\" 仪器高=\"%.3f\">\n",
                           Utf8(station->m_strName).c_str(), block.m_info.m_fInstrumentHeight);
        AppendRounds("水平角", block.m_arrHAngle, true, body);
        AppendRounds("天顶距", block.m_arrZenith, true, body);
        AppendRounds("斜距", block.m_arrDistance, false, body);
        body += "    </测站>\n";
    }
    body += "  </观测值>\n</导线观测记录>\n";
    return body;
}

}  // namespace traverse
