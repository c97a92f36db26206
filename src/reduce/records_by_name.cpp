#include "reduce/records_by_name.h"

namespace traverse {

RecordsByName::RecordsByName(const std::vector<CBaseObserve>& records) {
    std::vector<Entry> added;
    added.reserve(records.size());
    m_names.reserve(records.size());
    Append(records, added);
    Sort(added);
}

RecordsByName::RecordsByName(const std::vector<CSurveyTurn>& rounds) {
    std::size_t count = 0;
    for (const CSurveyTurn& turn : rounds) count += turn.m_arrObserve.size();
    std::vector<Entry> added;
    added.reserve(count);
    m_names.reserve(count);
    for (const CSurveyTurn& turn : rounds) Append(turn.m_arrObserve, added);
    Sort(added);
}

RecordsByName::Range RecordsByName::Of(const std::string& name) const {
    const std::size_t number = m_numbers.Find(name);
    if (number == m_names.size()) {
        const Range::Iterator none(m_entries.data());
        return Range(none, none);
    }
    return Of(number);
}

void RecordsByName::Append(const std::vector<CBaseObserve>& records, std::vector<Entry>& added) {
    for (const CBaseObserve& record : records) {
        const std::size_t number = m_numbers.Number(record.m_strName);
        if (number == m_names.size()) m_names.push_back(record.m_strName);
        added.push_back({&record, m_rounds, number});
    }
    if (m_rounds++ == 0) m_firstRoundCount = m_names.size();
}

// A counting sort by name number: stable, so each name keeps its records in the order added.
void RecordsByName::Sort(const std::vector<Entry>& added) {
    m_starts.assign(m_names.size() + 1, 0);
    for (const Entry& entry : added) ++m_starts[entry.number];
    std::size_t end = 0;  // m_starts[k] becomes the end of the entries numbered k
    for (std::size_t& start : m_starts) start = end += start;
    m_entries.resize(added.size());
    for (auto entry = added.rbegin(); entry != added.rend(); ++entry) {
        m_entries[--m_starts[entry->number]] = *entry;
    }
}

}  // namespace traverse
