// Every network its observations determine is adjusted, however its points must first be placed:
// a forward intersection by directions only, a traverse that no end orients, distances only and a
// free station, simulated from true coordinates, find the truth within their sigmas. A network
// that is not determined names the point and why.
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/adjust_record.h"
#include "support/simulated_network.h"
#include "traverse/adjust.h"
#include "traverse/code_page.h"
#include "traverse/language.h"

namespace traverse {
namespace {

constexpr SimNoise kNoise{2.0, 3.0, 2.0, 10.0};

struct Shape {
    const char* what;
    SimulatedNetwork (*make)(int, std::mt19937_64&);
    int size;
};

const Shape kShapes[] = {
    {"forward intersection", ForwardIntersection, 6},
    {"unoriented traverse", UnorientedTraverse, 3},
    {"unoriented traverse", UnorientedTraverse, 12},
    {"trilateration", Trilateration, 6},
    {"free station", FreeStation, 3},
    {"free station", FreeStation, 5},
};

AdjustmentResult Simulate(const SimulatedNetwork& net, const SimNoise& noise, unsigned seed) {
    std::mt19937_64 rng(seed);
    const AdjustmentResult result =
        AdjustRecordBody(net.RecordBody(noise, rng), OptionsFor(kNoise));
    EXPECT_EQ(result.status, AdjustmentStatus::Adjusted) << GbkToUtf8(result.error);
    return result;
}

// Exact readings adjust to the true coordinates.
void ExpectTheTruth(const SimulatedNetwork& net, const std::string& what) {
    const AdjustmentResult result = Simulate(net, SimNoise{}, 1);
    for (const SimPoint& truth : net.points) {
        const AdjustedPoint* p = FindPoint(result, truth.name);
        ASSERT_NE(p, nullptr) << what << " " << truth.name;
        EXPECT_NEAR(std::hypot(p->x - truth.x, p->y - truth.y), 0.0, 1e-5)
            << what << " " << truth.name;
    }
}

TEST(AdjustEveryDeterminedNetwork, ExactReadingsGiveTheTruth) {
    for (const Shape& shape : kShapes) {
        for (unsigned seed = 1; seed <= 5; ++seed) {
            std::mt19937_64 geometry(seed);
            ExpectTheTruth(shape.make(shape.size, geometry),
                           shape.what + (" " + std::to_string(seed)));
        }
    }
}

// An unoriented traverse whose known ends are not occupied starts its frame from a distance; a
// free station that measures two known points takes the side its angle turns to.
TEST(AdjustEveryDeterminedNetwork, UnoccupiedEndsAndAFreeStationWithDistances) {
    for (unsigned seed = 1; seed <= 5; ++seed) {
        std::mt19937_64 geometry(seed);
        SimulatedNetwork traverse = UnorientedTraverse(6, geometry);
        traverse.stations.erase(traverse.stations.begin());
        traverse.stations.pop_back();
        ExpectTheTruth(traverse, "unoccupied ends");
        SimulatedNetwork free = FreeStation(2, geometry);
        free.stations[0].distances = free.stations[0].directions;
        ExpectTheTruth(free, "free station with distances");
    }
}

// Over many networks of each shape no error passes 4.5 sigma and the squares average 1.
TEST(AdjustEveryDeterminedNetwork, TruthWithinTheSigmasOverManySeeds) {
    for (const Shape& shape : kShapes) {
        double sum = 0.0;
        int count = 0;
        for (unsigned seed = 0; seed < 60; ++seed) {
            std::mt19937_64 geometry(seed);
            const SimulatedNetwork net = shape.make(shape.size, geometry);
            for (double error : StandardizedErrors(net, Simulate(net, kNoise, seed + 500))) {
                EXPECT_LE(std::fabs(error), 4.5)
                    << shape.what << " of " << shape.size << ", seed " << seed;
                sum += error * error;
                ++count;
            }
        }
        EXPECT_NEAR(sum / count, 1.0, 4 * std::sqrt(2.0 / count))
            << shape.what << " of " << shape.size;
        std::printf("%s of %d: mean squared standardized error %.3f over %d\n", shape.what,
                    shape.size, sum / count, count);
    }
}

// The adjustment of a network that is not determined: refused, naming the point and the cause.
void ExpectNotDetermined(const SimulatedNetwork& net, const std::string& point,
                         const std::string& cause) {
    SetLanguage(Language::kEnglish);
    std::mt19937_64 rng(1);
    const AdjustmentResult result =
        AdjustRecordBody(net.RecordBody(kNoise, rng), OptionsFor(kNoise));
    SetLanguage(Language::kChinese);
    EXPECT_EQ(result.status, AdjustmentStatus::UnreachablePoint);
    const std::string error = GbkToUtf8(result.error);
    EXPECT_NE(error.find("Point \"" + point + "\" is not determined"), std::string::npos) << error;
    EXPECT_NE(error.find(cause), std::string::npos) << error;
}

TEST(AdjustEveryDeterminedNetwork, NotDeterminedNamesThePointAndTheCause) {
    std::mt19937_64 geometry(3);
    // Distances from two known points leave every point's mirror image about the line between them.
    SimulatedNetwork mirrored = Trilateration(4, geometry);
    mirrored.points[2].planeKnown = mirrored.points[2].heightKnown = false;
    ExpectNotDetermined(mirrored, "边1", "distances from \"甲1\" and \"甲2\" allow two positions");

    // A free station on the circle through the three points it sights.
    SimulatedNetwork circle;
    const int station = circle.AddPoint("自由站", 3500400, 480000, 50, false);
    std::vector<int> known;
    for (double angle : {1.2, 2.9, 4.4}) {
        known.push_back(circle.AddPoint("已知" + std::to_string(known.size() + 1),
                                        3500000 + 400 * std::cos(angle),
                                        480000 + 400 * std::sin(angle), 50, true));
    }
    circle.AddStation(station, known, {});
    ExpectNotDetermined(circle, "自由站", "lies on the circle through the points it sights");

    // A point measured by one distance only.
    SimulatedNetwork lone = ForwardIntersection(3, geometry);
    lone.stations[0].distances.push_back(lone.AddPoint("孤", 3500300, 479500, 50, false));
    ExpectNotDetermined(lone, "孤", "by 0 direction(s) from oriented stations and 1 distance(s)");

    // Directions from two known stations that cross at a fraction of a degree.
    SimulatedNetwork flat;
    const int a = flat.AddPoint("甲1", 3500000, 480000, 50, true);
    const int b = flat.AddPoint("甲2", 3500000, 480600, 50, true);
    const int far = flat.AddPoint("远", 3500010, 485000, 50, false);
    flat.AddStation(a, {b, far}, {});
    flat.AddStation(b, {a, far}, {});
    ExpectNotDetermined(flat, "远", "cross at 0.");
}

}  // namespace
}  // namespace traverse
