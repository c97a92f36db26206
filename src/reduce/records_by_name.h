// The records of every target name in a set of rounds, in order.
#ifndef TRAVERSE_REDUCE_RECORDS_BY_NAME_H
#define TRAVERSE_REDUCE_RECORDS_BY_NAME_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "records/name_numbers.h"
#include "traverse/survey_records.h"

namespace traverse {

// A target finds its own records here instead of scanning all of them: a station with many targets
// stays linear. The names are numbered in order of first appearance and the records sorted by
// number in one counting pass, round after round: an index is built for every station, and a
// few allocations each keep that cheap. The records must outlive the index (it keeps their names
// and addresses).
class RecordsByName {
    struct Entry {
        const CBaseObserve* record;
        std::size_t round;   // place of its round among the rounds indexed
        std::size_t number;  // of its name
    };

public:
    // The records of one name, in order: iterates as const CBaseObserve*.
    class Range {
    public:
        class Iterator {
        public:
            explicit Iterator(const Entry* entry) : m_entry(entry) {}
            const CBaseObserve* operator*() const { return m_entry->record; }
            // The place of the record's round among the rounds indexed.
            std::size_t Round() const { return m_entry->round; }
            Iterator& operator++() {
                ++m_entry;
                return *this;
            }
            bool operator!=(const Iterator& other) const { return m_entry != other.m_entry; }

        private:
            const Entry* m_entry;
        };
        Range(Iterator first, Iterator last) : m_first(first), m_last(last) {}
        Iterator begin() const { return m_first; }
        Iterator end() const { return m_last; }

    private:
        Iterator m_first;
        Iterator m_last;
    };

    // The records of one round.
    explicit RecordsByName(const std::vector<CBaseObserve>& records);
    // The records of all rounds, round after round.
    explicit RecordsByName(const std::vector<CSurveyTurn>& rounds);

    // The distinct names in order of first appearance, round after round.
    const std::vector<std::string_view>& Names() const { return m_names; }
    // How many of Names() the first round holds: they come first.
    std::size_t FirstRoundCount() const { return m_firstRoundCount; }
    // The records of Names()[number], round after round, in record order.
    Range Of(std::size_t number) const {
        return Range(Range::Iterator(m_entries.data() + m_starts[number]),
                     Range::Iterator(m_entries.data() + m_starts[number + 1]));
    }
    // The records of name, in order; empty when there is none.
    Range Of(const std::string& name) const;

private:
    void Append(const std::vector<CBaseObserve>& records, std::vector<Entry>& added);
    void Sort(const std::vector<Entry>& added);

    NameNumbers m_numbers;
    std::vector<std::string_view> m_names;
    std::size_t m_firstRoundCount = 0;
    std::size_t m_rounds = 0;
    std::vector<Entry> m_entries;       // by name number, then in the order added
    std::vector<std::size_t> m_starts;  // where each number's entries start; one past the last
};

}  // namespace traverse

#endif
