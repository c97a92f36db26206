// The adjustment input file: known points between "<<" marker lines, then per station its
// instrument height and the mean reduced directions (c0), zenith distances (z0), corrected slope
// distances (s0) and target heights (v0). Tab-separated, CR LF line ends, GBK names.
#include <cmath>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "export/direction_mean.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "platform/text_file.h"
#include "traverse/angle.h"
#include "traverse/dms.h"
#include "traverse/exceptions.h"
#include "traverse/import_xml.h"
#include "traverse/message_box.h"
#include "traverse/point3d.h"
#include "traverse/survey_records.h"

namespace traverse {
namespace {

// An orientation this close to 3.14 rad is taken for a face-right reading booked as face left and
// turned back by pi. The window is centred on 3.14, not on pi, as the files in use expect.
constexpr double kHalfTurnOrientation = 3.14;
constexpr double kHalfTurnWindow = 0.01;

using Names = std::vector<std::string>;
using Values = std::vector<double>;

// Angle records give face left [0] and face right [1]; shorter ones must never be read.
bool HasTwoReadings(const CBaseObserve& observe) { return observe.m_arrValue.size() >= 2; }

// A reduced direction (radians, [0, 2*pi)) in packed DMS as the file shows it, in [0, 360): one
// that would print as a full turn, 360.000000, is the orientation itself and prints as 0.
double DirectionDms(double radians) {
    const double dms = RadianToDms(radians);
    return dms >= 360.0 - 5e-7 ? 0.0 : dms;
}

// Plain mean, summed in array order. Callers never pass an empty array.
double Mean(const Values& values) {
    double sum = 0.0;
    for (const double value : values) sum += value;
    return sum / static_cast<double>(values.size());
}

// ---- known points ------------------------------------------------------------------------------

void WriteKnownPoint(CStdioFile& file, const CPoint3D& point) {
    const bool noX = IsUnsetCoord(point.m_dX);
    const bool noY = IsUnsetCoord(point.m_dY);
    const bool noZ = IsUnsetCoord(point.m_dZ);
    const int planeFlag = noX && noY ? 0 : 1;
    const int heightFlag = noZ ? 0 : 1;
    file.WriteString(FormatText("%s\t%d%d\t%.3lf\t%.3lf\t%.3lf\n", point.m_strName.c_str(),
                                planeFlag, heightFlag, noX ? 0.0 : point.m_dX,
                                noY ? 0.0 : point.m_dY, noZ ? 0.0 : point.m_dZ));
}

void WriteKnownPoints(CStdioFile& file, const std::vector<CPoint3D>& points) {
    file.WriteString("<<\n");
    for (const CPoint3D& point : points) WriteKnownPoint(file, point);
    file.WriteString("<<\n\n");
}

// ---- where each target's records lie ------------------------------------------------------------

using RecordList = std::vector<const CBaseObserve*>;

// The records of every name in a list of records, in order. A target finds its own records here
// instead of scanning all of them: a station with many targets stays linear.
class RecordsByName {
public:
    void Add(const CBaseObserve& record) { m_records[record.m_strName].push_back(&record); }
    void AddAll(const std::vector<CBaseObserve>& records) {
        for (const CBaseObserve& record : records) Add(record);
    }
    const RecordList& Of(const std::string& name) const {
        static const RecordList none;
        const auto found = m_records.find(name);
        return found == m_records.end() ? none : found->second;
    }

private:
    std::unordered_map<std::string_view, RecordList> m_records;  // names live in the records
};

// ---- horizontal directions (c0) ----------------------------------------------------------------

// What one round gives any target, worked out once per round: it is passed over, it shows a
// message for every target that asks, or it reduces the target's records to its orientation o
// (a right-angle round: the target's last record to p, that of the first later record on the first
// target).
struct RoundPlan {
    enum class Kind { Skip, Message, Plain, RightAngle } kind = Kind::Skip;
    const std::string* message = nullptr;
    double o = 0.0;
    double p = 0.0;
    RecordsByName records;
};

// A plain round holds the targets, or the targets plus a closing record on the first target. A
// right-angle round holds more records than targets plus one. names are the first round's.
void PlanRound(const CSurveyTurn& turn, const Names& names, RoundPlan& plan) {
    const std::vector<CBaseObserve>& records = turn.m_arrObserve;
    if (records.empty() || records[0].m_strName != names[0]) return;
    if (!HasTwoReadings(records[0])) return;
    double o = MeanDirection(records[0]);
    if (std::fabs(o - kHalfTurnOrientation) < kHalfTurnWindow) o -= PI;
    if (records.size() <= names.size() + 1) {
        if (records.size() == names.size() + 1) {
            const CBaseObserve& closing = records.back();
            if (closing.m_strName != names[0]) {
                plan.kind = RoundPlan::Kind::Message;
                plan.message = &GBK("半测回归零方向与第一个定向点不一致！");
                return;
            }
            if (!HasTwoReadings(closing)) return;  // the import has reported it already
            o = ShortWayMean(o, MeanDirection(closing));
        }
        plan.kind = RoundPlan::Kind::Plain;
    } else {
        std::size_t second = 1;
        while (second < records.size() && records[second].m_strName != names[0]) ++second;
        if (second == records.size()) {
            plan.kind = RoundPlan::Kind::Message;
            plan.message = &GBK("右角观测没有跟第一个定向点一致的目标！");
            return;
        }
        if (!HasTwoReadings(records[second])) return;
        plan.p = MeanDirection(records[second]);
        plan.kind = RoundPlan::Kind::RightAngle;
    }
    plan.o = o;
    plan.records.AddAll(records);
}

// Appends what one round gives for target (names[k], k >= 1). A plain round gives the direction of
// target reduced to o once per usable record of target; a right-angle round reduces the first record
// of target to o and the last one to p, and the two halves give one value, only when target was read
// exactly twice.
void CollectRound(const RoundPlan& plan, const std::string& target, Values& values) {
    switch (plan.kind) {
    case RoundPlan::Kind::Skip:
        return;
    case RoundPlan::Kind::Message:
        ShowMessageBox(*plan.message);
        return;
    case RoundPlan::Kind::Plain:
        for (const CBaseObserve* record : plan.records.Of(target)) {
            if (record->m_arrValue.size() != 2) continue;
            double d = MeanDirection(*record) - plan.o;
            if (d < 0.0) d += TWO_PI;
            values.push_back(d);
        }
        return;
    case RoundPlan::Kind::RightAngle: {
        double d1 = 0.0;
        double d2 = 0.0;
        std::size_t found = 0;
        for (const CBaseObserve* record : plan.records.Of(target)) {
            if (record->m_arrValue.size() != 2) continue;
            if (found == 0) {
                d1 = MeanDirection(*record) - plan.o;
            } else {
                d2 = MeanDirection(*record) - plan.p;
            }
            ++found;
        }
        if (found == 2) values.push_back((d1 + d2 + TWO_PI) / 2);
        return;
    }
    }
}

// The first target of the first round is the orientation, 0 by definition; every other target
// gets the mean of its reduced directions over all rounds. Each target goes through the rounds
// anew, so a faulty round reports itself once per target.
void WriteDirections(CStdioFile& file, std::vector<CSurveyTurn>& rounds) {
    Names names;
    if (rounds.empty() || !GetObjectName(rounds[0], names)) return;
    file.WriteString(FormatText("\t\t%s\tc0\t%.6f\n", names[0].c_str(), 0.0));
    if (names.size() < 2) return;
    std::vector<RoundPlan> plans(rounds.size());
    for (std::size_t r = 0; r < rounds.size(); ++r) PlanRound(rounds[r], names, plans[r]);
    for (std::size_t k = 1; k < names.size(); ++k) {
        Values values;
        for (const RoundPlan& plan : plans) CollectRound(plan, names[k], values);
        if (values.empty()) continue;
        file.WriteString(
            FormatText("\t\t%s\tc0\t%.6lf\n", names[k].c_str(), DirectionDms(Mean(values))));
    }
}

// The records of all rounds by name, round after round.
RecordsByName IndexRounds(const std::vector<CSurveyTurn>& rounds) {
    RecordsByName index;
    for (const CSurveyTurn& turn : rounds) index.AddAll(turn.m_arrObserve);
    return index;
}

// ---- zenith distances (z0) ---------------------------------------------------------------------

// Each face pair gives a vertical angle free of the index error; the file wants its zenith distance.
void WriteZenithDistances(CStdioFile& file, std::vector<CSurveyTurn>& rounds) {
    Names names;
    if (rounds.empty() || !GetObjectName(rounds[0], names)) return;
    const RecordsByName index = IndexRounds(rounds);
    for (const std::string& name : names) {
        Values values;
        for (const CBaseObserve* record : index.Of(name)) {
            if (record->m_arrValue.size() != 2) continue;
            const double left = DmsToRadian(record->m_arrValue[0]);
            const double right = DmsToRadian(record->m_arrValue[1]);
            values.push_back(((HALF_PI - left) + (right - THREE_HALF_PI)) / 2);
        }
        if (values.empty()) continue;
        file.WriteString(FormatText("\t\t%s\tz0\t%.6lf\n", name.c_str(),
                                    RadianToDms(HALF_PI - Mean(values))));
    }
}

// ---- slope distances (s0) ----------------------------------------------------------------------

// The mean distance (metres) is corrected by the additive constant (mm) and the multiplicative
// constant (mm per km).
void WriteSlopeDistances(CStdioFile& file, std::vector<CSurveyTurn>& rounds,
                         const TAGSurveyStationInfo& info) {
    Names names;
    if (rounds.empty() || !GetObjectName(rounds[0], names)) return;
    const double addConst = info.m_fAddConst;
    const double mulConst = info.m_fMulConst;
    const RecordsByName index = IndexRounds(rounds);
    for (const std::string& name : names) {
        Values values;
        for (const CBaseObserve* record : index.Of(name)) {
            if (record->m_arrValue.empty()) continue;
            values.push_back(Mean(record->m_arrValue));
        }
        if (values.empty()) continue;
        const double m = Mean(values);
        file.WriteString(FormatText("\t\t%s\ts0\t%.6lf\n", name.c_str(),
                                    m + (addConst + m * mulConst * 0.001) * 0.001));
    }
}

// ---- target heights (v0) -----------------------------------------------------------------------

// One line per record, in record order: heights are not grouped by name.
void WriteTargetHeights(CStdioFile& file, const std::vector<CSurveyTurn>& entries) {
    for (const CSurveyTurn& entry : entries) {
        for (const CBaseObserve& record : entry.m_arrObserve) {
            if (record.m_arrValue.empty()) continue;
            file.WriteString(FormatText("\t\t%s\tv0\t%.6lf\n", record.m_strName.c_str(),
                                        Mean(record.m_arrValue)));
        }
    }
}

// ---- stations ----------------------------------------------------------------------------------

void WriteStation(CStdioFile& file, const CPoint3D& station, TAGStationObserve& block) {
    const char* name = station.m_strName.c_str();
    file.WriteString(FormatText("%s\t%s\ti0\t%.6f\n", name, name,
                                static_cast<double>(block.m_info.m_fInstrumentHeight)));
    WriteDirections(file, block.m_arrHAngle);
    WriteZenithDistances(file, block.m_arrZenith);
    WriteSlopeDistances(file, block.m_arrDistance, block.m_info);
    WriteTargetHeights(file, block.m_arrTargetHeight);
    file.WriteString("\n");
}

}  // namespace

std::uint32_t CImportXml::OnButtonTonbq(const std::string& path) {
    CStdioFile file;
    if (!file.Open(path, CStdioFile::modeCreate)) {
        ShowMessageBox(GBK("打开文件错误！"));
        return RESULT_FAILED;
    }
    try {
        WriteKnownPoints(file, m_arrKnownPoint);
        for (const CPoint3D* station : m_arrStation) {
            TAGStationObserve* block = StationBlock(*station);
            if (block != nullptr) WriteStation(file, *station, *block);
        }
    } catch (...) {
        // The caller gets the first failure, with the file already closed; a full disk makes
        // the close fail as well, which adds nothing.
        try {
            file.Close();
        } catch (const CFileException&) {
        }
        throw;
    }
    file.Close();
    return 0;
}

}  // namespace traverse
