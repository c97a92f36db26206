// The adjustment from true geometry: networks with known coordinates are observed with noise of
// the a-priori sigmas, written as record files, imported and adjusted; the adjusted points must
// find the truth within their sigmas, and the statistics must behave as the model says.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "adjust/statistics/observation_statistics.h"
#include "support/adjust_record.h"
#include "support/simulated_network.h"
#include "traverse/adjust.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

constexpr SimNoise kNoise{2.0, 3.0, 2.0, 10.0};

// The errors of the adjusted side lengths, each divided by its sigma.
std::vector<double> StandardizedSideErrors(const SimulatedNetwork& net,
                                           const AdjustmentResult& result) {
    std::vector<double> errors;
    const auto truth = [&net](const std::string& gbkName) -> const SimPoint& {
        for (const SimPoint& p : net.points)
            if (Utf8ToGbk(p.name) == gbkName) return p;
        return net.points.front();
    };
    for (const AdjustedSide& side : result.sides) {
        const SimPoint& a = truth(side.from);
        const SimPoint& b = truth(side.to);
        errors.push_back((side.length - std::hypot(b.x - a.x, b.y - a.y)) * 1000 /
                         side.sigmaLength);
    }
    return errors;
}

// Readings drawn with noise, adjusted with the sigmas of kNoise.
AdjustmentResult Simulate(const SimulatedNetwork& net, const SimNoise& noise, unsigned seed,
                          const SimBlunder& blunder = SimBlunder()) {
    std::mt19937_64 rng(seed);
    const AdjustmentResult result =
        AdjustRecordBody(net.RecordBody(noise, rng, blunder), OptionsFor(kNoise));
    EXPECT_EQ(result.status, AdjustmentStatus::Adjusted) << GbkToUtf8(result.error);
    return result;
}

struct Shape {
    const char* what;
    SimulatedNetwork (*make)(int, std::mt19937_64&);
    int size;
    int closures;  // connecting traverses or loops found: 1, or 0 for no simple traverse
};

const Shape kShapes[] = {
    {"connecting traverse", ConnectingTraverse, 5, 1},
    {"connecting traverse", ConnectingTraverse, 12, 1},
    {"connecting traverse", ConnectingTraverse, 30, 1},
    {"closed loop", ClosedLoop, 4, 1},
    {"closed loop", ClosedLoop, 9, 1},
    {"braced traverse", BracedTraverse, 6, 0},
    {"braced traverse", BracedTraverse, 15, 0},
};

// Exact readings close every traverse and every reciprocal pair.
void ExpectClosed(const Shape& shape, const AdjustmentResult& result) {
    ASSERT_EQ(static_cast<int>(result.traverses.size()), shape.closures) << shape.what;
    EXPECT_EQ(result.simpleTraverse, shape.closures == 1) << shape.what;
    for (const TraverseClosure& closure : result.traverses) {
        EXPECT_EQ(closure.shape,
                  shape.make == ClosedLoop ? TraverseShape::ClosedLoop : TraverseShape::Connecting);
        EXPECT_EQ(closure.angleCount, shape.make == ClosedLoop ? shape.size + 1 : shape.size + 2);
        EXPECT_NEAR(closure.angularMisclosure, 0.0, 0.001);
        EXPECT_NEAR(closure.fs, 0.0, 0.01);
        EXPECT_TRUE(closure.angularWithinLimit && closure.relativeWithinLimit);
    }
    EXPECT_FALSE(result.reciprocalChecks.empty());
    for (const ReciprocalCheck& check : result.reciprocalChecks)
        EXPECT_NEAR(check.difference, 0.0, 0.01);
}

TEST(AdjustFromTruth, ExactReadingsGiveTheTruthAndNoResiduals) {
    for (const Shape& shape : kShapes) {
        std::mt19937_64 geometry(7);
        const SimulatedNetwork net = shape.make(shape.size, geometry);
        const AdjustmentResult result = Simulate(net, SimNoise{}, 1);
        for (const SimPoint& truth : net.points) {
            const AdjustedPoint* p = FindPoint(result, truth.name);
            ASSERT_NE(p, nullptr) << shape.what << " " << truth.name;
            EXPECT_NEAR(p->x, truth.x, 1e-5) << shape.what << " " << truth.name;
            EXPECT_NEAR(p->y, truth.y, 1e-5) << shape.what << " " << truth.name;
            EXPECT_NEAR(p->h, truth.h, 1e-5) << shape.what << " " << truth.name;
        }
        for (const AdjustedObservation& o : result.observations)
            EXPECT_NEAR(o.Errors().residual, 0.0, 0.01);
        EXPECT_LT(result.global.sigma0, 1e-3);
        ExpectClosed(shape, result);
    }
}

