// Field checks: every tolerance item over records made from true geometry with injected faults
// (each check finds exactly the faults, at the seams too), each item's worked example computed by
// hand, the limits of the file and of the standard's tables, the instrument words and the report.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "records/station_ownership.h"
#include "support/field_records.h"
#include "support/record_file.h"
#include "support/temp_dir.h"
#include "traverse/check_info.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"
#include "traverse/field_checks.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

constexpr double kExact = 1e-6;  // arc seconds or millimetres

std::string Gbk(const std::string& utf8) { return Utf8ToGbk(utf8); }

// Where a value stands: code, station, round, target, face (names UTF-8).
using Place = std::tuple<std::int16_t, std::string, int, std::string, int>;

std::set<Place> ExceededPlaces(const FieldCheckResult& result) {
    std::set<Place> places;
    for (const FieldCheckValue& v : result.values) {
        if (v.exceeded) {
            places.emplace(v.code, GbkToUtf8(v.station), v.round, GbkToUtf8(v.target), v.face);
        }
    }
    return places;
}

// The values of one item, in result order.
std::vector<FieldCheckValue> ValuesOf(const FieldCheckResult& result, std::int16_t code) {
    std::vector<FieldCheckValue> values;
    for (const FieldCheckValue& v : result.values) {
        if (v.code == code) values.push_back(v);
    }
    return values;
}

// ---------------------------------------------------------------------------------------------
// Records made from true geometry, faults injected at random places, rounds and targets at the
// seams; each check must find exactly the injected exceedances.

double Degrees(double degrees) { return degrees * PI / 180.0; }

// Face-left readings of the first target: at the seam (either side of 0 and of 180 degrees) or
// anywhere.
double RoundOrientation(std::mt19937& random) {
    const double seams[] = {TWO_PI - 3 * kSecond, 2 * kSecond, PI - 2 * kSecond, PI + 3 * kSecond};
    const int pick = std::uniform_int_distribution<int>(0, 5)(random);
    return pick < 4 ? seams[pick] : std::uniform_real_distribution<double>(0.0, TWO_PI)(random);
}

TrueStation RandomStation(int number, std::mt19937& random) {
    const auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto count = [&random](int low, int high) {
        return static_cast<std::size_t>(std::uniform_int_distribution<int>(low, high)(random));
    };
    TrueStation station;
    station.name = "测站" + std::to_string(number);
    const std::size_t targets = count(3, 5);
    for (std::size_t k = 0; k < targets; ++k) {
        TrueTarget target;
        target.name = "目标" + std::to_string(number) + "-" + std::to_string(k);
        target.direction = k == 0 ? 0.0 : Degrees(uniform(10.0, 350.0));
        target.zenith = Degrees(uniform(80.0, 100.0));
        target.distance = uniform(100.0, 900.0);
        station.targets.push_back(target);
    }
    // Targets a second either side of the orientation: the noise carries their reduced directions
    // across 0 from round to round.
    const std::string suffix = std::to_string(number);
    if (count(0, 1) == 1) station.targets.push_back({"近零" + suffix, kSecond, HALF_PI, 250.0});
    if (count(0, 1) == 1) {
        station.targets.push_back({"近周" + suffix, TWO_PI - kSecond, 1.6, 260.0});
    }
    const std::size_t rounds = count(2, 4);
    for (std::size_t r = 0; r < rounds; ++r) {
        station.orientations.push_back(RoundOrientation(random));
    }
    station.collimation = uniform(-8.0, 8.0) * kSecond;
    station.indexError = uniform(-5.0, 5.0) * kSecond;
    station.zenithRounds = count(2, 3);
    station.distanceRounds = count(2, 3);
    station.readings = count(2, 4);
    return station;
}

// Fault sizes against the limits used below (四等, 2" instrument: 2C spread 13", closure 8",
// between rounds 9", vertical round difference and index-error spread 7", readings 5 mm, between
// rounds 7 mm; the file's index-error limit 15"). The noise (+-0.5" and +-0.5 mm, booked to
// tenths) moves a clean spread by at most 2.2 and a clean closure by 1.1, so each fault clears
// its own limit and stays clear of every other: a 10" closure on the closing record adds 10" to
// that record's 2C (2.2 + 10 < 13) and moves the round's orientation by 2.5" (2.2 + 2.5 < 9).
constexpr double k2CFault = 20.0;
constexpr double kClosureFault = 10.0;
constexpr double kDirectionFault = 15.0;
constexpr double kIndexFault = 25.0;
constexpr double kVerticalFault = 12.0;
constexpr double kReadingSpreadFault = 8.0;
constexpr double kDistanceFault = 12.0;

