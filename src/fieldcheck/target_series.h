// The values of each target over the rounds of one set, for the items that compare rounds.
#ifndef TRAVERSE_FIELDCHECK_TARGET_SERIES_H
#define TRAVERSE_FIELDCHECK_TARGET_SERIES_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "fieldcheck/field_value_sink.h"

namespace traverse {

// Targets in order of first appearance, each with one value per round that read it: a round that
// names a target twice (a closing record) gives only its first value. The target names must
// outlive the series.
class TargetSeries {
public:
    void Add(const std::string& target, std::size_t roundIndex, double value) {
        const auto [found, added] = m_index.try_emplace(target, m_series.size());
        if (added) m_series.push_back({&target, roundIndex, {}});
        Series& series = m_series[found->second];
        if (!added && series.lastRound == roundIndex) return;
        series.lastRound = roundIndex;
        series.values.push_back(value);
    }

    // visit(target, values) for every target, in order of first appearance.
    template <typename Visit>
    void ForEach(Visit visit) const {
        for (const Series& series : m_series) visit(*series.target, series.values);
    }

private:
    struct Series {
        const std::string* target;
        std::size_t lastRound;
        std::vector<double> values;
    };
    std::vector<Series> m_series;
    std::unordered_map<std::string_view, std::size_t> m_index;
};

// max - min of values; 0 for an empty array.
inline double Spread(const std::vector<double>& values) {
    if (values.empty()) return 0.0;
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    return *high - *low;
}

// Adds, for every target read in two rounds or more, the spread of its values over the rounds
// (spreadOf(values), times scale) as a value of item code over the rounds.
template <typename SpreadOf>
void AddSpreadsOverRounds(const TargetSeries& series, std::int16_t code, SpreadOf spreadOf,
                          double scale, FieldValueSink& sink) {
    series.ForEach([&](const std::string& target, const std::vector<double>& values) {
        if (values.size() >= 2) sink.Add(code, 0, target, 0, spreadOf(values) * scale);
    });
}

}  // namespace traverse

#endif