TEST(AdjustFromTruth, EveryPointWithinFourSigmaOfTheTruth) {
    for (const Shape& shape : kShapes) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            std::mt19937_64 geometry(seed);
            const SimulatedNetwork net = shape.make(shape.size, geometry);
            const AdjustmentResult result = Simulate(net, kNoise, seed + 100);
            for (double error : StandardizedErrors(net, result)) {
                EXPECT_LE(std::fabs(error), 4.0)
                    << shape.what << " of " << shape.size << ", seed " << seed;
            }
        }
    }
}

// The redundancy numbers of each adjustment add up to its n - u, whatever the network's shape, and
// each adjusted observation's sigma is sigma sqrt(1 - r).
TEST(AdjustFromTruth, RedundancyNumbersSumToTheRedundancy) {
    for (const Shape& shape : kShapes) {
        std::mt19937_64 geometry(3);
        const AdjustmentResult result = Simulate(shape.make(shape.size, geometry), kNoise, 5);
        double plane = 0.0, height = 0.0;
        for (const AdjustedObservation& o : result.observations) {
            (o.kind == ObservationKind::HeightDifference ? height : plane) += o.redundancy;
            // The adjusted observation's variance is what the residual's leaves of the a-priori
            // one.
            const ObservationErrors& e = o.Errors();
            EXPECT_NEAR(e.adjustedSigma * e.adjustedSigma, e.sigma * e.sigma * (1 - o.redundancy),
                        1e-6 * e.sigma * e.sigma);
        }
        EXPECT_NEAR(plane, result.plane.redundancy, 1e-6) << shape.what << " of " << shape.size;
        EXPECT_NEAR(height, result.height.redundancy, 1e-6) << shape.what << " of " << shape.size;
        EXPECT_GT(result.plane.redundancy, 0) << shape.what;
    }
}

// The global test's bounds are the chi-square quantiles of the tables at alpha = 0.05.
// Every pair that a direction or distance joins, one end adjusted, is a side once; every station's
// set of directions has its orientation.
TEST(AdjustFromTruth, SidesJoinEveryObservedPairOnce) {
    for (const Shape& shape : kShapes) {
        std::mt19937_64 geometry(4);
        const SimulatedNetwork net = shape.make(shape.size, geometry);
        const AdjustmentResult result = Simulate(net, kNoise, 6);
        const auto fixed = [&result](const std::string& name) {
            return FindPoint(result, GbkToUtf8(name))->planeFixed;
        };
        std::set<std::pair<std::string, std::string>> joined, sides;
        for (const AdjustedObservation& o : result.observations) {
            if (o.kind == ObservationKind::HeightDifference ||
                (fixed(o.station) && fixed(o.target)))
                continue;
            joined.insert(std::minmax(o.station, o.target));
        }
        for (const AdjustedSide& side : result.sides) {
            EXPECT_TRUE(sides.insert(std::minmax(side.from, side.to)).second) << shape.what;
            EXPECT_GT(side.sigmaLength, 0.0);
        }
        EXPECT_EQ(sides, joined) << shape.what;
        EXPECT_EQ(result.orientations.size(), net.stations.size()) << shape.what;
        ASSERT_GE(result.weakestSide, 0);
        for (const AdjustedSide& side : result.sides)
            EXPECT_LE(side.relativeSigma, result.sides[result.weakestSide].relativeSigma);
    }
}

