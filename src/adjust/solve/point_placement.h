// Places the points of a network from those already placed, one construction at a time, until
// nothing more can be placed: polar (a direction and a distance from an oriented station),
// intersection (directions from two oriented stations), two distances (the side chosen by a third
// observation), resection (the point's own directions to three placed points) and a traverse
// that no end orients, computed in a frame of its own and carried onto its placed ends.
#ifndef TRAVERSE_ADJUST_POINT_PLACEMENT_H
#define TRAVERSE_ADJUST_POINT_PLACEMENT_H

#include <deque>
#include <utility>
#include <vector>

#include "adjust/model/network.h"
#include "adjust/solve/placement_geometry.h"

namespace traverse {

// Why a point could not be placed although observations reach it: a construction was tried and
// its geometry failed. Points name the observations' other ends.
struct PlacementFailure {
    enum Kind {
        None,
        ParallelDirections,
        DirectionsMiss,
        DistancesMiss,
        TwoPositions,
        DangerCircle
    };
    Kind kind = None;
    int points[3] = {-1, -1, -1};
    double value = 0.0;  // the angle of the directions' cut, degrees
};

// What reaches a point from placed points: rays from oriented stations, distances, and the
// directions of one of its own sets to placed points.
struct PointTies {
    std::vector<std::pair<int, Ray>> rays;          // station, ray
    std::vector<std::pair<int, double>> distances;  // other end, metres
    std::vector<std::pair<int, double>> sighted;    // target, direction (one set of the point)
};

class PointPlacement {
public:
    // localFrames: whether traverses that no end orients are tried in frames of their own.
    PointPlacement(Network& network, bool localFrames);

    // Places what can be placed from the placed points and oriented sets.
    void Run();
    // In a network where only the station of set is placed: orients that set at 0 and places what
    // can be placed from it.
    void RunFrom(int set);
    // The same from a distance whose one end alone is placed: the other end due north of it.
    void RunFromLine(int distance);

    PointTies Ties(int point) const;
    const PlacementFailure& Failure(int point) const { return m_failures[point]; }

private:
    void Drain();
    void Place(int point, const PlanePosition& at);
    void TryOrient(int set);
    void TryPlace(int point);
    bool PlaceByPolar(int point, const PointTies& ties);
    bool PlaceByIntersection(int point, const PointTies& ties);
    bool PlaceByDistances(int point, const PointTies& ties);
    bool PlaceByResection(int point, const PointTies& ties);
    bool PlaceInLocalFrame();
    bool PlaceInLocalFrame(int origin, int set, int distance);
    double Misfit(const PlanePosition& at, const PointTies& ties, int usedA, int usedB) const;

    Network& m_network;
    bool m_localFrames;
    std::vector<std::vector<int>> m_setsAt;                      // sets by station
    std::vector<std::vector<int>> m_sightedBy;                   // directions by target
    std::vector<std::vector<std::pair<int, double>>> m_lengths;  // other end, first distance
    std::vector<PlacementFailure> m_failures;
    // Per set and per distance: the placed count when a frame started from it was last tried.
    std::vector<int> m_setTried, m_lineTried;
    int m_placedCount = 0;
    std::deque<int> m_sets;    // sets to orient
    std::deque<int> m_points;  // points to try
};

}  // namespace traverse

#endif
