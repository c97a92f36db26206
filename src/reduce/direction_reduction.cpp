#include "reduce/direction_reduction.h"

#include <cmath>
#include <cstddef>

#include "platform/gbk_literal.h"
#include "platform/messages.h"
#include "records/circle.h"
#include "records/target_names.h"
#include "reduce/direction_mean.h"
#include "reduce/plain_mean.h"
#include "reduce/records_by_name.h"
#include "traverse/angle.h"

namespace traverse {
namespace {

// An orientation this close to 3.14 rad is taken for a face-right reading booked as face left and
// turned back by pi. The window is centred on 3.14, not on pi, as the files in use expect.
constexpr double kHalfTurnOrientation = 3.14;
constexpr double kHalfTurnWindow = 0.01;

using Names = std::vector<std::string>;
using Values = std::vector<double>;

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
    RecordsByName records;
};

// A plain round holds the targets, or the targets plus a closing record on the first target. A
// right-angle round holds more records than targets plus one. names are the first round's.
void PlanRound(const CSurveyTurn& turn, const Names& names, RoundPlan& plan) {
    const std::vector<CBaseObserve>& records = turn.m_arrObserve;
    if (records.empty() || records[0].m_strName != names[0]) return;
    if (!HasTwoReadings(records[0])) return;
    double o = MeanDirection(records[0]);
    if (std::fabs(o - kHalfTurnOrientation) < kHalfTurnWindow) o -= PI;
    if (records.size() <= names.size() + 1) {
        if (records.size() == names.size() + 1) {
            const CBaseObserve& closing = records.back();
            if (closing.m_strName != names[0]) {
                plan.kind = RoundPlan::Kind::Message;
                plan.message = &GBK(text::kClosingTargetDiffers);
                return;
            }
            if (!HasTwoReadings(closing)) return;  // the import has reported it already
            o = ShortWayMean(o, MeanDirection(closing));
        }
        plan.kind = RoundPlan::Kind::Plain;
    } else {
        std::size_t second = 1;
        while (second < records.size() && records[second].m_strName != names[0]) ++second;
        if (second == records.size()) {
            plan.kind = RoundPlan::Kind::Message;
            plan.message = &GBK(text::kNoSecondOrientation);
            return;
        }
        if (!HasTwoReadings(records[second])) return;
        plan.p = MeanDirection(records[second]);
        plan.kind = RoundPlan::Kind::RightAngle;
    }
    plan.o = o;
    plan.records.AddAll(records);
}

// Appends what one round gives for target (names[k], k >= 1). A plain round gives the direction of
// target reduced to o once per usable record of target; a right-angle round reduces the first record
// of target to o and the last one to p, and the two halves give one value, only when target was read
// exactly twice.
void CollectRound(const RoundPlan& plan, const std::string& target, Values& values,
                  std::vector<std::string>& messages) {
    switch (plan.kind) {
    case RoundPlan::Kind::Skip:
        return;
    case RoundPlan::Kind::Message:
        messages.push_back(*plan.message);
        return;
    case RoundPlan::Kind::Plain:
        for (const CBaseObserve* record : plan.records.Of(target)) {
            if (record->m_arrValue.size() != 2) continue;
            double d = MeanDirection(*record) - plan.o;
            if (d < 0.0) d += TWO_PI;
            values.push_back(d);
        }
        return;
    case RoundPlan::Kind::RightAngle: {
        double d1 = 0.0;
        double d2 = 0.0;
        std::size_t found = 0;
        for (const CBaseObserve* record : plan.records.Of(target)) {
            if (record->m_arrValue.size() != 2) continue;
            if (found == 0) {
                d1 = MeanDirection(*record) - plan.o;
            } else {
                d2 = MeanDirection(*record) - plan.p;
            }
            ++found;
        }
        if (found == 2) values.push_back((d1 + d2 + TWO_PI) / 2);
        return;
    }
    }
}

}  // namespace

// The first target of the first round is the orientation, 0 by definition; every other target
// gets the mean of its reduced directions over all rounds. Each target goes through the rounds
// anew, so a faulty round reports itself once per target.
void ReduceDirections(const std::vector<CSurveyTurn>& rounds, std::vector<ReducedValue>& directions,
                      std::vector<std::string>& messages) {
    if (rounds.empty()) return;
    const Names names = DistinctTargetNames(rounds[0]);
    if (names.empty()) return;
    directions.push_back({names[0], 0.0});
    if (names.size() < 2) return;
    std::vector<RoundPlan> plans(rounds.size());
    for (std::size_t r = 0; r < rounds.size(); ++r) PlanRound(rounds[r], names, plans[r]);
    for (std::size_t k = 1; k < names.size(); ++k) {
        Values values;
        for (const RoundPlan& plan : plans) CollectRound(plan, names[k], values, messages);
        if (!values.empty()) directions.push_back({names[k], PlainMean(values)});
    }
}

}  // namespace traverse
