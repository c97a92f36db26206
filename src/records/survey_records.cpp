#include "traverse/survey_records.h"

#include "records/target_names.h"
#include "traverse/point3d.h"

#include <array>
#include <string_view>
#include <unordered_set>

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

// The names met so far. A round may hold many thousands of targets: past a few, the names are
// looked up, not searched. The few are searched in place, without an allocation: most rounds read
// a handful of targets, and every station's reduction asks for its names.
class NamesSeen {
public:
    // True the first time name is met.
    bool Insert(std::string_view name) {
        if (m_fewCount < kFew) {
            for (std::size_t i = 0; i < m_fewCount; ++i) {
                if (m_few[i] == name) return false;
            }
            m_few[m_fewCount++] = name;
            return true;
        }
        if (m_many.empty()) m_many.insert(m_few.begin(), m_few.end());
        return m_many.insert(name).second;
    }

private:
    static constexpr std::size_t kFew = 16;
    std::array<std::string_view, kFew> m_few;
    std::size_t m_fewCount = 0;
    std::unordered_set<std::string_view> m_many;  // all names once there are more than kFew
};

void AppendNewNames(const CSurveyTurn& turn, NamesSeen& seen, std::vector<std::string>& names) {
    for (const CBaseObserve& observe : turn.m_arrObserve) {
        if (seen.Insert(observe.m_strName)) names.push_back(observe.m_strName);
    }
}

}  // namespace

std::vector<std::string> DistinctTargetNames(const CSurveyTurn& turn) {
    std::vector<std::string> names;
    NamesSeen seen;
    AppendNewNames(turn, seen, names);
    return names;
}

std::vector<std::string> DistinctTargetNames(const std::vector<CSurveyTurn>& rounds) {
    std::vector<std::string> names;
    NamesSeen seen;
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
