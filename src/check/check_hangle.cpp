#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "check/half_circle.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "traverse/angle.h"
#include "traverse/dms.h"
#include "traverse/import_xml.h"
#include "traverse/message_box.h"

namespace traverse {
namespace {

constexpr std::int16_t kCode2C = 1001;
constexpr std::int16_t kCodeClosure = 1002;
constexpr std::int16_t kCodeBetweenRounds = 1003;

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
    const double firstMean =
        HalfCircleMean(HalfCircleReading(first.m_arrValue[0]), HalfCircleReading(first.m_arrValue[1]));
    const double lastMean =
        HalfCircleMean(HalfCircleReading(last.m_arrValue[0]), HalfCircleReading(last.m_arrValue[1]));
    return RadToSecond(FoldShortWay(std::fabs(firstMean - lastMean)));
}

long RoundNumber(size_t index) { return static_cast<long>(index) + 1; }

}  // namespace

int CImportXml::CheckHAngle(const TAGCheckInfo& check, const std::vector<CPoint3D*>& stations) {
    const double limit = check.m_dLimit;
    switch (check.m_nFlag) {
    case kCode2C:
        AddText(FormatText(GBK("\r\n2C互差检查(%.1f)\r\n").c_str(), limit));
        for (const CPoint3D* station : stations) {
            const TAGStationObserve* block = StationBlock(*station);
            if (block == nullptr) continue;
            AddText(GBK("测站") + station->m_strName);
            for (size_t r = 0; r < block->m_arrHAngle.size(); ++r) {
                AddText(FormatText(GBK("第%ld测回").c_str(), RoundNumber(r)));
                for (const CBaseObserve& record : block->m_arrHAngle[r].m_arrObserve) {
                    if (record.m_arrValue.size() < 2) {
                        m_strError = FormatText(
                            GBK("测站%s水平角观测第%ld测回中，目标点%s方向读数不够，即缺盘左或盘右数据！")
                                .c_str(),
                            station->m_strName.c_str(), RoundNumber(r), record.m_strName.c_str());
                        ShowMessageBox(m_strError);
                        return 0;
                    }
                    const double c = TwoCSeconds(record);
                    std::string entry = FormatText("%s 2C=%.1lf", record.m_strName.c_str(), c);
                    if (c >= limit - kLimitTolerance) entry += GBK(" *超限");
                    AddText(entry);
                }
            }
            AddText("\n");
        }
        return 1;

    case kCodeClosure:
        AddText(FormatText(GBK("\r\n半测回归零差(%.1f)\r\n").c_str(), limit));
        for (const CPoint3D* station : stations) {
            const TAGStationObserve* block = StationBlock(*station);
            if (block == nullptr) continue;
            AddText(GBK("测站") + station->m_strName);
            for (size_t r = 0; r < block->m_arrHAngle.size(); ++r) {
                const std::vector<CBaseObserve>& records = block->m_arrHAngle[r].m_arrObserve;
                // A round of three records or fewer is too short to have closed.
                if (records.size() <= 3) continue;
                const CBaseObserve& first = records.front();
                const CBaseObserve& last = records.back();
                // The import has already reported a record without both readings: the round
                // gives neither a line nor a message.
                if (first.m_arrValue.size() < 2 || last.m_arrValue.size() < 2) continue;
                if (first.m_strName != last.m_strName) {
                    m_strError = FormatText(
                        GBK("测站%s水平角观测第%ld测回中，半测回方向读数没有归零！").c_str(),
                        station->m_strName.c_str(), RoundNumber(r));
                    ShowMessageBox(m_strError);
                    continue;
                }
                if (records.size() == 4) continue;
                AddText(FormatText(GBK("第%ld测回，半测回归零差=%.1lf").c_str(), RoundNumber(r),
                                   ClosureSeconds(first, last)));
            }
            AddText("\n");
        }
        return 1;

    case kCodeBetweenRounds:
        AddText(FormatText(GBK("\r\n同一方向值各测回较差(%.1f)\r\n").c_str(), limit));
        for (const CPoint3D* station : stations) {
            const TAGStationObserve* block = StationBlock(*station);
            if (block == nullptr || block->m_arrHAngle.size() < 2) continue;
            AddText(GBK("测站") + station->m_strName);
            AddText("\n");
        }
        return 1;

    default:
        return 1;
    }
}

}  // namespace traverse
