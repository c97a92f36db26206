#include "adjust/solve/approximate_coordinates.h"

#include <cmath>
#include <deque>
#include <map>
#include <utility>

#include "adjust/adjustment_texts.h"
#include "adjust/model/adjustment_failure.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "records/circle.h"

namespace traverse {
namespace {

using PointPair = std::pair<int, int>;

PointPair Line(int a, int b) {
    return a < b ? PointPair(a, b) : PointPair(b, a);
}

// The propagation: a worklist of sets whose station is placed and not yet oriented.
class Propagation {
public:
    explicit Propagation(Network& network) : m_network(network) {
        const std::size_t count = network.points.size();
        m_setsAt.resize(count);
        m_setsSighting.resize(count);
        for (std::size_t s = 0; s < network.sets.size(); ++s) {
            m_setsAt[network.sets[s].station].push_back(static_cast<int>(s));
            for (int d : network.sets[s].directions) {
                m_setsSighting[network.directions[d].target].push_back(static_cast<int>(s));
            }
        }
        // The first distance of a line, whichever end it was measured from.
        for (const Distance& distance : network.distances) {
            m_lineLength.emplace(Line(distance.from, distance.to), distance.value);
        }
    }

    void Run() {
        for (std::size_t s = 0; s < m_network.sets.size(); ++s) {
            if (m_network.points[m_network.sets[s].station].hasPlane)
                m_pending.push_back(static_cast<int>(s));
        }
        while (!m_pending.empty()) {
            const int s = m_pending.front();
            m_pending.pop_front();
            DirectionSet& set = m_network.sets[s];
            if (set.oriented || !OrientSet(m_network, set)) continue;
            set.oriented = true;
            for (int d : set.directions) PlaceTarget(set, m_network.directions[d]);
        }
    }

private:
    void PlaceTarget(const DirectionSet& set, const Direction& direction) {
        NetworkPoint& target = m_network.points[direction.target];
        if (target.hasPlane) return;
        const auto length = m_lineLength.find(Line(set.station, direction.target));
        if (length == m_lineLength.end()) return;
        const NetworkPoint& station = m_network.points[set.station];
        const double azimuth = direction.value + set.orientation;
        target.x = station.x + length->second * std::cos(azimuth);
        target.y = station.y + length->second * std::sin(azimuth);
        target.hasPlane = true;
        // Its own sets can now be oriented, and so can sets that sight it from a placed station.
        for (int s : m_setsAt[direction.target]) m_pending.push_back(s);
        for (int s : m_setsSighting[direction.target]) {
            if (m_network.points[m_network.sets[s].station].hasPlane) m_pending.push_back(s);
        }
    }

    Network& m_network;
    std::vector<std::vector<int>> m_setsAt;
    std::vector<std::vector<int>> m_setsSighting;
    std::map<PointPair, double> m_lineLength;
    std::deque<int> m_pending;
};

[[noreturn]] void Fail(AdjustmentStatus status, const std::string& gbkMessage) {
    throw AdjustmentFailure(status, gbkMessage);
}

void CheckPlaced(const Network& network) {
    bool anyOriented = false;
    for (const DirectionSet& set : network.sets) {
        anyOriented = anyOriented || (set.oriented && network.points[set.station].planeKnown);
    }
    for (const NetworkPoint& point : network.points) {
        if (!point.inPlane || point.hasPlane) continue;
        if (!anyOriented) Fail(AdjustmentStatus::NoOrientation, GBK(text::kAdjustNoOrientation));
        Fail(AdjustmentStatus::UnreachablePoint,
             FormatText(GBK(text::kAdjustUnreachable), point.name.c_str()));
    }
}

}  // namespace

double Azimuth(const NetworkPoint& a, const NetworkPoint& b) {
    return WrapTurn(std::atan2(b.y - a.y, b.x - a.x));
}

bool OrientSet(const Network& network, DirectionSet& set) {
    const NetworkPoint& station = network.points[set.station];
    bool any = false;
    double first = 0.0, sum = 0.0;
    int count = 0;
    for (int d : set.directions) {
        const Direction& direction = network.directions[d];
        const NetworkPoint& target = network.points[direction.target];
        if (!target.hasPlane) continue;
        const double orientation = WrapTurn(Azimuth(station, target) - direction.value);
        if (!any) first = orientation;
        any = true;
        sum += AngleDifference(first, orientation);
        ++count;
    }
    if (any) set.orientation = WrapTurn(first + sum / count);
    return any;
}

void ApproximateCoordinates(Network& network) {
    bool anyKnown = false;
    for (const NetworkPoint& point : network.points) anyKnown = anyKnown || point.planeKnown;
    if (!anyKnown) Fail(AdjustmentStatus::NoKnownPoints, GBK(text::kAdjustNoKnownPoints));
    Propagation(network).Run();
    CheckPlaced(network);
}

}  // namespace traverse