// A record of a set picked for a fault: its round number, its target and the record itself.
struct Picked {
    int round;
    const std::string& target;
    CBaseObserve& record;
};

// Injects each fault with even chance, at a random round and record, and lists the places the
// checks must report.
void InjectFaults(const TrueStation& station, TAGStationObserve& block, std::mt19937& random,
                  std::set<Place>& expected) {
    const auto pick = [&random](std::size_t size) {
        return static_cast<std::size_t>(
            std::uniform_int_distribution<int>(0, static_cast<int>(size) - 1)(random));
    };
    const auto sign = [&random]() { return std::bernoulli_distribution(0.5)(random) ? 1.0 : -1.0; };
    const auto chance = [&random]() { return std::bernoulli_distribution(0.6)(random); };
    const std::size_t targets = station.targets.size();
    // Record k of a random round of set; k == targets is a horizontal round's closing record,
    // which reads the first target again.
    const auto at = [&](std::vector<CSurveyTurn>& set, std::size_t k) {
        const std::size_t r = pick(set.size());
        return Picked{static_cast<int>(r) + 1, station.targets[k % targets].name,
                      set[r].m_arrObserve[k]};
    };
    const auto middle = [&]() { return 1 + pick(targets - 1); };  // neither opening nor closing
    const std::string& name = station.name;
    // 四等 with a 2" instrument asks for 6 horizontal rounds (1004), more than these stations read.
    if (station.orientations.size() < 6) expected.emplace(CHECK_ROUND_COUNT, name, 0, "", 0);
    if (chance()) {
        const Picked p = at(block.m_arrHAngle, middle());
        Inject2C(p.record, sign() * k2CFault);
        expected.emplace(CHECK_2C_SPREAD, name, p.round, "", 0);
    }
    if (chance()) {
        const Picked p = at(block.m_arrHAngle, targets);
        const int face = static_cast<int>(pick(2)) + 1;
        InjectFaceShift(p.record, face, sign() * kClosureFault);
        expected.emplace(CHECK_HALF_ROUND_CLOSURE, name, p.round, p.target, face);
    }
    if (chance()) {
        const Picked p = at(block.m_arrHAngle, middle());
        InjectBothFaces(p.record, sign() * kDirectionFault);
        expected.emplace(CHECK_DIRECTION_BETWEEN_ROUNDS, name, 0, p.target, 0);
    }
    if (chance()) {
        const Picked p = at(block.m_arrZenith, pick(targets));
        InjectBothFaces(p.record, sign() * kIndexFault);
        expected.emplace(CHECK_INDEX_ERROR, name, p.round, p.target, 0);
        expected.emplace(CHECK_INDEX_ERROR_SPREAD, name, p.round, "", 0);
    }
    if (chance()) {
        const Picked p = at(block.m_arrZenith, pick(targets));
        InjectVerticalAngle(p.record, sign() * kVerticalFault);
        expected.emplace(CHECK_VERTICAL_BETWEEN_ROUNDS, name, 0, p.target, 0);
    }
    if (chance()) {
        const Picked p = at(block.m_arrDistance, pick(targets));
        InjectReadingSpread(p.record, sign() * kReadingSpreadFault);
        expected.emplace(CHECK_DISTANCE_READINGS, name, p.round, p.target, 0);
    }
    if (chance()) {
        const Picked p = at(block.m_arrDistance, pick(targets));
        InjectDistanceShift(p.record, sign() * kDistanceFault);
        expected.emplace(CHECK_DISTANCE_BETWEEN_ROUNDS, name, 0, p.target, 0);
    }
}

FieldCheckOptions FourthOrder2Second() {
    FieldCheckOptions options;
    options.hasGrade = true;
    options.grade = TraverseGrade::Order4;
    options.angleClass = 2;
    return options;
}

// Stations of true geometry with faults; the file carries the index-error limit only.
void BuildFaultyStations(CImportXml& importer, unsigned seed, std::set<Place>& expected) {
    std::mt19937 random(seed);
    importer.m_arrVAngleCheck.push_back({CHECK_INDEX_ERROR, 15.0});
    for (int s = 0; s < 4; ++s) {
        const TrueStation station = RandomStation(s, random);
        TAGStationObserve& block = AddTrueStation(importer, station, Noise(), random);
        InjectFaults(station, block, random, expected);
    }
}

