#include "reduce/station_reduction.h"

#include "reduce/direction_reduction.h"
#include "reduce/plain_mean.h"
#include "reduce/records_by_name.h"
#include "traverse/angle.h"
#include "traverse/dms.h"

namespace traverse {
namespace {

// Each face pair gives a vertical angle free of the index error; the mean of them gives the zenith
// distance.
void ReduceZenithDistances(const std::vector<CSurveyTurn>& rounds, std::vector<ReducedValue>& out) {
    if (rounds.empty()) return;
    const RecordsByName index(rounds);
    std::vector<double> values;
    for (std::size_t k = 0; k < index.FirstRoundCount(); ++k) {
        values.clear();
        for (const CBaseObserve* record : index.Of(k)) {
            if (record->m_arrValue.size() != 2) continue;
            const double left = DmsToRadian(record->m_arrValue[0]);
            const double right = DmsToRadian(record->m_arrValue[1]);
            values.push_back(((HALF_PI - left) + (right - THREE_HALF_PI)) / 2);
        }
        if (!values.empty()) {
            out.push_back({std::string(index.Names()[k]), HALF_PI - PlainMean(values)});
        }
    }
}

// The mean distance (metres) is corrected by the additive constant (mm) and the multiplicative
// constant (mm per km).
void ReduceSlopeDistances(const std::vector<CSurveyTurn>& rounds, const TAGSurveyStationInfo& info,
                          std::vector<ReducedValue>& out) {
    if (rounds.empty()) return;
    const double addConst = info.m_fAddConst;
    const double mulConst = info.m_fMulConst;
    const RecordsByName index(rounds);
    std::vector<double> values;
    for (std::size_t k = 0; k < index.FirstRoundCount(); ++k) {
        values.clear();
        for (const CBaseObserve* record : index.Of(k)) {
            if (!record->m_arrValue.empty()) values.push_back(PlainMean(record->m_arrValue));
        }
        if (values.empty()) continue;
        const double m = PlainMean(values);
        const double corrected = m + (addConst + m * mulConst * 0.001) * 0.001;
        out.push_back({std::string(index.Names()[k]), corrected});
    }
}

// One value per record, in record order: heights are not grouped by name.
void ReduceTargetHeights(const std::vector<CSurveyTurn>& entries, std::vector<ReducedValue>& out) {
    for (const CSurveyTurn& entry : entries) {
        for (const CBaseObserve& record : entry.m_arrObserve) {
            if (!record.m_arrValue.empty())
                out.push_back({record.m_strName, PlainMean(record.m_arrValue)});
        }
    }
}

}  // namespace

StationReduction ReduceStation(const TAGStationObserve& block) {
    StationReduction reduction;
    reduction.instrumentHeight = block.m_info.m_fInstrumentHeight;
    ReduceDirections(block.m_arrHAngle, reduction.directions, reduction.messages);
    ReduceZenithDistances(block.m_arrZenith, reduction.zenithDistances);
    ReduceSlopeDistances(block.m_arrDistance, block.m_info, reduction.slopeDistances);
    ReduceTargetHeights(block.m_arrTargetHeight, reduction.targetHeights);
    return reduction;
}

}  // namespace traverse
