#include "support/survey_round.h"

#include "records/station_ownership.h"
#include "traverse/code_page.h"

namespace traverse {

CSurveyTurn Round(std::initializer_list<Rec> records) {
    CSurveyTurn turn;
    for (const Rec& r : records) {
        turn.m_arrObserve.emplace_back();
        turn.m_arrObserve.back().m_strName = r.name;
        turn.m_arrObserve.back().m_arrValue = r.values;
    }
    return turn;
}

TAGStationObserve& AddStation(std::vector<CPoint3D*>& stations, const std::string& name,
                              float instrumentHeight) {
    CPoint3D* station = AppendNewStation(stations);
    station->m_strName = name;
    StationBlock(*station)->m_info.m_fInstrumentHeight = instrumentHeight;
    return *StationBlock(*station);
}

std::string Gbk(const std::string& utf8) { return Utf8ToGbk(utf8); }

std::string Utf8(const std::string& gbk) { return GbkToUtf8(gbk); }

}  // namespace traverse