TEST(FieldChecksFromTrueGeometry, FindExactlyTheInjectedFaults) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        CImportXml importer;
        std::set<Place> expected;
        BuildFaultyStations(importer, seed, expected);
        const FieldCheckResult result = RunFieldChecks(importer, FourthOrder2Second());
        EXPECT_EQ(ExceededPlaces(result), expected) << "seed " << seed;
        EXPECT_EQ(result.exceededCount, expected.size()) << "seed " << seed;
    }
}

TEST(FieldChecksFromTrueGeometry, CleanRecordsGiveEveryValueAndNoExceedance) {
    std::mt19937 random(7);
    CImportXml importer;
    std::size_t rounds = 0, targets = 0, zenithRecords = 0, zenithRounds = 0, distanceRecords = 0;
    std::size_t fewRounds = 0;  // stations below the 6 rounds of 四等 with a 2" instrument
    for (int s = 0; s < 6; ++s) {
        const TrueStation station = RandomStation(s, random);
        AddTrueStation(importer, station, Noise(), random);
        rounds += station.orientations.size();
        fewRounds += station.orientations.size() < 6 ? 1 : 0;
        targets += station.targets.size();
        zenithRounds += station.zenithRounds;
        zenithRecords += station.zenithRounds * station.targets.size();
        distanceRecords += station.distanceRounds * station.targets.size();
    }
    const FieldCheckResult result = RunFieldChecks(importer, FourthOrder2Second());
    EXPECT_EQ(result.exceededCount, fewRounds);
    const auto count = [&result](std::int16_t code) { return ValuesOf(result, code).size(); };
    EXPECT_EQ(count(CHECK_2C_SPREAD), rounds);
    EXPECT_EQ(count(CHECK_HALF_ROUND_CLOSURE), 2 * rounds);
    // Every target but the orientation of each of the six stations.
    EXPECT_EQ(count(CHECK_DIRECTION_BETWEEN_ROUNDS), targets - 6);
    EXPECT_EQ(count(CHECK_VERTICAL_BETWEEN_ROUNDS), targets);
    EXPECT_EQ(count(CHECK_INDEX_ERROR), zenithRecords);
    EXPECT_EQ(count(CHECK_INDEX_ERROR_SPREAD), zenithRounds);
    EXPECT_EQ(count(CHECK_DISTANCE_READINGS), distanceRecords);
    EXPECT_EQ(count(CHECK_DISTANCE_BETWEEN_ROUNDS), targets);
    EXPECT_EQ(count(CHECK_ROUND_COUNT), 6u);
    for (const FieldCheckSummary& item : result.summary) {
        EXPECT_EQ(item.exceededCount, item.code == CHECK_ROUND_COUNT ? fewRounds : 0u);
    }
}

// The same records written as a GBK record file and imported give the same values, bit for bit.
TEST(FieldChecksFromTrueGeometry, AnImportedRecordFileGivesTheSameValues) {
    CImportXml built;
    std::set<Place> expected;
    BuildFaultyStations(built, 3, expected);
    TempDir dir;
    const std::string path = dir.Write("faults.xml", GbkRecordFile(RecordFileBody(built)));
    CImportXml imported;
    ASSERT_EQ(imported.OnButtonExchange(path), 0u) << GbkToUtf8(imported.m_strText);
    const FieldCheckResult fromFile = RunFieldChecks(imported, FourthOrder2Second());
    const FieldCheckResult inMemory = RunFieldChecks(built, FourthOrder2Second());
    ASSERT_EQ(fromFile.values.size(), inMemory.values.size());
    for (std::size_t i = 0; i < fromFile.values.size(); ++i) {
        const FieldCheckValue& a = fromFile.values[i];
        const FieldCheckValue& b = inMemory.values[i];
        EXPECT_EQ(
            std::tie(a.code, a.station, a.round, a.target, a.face, a.value, a.limit, a.exceeded),
            std::tie(b.code, b.station, b.round, b.target, b.face, b.value, b.limit, b.exceeded));
    }
    EXPECT_EQ(ExceededPlaces(fromFile), expected);
}

// ---------------------------------------------------------------------------------------------
// Worked examples, one per item, with the values computed by hand.

