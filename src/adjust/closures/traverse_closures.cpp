#include "adjust/closures/traverse_closures.h"

#include <cmath>
#include <map>
#include <set>
#include <utility>

#include "adjust/adjustment_texts.h"
#include "adjust/limit_judgement.h"
#include "adjust/solve/approximate_coordinates.h"
#include "platform/gbk_literal.h"
#include "records/circle.h"
#include "traverse/angle.h"

namespace traverse {
namespace {

// The traverse legs: lines between occupied points sighted from both ends and measured.
class TraverseGraph {
public:
    explicit TraverseGraph(const Network& network)
        : m_network(network), m_neighbours(network.points.size()), m_setsAt(network.points.size()) {
        for (std::size_t s = 0; s < network.sets.size(); ++s)
            m_setsAt[network.sets[s].station].push_back(static_cast<int>(s));
        std::map<std::pair<int, int>, std::pair<double, int>> lengths;
        for (const Distance& d : network.distances) {
            std::pair<double, int>& sum = lengths[Line(d.from, d.to)];
            sum.first += d.value;
            ++sum.second;
        }
        for (const auto& entry : lengths) {
            const int a = entry.first.first, b = entry.first.second;
            m_length[entry.first] = entry.second.first / entry.second.second;
            if (Sighted(a, b) && Sighted(b, a)) {
                m_neighbours[a].push_back(b);
                m_neighbours[b].push_back(a);
            }
        }
    }

    const std::vector<int>& Neighbours(int point) const { return m_neighbours[point]; }
    bool IsNew(int point) const { return !m_network.points[point].planeKnown; }
    double Length(int a, int b) const { return m_length.at(Line(a, b)); }

    // The direction from station at to target in the first set of that station holding both
    // targets (the second may be -1: any set holding the first). False when there is none.
    bool Directions(int at, int first, int second, double& toFirst, double& toSecond) const {
        for (int s : m_setsAt[at]) {
            const DirectionSet& set = m_network.sets[s];
            bool hasFirst = false, hasSecond = second < 0;
            for (int d : set.directions) {
                const Direction& direction = m_network.directions[d];
                if (direction.target == first) hasFirst = true, toFirst = direction.value;
                if (direction.target == second) hasSecond = true, toSecond = direction.value;
            }
            if (hasFirst && hasSecond) return true;
        }
        return false;
    }

    // A known point sighted in a set of station at that also holds target and, when not -1, other.
    int Orientation(int at, int target, int other) const {
        for (int s : m_setsAt[at]) {
            const DirectionSet& set = m_network.sets[s];
            bool hasTarget = false, hasOther = other < 0;
            int known = -1;
            for (int d : set.directions) {
                const int t = m_network.directions[d].target;
                hasTarget = hasTarget || t == target;
                hasOther = hasOther || t == other;
                if (known < 0 && t != target && t != other && t != at &&
                    m_network.points[t].planeKnown)
                    known = t;
            }
            if (hasTarget && hasOther && known >= 0) return known;
        }
        return -1;
    }

private:
    static std::pair<int, int> Line(int a, int b) {
        return a < b ? std::make_pair(a, b) : std::make_pair(b, a);
    }

    bool Sighted(int from, int to) const {
        double unused = 0.0;
        return Directions(from, to, -1, unused, unused);
    }

    const Network& m_network;
    std::vector<std::vector<int>> m_neighbours;
    std::vector<std::vector<int>> m_setsAt;
    std::map<std::pair<int, int>, double> m_length;
};

class ClosureComputer {
public:
    ClosureComputer(const Network& network, const TraverseGraph& graph,
                    const AdjustmentSettings& settings)
        : m_network(network), m_graph(graph), m_settings(settings) {}

    // path: the stations from the first known one to the last (for a loop, the first again).
    bool Compute(const std::vector<int>& path, TraverseClosure& closure) const {
        const bool loop = path.front() == path.back();
        const int first = path.front(), last = path.back();
        const int startKnown =
            m_graph.Orientation(first, path[1], loop ? path[path.size() - 2] : -1);
        const int endKnown =
            loop ? startKnown : m_graph.Orientation(last, path[path.size() - 2], -1);
        if (startKnown < 0 || endKnown < 0) return false;
        std::vector<double> angles;  // left angles, radians, one per station (a loop's start once)
        if (!Angles(path, loop, startKnown, endKnown, angles)) return false;
        closure.shape = loop ? TraverseShape::ClosedLoop : TraverseShape::Connecting;
        for (int p : path) closure.stations.push_back(m_network.points[p].name);
        closure.startOrientation = m_network.points[startKnown].name;
        closure.endOrientation = m_network.points[endKnown].name;
        const double startAzimuth = StartAzimuth(path, loop, startKnown);
        const double misclosure = AngularMisclosure(path, loop, startAzimuth, endKnown, angles);
        Judge(closure, static_cast<int>(angles.size()), misclosure);
        CarryCoordinates(path, startAzimuth, angles, misclosure, closure);
        return true;
    }

private:
    const NetworkPoint& Point(int p) const { return m_network.points[p]; }

    double Azimuth(int from, int to) const { return traverse::Azimuth(Point(from), Point(to)); }

    // The angle at station, clockwise from the back target to the forward one.
    bool LeftAngle(int station, int back, int forward, std::vector<double>& angles) const {
        double toBack = 0.0, toForward = 0.0;
        if (!m_graph.Directions(station, back, forward, toBack, toForward)) return false;
        angles.push_back(WrapTurn(toForward - toBack));
        return true;
    }

