#include "reduce/direction_reduction.h"

#include <cmath>
#include <cstddef>
#include <string_view>

#include "platform/gbk_literal.h"
#include "records/circle.h"
#include "reduce/direction_mean.h"
#include "reduce/records_by_name.h"
#include "reduce/reduction_texts.h"
#include "traverse/angle.h"

namespace traverse {
namespace {

using Values = std::vector<double>;
using Records = RecordsByName::Range;

// Angle records give face left [0] and face right [1]; shorter ones must never be read.
bool HasTwoReadings(const CBaseObserve& observe) { return observe.m_arrValue.size() >= 2; }

// What one round gives any target, worked out once per round: it is passed over, it raises a
// message for every target that asks, or it reduces the target's records to its orientation o
// (a right-angle round: the target's last record to p, that of the first later record on the first
// target).
struct RoundPlan {
    enum class Kind { Skip, Message, Plain, RightAngle } kind = Kind::Skip;
    const std::string* message = nullptr;
    double o = 0.0;
    double p = 0.0;
};

// The index of the first record named name from record from on; records.size() when there is none.
std::size_t NextRecordOf(const std::vector<CBaseObserve>& records, std::string_view name,
                         std::size_t from) {
    while (from < records.size() && records[from].m_strName != name) ++from;
    return from;
}

// A plain round reads every target once from the orientation o; a round one record longer than the
// first round's targets, or longer still, closes on the first target, and o becomes the short-way
// mean of the opening and the closing.
void PlanPlainRound(const std::vector<CBaseObserve>& records, std::size_t firstRoundTargets,
                    std::string_view orientation, double o, RoundPlan& plan) {
    if (records.size() >= firstRoundTargets + 1) {
        const CBaseObserve& closing = records.back();
        if (closing.m_strName != orientation) {
            plan.kind = RoundPlan::Kind::Message;
            plan.message = &GBK(text::kClosingTargetDiffers);
            return;
        }
        if (!HasTwoReadings(closing)) return;  // the import has reported it already
        o = ShortWayMean(o, MeanDirection(closing));
    }
    plan.kind = RoundPlan::Kind::Plain;
    plan.o = o;
}

// A right-angle round reads the targets a second time from a second orientation record, the first
// later record on the first target (at second).
void PlanRightAngleRound(const std::vector<CBaseObserve>& records, std::size_t second, double o,
                         RoundPlan& plan) {
    if (second == records.size()) {
        plan.kind = RoundPlan::Kind::Message;
        plan.message = &GBK(text::kNoSecondOrientation);
        return;
    }
    if (!HasTwoReadings(records[second])) return;
    plan.kind = RoundPlan::Kind::RightAngle;
    plan.o = o;
    plan.p = MeanDirection(records[second]);
}

// A round longer than the first round's targets plus one is a right-angle round, unless the only
// later record on the first target is its last: then it is a plain round that reads a target the
// first round missed and closes. The orientation is the short-way face mean as it stands, even near
// half a turn: rounds are set anywhere on the circle, and a file may give face right first.
void PlanRound(const CSurveyTurn& turn, std::string_view orientation,
               std::size_t firstRoundTargets, RoundPlan& plan) {
    const std::vector<CBaseObserve>& records = turn.m_arrObserve;
    if (records.empty() || records[0].m_strName != orientation) return;
    if (!HasTwoReadings(records[0])) return;
    const double o = MeanDirection(records[0]);
    const std::size_t second = NextRecordOf(records, orientation, 1);
    if (records.size() > firstRoundTargets + 1 && second != records.size() - 1) {
        PlanRightAngleRound(records, second, o, plan);
    } else {
        PlanPlainRound(records, firstRoundTargets, orientation, o, plan);
    }
}

// The two halves of a right-angle round give d1 (to o) and d2 (to p). When d2 lies below p and the
// halves agree within half a turn, their mean is the one files have always shown, bit for bit;
// otherwise each is brought onto [0, 2*pi) and they are averaged the short way, so that a second
// orientation anywhere on the circle, or a target beside the orientation, reduces correctly.
double RightAngleDirection(double d1, double d2) {
    if (d1 >= 0.0 && d2 < 0.0 && std::fabs(d1 - (d2 + TWO_PI)) <= PI) return (d1 + d2 + TWO_PI) / 2;
    return ShortWayMean(TurnNonNegative(d1), TurnNonNegative(d2));
}

// Appends what one round gives for a target (not the first) from its records in that round. A
// plain round gives the direction of the target reduced to o once per usable record; a right-angle
// round reduces the first record to o and the last one to p, and the two halves give one value,
// only when the target was read exactly twice.
void CollectRound(const RoundPlan& plan, const Records& records, Values& values,
                  std::vector<std::string>& messages) {
    switch (plan.kind) {
    case RoundPlan::Kind::Skip:
        return;
    case RoundPlan::Kind::Message:
        messages.push_back(*plan.message);
        return;
    case RoundPlan::Kind::Plain:
        for (const CBaseObserve* record : records) {
            if (record->m_arrValue.size() != 2) continue;
            values.push_back(TurnNonNegative(MeanDirection(*record) - plan.o));
        }
        return;
    case RoundPlan::Kind::RightAngle: {
        double d1 = 0.0;
        double d2 = 0.0;
        std::size_t found = 0;
        for (const CBaseObserve* record : records) {
            if (record->m_arrValue.size() != 2) continue;
            if (found == 0) {
                d1 = MeanDirection(*record) - plan.o;
            } else {
                d2 = MeanDirection(*record) - plan.p;
            }
            ++found;
        }
        if (found == 2) values.push_back(RightAngleDirection(d1, d2));
        return;
    }
    }
}

}  // namespace

// The first target of the first round is the orientation, 0 by definition; every other target,
// those of the first round first and then those first read in a later round, gets the short-way
// mean of its reduced directions over all rounds. Each target goes through the rounds anew, so a
// faulty round reports itself once per target.
void ReduceDirections(const std::vector<CSurveyTurn>& rounds, std::vector<ReducedValue>& directions,
                      std::vector<std::string>& messages) {
    if (rounds.empty()) return;
    const RecordsByName index(rounds);
    const std::size_t firstRoundTargets = index.FirstRoundCount();
    if (firstRoundTargets == 0) return;
    const std::vector<std::string_view>& names = index.Names();
    directions.push_back({std::string(names[0]), 0.0});
    if (names.size() < 2) return;
    std::vector<RoundPlan> plans(rounds.size());
    for (std::size_t r = 0; r < rounds.size(); ++r) {
        PlanRound(rounds[r], names[0], firstRoundTargets, plans[r]);
    }
    Values values;  // one buffer for every target's values
    for (std::size_t k = 1; k < names.size(); ++k) {
        values.clear();
        const Records all = index.Of(k);
        Records::Iterator next = all.begin();
        for (std::size_t r = 0; r < plans.size(); ++r) {
            const Records::Iterator first = next;  // the target's records in round r
            while (next != all.end() && next.Round() == r) ++next;
            CollectRound(plans[r], Records(first, next), values, messages);
        }
        if (!values.empty()) directions.push_back({std::string(names[k]), ShortWayMean(values)});
    }
}

}  // namespace traverse
