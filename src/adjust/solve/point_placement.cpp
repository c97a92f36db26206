#include "adjust/solve/point_placement.h"

#include <cmath>
#include <set>

#include "adjust/solve/approximate_coordinates.h"
#include "adjust/solve/local_figure.h"
#include "records/circle.h"

namespace traverse {
namespace {

// Directions crossing at less than this cut give no usable intersection (about 1 degree).
constexpr double kSmallestCut = 0.0175;
// A resection weaker than this lies on or next to the circle through its three points.
constexpr double kWeakestResection = 1e-3;
// Constructions search at most this many of a point's ties, so that the work stays bounded.
constexpr std::size_t kTiesSearched = 8;
constexpr double kDegreesPerRadian = 57.29577951308232;

PlanePosition PositionOf(const NetworkPoint& point) { return PlanePosition{point.x, point.y}; }

}  // namespace

PointPlacement::PointPlacement(Network& network, bool localFrames)
    : m_network(network), m_localFrames(localFrames) {
    const std::size_t count = network.points.size();
    m_setsAt.resize(count);
    m_sightedBy.resize(count);
    m_lengths.resize(count);
    m_failures.resize(count);
    m_setTried.assign(network.sets.size(), -1);
    m_lineTried.assign(network.distances.size(), -1);
    for (std::size_t s = 0; s < network.sets.size(); ++s)
        m_setsAt[network.sets[s].station].push_back(static_cast<int>(s));
    for (std::size_t d = 0; d < network.directions.size(); ++d)
        m_sightedBy[network.directions[d].target].push_back(static_cast<int>(d));
    // The first distance of a line, whichever end it was measured from.
    std::set<std::pair<int, int>> lines;
    for (const Distance& distance : network.distances) {
        if (!lines
                 .emplace(std::min(distance.from, distance.to),
                          std::max(distance.from, distance.to))
                 .second)
            continue;
        m_lengths[distance.from].emplace_back(distance.to, distance.value);
        m_lengths[distance.to].emplace_back(distance.from, distance.value);
    }
}

void PointPlacement::Run() {
    for (std::size_t s = 0; s < m_network.sets.size(); ++s) {
        if (m_network.points[m_network.sets[s].station].hasPlane)
            m_sets.push_back(static_cast<int>(s));
    }
    for (std::size_t p = 0; p < m_network.points.size(); ++p) {
        if (m_network.points[p].inPlane && !m_network.points[p].hasPlane)
            m_points.push_back(static_cast<int>(p));
    }
    Drain();
}

void PointPlacement::RunFrom(int set) {
    DirectionSet& start = m_network.sets[set];
    start.orientation = 0.0;
    start.oriented = true;
    for (int s : m_setsAt[start.station]) m_sets.push_back(s);
    for (int d : start.directions) m_points.push_back(m_network.directions[d].target);
    Drain();
}

void PointPlacement::Drain() {
    for (;;) {
        if (!m_sets.empty()) {
            const int set = m_sets.front();
            m_sets.pop_front();
            TryOrient(set);
        } else if (!m_points.empty()) {
            const int point = m_points.front();
            m_points.pop_front();
            if (!m_network.points[point].hasPlane) TryPlace(point);
        } else if (!m_localFrames || !PlaceInLocalFrame()) {
            return;
        }
    }
}

void PointPlacement::Place(int point, const PlanePosition& at) {
    NetworkPoint& placed = m_network.points[point];
    placed.x = at.x;
    placed.y = at.y;
    placed.hasPlane = true;
    ++m_placedCount;
    // Its own sets can now be oriented, so can the sets that sight it; its neighbours may follow.
    for (int s : m_setsAt[point]) m_sets.push_back(s);
    for (int d : m_sightedBy[point]) {
        const int station = m_network.sets[m_network.directions[d].set].station;
        if (m_network.points[station].hasPlane) {
            m_sets.push_back(m_network.directions[d].set);
        } else {
            m_points.push_back(station);
        }
    }
    for (const auto& length : m_lengths[point]) {
        if (!m_network.points[length.first].hasPlane) m_points.push_back(length.first);
    }
}

void PointPlacement::TryOrient(int set) {
    DirectionSet& oriented = m_network.sets[set];
    if (oriented.oriented || !OrientSet(m_network, oriented)) return;
    oriented.oriented = true;
    for (int d : oriented.directions) {
        const int target = m_network.directions[d].target;
        if (!m_network.points[target].hasPlane) m_points.push_back(target);
    }
}

PointTies PointPlacement::Ties(int point) const {
    PointTies ties;
    for (int d : m_sightedBy[point]) {
        const Direction& direction = m_network.directions[d];
        const DirectionSet& set = m_network.sets[direction.set];
        const NetworkPoint& station = m_network.points[set.station];
        if (!set.oriented || !station.hasPlane) continue;
        ties.rays.emplace_back(
            set.station, Ray{PositionOf(station), WrapTurn(direction.value + set.orientation)});
    }
    for (const auto& length : m_lengths[point]) {
        if (m_network.points[length.first].hasPlane) ties.distances.push_back(length);
    }
    // The point's own set that sights the most placed points.
    for (int s : m_setsAt[point]) {
        std::vector<std::pair<int, double>> sighted;
        for (int d : m_network.sets[s].directions) {
            const Direction& direction = m_network.directions[d];
            if (m_network.points[direction.target].hasPlane)
                sighted.emplace_back(direction.target, direction.value);
        }
        if (sighted.size() > ties.sighted.size()) ties.sighted = sighted;
    }
    return ties;
}

void PointPlacement::TryPlace(int point) {
    const PointTies ties = Ties(point);
    if (PlaceByPolar(point, ties) || PlaceByIntersection(point, ties) ||
        PlaceByDistances(point, ties) || PlaceByResection(point, ties))
        m_failures[point] = PlacementFailure{};
}

bool PointPlacement::PlaceByPolar(int point, const PointTies& ties) {
    for (const auto& ray : ties.rays) {
        for (const auto& length : ties.distances) {
            if (length.first != ray.first) continue;
            const Ray& r = ray.second;
            Place(point, PlanePosition{r.from.x + length.second * std::cos(r.azimuth),
                                       r.from.y + length.second * std::sin(r.azimuth)});
            return true;
        }
    }
    return false;
}

// The pair of rays that cut best and meet ahead of both stations; else the reason none does.
bool PointPlacement::PlaceByIntersection(int point, const PointTies& ties) {
    const std::size_t count = std::min(ties.rays.size(), kTiesSearched);
    double best = -1.0, widest = -1.0;
    PlanePosition chosen;
    int stations[2] = {-1, -1};
    for (std::size_t a = 0; a < count; ++a) {
        for (std::size_t b = a + 1; b < count; ++b) {
            const auto& ra = ties.rays[a];
            const auto& rb = ties.rays[b];
            if (ra.first == rb.first) continue;
            const double cut = CutSine(ra.second, rb.second);
            if (widest < 0.0) stations[0] = ra.first, stations[1] = rb.first;
            widest = std::fmax(widest, cut);
            PlanePosition at;
            if (cut < kSmallestCut || !(cut > best) || !IntersectRays(ra.second, rb.second, at))
                continue;
            best = cut, chosen = at, stations[0] = ra.first, stations[1] = rb.first;
        }
    }
    if (best >= 0.0) {
        Place(point, chosen);
        return true;
    }
    if (widest < 0.0) return false;
    m_failures[point] =
        PlacementFailure{widest < kSmallestCut ? PlacementFailure::ParallelDirections
                                               : PlacementFailure::DirectionsMiss,
                         {stations[0], stations[1], -1},
                         std::asin(std::fmin(widest, 1.0)) * kDegreesPerRadian};
    return false;
}

namespace {

// The offset of `at` from a ray, metres: across it, or from its station when behind it.
double RayOffset(const Ray& ray, const PlanePosition& at) {
    const double dx = at.x - ray.from.x, dy = at.y - ray.from.y;
    const double along = dx * std::cos(ray.azimuth) + dy * std::sin(ray.azimuth);
    return along > 0 ? dy * std::cos(ray.azimuth) - dx * std::sin(ray.azimuth)
                     : PlaneDistance(ray.from, at);
}

}  // namespace

// How badly the other observations fit a point placed at `at`, in metres squared: distances other
// than the two used, rays from oriented stations, and the angles of the point's own set (which
// turn the other way round at the mirrored position). Negative when no other observation is there
// to choose with.
double PointPlacement::Misfit(const PlanePosition& at, const PointTies& ties, int usedA,
                              int usedB) const {
    double sum = 0.0;
    bool any = false;
    for (const auto& length : ties.distances) {
        if (length.first == usedA || length.first == usedB) continue;
        const double off =
            PlaneDistance(PositionOf(m_network.points[length.first]), at) - length.second;
        sum += off * off;
        any = true;
    }
    for (const auto& ray : ties.rays) {
        sum += RayOffset(ray.second, at) * RayOffset(ray.second, at);
        any = true;
    }
    if (ties.sighted.size() < 2) return any ? sum : -1.0;
    const PlanePosition first = PositionOf(m_network.points[ties.sighted.front().first]);
    const double orientation =
        std::atan2(first.y - at.y, first.x - at.x) - ties.sighted.front().second;
    for (const auto& sighting : ties.sighted) {
        const PlanePosition target = PositionOf(m_network.points[sighting.first]);
        const double azimuth = WrapTurn(std::atan2(target.y - at.y, target.x - at.x));
        const double off = AngleDifference(WrapTurn(sighting.second + orientation), azimuth) *
                           PlaneDistance(at, target);
        sum += off * off;
    }
    return sum;
}

namespace {

// Of the pairs of distances, the one whose circles cut at the widest angle, with both its points;
// else the first pair, with `cut` negative when no pair's circles meet.
struct CirclePair {
    int ends[2] = {-1, -1};
    PlanePosition at[2];
    double cut = -1.0;
};

CirclePair BestCirclePair(const Network& network, const PointTies& ties) {
    const std::size_t count = std::min(ties.distances.size(), kTiesSearched);
    CirclePair best;
    for (std::size_t a = 0; a < count; ++a) {
        for (std::size_t b = a + 1; b < count; ++b) {
            const auto& la = ties.distances[a];
            const auto& lb = ties.distances[b];
            const PlanePosition pa = PositionOf(network.points[la.first]);
            const PlanePosition pb = PositionOf(network.points[lb.first]);
            CirclePair pair;
            pair.ends[0] = la.first;
            pair.ends[1] = lb.first;
            if (best.ends[0] < 0) best = pair;
            if (!IntersectCircles(pa, la.second, pb, lb.second, pair.at)) continue;
            const PlanePosition& p = pair.at[0];
            pair.cut = std::fabs((pa.x - p.x) * (pb.y - p.y) - (pa.y - p.y) * (pb.x - p.x)) /
                       (la.second * lb.second);
            if (pair.cut > best.cut) best = pair;
        }
    }
    return best;
}

}  // namespace

bool PointPlacement::PlaceByDistances(int point, const PointTies& ties) {
    const CirclePair pair = BestCirclePair(m_network, ties);
    if (pair.ends[0] < 0) return false;
    PlacementFailure& failure = m_failures[point];
    if (pair.cut < 0.0) {
        failure =
            PlacementFailure{PlacementFailure::DistancesMiss, {pair.ends[0], pair.ends[1], -1}};
        return false;
    }
    const double first = Misfit(pair.at[0], ties, pair.ends[0], pair.ends[1]);
    const double second = Misfit(pair.at[1], ties, pair.ends[0], pair.ends[1]);
    if (first < 0.0 && PlaneDistance(pair.at[0], pair.at[1]) > 0.0) {
        failure =
            PlacementFailure{PlacementFailure::TwoPositions, {pair.ends[0], pair.ends[1], -1}};
        return false;
    }
    Place(point, first <= second ? pair.at[0] : pair.at[1]);
    return true;
}

bool PointPlacement::PlaceByResection(int point, const PointTies& ties) {
    const std::size_t count = std::min(ties.sighted.size(), kTiesSearched);
    if (count < 3) return false;
    Resection best;
    int used[3] = {-1, -1, -1};
    for (std::size_t a = 0; a < count; ++a) {
        for (std::size_t b = a + 1; b < count; ++b) {
            for (std::size_t c = b + 1; c < count; ++c) {
                const std::size_t picked[3] = {a, b, c};
                Sighting sightings[3];
                for (int k = 0; k < 3; ++k) {
                    const auto& sighted = ties.sighted[picked[k]];
                    sightings[k] =
                        Sighting{PositionOf(m_network.points[sighted.first]), sighted.second};
                }
                const Resection resection = Resect(sightings);
                if (used[0] >= 0 && !(resection.strength > best.strength)) continue;
                best = resection;
                for (int k = 0; k < 3; ++k) used[k] = ties.sighted[picked[k]].first;
            }
        }
    }
    if (!(best.strength >= kWeakestResection)) {
        m_failures[point] =
            PlacementFailure{PlacementFailure::DangerCircle, {used[0], used[1], used[2]}, 0.0};
        return false;
    }
    Place(point, best.station);
    return true;
}

// Frames start at a placed station's set that nothing orients, or at a distance from a placed
// point to one not placed; each start is tried again only once more has been placed.
bool PointPlacement::PlaceInLocalFrame() {
    for (std::size_t s = 0; s < m_network.sets.size(); ++s) {
        const DirectionSet& set = m_network.sets[s];
        if (set.oriented || set.directions.empty() || !m_network.points[set.station].hasPlane ||
            m_setTried[s] == m_placedCount)
            continue;
        m_setTried[s] = m_placedCount;
        if (PlaceInLocalFrame(set.station, static_cast<int>(s), -1)) return true;
    }
    for (std::size_t d = 0; d < m_network.distances.size(); ++d) {
        const Distance& distance = m_network.distances[d];
        const bool fromPlaced = m_network.points[distance.from].hasPlane;
        if (fromPlaced == m_network.points[distance.to].hasPlane || m_lineTried[d] == m_placedCount)
            continue;
        m_lineTried[d] = m_placedCount;
        const int origin = fromPlaced ? distance.from : distance.to;
        if (PlaceInLocalFrame(origin, -1, static_cast<int>(d))) return true;
    }
    return false;
}

void PointPlacement::RunFromLine(int distance) {
    const Distance& line = m_network.distances[distance];
    const int other = m_network.points[line.from].hasPlane ? line.to : line.from;
    Place(other, PlanePosition{line.value, 0.0});
    Drain();
}

bool PointPlacement::PlaceInLocalFrame(int origin, int set, int distance) {
    const std::vector<std::pair<int, PlanePosition>> figure =
        PlaceFigure(m_network, FigureStart{origin, set, distance});
    for (const auto& placed : figure) Place(placed.first, placed.second);
    return !figure.empty();
}

}  // namespace traverse