TEST(AdjustGlobalTest, BoundsAreTheTabledQuantiles) {
    const struct {
        int r;
        double lower, upper;
    } table[] = {
        {1, 0.003932, 3.841}, {10, 3.940, 18.307}, {18, 9.390, 28.869}, {100, 77.929, 124.342}};
    for (const auto& row : table) {
        ModelTest plane, height;
        plane.observations = row.r + 4;
        plane.unknowns = 4;
        const ModelTest test = CombineTests(plane, height, 0.05);
        EXPECT_EQ(test.redundancy, row.r);
        EXPECT_NEAR(test.upperBound, row.upper, 5e-4) << "r = " << row.r;
        EXPECT_NEAR(test.lowerBound, row.lower, 5e-4 * row.lower) << "r = " << row.r;
    }
}

// Over many independent networks the model's statistics hold: the global test at alpha = 5% passes
// in 95% of them, and the squared errors of the coordinates and of the side lengths divided by
// their variances average 1.
TEST(AdjustFromTruth, GlobalTestAndStandardizedErrorsOverTwoHundredSeeds) {
    int passed = 0;
    double sum = 0.0, sideSum = 0.0;
    int count = 0, sides = 0;
    for (unsigned seed = 0; seed < 200; ++seed) {
        std::mt19937_64 geometry(seed);
        const Shape& shape = kShapes[seed % 2 == 0 ? 0 : (seed % 4 == 1 ? 3 : 5)];
        const SimulatedNetwork net = shape.make(5 + static_cast<int>(seed % 4), geometry);
        const AdjustmentResult result = Simulate(net, kNoise, seed + 1000);
        if (result.global.passed) ++passed;
        for (double error : StandardizedErrors(net, result)) {
            sum += error * error;
            ++count;
        }
        for (double error : StandardizedSideErrors(net, result)) {
            sideSum += error * error;
            ++sides;
        }
    }
    EXPECT_GE(passed, 184);  // 95% +- 3% of 200
    EXPECT_LE(passed, 196);
    EXPECT_NEAR(sum / count, 1.0, 0.1) << count << " coordinates";
    EXPECT_NEAR(sideSum / sides, 1.0, 0.1) << sides << " side lengths";
    std::printf(
        "global test passed in %d of 200; mean squared standardized error %.3f over %d "
        "coordinates, %.3f over %d side lengths\n",
        passed, sum / count, count, sideSum / sides, sides);
}

// The observation of a network that controls it (redundancy number above 0.3) carrying a blunder
// has the largest standardized residual and is flagged.
void ExpectBlunderFound(ObservationKind kind, double directionBlunder, double distanceBlunder) {
    std::mt19937_64 geometry(42);
    const SimulatedNetwork net = BracedTraverse(8, geometry);
    const AdjustmentResult clean = Simulate(net, kNoise, 43);
    int tried = 0;
    for (const AdjustedObservation& o : clean.observations) {
        if (o.kind != kind || o.redundancy <= 0.3) continue;
        SimBlunder blunder;
        blunder.station = o.stationIndex;
        blunder.target = -1;
        for (std::size_t p = 0; p < net.points.size(); ++p) {
            if (Utf8ToGbk(net.points[p].name) == o.target) blunder.target = static_cast<int>(p);
        }
        blunder.direction = directionBlunder;
        blunder.distance = distanceBlunder;
        const AdjustmentResult result = Simulate(net, kNoise, 43, blunder);
        const AdjustedObservation* largest = &result.observations.front();
        for (const AdjustedObservation& r : result.observations) {
            if (std::fabs(r.standardizedResidual) > std::fabs(largest->standardizedResidual))
                largest = &r;
        }
        EXPECT_EQ(largest->kind, kind);
        EXPECT_EQ(largest->station, o.station);
        EXPECT_EQ(largest->target, o.target)
            << GbkToUtf8(o.station) << " -> " << GbkToUtf8(o.target);
        EXPECT_TRUE(largest->outlier);
        ++tried;
    }
    EXPECT_GT(tried, 10);
}

TEST(AdjustFromTruth, TwentySecondBlunderInADirectionIsFound) {
    ExpectBlunderFound(ObservationKind::Direction, 20.0, 0.0);
}

TEST(AdjustFromTruth, FiveCentimetreBlunderInADistanceIsFound) {
    ExpectBlunderFound(ObservationKind::Distance, 0.0, 50.0);
}

}  // namespace
}  // namespace traverse