class HandRecords {
public:
    HandRecords() { m_block = StationBlock(*AppendNewStation(m_importer.m_arrStation)); }
    CImportXml& Importer() { return m_importer; }
    TAGStationObserve& Block() { return *m_block; }
    // The values of one item, with the file's limits and no options.
    std::vector<FieldCheckValue> Values(std::int16_t code) {
        return ValuesOf(RunFieldChecks(m_importer, {}), code);
    }

    // Appends a round to set: its records in order, each a target (UTF-8) and its readings as
    // the file gives them (packed DMS or metres).
    using Round = std::vector<std::pair<const char*, std::vector<double>>>;
    static void AddRound(std::vector<CSurveyTurn>& set, const Round& records) {
        CSurveyTurn& round = set.emplace_back();
        for (const auto& [name, readings] : records) {
            CBaseObserve& record = round.m_arrObserve.emplace_back();
            record.m_strName = Gbk(name);
            record.m_arrValue = readings;
        }
    }

private:
    CImportXml m_importer;
    TAGStationObserve* m_block;
};

TEST(WorkedExample, TwoCSpreadOfARound) {
    HandRecords records;
    HandRecords::AddRound(
        records.Block().m_arrHAngle,
        {{"A", {0.0000, 180.0010}},    // 2C = 0" - 10" = -10"
         {"B", {45.3020, 225.3015}},   // 2C = 20" - 15" = +5"
         {"C", {359.5959, 180.0001}},  // 359°59'59" - 0°00'01": -2", not 359°59'58"
         {"A", {0.0002, 180.0004}}});  // 2C = 2" - 4" = -2"
    const std::vector<FieldCheckValue> values = records.Values(CHECK_2C_SPREAD);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_NEAR(values[0].value, 15.0, kExact);  // +5" - (-10")
    EXPECT_EQ(values[0].round, 1);
    EXPECT_EQ(values[0].target, "");
}

TEST(WorkedExample, HalfRoundClosureOfEachFaceTheShortWay) {
    HandRecords records;
    HandRecords::AddRound(records.Block().m_arrHAngle, {{"A", {359.5958, 179.5957}},
                                                        {"B", {90.0000, 270.0000}},
                                                        {"A", {0.0003, 179.5955}}});
    const std::vector<FieldCheckValue> values = records.Values(CHECK_HALF_ROUND_CLOSURE);
    ASSERT_EQ(values.size(), 2u);
    // Face left: 0°00'03" - 359°59'58" = +5" the short way (not -359°59'55").
    EXPECT_EQ(values[0].face, 1);
    EXPECT_NEAR(values[0].value, 5.0, kExact);
    // Face right: 179°59'55" - 179°59'57" = -2".
    EXPECT_EQ(values[1].face, 2);
    EXPECT_NEAR(values[1].value, -2.0, kExact);
    EXPECT_EQ(values[1].target, "A");
    EXPECT_EQ(values[1].round, 1);
}

TEST(WorkedExample, DirectionBetweenRoundsReducedToEachRoundsOrientation) {
    HandRecords records;
    std::vector<CSurveyTurn>& rounds = records.Block().m_arrHAngle;
    HandRecords::AddRound(rounds, {{"A", {0.0000, 180.0000}},
                                   {"B", {30.0010, 210.0010}},
                                   {"C", {0.0001, 180.0001}},
                                   {"A", {0.0004, 180.0004}}});  // orientation (0" + 4") / 2 = 2"
    HandRecords::AddRound(rounds, {{"A", {90.0000, 270.0000}},  // no closing: orientation 90°
                                   {"B", {120.0020, 300.0020}},
                                   {"C", {90.0003, 270.0003}}});
    const std::vector<FieldCheckValue> values = records.Values(CHECK_DIRECTION_BETWEEN_ROUNDS);
    ASSERT_EQ(values.size(), 2u);
    // B: 30°00'10" - 2" = 30°00'08" and 30°00'20": 12".
    EXPECT_EQ(values[0].target, "B");
    EXPECT_NEAR(values[0].value, 12.0, kExact);
    // C: 1" - 2" = 359°59'59" and 3": 4" on the circle (not 359°59'56").
    EXPECT_EQ(values[1].target, "C");
    EXPECT_NEAR(values[1].value, 4.0, kExact);
    EXPECT_EQ(values[1].round, 0);
}

