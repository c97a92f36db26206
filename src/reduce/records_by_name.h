// The records of every target name in a set of rounds, in order.
#ifndef TRAVERSE_REDUCE_RECORDS_BY_NAME_H
#define TRAVERSE_REDUCE_RECORDS_BY_NAME_H

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "traverse/survey_records.h"

namespace traverse {

using RecordList = std::vector<const CBaseObserve*>;

// A target finds its own records here instead of scanning all of them: a station with many targets
// stays linear. The records must outlive the index (it keeps their names and addresses).
class RecordsByName {
public:
    void Add(const CBaseObserve& record) { m_records[record.m_strName].push_back(&record); }
    void AddAll(const std::vector<CBaseObserve>& records) {
        for (const CBaseObserve& record : records) Add(record);
    }
    // The records of name, in the order they were added; empty when there is none.
    const RecordList& Of(const std::string& name) const {
        static const RecordList none;
        const auto found = m_records.find(name);
        return found == m_records.end() ? none : found->second;
    }

private:
    std::unordered_map<std::string_view, RecordList> m_records;
};

// The records of all rounds by name, round after round.
inline RecordsByName IndexRounds(const std::vector<CSurveyTurn>& rounds) {
    RecordsByName index;
    for (const CSurveyTurn& turn : rounds) index.AddAll(turn.m_arrObserve);
    return index;
}

}  // namespace traverse

#endif
