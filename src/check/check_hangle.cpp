#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check/check_texts.h"
#include "check/half_circle.h"
#include "import/report_entry.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "records/station_walk.h"
#include "traverse/angle.h"
#include "traverse/dms.h"
#include "traverse/import_xml.h"
#include "traverse/message_box.h"

namespace traverse {
namespace {

// A 2C value (arc seconds) this close below the limit counts as reaching it: the value is the
// product of several roundings, and noise must not decide whether a mark is set.
constexpr double kLimitTolerance = 1e-6;

// A packed-DMS reading as radians on the half circle.
double HalfCircleReading(double dms) { return ReduceToHalfCircle(DmsToRadian(dms)); }

// The 2C value of one record, arc seconds: face left against face right on the half circle, the
// short way round.
double TwoCSeconds(const CBaseObserve& record) {
    const double left = HalfCircleReading(record.m_arrValue[0]);
    const double right = HalfCircleReading(record.m_arrValue[1]);
    return RadToSecond(FoldShortWay(std::fabs(left - right)));
}

// The closure of a round, arc seconds: the mean direction of its first record against that of its
// last, both means and their difference taken on the half circle.
double ClosureSeconds(const CBaseObserve& first, const CBaseObserve& last) {
    const double firstMean = HalfCircleMean(HalfCircleReading(first.m_arrValue[0]),
                                            HalfCircleReading(first.m_arrValue[1]));
    const double lastMean = HalfCircleMean(HalfCircleReading(last.m_arrValue[0]),
                                           HalfCircleReading(last.m_arrValue[1]));
    return RadToSecond(FoldShortWay(std::fabs(firstMean - lastMean)));
}

long RoundNumber(size_t index) { return static_cast<long>(index) + 1; }

// The heading of a station's lines.
void AddStationEntry(CImportXml& importer, const CPoint3D& station) {
    StartReportEntry(importer.m_strText);
    importer.m_strText += GBK(text::kCheckStation);
    importer.m_strText += station.m_strName;
}

// Formats a blocking message into m_strError and shows it.
void ShowCheckMessage(CImportXml& importer, std::string message) {
    importer.m_strError = std::move(message);
    ShowMessageBox(importer.m_strError);
}

// The 2C value of every record; stops the whole section at a record without two readings.
int Check2C(CImportXml& importer, double limit, const std::vector<CPoint3D*>& stations) {
    AddReportEntry(importer, GBK(text::kCheck2CHeading), limit);
    const bool complete = ForEachStationWithBlock(stations, [&](const CPoint3D& station,
                                                                const TAGStationObserve& block) {
        AddStationEntry(importer, station);
        for (size_t r = 0; r < block.m_arrHAngle.size(); ++r) {
            AddReportEntry(importer, GBK(text::kCheckRound), RoundNumber(r));
            for (const CBaseObserve& record : block.m_arrHAngle[r].m_arrObserve) {
                if (record.m_arrValue.size() < 2) {
                    ShowCheckMessage(importer, FormatText(GBK(text::kCheckMissingReading),
                                                          station.m_strName.c_str(), RoundNumber(r),
                                                          record.m_strName.c_str()));
                    return false;
                }
                const double c = TwoCSeconds(record);
                AddReportEntry(importer, GBK(text::kCheck2CValue), record.m_strName.c_str(), c);
                if (c >= limit - kLimitTolerance) importer.m_strText += GBK(text::kCheckOverLimit);
            }
        }
        importer.AddText("\n");
        return true;
    });
    return complete ? 1 : 0;
}

// The closure line of one round of station, or its message; nothing for a round too short to
// have closed (three records or fewer) or of exactly four records.
void CheckRoundClosure(CImportXml& importer, const CPoint3D& station, const CSurveyTurn& round,
                       size_t r) {
    const std::vector<CBaseObserve>& records = round.m_arrObserve;
    if (records.size() <= 3) return;
    const CBaseObserve& first = records.front();
    const CBaseObserve& last = records.back();
    // The import has already reported a record without both readings: the round gives neither a
    // line nor a message.
    if (first.m_arrValue.size() < 2 || last.m_arrValue.size() < 2) return;
    if (first.m_strName != last.m_strName) {
        ShowCheckMessage(importer, FormatText(GBK(text::kCheckRoundNotClosed),
                                              station.m_strName.c_str(), RoundNumber(r)));
        return;
    }
    if (records.size() == 4) return;
    AddReportEntry(importer, GBK(text::kCheckClosureValue), RoundNumber(r),
                   ClosureSeconds(first, last));
}

int CheckClosure(CImportXml& importer, double limit, const std::vector<CPoint3D*>& stations) {
    AddReportEntry(importer, GBK(text::kCheckClosureHeading), limit);
    ForEachStationWithBlock(stations, [&](const CPoint3D& station, const TAGStationObserve& block) {
        AddStationEntry(importer, station);
        for (size_t r = 0; r < block.m_arrHAngle.size(); ++r) {
            CheckRoundClosure(importer, station, block.m_arrHAngle[r], r);
        }
        importer.AddText("\n");
        return true;
    });
    return 1;
}

// Station headings only: every station with two rounds or more.
int CheckBetweenRounds(CImportXml& importer, double limit, const std::vector<CPoint3D*>& stations) {
    AddReportEntry(importer, GBK(text::kCheckBetweenRoundsHeading), limit);
    ForEachStationWithBlock(stations, [&](const CPoint3D& station, const TAGStationObserve& block) {
        if (block.m_arrHAngle.size() < 2) return true;
        AddStationEntry(importer, station);
        importer.AddText("\n");
        return true;
    });
    return 1;
}

}  // namespace

int CImportXml::CheckHAngle(const TAGCheckInfo& check, const std::vector<CPoint3D*>& stations) {
    switch (check.m_nFlag) {
    case CHECK_2C_SPREAD:
        return Check2C(*this, check.m_dLimit, stations);
    case CHECK_HALF_ROUND_CLOSURE:
        return CheckClosure(*this, check.m_dLimit, stations);
    case CHECK_DIRECTION_BETWEEN_ROUNDS:
        return CheckBetweenRounds(*this, check.m_dLimit, stations);
    default:
        return 1;
    }
}

}  // namespace traverse