// Two zenith rounds of targets T1 and T2.
void BuildZenithExample(HandRecords& records) {
    std::vector<CSurveyTurn>& rounds = records.Block().m_arrZenith;
    HandRecords::AddRound(rounds, {{"T1", {89.3000, 270.3010}}, {"T2", {95.0000, 264.5954}}});
    HandRecords::AddRound(rounds, {{"T1", {89.2950, 270.3016}}, {"T2", {95.0004, 264.5952}}});
}

TEST(WorkedExample, IndexErrorOfEachZenithRecord) {
    HandRecords records;
    BuildZenithExample(records);
    const std::vector<FieldCheckValue> values = records.Values(CHECK_INDEX_ERROR);
    ASSERT_EQ(values.size(), 4u);
    EXPECT_NEAR(values[0].value, 5.0, kExact);   // (89°30'00" + 270°30'10" - 360°) / 2 = 10" / 2
    EXPECT_NEAR(values[1].value, -3.0, kExact);  // (95° + 264°59'54" - 360°) / 2 = -6" / 2
    EXPECT_NEAR(values[2].value, 3.0, kExact);   // (89°29'50" + 270°30'16" - 360°) / 2 = 6" / 2
    EXPECT_NEAR(values[3].value, -2.0, kExact);  // (95°00'04" + 264°59'52" - 360°) / 2 = -4" / 2
    EXPECT_EQ(values[3].round, 2);
    EXPECT_EQ(values[3].target, "T2");
}

TEST(WorkedExample, IndexErrorSpreadOfEachZenithRound) {
    HandRecords records;
    BuildZenithExample(records);
    const std::vector<FieldCheckValue> values = records.Values(CHECK_INDEX_ERROR_SPREAD);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_NEAR(values[0].value, 8.0, kExact);  // 5" - (-3")
    EXPECT_NEAR(values[1].value, 5.0, kExact);  // 3" - (-2")
}

TEST(WorkedExample, VerticalAngleBetweenRounds) {
    HandRecords records;
    BuildZenithExample(records);
    const std::vector<FieldCheckValue> values = records.Values(CHECK_VERTICAL_BETWEEN_ROUNDS);
    ASSERT_EQ(values.size(), 2u);
    // T1: (270°30'10" - 89°30'00" - 180°) / 2 = 0°30'05"; (270°30'16" - 89°29'50" - 180°) / 2 =
    // 0°30'13": 8".
    EXPECT_NEAR(values[0].value, 8.0, kExact);
    // T2: (264°59'54" - 95° - 180°) / 2 = -5°00'03"; (264°59'52" - 95°00'04" - 180°) / 2 =
    // -5°00'06": 3".
    EXPECT_NEAR(values[1].value, 3.0, kExact);
}

TEST(WorkedExample, VerticalAngleBetweenRoundsTheShortWayAtTheZenith) {
    HandRecords records;
    // A sight a second from the zenith, once on either side of it: +89°59'59" and -89°59'59".
    HandRecords::AddRound(records.Block().m_arrZenith, {{"Z", {0.0001, 359.5959}}});
    HandRecords::AddRound(records.Block().m_arrZenith, {{"Z", {359.5959, 0.0001}}});
    const std::vector<FieldCheckValue> values = records.Values(CHECK_VERTICAL_BETWEEN_ROUNDS);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_NEAR(values[0].value, 2.0, 1e-6);
}

// Two distance rounds of T1 and T2; T2 read once in the first.
void BuildDistanceExample(HandRecords& records) {
    std::vector<CSurveyTurn>& rounds = records.Block().m_arrDistance;
    HandRecords::AddRound(rounds, {{"T1", {400.0124, 400.0118, 400.0109}}, {"T2", {250.5000}}});
    HandRecords::AddRound(rounds, {{"T1", {400.0131, 400.0135}}, {"T2", {250.5030, 250.5010}}});
}

TEST(WorkedExample, DistanceReadingsOfEachRecord) {
    HandRecords records;
    BuildDistanceExample(records);
    const std::vector<FieldCheckValue> values = records.Values(CHECK_DISTANCE_READINGS);
    ASSERT_EQ(values.size(), 3u);               // the single reading of T2 gives no spread
    EXPECT_NEAR(values[0].value, 1.5, kExact);  // 400.0124 - 400.0109 m
    EXPECT_NEAR(values[1].value, 0.4, kExact);  // 400.0135 - 400.0131 m
    EXPECT_NEAR(values[2].value, 2.0, kExact);  // 250.5030 - 250.5010 m
    EXPECT_EQ(values[2].target, "T2");
    EXPECT_EQ(values[2].round, 2);
}