    bool Angles(const std::vector<int>& path, bool loop, int startKnown, int endKnown,
                std::vector<double>& angles) const {
        const std::size_t n = path.size();
        if (!LeftAngle(path[0], loop ? path[n - 2] : startKnown, path[1], angles)) return false;
        for (std::size_t i = 1; i + 1 < n; ++i) {
            if (!LeftAngle(path[i], path[i - 1], path[i + 1], angles)) return false;
        }
        return loop || LeftAngle(path[n - 1], path[n - 2], endKnown, angles);
    }

    // The azimuth of the back line at the first station: from the known orientation point for a
    // connecting traverse, from the last station of a loop (through the orientation).
    double StartAzimuth(const std::vector<int>& path, bool loop, int startKnown) const {
        if (!loop) return WrapTurn(Azimuth(path[0], startKnown) + PI);
        double toKnown = 0.0, toBack = 0.0;
        m_graph.Directions(path[0], startKnown, path[path.size() - 2], toKnown, toBack);
        return WrapTurn(Azimuth(path[0], startKnown) - toKnown + toBack + PI);
    }

    // f_beta: the azimuth carried through every angle less the known azimuth of the closing line
    // (for a loop, the back line it started from).
    double AngularMisclosure(const std::vector<int>& path, bool loop, double startAzimuth,
                             int endKnown, const std::vector<double>& angles) const {
        double azimuth = startAzimuth;
        for (double angle : angles) azimuth = WrapTurn(azimuth + angle - PI);
        return AngleDifference(loop ? startAzimuth : Azimuth(path.back(), endKnown), azimuth);
    }

    void Judge(TraverseClosure& closure, int n, double misclosure) const {
        closure.angleCount = n;
        closure.angularMisclosure = RadToSecond(misclosure);
        closure.angularLimit = m_settings.angularClosureFactor * std::sqrt(static_cast<double>(n));
        closure.angularWithinLimit =
            WithinLimit(std::fabs(closure.angularMisclosure), closure.angularLimit);
    }

    // The angles corrected by -f_beta / n carry the coordinates from the first station to the last.
    void CarryCoordinates(const std::vector<int>& path, double startAzimuth,
                          const std::vector<double>& angles, double misclosure,
                          TraverseClosure& closure) const {
        const double correction = -misclosure / static_cast<double>(angles.size());
        double azimuth = startAzimuth, x = Point(path[0]).x, y = Point(path[0]).y, length = 0.0;
        for (std::size_t i = 0; i + 1 < path.size(); ++i) {
            azimuth = WrapTurn(azimuth + angles[i] + correction - PI);
            const double leg = m_graph.Length(path[i], path[i + 1]);
            x += leg * std::cos(azimuth);
            y += leg * std::sin(azimuth);
            length += leg;
        }
        closure.length = length;
        closure.fx = (x - Point(path.back()).x) * 1000;
        closure.fy = (y - Point(path.back()).y) * 1000;
        closure.fs = std::hypot(closure.fx, closure.fy);
        closure.relativeMisclosure = closure.fs / 1000 / length;
        closure.relativeLimit = m_settings.relativeClosureLimit;
        closure.relativeWithinLimit =
            WithinLimit(closure.relativeMisclosure, closure.relativeLimit);
    }

    const Network& m_network;
    const TraverseGraph& m_graph;
    const AdjustmentSettings& m_settings;
};

// Walks from a known station through new stations that have exactly two legs; the path ends at
// the first known station, or is empty when it ends anywhere else.
std::vector<int> WalkChain(const TraverseGraph& graph, int start, int next, std::size_t limit) {
    std::vector<int> path{start, next};
    int previous = start, current = next;
    while (graph.IsNew(current) && graph.Neighbours(current).size() == 2 && path.size() <= limit) {
        const std::vector<int>& around = graph.Neighbours(current);
        const int following = around[0] == previous ? around[1] : around[0];
        path.push_back(following);
        previous = current;
        current = following;
    }
    return graph.IsNew(current) ? std::vector<int>() : path;
}

}  // namespace

void FindTraverseClosures(const Network& network, const AdjustmentSettings& settings,
                          AdjustmentResult& result) {
    const TraverseGraph graph(network);
    const ClosureComputer computer(network, graph, settings);
    std::set<std::pair<int, int>> walked;  // first legs of the chains already followed
    std::vector<bool> covered(network.points.size(), false);
    for (std::size_t a = 0; a < network.points.size(); ++a) {
        const int start = static_cast<int>(a);
        if (graph.IsNew(start)) continue;
        for (int next : graph.Neighbours(start)) {
            if (!graph.IsNew(next) || walked.count({start, next}) != 0) continue;
            const std::vector<int> path = WalkChain(graph, start, next, network.points.size());
            if (path.empty()) continue;
            walked.insert({start, next});
            walked.insert({path.back(), path[path.size() - 2]});
            TraverseClosure closure;
            if (!computer.Compute(path, closure)) continue;
            for (int p : path) covered[p] = true;
            result.traverses.push_back(closure);
        }
    }
    result.simpleTraverse = true;
    for (const DirectionSet& set : network.sets) {
        if (graph.IsNew(set.station) && !covered[set.station]) result.simpleTraverse = false;
    }
    if (!result.simpleTraverse) result.notes.push_back(GBK(text::kAdjustNoteNotSimple));
}

}  // namespace traverse
