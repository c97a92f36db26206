// Mean horizontal directions over rounds of every kind, set anywhere on the circle: stations made
// from true geometry go through the adjustment input file and must give the truth back; then each
// way a direction came out half a turn off, or a round was dropped, on its own.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "records/circle.h"
#include "records/station_ownership.h"
#include "reduce/direction_mean.h"
#include "reduce/reduction_texts.h"
#include "reduce/station_reduction.h"
#include "support/message_capture.h"
#include "support/record_file.h"
#include "support/survey_round.h"
#include "support/temp_dir.h"
#include "traverse/angle.h"
#include "traverse/dms.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

constexpr double kFullTurn = 1296000.0;  // arc seconds
constexpr double kHalfTurn = 648000.0;
constexpr double kReadingNoise = 2.0;  // arc seconds: no reading is further off than this
// A reduced direction is a target's face mean less the orientation's, each off by at most the
// reading noise; the file prints 1e-6 of a degree-digit, 0.01".
constexpr double kDirectionBound = 2 * kReadingNoise + 0.01;

double NormTurn(double seconds) {
    const double s = std::fmod(seconds, kFullTurn);
    return s < 0 ? s + kFullTurn : s;
}

// A reading in arc seconds as the packed DMS double ddd.mmss… the records hold.
double PackedDms(double seconds) {
    seconds = NormTurn(seconds);
    const double degrees = std::floor(seconds / 3600);
    const double minutes = std::floor((seconds - degrees * 3600) / 60);
    return degrees + minutes / 100 + (seconds - degrees * 3600 - minutes * 60) / 10000;
}

// The same numbers on every platform: uniform doubles made from the engine's raw 64-bit output,
// which the language fixes.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_engine(seed) {}
    double Uniform(double low, double high) {
        return low + (high - low) * static_cast<double>(m_engine() >> 11) * 0x1p-53;
    }
    int Integer(int low, int high) {
        return low + static_cast<int>(m_engine() % static_cast<std::uint64_t>(high - low + 1));
    }
    bool Chance(double p) { return Uniform(0, 1) < p; }

private:
    std::mt19937_64 m_engine;
};

enum class RoundKind { Open, Closed, RightAngle };

// One station made from its true directions: the rounds as an instrument would record them, and
// what the file must show.
struct TrueStation {
    std::vector<double> directions;  // of target k from target 0, arc seconds
    std::vector<int> lineOrder;      // the targets of the c0 lines, in file order
    std::vector<CSurveyTurn> rounds;
};

std::string TargetName(int k) { return "T" + std::to_string(k); }

// Directions anywhere, some within 10" of the orientation, some a few seconds from another target
// (a mark and a station behind it).
std::vector<double> TargetDirections(Random& random, int count) {
    std::vector<double> directions = {0.0};
    while (static_cast<int>(directions.size()) < count) {
        const double pick = random.Uniform(0, 1);
        const int last = static_cast<int>(directions.size()) - 1;
        if (pick < 0.2) {
            directions.push_back(NormTurn(random.Uniform(-10, 10)));
        } else if (pick < 0.35 && last >= 1) {
            const double neighbour = directions[random.Integer(1, last)];
            directions.push_back(NormTurn(neighbour + random.Uniform(-5, 5)));
        } else {
            directions.push_back(random.Uniform(0, kFullTurn));
        }
    }
    return directions;
}

// A circle setting anywhere, often within 1 degree of 0 or of 180 degrees.
double Setting(Random& random) {
    const double pick = random.Uniform(0, 1);
    if (pick < 0.2) return NormTurn(random.Uniform(-3600, 3600));
    if (pick < 0.4) return kHalfTurn + random.Uniform(-3600, 3600);
    return random.Uniform(0, kFullTurn);
}

// Instrument errors of one station; a file may book face right before face left in every record.
struct Instrument {
    double collimation;  // arc seconds, +c face left, -c face right
    bool rightFirst;
};