TEST(WorkedExample, DistanceBetweenRoundsOfTheRecordMeans) {
    HandRecords records;
    BuildDistanceExample(records);
    const std::vector<FieldCheckValue> values = records.Values(CHECK_DISTANCE_BETWEEN_ROUNDS);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_NEAR(values[0].value, 1.6, kExact);  // means 400.0117 and 400.0133 m
    EXPECT_NEAR(values[1].value, 2.0, kExact);  // means 250.5000 and 250.5020 m
}

// ---------------------------------------------------------------------------------------------
// Limits: the file's first, else the standard's line for the grade and instrument, else none.

constexpr double kNone = -1.0;

// The limit of every item, kNone where none applies, for a file without tolerance items.
std::vector<double> StandardLimits(const char* utf8Grade, const char* instrument) {
    FieldCheckOptions options;
    if (utf8Grade != nullptr) {
        options.hasGrade = true;
        const GradeParse grade = ParseTraverseGrade(utf8Grade);
        EXPECT_EQ(grade.status, ParseStatus::Read);
        options.grade = grade.grade;
    }
    if (instrument != nullptr) {
        const InstrumentParse parse = ParseInstrumentClasses(instrument);
        EXPECT_EQ(parse.status, ParseStatus::Read);
        options.angleClass = parse.angleClass;
        options.distanceClass = parse.distanceClass;
    }
    CImportXml importer;
    std::vector<double> limits;
    for (const FieldCheckSummary& item : RunFieldChecks(importer, options).summary) {
        EXPECT_EQ(item.limitSource == LimitSource::None, item.limitOrigin.empty());
        limits.push_back(item.limitSource == LimitSource::None ? kNone : item.limit);
    }
    return limits;
}

TEST(Limits, ComeFromTheStandardsLineForGradeAndInstrument) {
    // In code order: 1001 2C, 1002 closure, 1003 between rounds, 2001, 2002, 2003, 3001, 3002;
    // then 1004, the least number of rounds (table 3.3.1).
    using L = std::vector<double>;
    EXPECT_EQ(StandardLimits(nullptr, nullptr), L(9, kNone));
    EXPECT_EQ(StandardLimits("三等", "1"), L({9, 6, 6, 7, kNone, 7, 5, 7, 6}));
    // No angle class: the 2" line.
    EXPECT_EQ(StandardLimits("四等", nullptr), L({13, 8, 9, 7, kNone, 7, 5, 7, 6}));
    EXPECT_EQ(StandardLimits("一级", "DJ2"), L({18, 12, 12, 10, kNone, 10, 10, 15, 2}));
    // The 6" line gives no 2C limit.
    EXPECT_EQ(StandardLimits("三级", "6\""), L({kNone, 18, 24, 10, kNone, 10, 10, 15, 2}));
    // A 1" instrument below four-order takes the 2" line; a 6" one above it has no line.
    EXPECT_EQ(StandardLimits("二级", "J1"), L({18, 12, 12, 10, kNone, 10, 10, 15, 1}));
    EXPECT_EQ(StandardLimits("四等", "6"), L({kNone, kNone, kNone, 7, kNone, 7, 5, 7, kNone}));
    // The distance class given wins over the grade's; an instrument without a grade takes the
    // default grade 一级 for every item.
    EXPECT_EQ(StandardLimits("一级", "2,5mm"), L({18, 12, 12, 10, kNone, 10, 5, 7, 2}));
    EXPECT_EQ(StandardLimits(nullptr, "5mm"), L({18, 12, 12, 10, kNone, 10, 5, 7, 2}));
    EXPECT_EQ(StandardLimits("三等", "0.5\",1mm+1ppm"), L({9, 6, 6, 7, kNone, 7, 5, 7, 6}));
}

