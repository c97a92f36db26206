// The network the adjustment works on: its points and the reduced observations of every station,
// each observation with its a-priori sigma.
#ifndef TRAVERSE_ADJUST_NETWORK_H
#define TRAVERSE_ADJUST_NETWORK_H

#include <string>
#include <unordered_map>
#include <vector>

namespace traverse {

struct NetworkPoint {
    std::string name;  // GBK
    bool planeKnown = false;
    bool heightKnown = false;
    bool inPlane = false;              // takes part in directions or distances
    bool hasPlane = false;             // x, y known or approximated
    bool hasHeight = false;            // h known or approximated
    double x = 0.0, y = 0.0, h = 0.0;  // metres
};

// One station record's directions, reduced to its first target: one orientation unknown.
struct DirectionSet {
    int stationIndex = 0;         // in CImportXml::m_arrStation
    int station = 0;              // point
    std::vector<int> directions;  // into Network::directions, in the record's order
    double orientation = 0.0;     // radians: azimuth = direction + orientation
    bool oriented = false;
};

struct Direction {
    int set = 0;
    int target = 0;
    double value = 0.0;  // radians
    double sigma = 0.0;  // radians
};

struct Distance {
    int stationIndex = 0;
    int from = 0, to = 0;
    double horizontal = 0.0;  // metres, S sin Z (or S), before any reduction to a plane
    double value = 0.0;       // metres, the horizontal distance as adjusted (reduced)
    double sigma = 0.0;       // metres
};

struct HeightDifference {
    int stationIndex = 0;
    int from = 0, to = 0;
    double value = 0.0;     // metres
    double distance = 0.0;  // horizontal distance, metres
    double sigma = 0.0;     // metres
};

struct Network {
    std::vector<NetworkPoint> points;
    std::unordered_map<std::string, int> byName;
    std::vector<DirectionSet> sets;
    std::vector<Direction> directions;
    std::vector<Distance> distances;
    std::vector<HeightDifference> heights;
    std::vector<std::string> notes;  // GBK

    // The point of that name, added as a new point when there is none yet.
    int PointIndex(const std::string& name) {
        const auto found = byName.find(name);
        if (found != byName.end()) return found->second;
        byName.emplace(name, static_cast<int>(points.size()));
        points.push_back(NetworkPoint{});
        points.back().name = name;
        return static_cast<int>(points.size()) - 1;
    }
};

}  // namespace traverse

#endif
