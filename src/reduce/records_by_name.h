// The records of every target name in a set of rounds, in order.
#ifndef TRAVERSE_REDUCE_RECORDS_BY_NAME_H
#define TRAVERSE_REDUCE_RECORDS_BY_NAME_H

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "traverse/survey_records.h"

namespace traverse {

// A target finds its own records here instead of scanning all of them: a station with many targets
// stays n log n. One sorted array, not a table of lists: an index is built for every round of
// every station, and one allocation each keeps that cheap. The records must outlive the index (it
// keeps their names and addresses).
class RecordsByName {
    struct Entry {
        std::string_view name;
        std::size_t order;  // place among the records added: equal names keep their order
        const CBaseObserve* record;
    };

public:
    // The records of one name, in order: iterates as const CBaseObserve*.
    class Range {
    public:
        class Iterator {
        public:
            explicit Iterator(const Entry* entry) : m_entry(entry) {}
            const CBaseObserve* operator*() const { return m_entry->record; }
            Iterator& operator++() {
                ++m_entry;
                return *this;
            }
            bool operator!=(const Iterator& other) const { return m_entry != other.m_entry; }

        private:
            const Entry* m_entry;
        };
        Range(const Entry* first, const Entry* last) : m_first(first), m_last(last) {}
        Iterator begin() const { return Iterator(m_first); }
        Iterator end() const { return Iterator(m_last); }

    private:
        const Entry* m_first;
        const Entry* m_last;
    };

    RecordsByName() = default;
    // The records of one round.
    explicit RecordsByName(const std::vector<CBaseObserve>& records) {
        m_entries.reserve(records.size());
        Append(records);
        Sort();
    }
    // The records of all rounds, round after round.
    explicit RecordsByName(const std::vector<CSurveyTurn>& rounds) {
        std::size_t count = 0;
        for (const CSurveyTurn& turn : rounds) count += turn.m_arrObserve.size();
        m_entries.reserve(count);
        for (const CSurveyTurn& turn : rounds) Append(turn.m_arrObserve);
        Sort();
    }

    // The records of name, in the order they were added; empty when there is none.
    Range Of(const std::string& name) const {
        const auto found =
            std::equal_range(m_entries.begin(), m_entries.end(), std::string_view(name), ByName());
        return Range(m_entries.data() + (found.first - m_entries.begin()),
                     m_entries.data() + (found.second - m_entries.begin()));
    }

private:
    // Any order groups equal names: shorter names first, then by bytes, compares most pairs
    // without reading a byte.
    static int Compare(std::string_view a, std::string_view b) {
        if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
        return a.compare(b);
    }
    struct ByName {
        bool operator()(const Entry& entry, std::string_view name) const {
            return Compare(entry.name, name) < 0;
        }
        bool operator()(std::string_view name, const Entry& entry) const {
            return Compare(name, entry.name) < 0;
        }
    };

    void Append(const std::vector<CBaseObserve>& records) {
        for (const CBaseObserve& record : records) {
            m_entries.push_back({record.m_strName, m_entries.size(), &record});
        }
    }
    void Sort() {
        std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
            const int names = Compare(a.name, b.name);
            return names != 0 ? names < 0 : a.order < b.order;
        });
    }

    std::vector<Entry> m_entries;  // by name (Compare), then in the order added
};

}  // namespace traverse

#endif