void ReadTarget(Random& random, const Instrument& instrument, const std::string& name,
                double circle, CSurveyTurn& turn) {
    const double c = instrument.collimation;
    const double left = PackedDms(circle + c + random.Uniform(-kReadingNoise, kReadingNoise));
    const double right =
        PackedDms(circle + kHalfTurn - c + random.Uniform(-kReadingNoise, kReadingNoise));
    turn.m_arrObserve.emplace_back();
    turn.m_arrObserve.back().m_strName = name;
    turn.m_arrObserve.back().m_arrValue =
        instrument.rightFirst ? std::vector<double>{right, left} : std::vector<double>{left, right};
}

// One half round: the orientation at setting, then the targets read, in order.
void ReadHalf(Random& random, const Instrument& instrument, const TrueStation& station,
              const std::vector<int>& targets, double setting, CSurveyTurn& turn) {
    ReadTarget(random, instrument, TargetName(0), setting, turn);
    for (const int k : targets) {
        ReadTarget(random, instrument, TargetName(k), setting + station.directions[k], turn);
    }
}

CSurveyTurn MakeRound(Random& random, const Instrument& instrument, const TrueStation& station,
                      RoundKind kind, const std::vector<int>& targets) {
    CSurveyTurn turn;
    const double setting = Setting(random);
    ReadHalf(random, instrument, station, targets, setting, turn);
    if (kind == RoundKind::Closed) ReadTarget(random, instrument, TargetName(0), setting, turn);
    if (kind == RoundKind::RightAngle) {
        ReadHalf(random, instrument, station, targets, random.Uniform(0, kFullTurn), turn);
    }
    return turn;
}

// The targets a later round reads: a right-angle round all of them; a plain round may miss some,
// and an open one always misses the target the first round missed (read by all it would close on
// a target instead of the orientation).
std::vector<int> LaterRoundTargets(Random& random, int count, int missing, RoundKind kind,
                                   bool mustRead) {
    std::vector<int> targets;
    for (int k = 1; k < count; ++k) {
        const bool read = kind == RoundKind::RightAngle || (k == missing && mustRead) ||
                          (k == missing ? kind == RoundKind::Closed && random.Chance(0.5)
                                        : !random.Chance(0.1));
        if (read) targets.push_back(k);
    }
    return targets;
}

// 2 to 8 targets, 1 to 6 rounds of every kind; sometimes a target the first round misses, read
// first in the second round (closed or right-angle) and perhaps in later ones.
TrueStation MakeStation(std::uint64_t seed) {
    Random random(seed);
    TrueStation station;
    const int count = random.Integer(2, 8);
    station.directions = TargetDirections(random, count);
    const Instrument instrument = {random.Uniform(-20, 20), random.Chance(0.25)};
    const int missing = random.Chance(0.3) ? random.Integer(1, count - 1) : 0;
    const int rounds = random.Integer(missing ? 2 : 1, 6);
    std::vector<int> first;
    for (int k = 1; k < count; ++k) {
        if (k != missing) first.push_back(k);
    }
    station.lineOrder = {0};
    station.lineOrder.insert(station.lineOrder.end(), first.begin(), first.end());
    if (missing) station.lineOrder.push_back(missing);
    for (int r = 0; r < rounds; ++r) {
        RoundKind kind = static_cast<RoundKind>(random.Integer(0, 2));
        if (missing && r == 0 && kind == RoundKind::RightAngle) kind = RoundKind::Closed;
        if (missing && r == 1 && kind == RoundKind::Open) kind = RoundKind::Closed;
        const std::vector<int> targets =
            r == 0 ? first : LaterRoundTargets(random, count, missing, kind, r == 1);
        station.rounds.push_back(MakeRound(random, instrument, station, kind, targets));
    }
    return station;
}

// The c0 lines of a station in the file: target name and the value's text; those of each station.
using DirectionLines = std::vector<std::pair<std::string, std::string>>;
using FileDirections = std::map<std::string, DirectionLines>;

FileDirections ReadDirections(const std::string& file) {
    FileDirections directions;
    std::string station;
    std::istringstream lines(file);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::vector<std::string> fields;
        std::istringstream split(line);
        for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
        if (fields.size() == 4 && fields[2] == "i0") station = fields[0];
        if (fields.size() == 5 && fields[3] == "c0") {
            directions[station].emplace_back(fields[2], fields[4]);
        }
    }
    return directions;
}

