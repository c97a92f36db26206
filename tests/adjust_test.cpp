// The adjustment's closures, bad input, sparse algebra and output files. The statistical tests from
// true geometry are in adjust_statistics_test.cpp.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <Eigen/Dense>

#include "adjust/solve/normal_equations.h"
#include "platform/c_number.h"
#include "support/adjust_record.h"
#include "support/message_capture.h"
#include "support/simulated_network.h"
#include "support/temp_dir.h"
#include "traverse/adjust.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

std::string Station(const std::string& name, const std::string& rounds) {
    return "<测站 点名=\"" + name + "\" 仪器高=\"1.500\">" + rounds + "</测站>";
}

// One round of two targets: the back target read 0, the forward one read `forward` (packed DMS).
std::string TwoTargets(const std::string& back, const std::string& forward,
                       const std::string& reading, const std::string& rightReading) {
    return "<水平角><测回><" + back + " 盘左=\"0.0000\" 盘右=\"180.0000\"/><" + forward + " 盘左=\"" +
           reading + "\" 盘右=\"" + rightReading + "\"/></测回></水平角>";
}

std::string Distance(const std::string& target, const char* metres) {
    return std::string("<斜距><测回><") + target + " 值=\"" + metres + "\"/></测回></斜距>";
}

// A connecting traverse 甲2 - 导1 - 导2 - 导3 - 乙1, oriented on 甲1 and 乙2, worked by hand below.
// True shape: 甲2 (1000, 1000) east 200 m to 导1, north 150 m to 导2, east 200 m to 导3, south 150 m
// to 乙1 (1000, 1400); 甲1 lies due west of 甲2, 乙2 due east of 乙1. The angle at 导2 is read 6"
// too large and the distances carry a few millimetres of error.
const char kHandTraverse[] =
    "<导线观测记录><起算点>"
    "<甲1 x=\"1000.000\" y=\"800.000\"/><甲2 x=\"1000.000\" y=\"1000.000\"/>"
    "<乙1 x=\"1000.000\" y=\"1400.000\"/><乙2 x=\"1000.000\" y=\"1600.000\"/>"
    "</起算点><观测值>";

std::string HandTraverseBody() {
    return kHandTraverse +
           Station("甲2",
                   TwoTargets("甲1", "导1", "180.0000", "0.0000") + Distance("导1", "200.010")) +
           Station("导1",
                   TwoTargets("甲2", "导2", "90.0000", "270.0000") + Distance("导2", "150.000")) +
           Station("导2",
                   TwoTargets("导1", "导3", "270.00060", "90.00060") + Distance("导3", "199.995")) +
           Station("导3",
                   TwoTargets("导2", "乙1", "270.0000", "90.0000") + Distance("乙1", "150.008")) +
           Station("乙1", TwoTargets("导3", "乙2", "90.0000", "270.0000")) +
           "</观测值></导线观测记录>";
}

