#include "traverse/survey_records.h"

#include "records/name_numbers.h"
#include "records/target_names.h"
#include "traverse/point3d.h"

namespace traverse {

CBaseObserve::CBaseObserve() = default;
CBaseObserve::CBaseObserve(const CBaseObserve& other) = default;
CBaseObserve& CBaseObserve::operator=(const CBaseObserve& other) {
    m_strName = other.m_strName;
    m_arrValue = other.m_arrValue;
    return *this;
}
CBaseObserve::CBaseObserve(CBaseObserve&& other) noexcept = default;
CBaseObserve& CBaseObserve::operator=(CBaseObserve&& other) noexcept = default;
CBaseObserve::~CBaseObserve() = default;

CSurveyTurn::CSurveyTurn() = default;
CSurveyTurn::CSurveyTurn(const CSurveyTurn& other) = default;
CSurveyTurn& CSurveyTurn::operator=(const CSurveyTurn& other) {
    m_arrObserve = other.m_arrObserve;
    return *this;
}
CSurveyTurn::CSurveyTurn(CSurveyTurn&& other) noexcept = default;
CSurveyTurn& CSurveyTurn::operator=(CSurveyTurn&& other) noexcept = default;
CSurveyTurn::~CSurveyTurn() = default;

void SetSurveyStationInfo(TAGSurveyStationInfo& info, float value) {
    info.m_fInstrumentHeight = value;
    info.m_fPressure = value;
    info.m_fTemperature = value;
    info.m_fAddConst = value;
    info.m_fMulConst = value;
}

namespace {

void AppendNewNames(const CSurveyTurn& turn, NameNumbers& seen, std::vector<std::string>& names) {
    for (const CBaseObserve& observe : turn.m_arrObserve) {
        if (seen.Number(observe.m_strName) == names.size()) names.push_back(observe.m_strName);
    }
}

}  // namespace

std::vector<std::string> DistinctTargetNames(const CSurveyTurn& turn) {
    std::vector<std::string> names;
    NameNumbers seen;
    AppendNewNames(turn, seen, names);
    return names;
}

std::vector<std::string> DistinctTargetNames(const std::vector<CSurveyTurn>& rounds) {
    std::vector<std::string> names;
    NameNumbers seen;
    for (const CSurveyTurn& turn : rounds) AppendNewNames(turn, seen, names);
    return names;
}

int GetObjectName(CSurveyTurn& turn, std::vector<std::string>& names) {
    names = DistinctTargetNames(turn);
    return names.empty() ? 0 : 1;
}

TAGStationObserve* StationBlock(const CPoint3D& station) {
    return static_cast<TAGStationObserve*>(station.m_pUserData);
}

}  // namespace traverse
