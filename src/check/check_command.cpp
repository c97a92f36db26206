#include "check/check_texts.h"
#include "platform/gbk_literal.h"
#include "records/station_walk.h"
#include "traverse/import_xml.h"

namespace traverse {

namespace {

// Room for the whole report at once, so that it does not move while it grows: a line per record
// (the 2C check, usually one item), a line per round (the closure check), a heading per station and
// item.
std::size_t ReportEstimate(const std::vector<CPoint3D*>& stations, std::size_t items) {
    std::size_t size = 64 * (items + 1);
    ForEachStationWithBlock(stations, [&](const CPoint3D& station, const TAGStationObserve& block) {
        size += items * (station.m_strName.size() + 16);
        for (const CSurveyTurn& round : block.m_arrHAngle) {
            size += 40;
            for (const CBaseObserve& record : round.m_arrObserve)
                size += record.m_strName.size() + 16;
        }
        return true;
    });
    return size;
}

}  // namespace

std::uint32_t CImportXml::OnButtonCheck() {
    m_strText.clear();
    m_strText.reserve(ReportEstimate(m_arrStation, m_arrHAngleCheck.size()));
    AddText(GBK(text::kCheckBanner));
    // A check that stopped at an incomplete record has shown its message; the next item still runs.
    for (const TAGCheckInfo& item : m_arrHAngleCheck) CheckHAngle(item, m_arrStation);
    return 0;
}

}  // namespace traverse
