// The horizontal direction items. Every difference of directions is taken the short way round, so
// readings on both sides of 0 (or of 180 degrees between the faces) never give a false value.
#include <cstddef>
#include <string>
#include <vector>

#include "fieldcheck/station_checks.h"
#include "fieldcheck/target_series.h"
#include "records/circle.h"
#include "reduce/direction_mean.h"
#include "traverse/angle.h"
#include "traverse/check_info.h"
#include "traverse/dms.h"

namespace traverse {
namespace {

constexpr int kFaceLeft = 1;
constexpr int kFaceRight = 2;

bool HasTwoReadings(const CBaseObserve& record) { return record.m_arrValue.size() >= 2; }

// 2C = L - (R +- 180 degrees), radians in (-pi, pi].
double TwoC(const CBaseObserve& record) {
    const double left = DmsToRadian(record.m_arrValue[0]);
    const double right = DmsToRadian(record.m_arrValue[1]);
    return AngleDifference(right + PI, left);
}

// 1001: the spread of the signed 2C values of the round's records, the closing record included.
void Check2CSpread(const CSurveyTurn& round, std::size_t r, FieldValueSink& sink) {
    std::vector<double> values;
    for (const CBaseObserve& record : round.m_arrObserve) {
        if (HasTwoReadings(record)) values.push_back(TwoC(record));
    }
    if (values.size() >= 2) {
        sink.Add(CHECK_2C_SPREAD, RoundNumber(r), "", 0, RadToSecond(Spread(values)));
    }
}

// The closing record of a round read as opening target, the others, opening target again: three
// records at least, the first target named again last and nowhere between. Null for any other
// round.
const CBaseObserve* ClosingRecord(const CSurveyTurn& round) {
    const std::vector<CBaseObserve>& records = round.m_arrObserve;
    if (records.size() < 3 || records.back().m_strName != records.front().m_strName) return nullptr;
    for (std::size_t i = 1; i + 1 < records.size(); ++i) {
        if (records[i].m_strName == records.front().m_strName) return nullptr;
    }
    return &records.back();
}

// 1002: closing minus opening reading, face left and face right on their own.
void CheckClosure(const CSurveyTurn& round, std::size_t r, FieldValueSink& sink) {
    const CBaseObserve* closing = ClosingRecord(round);
    if (closing == nullptr) return;
    const CBaseObserve& opening = round.m_arrObserve.front();
    if (!HasTwoReadings(opening) || !HasTwoReadings(*closing)) return;
    for (const int face : {kFaceLeft, kFaceRight}) {
        const std::size_t reading = face == kFaceLeft ? 0 : 1;
        const double closure = AngleDifference(DmsToRadian(opening.m_arrValue[reading]),
                                               DmsToRadian(closing->m_arrValue[reading]));
        sink.Add(CHECK_HALF_ROUND_CLOSURE, RoundNumber(r), opening.m_strName, face,
                 RadToSecond(closure));
    }
}

// Adds the directions of round r, reduced to its orientation, to directions: the orientation is
// the mean direction of the opening record, with a closing record the short-way mean of opening
// and closing. A round that opens on another target than orientationTarget has no common zero
// with the others: it gives nothing and is named as left out.
void CollectDirections(const CSurveyTurn& round, std::size_t r,
                       const std::string& orientationTarget, TargetSeries& directions,
                       FieldValueSink& sink) {
    const std::vector<CBaseObserve>& records = round.m_arrObserve;
    if (records.empty()) return;
    if (records.front().m_strName != orientationTarget) {
        return sink.LeaveOut(RoundNumber(r), records.front().m_strName, orientationTarget);
    }
    if (!HasTwoReadings(records.front())) return;
    double orientation = MeanDirection(records.front());
    const CBaseObserve* closing = ClosingRecord(round);
    if (closing != nullptr) {
        if (!HasTwoReadings(*closing)) return;
        orientation = ShortWayMean(orientation, MeanDirection(*closing));
    }
    for (const CBaseObserve& record : records) {
        if (record.m_strName == orientationTarget || !HasTwoReadings(record)) continue;
        directions.Add(record.m_strName, r, WrapTurn(MeanDirection(record) - orientation));
    }
}

// The first target of the first round that names one: the zero of every round's directions.
const std::string* OrientationTarget(const std::vector<CSurveyTurn>& rounds) {
    for (const CSurveyTurn& round : rounds) {
        if (!round.m_arrObserve.empty()) return &round.m_arrObserve.front().m_strName;
    }
    return nullptr;
}

}  // namespace

void CountHorizontalRounds(const std::vector<CSurveyTurn>& rounds, FieldValueSink& sink) {
    int count = 0;
    for (const CSurveyTurn& round : rounds) count += round.m_arrObserve.empty() ? 0 : 1;
    if (count > 0) sink.Add(CHECK_ROUND_COUNT, 0, "", 0, count);
}

void CheckHorizontalRounds(const std::vector<CSurveyTurn>& rounds, FieldValueSink& sink) {
    const std::string* orientationTarget = OrientationTarget(rounds);
    TargetSeries directions;
    for (std::size_t r = 0; r < rounds.size(); ++r) {
        Check2CSpread(rounds[r], r, sink);
        CheckClosure(rounds[r], r, sink);
        if (orientationTarget != nullptr) {
            CollectDirections(rounds[r], r, *orientationTarget, directions, sink);
        }
    }
    // 1003: a direction's spread over the rounds, on the circle (a target a few seconds from the
    // orientation is read near 0 in one round and near 360 degrees in the next).
    AddSpreadsOverRounds(directions, CHECK_DIRECTION_BETWEEN_ROUNDS, CircularSpread,
                         SECONDS_PER_RAD, sink);
}

}  // namespace traverse