TEST(AdjustHandChecked, ConnectingTraverseClosuresAndCoordinates) {
    const AdjustmentResult result = AdjustRecordBody(HandTraverseBody(), AdjustmentOptions());
    ASSERT_EQ(result.status, AdjustmentStatus::Adjusted) << GbkToUtf8(result.error);
    ASSERT_EQ(result.traverses.size(), 1u);
    const TraverseClosure& c = result.traverses[0];
    EXPECT_TRUE(result.simpleTraverse);
    EXPECT_EQ(c.shape, TraverseShape::Connecting);
    EXPECT_EQ(GbkToUtf8(c.startOrientation), "甲1");
    EXPECT_EQ(GbkToUtf8(c.endOrientation), "乙2");
    // Left angles (forward - back): 180, 90, 270 + 6", 270, 90. Azimuth 甲1->甲2 = 90; carried
    // 90 + (180 + 90 + 270 + 6" + 270 + 90) - 5 * 180 = 90 + 6", known 乙1->乙2 = 90: f_beta = +6",
    // n = 5, limit of 一级 10" sqrt(5) = 22.36".
    EXPECT_EQ(c.angleCount, 5);
    EXPECT_NEAR(c.angularMisclosure, 6.0, 1e-6);
    EXPECT_NEAR(c.angularLimit, 22.3607, 1e-4);
    EXPECT_TRUE(c.angularWithinLimit);
    // Each angle corrected by -1.2": azimuths 90 - 1.2", -2.4", 90 + 2.4", 180 + 1.2".
    // dx = 200.010 sin 1.2" + 150 cos 2.4" - 199.995 sin 2.4" - 150.008 cos 1.2"
    //    = 0.0011636 + 150.0000000 - 0.0023270 - 150.0080000 = -0.0091634 (x 甲2 = x 乙1): fx =
    //    -9.163 mm
    // dy = 200.010 cos 1.2" - 150 sin 2.4" + 199.995 cos 2.4" - 150.008 sin 1.2"
    //    = 200.0100000 - 0.0017453 + 199.9950000 - 0.0008727 = 400.0023820 (against 400): fy =
    //    +2.382 mm
    // fs = sqrt(9.163^2 + 2.382^2) = 9.468 mm; [D] = 700.013 m; 1/T = 9.468e-3 / 700.013 = 1/73935.
    EXPECT_NEAR(c.fx, -9.1634, 1e-3);
    EXPECT_NEAR(c.fy, 2.3819, 1e-3);
    EXPECT_NEAR(c.fs, 9.4680, 1e-3);
    EXPECT_NEAR(c.length, 700.013, 1e-6);
    EXPECT_NEAR(1 / c.relativeMisclosure, 73935, 1);
    EXPECT_NEAR(c.relativeLimit, 1.0 / 15000, 1e-12);
    EXPECT_TRUE(c.relativeWithinLimit);
    // The rigorous adjustment (directions 5"/sqrt 2, distances 15 mm) as an independent dense
    // Gauss-Newton in double precision gives 导1 (1000.00170, 1200.00894), 导2 (1150.00567,
    // 1200.00671), 导3 (1150.00402, 1400.00065). The classical distribution of fx, fy in proportion
    // to the legs gives 导1 (1000.00378, 1200.00932), 导2 (1150.00575, 1200.00706), 导3 (1150.00604,
    // 1400.00138): within 2.5 mm of it, as a rigorous solution of a short traverse should be.
    const struct {
        const char* name;
        double x, y, classicX, classicY;
    } expected[] = {
        {"导1", 1000.00170, 1200.00894, 1000.00378, 1200.00932},
        {"导2", 1150.00567, 1200.00671, 1150.00575, 1200.00706},
        {"导3", 1150.00402, 1400.00065, 1150.00604, 1400.00138},
    };
    for (const auto& e : expected) {
        const AdjustedPoint* p = FindPoint(result, e.name);
        ASSERT_NE(p, nullptr) << e.name;
        EXPECT_NEAR(p->x, e.x, 2e-5) << e.name;
        EXPECT_NEAR(p->y, e.y, 2e-5) << e.name;
        EXPECT_LT(std::hypot(p->x - e.classicX, p->y - e.classicY), 2.5e-3) << e.name;
        EXPECT_FALSE(p->hasHeight);
    }
    // Without zenith distances each slope distance is taken as horizontal, and the report says so.
    EXPECT_EQ(result.notes.size(), 4u);
    EXPECT_NE(GbkToUtf8(FormatAdjustmentReport(result)).find("taken as horizontal"),
              std::string::npos);
}

// The example's readings were made from these coordinates (tools/generate_connecting_traverse.py).
TEST(AdjustExample, ConnectingTraverseFindsItsTruth) {
    MessageCapture quiet;
    CImportXml importer;
    ASSERT_EQ(importer.OnButtonExchange(TRAVERSE_EXAMPLES_DIR "/connecting-traverse.xml"), 0u);
    const AdjustmentResult result = AdjustNetwork(importer, AdjustmentOptions());
    ASSERT_EQ(result.status, AdjustmentStatus::Adjusted) << GbkToUtf8(result.error);
    EXPECT_TRUE(AdjustmentWithinLimits(result));
    ASSERT_EQ(result.traverses.size(), 1u);
    EXPECT_EQ(result.traverses[0].angleCount, 8);
    EXPECT_EQ(result.reciprocalChecks.size(), 14u);
    const struct {
        const char* name;
        double x, y, h;
    } truth[] = {
        {"导1", 3512012.416, 497391.208, 56.120}, {"导2", 3512075.903, 497668.770, 54.986},
        {"导3", 3511998.240, 497927.455, 53.407}, {"导4", 3512130.661, 498155.309, 52.844},
        {"导5", 3512208.775, 498396.112, 51.290}, {"导6", 3512382.104, 498458.861, 50.116},
    };
    for (const auto& t : truth) {
        const AdjustedPoint* p = FindPoint(result, t.name);
        ASSERT_NE(p, nullptr) << t.name;
        EXPECT_LE(std::fabs(p->x - t.x) * 1000, 4 * p->sigmaX) << t.name;
        EXPECT_LE(std::fabs(p->y - t.y) * 1000, 4 * p->sigmaY) << t.name;
        EXPECT_LE(std::fabs(p->h - t.h) * 1000, 4 * p->sigmaH) << t.name;
    }
}

