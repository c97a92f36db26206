// Networks with known true coordinates whose record files are written from the truth with noise of
// given standard deviations: directions, slope distances and zenith distances such that the
// reduced directions, horizontal distances and height differences carry exactly that noise.
#ifndef TRAVERSE_TESTS_SIMULATED_NETWORK_H
#define TRAVERSE_TESTS_SIMULATED_NETWORK_H

#include <random>
#include <string>
#include <vector>

#include "traverse/adjust.h"

namespace traverse {

struct SimPoint {
    std::string name;  // UTF-8
    double x, y, h;
    bool planeKnown;
    bool heightKnown;
};

struct SimStation {
    int point;
    std::vector<int> directions;  // targets of the one round; the first is the orientation
    std::vector<int> distances;   // targets measured with slope and zenith distance
    double instrumentHeight;
};

// The a-priori standard deviations the readings are drawn with (0: exact readings).
struct SimNoise {
    double direction = 0.0;  // arc seconds
    double distanceA = 0.0;  // mm
    double distanceB = 0.0;  // ppm
    double height = 0.0;     // mm per km
    // Arc seconds: when above 0 the slope and zenith distances carry the noise (distanceA and B
    // on the slope distance) as an instrument reads them, and height is not used.
    double zenith = 0.0;
};

// The adjustment's sigmas equal to the noise's.
AdjustmentOptions OptionsFor(const SimNoise& noise);

// A gross error added to one observation of one station (station and target are indices).
struct SimBlunder {
    int station = -1;
    int target = -1;
    double direction = 0.0;  // arc seconds
    double distance = 0.0;   // mm, on the horizontal distance
};

class SimulatedNetwork {
public:
    int AddPoint(const std::string& name, double x, double y, double h, bool known);
    void AddStation(int point, std::vector<int> directions, std::vector<int> distances);

    // The record file's body, UTF-8, readings drawn from rng.
    std::string RecordBody(const SimNoise& noise, std::mt19937_64& rng,
                           const SimBlunder& blunder = SimBlunder()) const;

    std::vector<SimPoint> points;
    std::vector<SimStation> stations;
};

// A connecting traverse: two known points at each end, newPoints new stations between.
SimulatedNetwork ConnectingTraverse(int newPoints, std::mt19937_64& rng);
// A closed loop of newPoints new stations through a known station oriented on a known point.
SimulatedNetwork ClosedLoop(int newPoints, std::mt19937_64& rng);
// A connecting traverse whose stations also sight the station after next: no simple traverse.
SimulatedNetwork BracedTraverse(int newPoints, std::mt19937_64& rng);

// Directions only: three known stations, each sighting the other two, sight newPoints new points.
SimulatedNetwork ForwardIntersection(int newPoints, std::mt19937_64& rng);
// A traverse between two known stations that sight only their neighbour: no known orientation.
SimulatedNetwork UnorientedTraverse(int newPoints, std::mt19937_64& rng);
// Distances only: three known stations measure the distance to each of newPoints new points.
SimulatedNetwork Trilateration(int newPoints, std::mt19937_64& rng);
// One free station sighting knownPoints known points by direction only (a resection).
SimulatedNetwork FreeStation(int knownPoints, std::mt19937_64& rng);

// (adjusted - true) / sigma of every new point's x, y and, where it has one, h; a new point the
// adjustment left out is a test failure.
std::vector<double> StandardizedErrors(const SimulatedNetwork& net,
                                       const AdjustmentResult& result);

}  // namespace traverse

#endif