std::uint64_t Seed() {
    const char* text = std::getenv("DIRECTION_SEED");  // another seed to explore with
    return text ? std::strtoull(text, nullptr, 10) : 20261208u;
}

// Whether one station's c0 lines are the truth's targets in order, each within the noise bound of
// its true direction on the circle and printed on [0, 360); and whether the reduction the
// adjustment takes has no message and every direction on [0, 2*pi). Failures say where.
bool StationComesBack(const std::string& where, const TrueStation& truth,
                      const TAGStationObserve& block, const DirectionLines& lines) {
    std::vector<std::string> names;
    std::vector<std::string> expected;
    for (const auto& line : lines) names.push_back(line.first);
    for (const int k : truth.lineOrder) expected.push_back(TargetName(k));
    bool good = names == expected;
    EXPECT_EQ(names, expected) << where;
    for (const auto& [target, text] : lines) {
        const double dms = AToF(text);
        const double truthSeconds = truth.directions[std::stoul(target.substr(1))];
        const double seconds = RadToSecond(DmsToRadian(dms));
        const double error = std::remainder(seconds - truthSeconds, kFullTurn);
        const bool near = dms >= 0.0 && dms < 360.0 && std::fabs(error) <= kDirectionBound;
        good = good && near;
        EXPECT_TRUE(near) << where << ", " << target << ": " << text << " is " << error << "\" off";
    }
    const StationReduction reduction = ReduceStation(block);
    good = good && reduction.messages.empty();
    EXPECT_TRUE(reduction.messages.empty()) << where;
    for (const ReducedValue& direction : reduction.directions) {
        const bool onCircle = direction.value >= 0.0 && direction.value < TWO_PI;
        good = good && onCircle;
        EXPECT_TRUE(onCircle) << where << ", " << direction.target << ": " << direction.value;
    }
    return good;
}

// Station i is made by MakeStation(seed + i) alone; a failure names the seed and the station.
TEST(DirectionReductionTest, EveryDirectionComesBackToTheTruth) {
    const std::uint64_t seed = Seed();
    constexpr std::size_t kStations = 3000;
    CImportXml imp;
    std::vector<TrueStation> truths;
    for (std::size_t i = 0; i < kStations; ++i) {
        truths.push_back(MakeStation(seed + i));
        AddStation(imp.m_arrStation, "S" + std::to_string(i)).m_arrHAngle = truths.back().rounds;
    }
    const TempDir dir;
    const MessageCapture capture;
    ASSERT_EQ(imp.OnButtonTonbq(dir.File("out.txt")), 0u);
    const FileDirections file = ReadDirections(ReadFileBytes(dir.File("out.txt")));
    ASSERT_EQ(file.size(), kStations);
    int failures = 0;
    for (std::size_t i = 0; i < kStations && failures < 20; ++i) {
        const CPoint3D& station = *imp.m_arrStation[i];
        const std::string where = "seed " + std::to_string(seed) + ", station " + station.m_strName;
        const DirectionLines& lines = file.at(station.m_strName);
        failures += !StationComesBack(where, truths[i], *StationBlock(station), lines);
    }
    EXPECT_TRUE(capture.Messages().empty());
}

// One station S with rounds, exported: its c0 lines after the orientation's, and the messages.
struct Exported {
    std::vector<std::string> lines;  // "target\tvalue"
    std::vector<std::string> messages;
};

Exported ExportStation(CImportXml& imp) {
    const TempDir dir;
    const MessageCapture capture;
    EXPECT_EQ(imp.OnButtonTonbq(dir.File("out.txt")), 0u);
    Exported exported;
    FileDirections file = ReadDirections(ReadFileBytes(dir.File("out.txt")));
    for (const auto& [target, text] : file["S"]) exported.lines.push_back(target + "\t" + text);
    exported.messages = capture.Messages();
    return exported;
}

Exported ExportRounds(const std::vector<CSurveyTurn>& rounds) {
    CImportXml imp;
    AddStation(imp.m_arrStation, "S").m_arrHAngle = rounds;
    return ExportStation(imp);
}