TEST(Limits, TheFilesItemComesFirstWhateverGroupItStandsIn) {
    CImportXml importer;
    importer.m_arrHAngleCheck = {{CHECK_2C_SPREAD, 20.0}, {CHECK_DISTANCE_READINGS, 3.0}};
    importer.m_arrDistCheck = {{CHECK_DISTANCE_READINGS, 4.0}};
    const FieldCheckResult result = RunFieldChecks(importer, FourthOrder2Second());
    EXPECT_EQ(result.summary[0].limitSource, LimitSource::File);
    EXPECT_EQ(result.summary[0].limit, 20.0);
    EXPECT_EQ(result.summary[0].limitOrigin, "record file");
    EXPECT_EQ(result.summary[6].limit, 3.0);  // the first item of the code
    EXPECT_EQ(result.summary[1].limitSource, LimitSource::Standard);
    EXPECT_EQ(result.summary[1].limitOrigin,
              "GB 50026 horizontal direction method table: four-order and above, 2\" instrument");
    EXPECT_EQ(result.summary[4].limitSource, LimitSource::None);
    EXPECT_STREQ(LimitSourceName(result.summary[4].limitSource), "none");
}

TEST(Limits, AValueExceedsWhenItsMagnitudeIsBeyondTheLimit) {
    HandRecords records;
    HandRecords::AddRound(records.Block().m_arrHAngle,
                          {{"A", {0.0000, 180.0000}},
                           {"B", {90.0000, 270.0000}},
                           {"A", {0.0008, 179.5951}}});  // closures +8" (at the limit) and -9"
    records.Importer().m_arrHAngleCheck = {{CHECK_HALF_ROUND_CLOSURE, 8.0}};
    const std::vector<FieldCheckValue> values = records.Values(CHECK_HALF_ROUND_CLOSURE);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_FALSE(values[0].exceeded);  // equal is within: "shall not exceed"
    EXPECT_TRUE(values[1].exceeded);
    EXPECT_EQ(values[1].limitSource, LimitSource::File);
    EXPECT_EQ(values[1].limit, 8.0);
}

TEST(Limits, AFigureThatIsNotFiniteNeverPasses) {
    // A reading beyond the double range gives closures that are not numbers: beyond any limit.
    HandRecords records;
    HandRecords::AddRound(records.Block().m_arrHAngle, {{"A", {0.0000, 180.0000}},
                                                        {"B", {90.0000, 270.0000}},
                                                        {"A", {HUGE_VAL, 180.0000}}});
    records.Importer().m_arrHAngleCheck = {{CHECK_HALF_ROUND_CLOSURE, 8.0}};
    const std::vector<FieldCheckValue> values = records.Values(CHECK_HALF_ROUND_CLOSURE);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_FALSE(std::isfinite(values[0].value));
    EXPECT_TRUE(values[0].exceeded);
    // A file's limit beyond the range is left out, and the standard's takes its place.
    records.Importer().m_arrHAngleCheck = {{CHECK_HALF_ROUND_CLOSURE, HUGE_VAL}};
    const FieldCheckResult result = RunFieldChecks(records.Importer(), FourthOrder2Second());
    EXPECT_EQ(result.summary[1].limitSource, LimitSource::Standard);
    EXPECT_EQ(result.summary[1].limit, 8.0);
    EXPECT_NE(result.summary[1].limitOrigin.find("the record file's limit is not a finite number"),
              std::string::npos);
}

// ---------------------------------------------------------------------------------------------

TEST(InstrumentWords, NameAnAngleClassADistanceClassOrBoth) {
    const auto parse = [](const std::string& words) {
        const InstrumentParse parse = ParseInstrumentClasses(words);
        EXPECT_EQ(parse.status == ParseStatus::Read, parse.message.empty()) << words;
        return std::make_tuple(parse.status == ParseStatus::Read, parse.angleClass,
                               parse.distanceClass);
    };
    EXPECT_EQ(parse("2"), std::make_tuple(true, 2, 0));
    EXPECT_EQ(parse("1\""), std::make_tuple(true, 1, 0));
    EXPECT_EQ(parse("6″"), std::make_tuple(true, 6, 0));
    EXPECT_EQ(parse("DJ2"), std::make_tuple(true, 2, 0));
    EXPECT_EQ(parse("dj6"), std::make_tuple(true, 6, 0));
    EXPECT_EQ(parse("2″级"), std::make_tuple(true, 2, 0));
    EXPECT_EQ(parse("5mm"), std::make_tuple(true, 0, 5));
    EXPECT_EQ(parse("10MM"), std::make_tuple(true, 0, 10));
    EXPECT_EQ(parse("2\",5mm"), std::make_tuple(true, 2, 5));
    EXPECT_EQ(parse(" 10mm , J1 "), std::make_tuple(true, 1, 10));
    EXPECT_EQ(parse("3"), std::make_tuple(true, 6, 0));  // a sigma: the class it fits in
    EXPECT_EQ(parse("5 mm"), std::make_tuple(true, 0, 5));
    for (const char* bad : {"", "7\"", "2\"\"", "DJ", "7mm", "2,6", "5mm,10mm", "2,5mm,",
                            "2,,5mm", "mm", "2s", "2mm+", "mm+2ppm", "2mm+2ppm,3mm+1ppm"}) {
        EXPECT_EQ(parse(bad), std::make_tuple(false, 0, 0)) << bad;
    }
}

