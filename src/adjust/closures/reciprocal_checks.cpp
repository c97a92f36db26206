#include "adjust/closures/reciprocal_checks.h"

#include <cmath>
#include <map>
#include <utility>

#include "adjust/limit_judgement.h"

namespace traverse {
namespace {

// The first observation of a line from each of its ends, by index.
struct LinePair {
    int forward = -1;
    int backward = -1;
};

// Pairs up observations of the same line from its two ends; order of the first of each line.
template <typename Observation>
std::vector<LinePair> PairLines(const std::vector<Observation>& observations) {
    std::map<std::pair<int, int>, std::size_t> byLine;
    std::vector<LinePair> pairs;
    for (std::size_t i = 0; i < observations.size(); ++i) {
        const Observation& o = observations[i];
        const auto line =
            o.from < o.to ? std::make_pair(o.from, o.to) : std::make_pair(o.to, o.from);
        const auto found = byLine.emplace(line, pairs.size());
        if (found.second) pairs.push_back(LinePair{static_cast<int>(i), -1});
        LinePair& pair = pairs[found.first->second];
        if (pair.backward < 0 && o.from != observations[pair.forward].from)
            pair.backward = static_cast<int>(i);
    }
    return pairs;
}

// Calls judge(forward, backward) for each line observed from both its ends.
template <typename Observation, typename Judge>
void ForEachReciprocalPair(const std::vector<Observation>& observations, const Judge& judge) {
    for (const LinePair& pair : PairLines(observations)) {
        if (pair.backward >= 0) judge(observations[pair.forward], observations[pair.backward]);
    }
}

// differenceMm and limitMm in millimetres; the other values in the observations' own units.
ReciprocalCheck Check(const Network& network, ReciprocalKind kind, int from, int to, double forward,
                      double backward, double distance, double differenceMm, double limitMm) {
    ReciprocalCheck check;
    check.kind = kind;
    check.from = network.points[from].name;
    check.to = network.points[to].name;
    check.forward = forward;
    check.backward = backward;
    check.distance = distance;
    check.difference = differenceMm;
    check.limit = limitMm;
    check.withinLimit = WithinLimit(std::fabs(differenceMm), limitMm);
    return check;
}

}  // namespace

void CheckReciprocals(const Network& network, const AdjustmentSettings& settings,
                      AdjustmentResult& result) {
    auto& checks = result.reciprocalChecks;
    ForEachReciprocalPair(network.distances, [&](const Distance& a, const Distance& b) {
        const double mean = (a.horizontal + b.horizontal) / 2;
        const double limit = 2 * (settings.distanceSigmaA + settings.distanceSigmaB * mean * 1e-3);
        checks.push_back(Check(network, ReciprocalKind::Distance, a.from, a.to, a.horizontal,
                               b.horizontal, mean, (a.horizontal - b.horizontal) * 1000, limit));
    });
    ForEachReciprocalPair(network.heights, [&](const HeightDifference& a,
                                               const HeightDifference& b) {
        const double mean = (a.distance + b.distance) / 2;
        const double limit = settings.reciprocalHeightFactor * std::sqrt(mean * 1e-3);
        checks.push_back(Check(network, ReciprocalKind::HeightDifference, a.from, a.to, a.value,
                               b.value, mean, (a.value + b.value) * 1000, limit));
    });
}

}  // namespace traverse
