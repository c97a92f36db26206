// The slope-distance items: readings in metres, values in millimetres.
#include <cstddef>
#include <string>
#include <vector>

#include "fieldcheck/station_checks.h"
#include "fieldcheck/target_series.h"
#include "reduce/plain_mean.h"
#include "traverse/check_info.h"

namespace traverse {
namespace {

constexpr double kMillimetresPerMetre = 1000.0;

}  // namespace

void CheckDistanceRounds(const std::vector<CSurveyTurn>& rounds, FieldValueSink& sink) {
    TargetSeries means;
    for (std::size_t r = 0; r < rounds.size(); ++r) {
        for (const CBaseObserve& record : rounds[r].m_arrObserve) {
            const std::vector<double>& readings = record.m_arrValue;
            if (readings.empty()) continue;
            if (readings.size() >= 2) {
                sink.Add(CHECK_DISTANCE_READINGS, RoundNumber(r), record.m_strName, 0,
                         Spread(readings) * kMillimetresPerMetre);
            }
            means.Add(record.m_strName, r, PlainMean(readings));
        }
    }
    AddSpreadsOverRounds(means, CHECK_DISTANCE_BETWEEN_ROUNDS, Spread, kMillimetresPerMetre, sink);
}

}  // namespace traverse