TEST(InstrumentWords, CarryTheNominalAccuracyAndItsClasses) {
    const InstrumentParse parse = ParseInstrumentClasses("1.5\", 2mm + 2ppm");
    ASSERT_EQ(parse.status, ParseStatus::Read) << parse.message;
    EXPECT_EQ(std::make_tuple(parse.angleClass, parse.distanceClass), std::make_tuple(2, 5));
    EXPECT_EQ(parse.accuracy.directionSigmaSeconds, 1.5);
    EXPECT_EQ(parse.accuracy.distanceSigmaMm, 2.0);
    EXPECT_EQ(parse.accuracy.distanceSigmaPpm, 2.0);
    EXPECT_EQ(ParseInstrumentClasses("5mm+3ppm").distanceClass, 10);  // 8 mm at 1 km
    EXPECT_EQ(ParseInstrumentClasses("5mm").accuracy.distanceSigmaMm, std::nullopt);  // a class
    EXPECT_EQ(ParseInstrumentClasses("2,2\"").status, ParseStatus::Repeated);
    EXPECT_EQ(ParseInstrumentClasses("8\"").status, ParseStatus::OutOfRange);
}

// ---------------------------------------------------------------------------------------------

TEST(Report, ShowsTheValuesTheirLimitsTheMarksAndTheSummaryInGbk) {
    HandRecords records;
    records.Importer().m_arrStation.front()->m_strName = Gbk("凤岭");
    HandRecords::AddRound(records.Block().m_arrHAngle, {{"龙岗", {0.0000, 180.0010}},
                                                        {"导1", {45.3020, 225.3015}},
                                                        {"龙岗", {0.0002, 180.0004}}});
    records.Importer().m_arrHAngleCheck = {{CHECK_2C_SPREAD, 13.0}};
    const FieldCheckResult result = RunFieldChecks(records.Importer(), {});
    const std::string report = FormatFieldChecks(result);
    // The 2C spread is 15", beyond 13": marked in the table and in the summary.
    for (const char* part : {"1001 一测回2C较差", "13.0  record file", "Station 凤岭", "15.0*",
                             "凤岭: round 1", "1 value(s) beyond their limits."}) {
        EXPECT_NE(report.find(Gbk(part)), std::string::npos) << part << "\n" << GbkToUtf8(report);
    }
    // Closure 2" (face left) and -6" (face right), no limit: shown, never marked.
    EXPECT_NE(report.find(Gbk("2002 指标差")), std::string::npos);
    EXPECT_NE(report.find("-6.0 "), std::string::npos);
    EXPECT_EQ(report.find("-6.0*"), std::string::npos);
    // Lines end in CR LF only.
    for (std::size_t at = report.find('\n'); at != std::string::npos;
         at = report.find('\n', at + 1)) {
        ASSERT_TRUE(at > 0 && report[at - 1] == '\r');
    }
}

TEST(Report, OfNothingSaysSo) {
    CImportXml importer;
    const std::string report = FormatFieldChecks(RunFieldChecks(importer, {}));
    EXPECT_NE(report.find("No observations to check."), std::string::npos);
    EXPECT_NE(report.find("No value beyond its limit."), std::string::npos);
}

// The example file holds one exceedance of every item.
TEST(ExampleFile, HasOneExceedanceOfEachItem) {
    CImportXml importer;
    ASSERT_EQ(importer.OnButtonExchange(TRAVERSE_EXAMPLES_DIR "/field-checks.xml"), 0u);
    const FieldCheckResult result = RunFieldChecks(importer, {});
    for (const FieldCheckSummary& item : result.summary) {
        const bool file = item.code != CHECK_ROUND_COUNT;  // 测回数: the standard's item only
        EXPECT_EQ(item.limitSource, file ? LimitSource::File : LimitSource::None) << item.code;
        EXPECT_EQ(item.exceededCount, file ? 1u : 0u) << item.code;
    }
}

}  // namespace
}  // namespace traverse