using Lines = std::vector<std::string>;

// Rounds set at about 180 degrees, and a file that books face right first in each record, give
// orientations near half a turn: they are what the circle showed and must not be turned back.
TEST(DirectionReductionTest, AnOrientationNearHalfATurnStands) {
    const std::string body =
        "<导线观测记录><观测值><测站 点名=\"S\" 仪器高=\"1.5\"><水平角>"
        "<测回><K 盘右=\"180.0001\" 盘左=\"0.0001\"/><A 盘右=\"270\" 盘左=\"90\"/></测回>"
        "<测回><K 盘左=\"180\" 盘右=\"0\"/><A 盘左=\"270.0003\" 盘右=\"90.0003\"/></测回>"
        "</水平角></测站></观测值></导线观测记录>";
    const TempDir dir;
    CImportXml imp;
    ASSERT_EQ(imp.OnButtonExchange(dir.Write("record.xml", GbkRecordFile(body))), 0u);
    const Exported exported = ExportStation(imp);
    // (89°59'59" + 90°00'03") / 2
    EXPECT_EQ(exported.lines, (Lines{"K\t0.000000", "A\t90.000100"}));
    EXPECT_TRUE(exported.messages.empty());
}

// A target seconds either side of the orientation gives values near 0 and near 360 degrees: their
// mean is taken round the seam.
TEST(DirectionReductionTest, ATargetBesideTheOrientation) {
    const Exported exported = ExportRounds(
        {Round({{"K", {0.0, 180.0}}, {"A", {0.0003, 180.0003}}, {"B", {359.5957, 179.5957}}}),
         Round({{"K", {90.0, 270.0}}, {"A", {89.5959, 269.5959}}, {"B", {90.0001, 270.0001}}})});
    EXPECT_EQ(exported.lines, (Lines{"K\t0.000000", "A\t0.000100", "B\t359.595900"}));
}

// The second half of a right-angle round need not cross 0 between its orientation p and the
// target: p = 200 degrees, target 300 degrees; and targets seconds from the orientation.
TEST(DirectionReductionTest, RightAngleRoundsWithTheSecondOrientationAnywhere) {
    const Exported exported = ExportRounds({Round(
        {{"K", {0.0005, 180.0005}}, {"A", {100.0005, 280.0005}}, {"B", {0.0007, 180.0007}},
         {"C", {0.0003, 180.0003}}, {"K", {200.0, 20.0}}, {"A", {300.0, 120.0}},
         {"B", {200.0002, 20.0002}}, {"C", {199.5958, 19.5958}}})});
    EXPECT_EQ(exported.lines,
              (Lines{"K\t0.000000", "A\t100.000000", "B\t0.000200", "C\t359.595800"}));
    EXPECT_TRUE(exported.messages.empty());
}

// A target blocked in the first round: the later rounds read it too and close on the first target.
// They are plain rounds; every round counts for B and C, and D gets its line.
TEST(DirectionReductionTest, RoundsReadingATargetTheFirstMissed) {
    const Exported exported = ExportRounds(
        {Round({{"K", {0.0, 180.0}}, {"B", {30.0, 210.0}}, {"C", {60.0, 240.0}},
                {"K", {0.0, 180.0}}}),
         Round({{"K", {90.0, 270.0}}, {"B", {120.0003, 300.0003}}, {"C", {150.0003, 330.0003}},
                {"D", {290.0, 110.0}}, {"K", {90.0, 270.0}}}),
         Round({{"K", {45.0, 225.0}}, {"B", {75.0006, 255.0006}}, {"C", {105.0006, 285.0006}},
                {"D", {245.0002, 65.0002}}, {"K", {45.0, 225.0}}})});
    EXPECT_EQ(exported.lines,
              (Lines{"K\t0.000000", "B\t30.000300", "C\t60.000300", "D\t200.000100"}));
    EXPECT_TRUE(exported.messages.empty());
}