// ---- bad input: a clear message naming what is wrong, nothing adjusted, no NaN
// ----------------------

// The round of a station: target name and face-left reading (packed DMS), face right 180 apart.
std::string Round(const std::vector<std::pair<std::string, double>>& readings) {
    std::string round = "<水平角><测回>";
    for (const auto& r : readings) {
        const double right = r.second >= 180 ? r.second - 180 : r.second + 180;
        round += "<" + r.first + " 盘左=\"" + std::to_string(r.second) + "\" 盘右=\"" +
                 std::to_string(right) + "\"/>";
    }
    return round + "</测回></水平角>";
}

void ExpectRefused(const AdjustmentResult& result, AdjustmentStatus status,
                   const std::string& named) {
    EXPECT_EQ(result.status, status) << GbkToUtf8(result.error);
    const std::string error = GbkToUtf8(result.error);
    EXPECT_NE(error.find(named), std::string::npos) << error;
    EXPECT_TRUE(result.points.empty());
    EXPECT_TRUE(result.observations.empty());
    EXPECT_FALSE(AdjustmentWithinLimits(result));
    const std::string report = GbkToUtf8(FormatAdjustmentReport(result));
    EXPECT_NE(report.find("Not adjusted: " + error), std::string::npos) << report;
    EXPECT_EQ(report.find("nan"), std::string::npos) << report;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

// The hand traverse levelled too: zenith 90 degrees and target heights equal to the instrument's,
// between known heights at 甲2 and 乙1.
std::string LevelledHandTraverseBody() {
    std::string body = HandTraverseBody();
    for (const char* known :
         {"<甲2 x=\"1000.000\" y=\"1000.000\"", "<乙1 x=\"1000.000\" y=\"1400.000\""}) {
        body = Replaced(body, std::string(known) + "/>", std::string(known) + " h=\"50.000\"/>");
    }
    for (const char* target : {"导1", "导2", "导3", "乙1"}) {
        const std::string t = target;
        body = Replaced(body, "<斜距><测回><" + t + " ",
                        "<天顶距><测回><" + t + " 盘左=\"90.0000\" 盘右=\"270.0000\"/></测回></天顶距>"
                        "<目标高><" + t + " 值=\"1.500\"/></目标高><斜距><测回><" + t + " ");
    }
    return body;
}

// Its four height differences form one chain with one condition, so each redundancy number is
// sigma_i^2 / sum sigma^2 = D_i^2 / sum D^2 (sigma = c D): 200.010^2, 150^2, 199.995^2, 150.008^2
// over 125004.4 give 0.3200, 0.1800, 0.3200, 0.1800.
TEST(AdjustHandChecked, RedundancyNumbersOfALevelledChain) {
    const std::string body = LevelledHandTraverseBody();
    const AdjustmentResult result = AdjustRecordBody(body, AdjustmentOptions());
    ASSERT_EQ(result.status, AdjustmentStatus::Adjusted) << GbkToUtf8(result.error);
    std::vector<double> heights;
    double plane = 0.0;
    for (const AdjustedObservation& o : result.observations) {
        if (o.kind == ObservationKind::HeightDifference) heights.push_back(o.redundancy);
        else plane += o.redundancy;
    }
    EXPECT_NEAR(plane, result.plane.redundancy, 1e-9);  // 14 observations, 11 unknowns
    EXPECT_EQ(result.plane.redundancy, 3);
    ASSERT_EQ(heights.size(), 4u);
    const double expected[] = {0.3200, 0.1800, 0.3200, 0.1800};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(heights[i], expected[i], 1e-4) << i;
}

// A number no survey holds (beyond 1e9, or inf) is left out with a note naming it, or refuses the
// adjustment, before any computation; nothing written then holds inf or nan.
TEST(AdjustBadInput, NumbersBeyondUseAreLeftOutOrRefused) {
    const struct {
        const char *from, *to, *named;
    } cases[] = {
        {"<乙2 x=\"1000.000\" y=\"1600.000\"/>", "<乙2 x=\"1000.000\" y=\"1e400\"/>",
         "Known point \"乙2\": x and y are not both usable"},
        {"<甲1 x=\"1000.000\"", "<甲1 x=\"-1e308\"", "Known point \"甲1\": x and y"},
        {"y=\"1000.000\" h=\"50.000\"", "y=\"1000.000\" h=\"1e308\"",
         "Known point \"甲2\": its height is not a usable number"},
        {"<导1 值=\"1.500\"", "<导1 值=\"1e308\"",
         "target height for \"导1\" is not a usable number"},
        {"<导3 值=\"199.995\"", "<导3 值=\"1e308\"",
         "Station \"导2\": the observation of \"导3\" is not"},
        {"<导1 值=\"200.010\"", "<导1 值=\"1e-300\"",
         "horizontal distance to \"导1\" is not positive or"},
    };
    for (const auto& c : cases) {
        const std::string body = Replaced(LevelledHandTraverseBody(), c.from, c.to);
        const AdjustmentResult result = AdjustRecordBody(body, AdjustmentOptions());
        std::string said = GbkToUtf8(result.error);
        for (const std::string& note : result.notes) said += GbkToUtf8(note) + "\n";
        EXPECT_NE(said.find(c.named), std::string::npos) << c.to << ": " << said;
        TempDir dir;
        ASSERT_EQ(WriteAdjustedPointsCsv(result, dir.File("p.csv")), 0u);
        ASSERT_EQ(WriteGamaLocalInput(result, dir.File("g.xml")), 0u);
        const std::string written = ReadFileBytes(dir.File("p.csv")) +
                                    ReadFileBytes(dir.File("g.xml")) +
                                    GbkToUtf8(FormatAdjustmentReport(result));
        EXPECT_EQ(written.find("inf"), std::string::npos) << c.to << ": " << written;
        EXPECT_EQ(written.find("nan"), std::string::npos) << c.to << ": " << written;
    }
}

TEST(AdjustBadInput, NoKnownPoints) {
    const std::string hand = HandTraverseBody();
    const std::size_t from = hand.find("<起算点>"), to = hand.find("</起算点>");
    const std::string body = Replaced(hand, hand.substr(from, to - from), "<起算点>");
    ExpectRefused(AdjustRecordBody(body, AdjustmentOptions()), AdjustmentStatus::NoKnownPoints,
                  "no datum");
}

TEST(AdjustBadInput, OneKnownPointWithoutAKnownDirection) {
    // Only 甲2 is known; what it sights (甲1 by direction, 导1) is not.
    std::string body = Replaced(HandTraverseBody(), "<甲1 x=\"1000.000\" y=\"800.000\"/>", "");
    body = Replaced(body, "<乙1 x=\"1000.000\" y=\"1400.000\"/>", "");
    body = Replaced(body, "<乙2 x=\"1000.000\" y=\"1600.000\"/>", "");
    ExpectRefused(AdjustRecordBody(body, AdjustmentOptions()), AdjustmentStatus::NoOrientation,
                  "can be oriented");
}

TEST(AdjustBadInput, UnreachablePointIsNamed) {
    // 远山 is sighted from two stations by direction only: no polar propagation reaches it.
    std::string body = Replaced(HandTraverseBody(), TwoTargets("导1", "导3", "270.00060", "90.00060"),
                                Round({{"导1", 0.0}, {"导3", 270.0006}, {"远山", 45.0}}));
    body = Replaced(body, TwoTargets("导2", "乙1", "270.0000", "90.0000"),
                    Round({{"导2", 0.0}, {"乙1", 270.0}, {"远山", 300.0}}));
    ExpectRefused(AdjustRecordBody(body, AdjustmentOptions()), AdjustmentStatus::UnreachablePoint,
                  "远山");
}

TEST(AdjustBadInput, SigmaOptionsNotAboveZero) {
    const std::string body = HandTraverseBody();
    AdjustmentOptions options;
    options.directionSigma = 0.0;
    ExpectRefused(AdjustRecordBody(body, options), AdjustmentStatus::InvalidOptions,
                  "direction sigma");
    options = AdjustmentOptions();
    options.distanceSigmaA = -3.0;
    ExpectRefused(AdjustRecordBody(body, options), AdjustmentStatus::InvalidOptions,
                  "distance sigma a");
    options = AdjustmentOptions();
    options.distanceSigmaB = -1.0;
    ExpectRefused(AdjustRecordBody(body, options), AdjustmentStatus::InvalidOptions,
                  "distance sigma b");
    options = AdjustmentOptions();
    options.heightSigma = 0.0;
    ExpectRefused(AdjustRecordBody(body, options), AdjustmentStatus::InvalidOptions,
                  "height-difference sigma");
    options = AdjustmentOptions();
    options.directionSigma = std::nan("");
    EXPECT_EQ(AdjustRecordBody(body, options).status, AdjustmentStatus::InvalidOptions);
}

TEST(AdjustBadInput, StationObservingItself) {
    const std::string body =
        Replaced(HandTraverseBody(), TwoTargets("甲2", "导2", "90.0000", "270.0000"),
                 Round({{"甲2", 0.0}, {"导2", 90.0}, {"导1", 120.0}}));
    ExpectRefused(AdjustRecordBody(body, AdjustmentOptions()), AdjustmentStatus::SelfObservation,
                  "\"导1\" observes itself");
}

TEST(AdjustBadInput, KnownPointListedTwice) {
    const std::string body =
        Replaced(HandTraverseBody(), "</起算点>", "<甲1 x=\"1001.000\" y=\"800.000\"/></起算点>");
    ExpectRefused(AdjustRecordBody(body, AdjustmentOptions()), AdjustmentStatus::DuplicateName,
                  "甲1");
}

TEST(AdjustBadInput, TargetNamedTwiceInARound) {
    std::string body =
        Replaced(HandTraverseBody(), TwoTargets("甲2", "导2", "90.0000", "270.0000"),
                 Round({{"甲2", 0.0}, {"导2", 90.0}, {"导2", 90.0001}, {"甲2", 0.0001}}));
    ExpectRefused(AdjustRecordBody(body, AdjustmentOptions()), AdjustmentStatus::DuplicateName,
                  "Station \"导1\": target \"导2\" is named more than once in horizontal round 1");
    // Of two names repeated, the first repeat in record order is the one named.
    body = Replaced(HandTraverseBody(), TwoTargets("甲2", "导2", "90.0000", "270.0000"),
                    Round({{"甲2", 0.0}, {"导2", 90.0}, {"乙1", 95.0}, {"乙1", 95.0001},
                           {"导2", 90.0001}, {"甲2", 0.0001}}));
    ExpectRefused(AdjustRecordBody(body, AdjustmentOptions()), AdjustmentStatus::DuplicateName,
                  "target \"乙1\" is named more than once");
    // A repeat in a later round, of names the first round read once each, names that round.
    const std::string second =
        Replaced(Round({{"甲2", 0.0}, {"导2", 90.0}, {"导2", 90.0001}}), "<水平角>", "");
    body = Replaced(HandTraverseBody(), TwoTargets("甲2", "导2", "90.0000", "270.0000"),
                    Replaced(Round({{"甲2", 0.0}, {"导2", 90.0}}), "</水平角>", second));
    ExpectRefused(AdjustRecordBody(body, AdjustmentOptions()), AdjustmentStatus::DuplicateName,
                  "target \"导2\" is named more than once in horizontal round 2");
}

// A point sighted by one direction only is left out with a note; sighted from two stations it is
// their intersection. 塔 lies at (1100, 1300): azimuth 45 degrees from 导1, 116.5651 from 导2.
TEST(AdjustNotes, LoneTargetIsLeftOutTwoStationsPlaceIt) {
    const std::string fromOne =
        Replaced(HandTraverseBody(), TwoTargets("甲2", "导2", "90.0000", "270.0000"),
                 Round({{"甲2", 0.0}, {"导2", 90.0}, {"塔", 135.0}}));
    AdjustmentResult result = AdjustRecordBody(fromOne, AdjustmentOptions());
    ASSERT_EQ(result.status, AdjustmentStatus::Adjusted) << GbkToUtf8(result.error);
    EXPECT_EQ(FindPoint(result, "塔"), nullptr);
    std::string notes;
    for (const std::string& note : result.notes) notes += GbkToUtf8(note) + "\n";
    EXPECT_NE(notes.find("Station \"导1\": \"塔\" is sighted by this one direction only"),
              std::string::npos)
        << notes;
    const std::string fromTwo =
        Replaced(fromOne, TwoTargets("导1", "导3", "270.00060", "90.00060"),
                 Round({{"导1", 0.0}, {"导3", 270.0006}, {"塔", 296.3354}}));
    result = AdjustRecordBody(fromTwo, AdjustmentOptions());
    ASSERT_EQ(result.status, AdjustmentStatus::Adjusted) << GbkToUtf8(result.error);
    const AdjustedPoint* tower = FindPoint(result, "塔");
    ASSERT_NE(tower, nullptr);
    EXPECT_NEAR(tower->x, 1100.0, 0.05);
    EXPECT_NEAR(tower->y, 1300.0, 0.05);
}

TEST(AdjustBadInput, RightAngleRoundRepeatsTargetsOnEachSide) {
    // 甲2 0, 导2 90 | 甲2 300, 导2 30: each target once before and once after the second 甲2; the
    // round gives 导2 the same 90 degrees as the plain round it replaces.
    const std::string body =
        Replaced(HandTraverseBody(), TwoTargets("甲2", "导2", "90.0000", "270.0000"),
                 Round({{"甲2", 0.0}, {"导2", 90.0}, {"甲2", 300.0}, {"导2", 30.0}}));
    const AdjustmentResult result = AdjustRecordBody(body, AdjustmentOptions());
    ASSERT_EQ(result.status, AdjustmentStatus::Adjusted) << GbkToUtf8(result.error);
    const AdjustedPoint* p = FindPoint(result, "导2");
    ASSERT_NE(p, nullptr);
    EXPECT_NEAR(p->x, 1150.00567, 2e-5);
    EXPECT_NEAR(p->y, 1200.00671, 2e-5);
}

TEST(AdjustBadInput, NoStations) {
    const std::string body = "<导线观测记录><起算点><甲1 x=\"1\" y=\"2\"/></起算点><观测值/></导线观测记录>";
    ExpectRefused(AdjustRecordBody(body, AdjustmentOptions()), AdjustmentStatus::NoObservations,
                  "nothing to adjust");
}

// ---- the sparse normal equations ---------------------------------------------------------------

// A random design of rows with two to four unknowns each, and its dense normal matrix.
std::vector<DesignRow> RandomRows(int unknowns, int count, std::mt19937_64& rng, Eigen::MatrixXd& n,
                                  Eigen::VectorXd& rhs) {
    std::uniform_int_distribution<int> pick(0, unknowns - 1), size(2, 4);
    std::uniform_real_distribution<double> value(-2, 2), sigma(0.5, 2);
    std::vector<DesignRow> rows;
    n = Eigen::MatrixXd::Zero(unknowns, unknowns);
    rhs = Eigen::VectorXd::Zero(unknowns);
    for (int r = 0; r < count; ++r) {
        DesignRow row;
        row.sigma = sigma(rng);
        row.misclosure = value(rng);
        Eigen::VectorXd a = Eigen::VectorXd::Zero(unknowns);
        for (int t = size(rng); t > 0; --t) {
            const int u = pick(rng);
            if (a[u] != 0) continue;
            a[u] = value(rng);
            row.Add(u, a[u]);
        }
        n += a * a.transpose() / (row.sigma * row.sigma);
        rhs += a * row.misclosure / (row.sigma * row.sigma);
        rows.push_back(row);
    }
    return rows;
}

TEST(AdjustNormalEquations, SolutionAndSelectedInverseMatchTheDenseOnes) {
    std::mt19937_64 rng(5);
    for (int trial = 0; trial < 20; ++trial) {
        Eigen::MatrixXd n;
        Eigen::VectorXd rhs;
        const int unknowns = 12;
        const std::vector<DesignRow> rows = RandomRows(unknowns, 30, rng, n, rhs);
        NormalEquations normal(unknowns);
        ASSERT_EQ(normal.Factorize(rows), -1);
        normal.InvertSelected();
        const Eigen::MatrixXd q = n.inverse();
        const Eigen::VectorXd x = n.ldlt().solve(rhs);
        const std::vector<double> solved = normal.Solve(rows);
        for (int i = 0; i < unknowns; ++i)
            EXPECT_NEAR(solved[i], x[i], 1e-9 * (1 + std::fabs(x[i])));
        for (const DesignRow& row : rows) {
            double cofactor = 0.0;
            for (int a = 0; a < row.terms; ++a) {
                for (int b = 0; b < row.terms; ++b) {
                    const int i = row.unknown[a], j = row.unknown[b];
                    EXPECT_NEAR(normal.Cofactor(i, j), q(i, j), 1e-9 * (1 + std::fabs(q(i, j))));
                    cofactor += row.coefficient[a] * row.coefficient[b] * q(i, j);
                }
            }
            EXPECT_NEAR(normal.RowCofactor(row), cofactor, 1e-9 * (1 + std::fabs(cofactor)));
        }
    }
}

TEST(AdjustNormalEquations, UndeterminedUnknownIsNamed) {
    // Unknowns 0 and 1 are tied by their difference only; unknown 2 is observed directly.
    std::vector<DesignRow> rows(3);
    rows[0].Add(0, 1.0);
    rows[0].Add(1, -1.0);
    rows[1].Add(2, 1.0);
    rows[2].Add(2, 1.0);
    rows[2].Add(0, 0.0);
    NormalEquations normal(3);
    const int undetermined = normal.Factorize(rows);
    EXPECT_TRUE(undetermined == 0 || undetermined == 1) << undetermined;
    NormalEquations unobserved(4);
    EXPECT_EQ(unobserved.Factorize(rows), 3);
}

// ---- reduction to the projection plane ----------------------------------------------------------

TEST(AdjustReduction, DistancesReducedToTheSurfaceAndTheGaussPlane) {
    std::mt19937_64 geometry(3);
    const SimulatedNetwork net = ConnectingTraverse(4, geometry);
    std::mt19937_64 readings(4);
    const std::string body = net.RecordBody(SimNoise{}, readings);
    AdjustmentOptions options;
    options.surfaceHeight = 20.0;
    options.yOffset = 400000.0;  // the lines lie about 80 km east of the central meridian
    const AdjustmentResult result = AdjustRecordBody(body, options);
    ASSERT_EQ(result.status, AdjustmentStatus::Adjusted) << GbkToUtf8(result.error);
    EXPECT_TRUE(result.settings.surfaceHeight && result.settings.yOffset);
    int checked = 0;
    for (const AdjustedObservation& o : result.observations) {
        if (o.kind != ObservationKind::Distance) continue;
        const SimPoint* a = nullptr;
        const SimPoint* b = nullptr;
        for (const SimPoint& p : net.points) {
            if (Utf8ToGbk(p.name) == o.station) a = &p;
            if (Utf8ToGbk(p.name) == o.target) b = &p;
        }
        ASSERT_TRUE(a != nullptr && b != nullptr);
        const double r = 6371000.0, ym = (a->y + b->y) / 2 - 400000.0, dy = b->y - a->y;
        const double surface = std::hypot(b->x - a->x, dy) * (1 + (20.0 - (a->h + b->h) / 2) / r);
        EXPECT_NEAR(o.observedMetres,
                    surface * (1 + ym * ym / (2 * r * r) + dy * dy / (24 * r * r)), 1e-6);
        ++checked;
    }
    EXPECT_EQ(checked, 10);
    const std::string report = GbkToUtf8(FormatAdjustmentReport(result));
    EXPECT_NE(report.find("surface height H0 = 20.000 m"), std::string::npos);
    EXPECT_NE(report.find("false easting Ym = 400000.000 m"), std::string::npos);
}

// ---- what the host gets: report, CSV, gama-local document --------------------------------------

TEST(AdjustOutput, ReportIsGbkWithTheSettingsUsed) {
    const AdjustmentResult result = AdjustRecordBody(HandTraverseBody(), AdjustmentOptions());
    const std::string report = FormatAdjustmentReport(result);
    EXPECT_NE(report.find(Utf8ToGbk("导1")), std::string::npos);
    EXPECT_NE(report.find("\r\n"), std::string::npos);
    const std::string utf8 = GbkToUtf8(report);
    EXPECT_NE(utf8.find("Grade 一级 (default)."), std::string::npos) << utf8;
    EXPECT_NE(utf8.find("direction 3.54\" (grade), distance 15.0 mm (grade) + 0.0 ppm (grade)"),
              std::string::npos);
    EXPECT_NE(utf8.find("f_beta = +6.0\", limit +-22.4\": pass"), std::string::npos) << utf8;
    EXPECT_NE(utf8.find("1/73900, limit 1/15000: pass"), std::string::npos) << utf8;
    EXPECT_EQ(utf8.find("nan"), std::string::npos);
    EXPECT_TRUE(AdjustmentWithinLimits(result));
}

// The CSVs name the confidence of their ellipses and scale them by sqrt(chi2_2(0.95)) = 2.448.
TEST(AdjustOutput, PointsAndSidesCsv) {
    AdjustmentOptions options;
    options.confidence = 0.95;
    const AdjustmentResult result = AdjustRecordBody(HandTraverseBody(), options);
    ASSERT_NEAR(result.settings.ellipseScale, 2.4477, 1e-4);
    TempDir dir;
    ASSERT_EQ(WriteAdjustedPointsCsv(result, dir.File("points.csv")), 0u);
    const std::string csv = GbkToUtf8(ReadFileBytes(dir.File("points.csv")));
    EXPECT_EQ(csv.rfind("name,x,y,h,sigma_x_mm,sigma_y_mm,sigma_h_mm,plane,height,sigma_p_mm,"
                        "ellipse_a_p95_mm,ellipse_b_p95_mm,ellipse_azimuth_deg\r\n",
                        0),
              0u)
        << csv;
    EXPECT_NE(csv.find("\r\n甲1,1000.0000,800.0000,,0.00,0.00,,fixed,,0.00,,,\r\n"),
              std::string::npos)
        << csv;
    const AdjustedPoint& p = *FindPoint(result, "导1");
    EXPECT_NE(csv.find("\r\n导1,1000.0017,1200.0089,," +
                       FormatText("%.2f,%.2f,,adjusted,,%.2f,%.2f,", p.sigmaX, p.sigmaY,
                                  p.sigmaPosition, p.ellipseMajor * 2.4477)),
              std::string::npos)
        << csv;

    ASSERT_EQ(WriteAdjustedSidesCsv(result, dir.File("sides.csv")), 0u);
    const std::string sides = GbkToUtf8(ReadFileBytes(dir.File("sides.csv")));
    EXPECT_EQ(
        sides.rfind("from,to,azimuth_dms,length,sigma_length_mm,relative_sigma,sigma_azimuth_sec,"
                    "ellipse_a_p95_mm,ellipse_b_p95_mm,ellipse_azimuth_deg\r\n",
                    0),
        0u)
        << sides;
    ASSERT_FALSE(result.sides.empty());
    const AdjustedSide& s = result.sides.front();
    EXPECT_NE(sides.find(
                  GbkToUtf8(s.from) + "," + GbkToUtf8(s.to) + "," +
                  FormatText("%.6f,%.4f,%.2f,1/", RadianToDms(s.azimuth), s.length, s.sigmaLength)),
              std::string::npos)
        << sides;
    EXPECT_EQ(std::count(sides.begin(), sides.end(), '\n'),
              static_cast<long>(result.sides.size()) + 1);
}

// The gama-local document holds the same points and observations with their sigmas.
TEST(AdjustOutput, GamaLocalDocument) {
    std::mt19937_64 geometry(9);
    const SimulatedNetwork net = ConnectingTraverse(3, geometry);
    std::mt19937_64 readings(10);
    const AdjustmentResult result =
        AdjustRecordBody(net.RecordBody(SimNoise{}, readings), AdjustmentOptions());
    TempDir dir;
    ASSERT_EQ(WriteGamaLocalInput(result, dir.File("network.xml")), 0u);
    xmlDocPtr doc = xmlReadFile(dir.File("network.xml").c_str(), nullptr, XML_PARSE_NONET);
    ASSERT_NE(doc, nullptr);
    int points = 0, obs = 0, directions = 0, distances = 0, dh = 0, fixedXyz = 0, adjustedXyz = 0;
    std::function<void(xmlNodePtr)> walk = [&](xmlNodePtr node) {
        for (; node != nullptr; node = node->next) {
            if (node->type != XML_ELEMENT_NODE) continue;
            const std::string name = reinterpret_cast<const char*>(node->name);
            points += name == "point";
            obs += name == "obs";
            directions += name == "direction";
            distances += name == "distance";
            dh += name == "dh";
            if (name == "point") {
                xmlChar* fix = xmlGetProp(node, BAD_CAST "fix");
                xmlChar* adj = xmlGetProp(node, BAD_CAST "adj");
                fixedXyz += fix != nullptr && std::string(reinterpret_cast<char*>(fix)) == "xyz";
                adjustedXyz += adj != nullptr && std::string(reinterpret_cast<char*>(adj)) == "xyz";
                xmlFree(fix);
                xmlFree(adj);
            }
            walk(node->children);
        }
    };
    walk(xmlDocGetRootElement(doc));
    xmlFreeDoc(doc);
    EXPECT_EQ(points, 7);
    EXPECT_EQ(fixedXyz, 4);
    EXPECT_EQ(adjustedXyz, 3);
    EXPECT_EQ(obs, 5);          // one per station
    EXPECT_EQ(directions, 10);  // back and forward at each
    EXPECT_EQ(distances, 8);    // both ways along the 4 legs
    EXPECT_EQ(dh, 8);
    const std::string text = ReadFileBytes(dir.File("network.xml"));
    EXPECT_NE(text.find("sigma-apr=\"1\" conf-pr=\"0.95\" sigma-act=\"apriori\""),
              std::string::npos);
    EXPECT_NE(text.find("<obs from=\"导1\">"), std::string::npos);  // UTF-8
    // 3.54" in cc, with every digit: the number reads back as the sigma adjusted.
    const std::size_t stdev = text.find("stdev=\"", text.find("<direction "));
    ASSERT_NE(stdev, std::string::npos);
    EXPECT_DOUBLE_EQ(std::strtod(text.c_str() + stdev + 7, nullptr), 5 / std::sqrt(2.0) / 0.324);
}

TEST(AdjustOutput, UnwritablePathIsRefused) {
    const AdjustmentResult result = AdjustRecordBody(HandTraverseBody(), AdjustmentOptions());
    MessageCapture messages;
    EXPECT_EQ(WriteAdjustedPointsCsv(result, "/nonexistent-dir/points.csv"), RESULT_FAILED);
    EXPECT_EQ(WriteGamaLocalInput(result, "/nonexistent-dir/network.xml"), RESULT_FAILED);
    ASSERT_EQ(messages.Messages().size(), 2u);
    EXPECT_EQ(GbkToUtf8(messages.Messages()[0]), "打开文件错误！");
}

}  // namespace
}  // namespace traverse
