#include "support/survey_round.h"

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

}  // namespace traverse