// Targets first read in later rounds follow the first round's, in order of first appearance, and
// a round without a second orientation raises its message for them too.
TEST(DirectionReductionTest, LaterTargetsInOrderOfFirstAppearance) {
    const Exported exported = ExportRounds(
        {Round({{"K", {0.0, 180.0}}, {"A", {10.0, 190.0}}, {"K", {0.0, 180.0}}}),
         Round({{"K", {0.0, 180.0}}, {"A", {10.0002, 190.0002}}, {"C", {50.0, 230.0}},
                {"B", {40.0, 220.0}}, {"K", {0.0, 180.0}}}),
         Round({{"K", {0.0, 180.0}}, {"A", {10.0, 190.0}}, {"B", {40.0, 220.0}},
                {"D", {70.0, 250.0}}})});
    EXPECT_EQ(exported.lines,
              (Lines{"K\t0.000000", "A\t10.000100", "C\t50.000000", "B\t40.000000"}));
    EXPECT_EQ(exported.messages, Lines(4, GBK(text::kNoSecondOrientation)));  // A, C, B and D
}

// Where neither the short way nor a crossing of 0 changes anything, the values are the plain means
// to the last bit: a right-angle round whose second half crosses 0, and values within half a turn.
TEST(DirectionReductionTest, PlainMeansBitForBitWhereNoWrapApplies) {
    Random random(7);
    int rightAngles = 0;
    for (int i = 0; i < 2000; ++i) {
        const double o = random.Uniform(0, kFullTurn);
        const double p = random.Uniform(0, kFullTurn);
        const double a1 = random.Uniform(0, kFullTurn);
        const double a2 = random.Uniform(0, kFullTurn);
        const CSurveyTurn turn = Round({{"K", {PackedDms(o), PackedDms(o + kHalfTurn)}},
                                        {"A", {PackedDms(a1), PackedDms(a1 + kHalfTurn)}},
                                        {"K", {PackedDms(p), PackedDms(p + kHalfTurn)}},
                                        {"A", {PackedDms(a2), PackedDms(a2 + kHalfTurn)}}});
        const auto& r = turn.m_arrObserve;
        const double d1 = MeanDirection(r[1]) - MeanDirection(r[0]);
        const double d2 = MeanDirection(r[3]) - MeanDirection(r[2]);
        if (!(d1 >= 0.0 && d2 < 0.0 && std::fabs(d1 - (d2 + TWO_PI)) <= PI)) continue;
        TAGStationObserve block{};
        block.m_arrHAngle = {turn};
        const StationReduction reduction = ReduceStation(block);
        ASSERT_EQ(reduction.directions.size(), 2u);
        EXPECT_EQ(reduction.directions[1].value, (d1 + d2 + TWO_PI) / 2) << i;
        ++rightAngles;
    }
    EXPECT_GT(rightAngles, 200);
    for (int i = 0; i < 2000; ++i) {
        std::vector<double> values(static_cast<std::size_t>(random.Integer(1, 6)));
        const double low = random.Uniform(0, TWO_PI);
        for (double& value : values) value = std::fmin(low + random.Uniform(0, PI), TWO_PI);
        double sum = 0.0;
        for (const double value : values) sum += value;
        EXPECT_EQ(ShortWayMean(values), sum / static_cast<double>(values.size())) << i;
    }
}

TEST(DirectionReductionTest, ShortWayMeanOfManyIsThatOfTwoForPairs) {
    const double s = RAD_PER_SECOND;
    EXPECT_NEAR(ShortWayMean(std::vector<double>{TWO_PI - 2 * s, 4 * s, 5 * s}), 7 * s / 3, 1e-12);
    EXPECT_NEAR(ShortWayMean(std::vector<double>{TWO_PI - 4 * s, 2 * s, TWO_PI - 4 * s}),
                TWO_PI - 2 * s, 1e-12);
    Random random(11);
    for (int i = 0; i < 2000; ++i) {
        const double a = random.Uniform(0, TWO_PI);
        const double near = WrapTurn(a + random.Uniform(-1e-4, 1e-4));
        const double b = random.Chance(0.5) ? random.Uniform(0, TWO_PI) : near;
        EXPECT_EQ(ShortWayMean(std::vector<double>{a, b}), ShortWayMean(a, b)) << a << " " << b;
    }
}

}  // namespace
}  // namespace traverse
