// The horizontal-angle round checks and the check command: report entries byte for byte, the
// marks against the limit, the message boxes, and the half-circle arithmetic behind the values.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "check/half_circle.h"
#include "platform/gbk_literal.h"
#include "records/station_ownership.h"
#include "support/survey_round.h"
#include "support/message_capture.h"
#include "support/temp_dir.h"
#include "traverse/angle.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

// Records, for each message box, what m_strError held when the box was shown.
class ErrorAtBox {
public:
    explicit ErrorAtBox(const CImportXml& importer)
        : m_previous(SetMessageBoxHandler([this, &importer](const std::string& text) {
              m_shown.push_back(text);
              m_errors.push_back(importer.m_strError);
          })) {}
    ~ErrorAtBox() { SetMessageBoxHandler(std::move(m_previous)); }
    ErrorAtBox(const ErrorAtBox&) = delete;
    ErrorAtBox& operator=(const ErrorAtBox&) = delete;

    const std::vector<std::string>& Shown() const { return m_shown; }
    const std::vector<std::string>& Errors() const { return m_errors; }

private:
    std::vector<std::string> m_shown;
    std::vector<std::string> m_errors;
    MessageBoxHandler m_previous;
};

// Builds stations straight into an importer's m_arrStation.
class Records {
public:
    explicit Records(CImportXml& importer) : m_importer(importer) {}

    CPoint3D* Station(const std::string& utf8Name) {
        AddStation(m_importer.m_arrStation, Gbk(utf8Name));
        return m_importer.m_arrStation.back();
    }

    // A point without an observation block; every check skips it.
    void BareStation(const std::string& utf8Name) {
        m_importer.m_arrStation.push_back(new CPoint3D());
        m_importer.m_arrStation.back()->m_strName = Utf8ToGbk(utf8Name);
    }

    static CSurveyTurn& Round(CPoint3D* station) {
        StationBlock(*station)->m_arrHAngle.emplace_back();
        return StationBlock(*station)->m_arrHAngle.back();
    }

    // Readings in packed DMS, face left first.
    static void Target(CSurveyTurn& round, const std::string& utf8Name,
                       std::initializer_list<double> readings) {
        CBaseObserve record;
        record.m_strName = Utf8ToGbk(utf8Name);
        record.m_arrValue.assign(readings);
        round.m_arrObserve.push_back(record);
    }

    // A round of the named targets without 2C: the n-th distinct name is read at 30 * n degrees
    // face left and 180 degrees more face right; a name read again gets the same readings.
    static CSurveyTurn& RoundOf(CPoint3D* station, std::initializer_list<const char*> names) {
        CSurveyTurn& round = Round(station);
        std::vector<std::string> seen;
        for (const char* name : names) {
            size_t index = 0;
            while (index < seen.size() && seen[index] != name) ++index;
            if (index == seen.size()) seen.push_back(name);
            const double left = 30.0 * static_cast<double>(index);
            Target(round, name, {left, left + 180.0});
        }
        return round;
    }

private:
    CImportXml& m_importer;
};

// The report split at every "\r\n"; an entry that holds "\r\n" itself comes out in pieces.
std::vector<std::string> Entries(const std::string& report) {
    std::vector<std::string> entries;
    size_t start = 0;
    while (true) {
        const size_t end = report.find("\r\n", start);
        entries.push_back(report.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return entries;
}

// ---------------------------------------------------------------------------------------------
// The worked example: item 1001 with limit 9.0, station A, one round with B (2C 10") and C (2C 5").

void BuildWorkedExample(CImportXml& importer) {
    Records records(importer);
    CSurveyTurn& round = Records::Round(records.Station("A"));
    Records::Target(round, "B", {0.0, 180.0010});
    Records::Target(round, "C", {45.3020, 225.3025});
    importer.m_arrHAngleCheck.push_back({CHECK_2C_SPREAD, 9.0});
}

TEST(WorkedExample, OnButtonCheckGivesTheReportByteForByte) {
    CImportXml importer;
    BuildWorkedExample(importer);
    MessageCapture capture;
    EXPECT_EQ(importer.OnButtonCheck(), 0u);
    // The GBK bytes are spelled out so that the converter of the library is not the judge.
    const std::string expected =
        "*** \xcb\xae\xc6\xbd\xbd\xc7\xbc\xec\xb2\xe9 ***"     // *** 水平角检查 ***
        "\r\n\r\n2C\xbb\xa5\xb2\xee\xbc\xec\xb2\xe9(9.0)\r\n"  // 2C互差检查(9.0)
        "\r\n\xb2\xe2\xd5\xbe" "A"                             // 测站A
        "\r\n\xb5\xda" "1\xb2\xe2\xbb\xd8"                     // 第1测回
        "\r\nB 2C=10.0 *\xb3\xac\xcf\xde"                      // B 2C=10.0 *超限
        "\r\nC 2C=5.0"
        "\r\n\n";
    EXPECT_EQ(importer.m_strText, expected);
    EXPECT_TRUE(capture.Messages().empty());
}

TEST(WorkedExample, AValueAtTheLimitIsMarkedInTheReport) {
    // A limit of 0" marks even a perfect record: reaching the limit is enough.
    CImportXml importer;
    Records records(importer);
    Records::Target(Records::Round(records.Station("A")), "D", {0.0, 180.0});
    importer.m_arrHAngleCheck.push_back({CHECK_2C_SPREAD, 0.0});
    importer.OnButtonCheck();
    const std::string report = Utf8(importer.m_strText);
    EXPECT_NE(report.find("\r\nD 2C=0.0 *超限\r\n"), std::string::npos) << report;
}

TEST(WorkedExample, CheckHAngleAppendsSixEntriesAndReturnsOne) {
    CImportXml importer;
    BuildWorkedExample(importer);
    EXPECT_EQ(importer.CheckHAngle(importer.m_arrHAngleCheck[0], importer.m_arrStation), 1);
    EXPECT_EQ(Utf8(importer.m_strText),
              "\r\n2C互差检查(9.0)\r\n\r\n测站A\r\n第1测回\r\nB 2C=10.0 *超限\r\nC 2C=5.0\r\n\n");
}

// ---------------------------------------------------------------------------------------------
// Code 1001: 2C values.

// The 2C entry of a single record checked against limit, "name 2C=..." in UTF-8.
std::string TwoCEntry(double left, double right, double limit = 1000.0) {
    CImportXml importer;
    Records records(importer);
    Records::Target(Records::Round(records.Station("S")), "T", {left, right});
    EXPECT_EQ(importer.CheckHAngle({CHECK_2C_SPREAD, limit}, importer.m_arrStation), 1);
    const std::vector<std::string> entries = Entries(importer.m_strText);
    // "", heading, "", 测站S, 第1测回, the record, "\n"
    EXPECT_EQ(entries.size(), 7u) << Utf8(importer.m_strText);
    return entries.size() == 7 ? Utf8(entries[5]) : "";
}

TEST(Check2C, ReducesBothReadingsToTheHalfCircle) {
    EXPECT_EQ(TwoCEntry(10.0, 190.0010), "T 2C=10.0");
    EXPECT_EQ(TwoCEntry(190.0010, 10.0), "T 2C=10.0");
    EXPECT_EQ(TwoCEntry(200.0, 20.0005), "T 2C=5.0");
    EXPECT_EQ(TwoCEntry(123.4530, 303.4530), "T 2C=0.0");
}

TEST(Check2C, TakesTheShortWayRoundAtTheSeam) {
    // Reduced: 179°59'55" against 0°00'05" -- 10" apart across 0, not 179°59'50".
    EXPECT_EQ(TwoCEntry(359.5955, 180.0005), "T 2C=10.0");
    EXPECT_EQ(TwoCEntry(179.5955, 0.0005), "T 2C=10.0");
    EXPECT_EQ(TwoCEntry(0.0005, 179.5955), "T 2C=10.0");
    // Both readings just below the seam: the plain difference.
    EXPECT_EQ(TwoCEntry(359.5950, 179.5955), "T 2C=5.0");
}

TEST(Check2C, IsTheSameWhereverTheCircleStands) {
    // 10" of collimation with the face-left reading turned across 0 and across 180 degrees.
    constexpr double kCircle = 360 * 3600.0;
    for (const double around : {0.0, 180 * 3600.0}) {
        for (int offset = -20; offset <= 20; offset += 5) {
            const double left = std::fmod(kCircle + around + offset, kCircle);
            const double right = std::fmod(left + 180 * 3600.0 + 10, kCircle);
            EXPECT_EQ(TwoCEntry(RadianToDms(SecondToRad(left)), RadianToDms(SecondToRad(right))),
                      "T 2C=10.0")
                << "face left at " << left << "\"";
        }
    }
}

TEST(Check2C, MarksAValueThatReachesTheLimit) {
    EXPECT_EQ(TwoCEntry(0.0, 180.0010, 10.0), "T 2C=10.0 *超限");
    EXPECT_EQ(TwoCEntry(0.0, 180.0010, 9.0), "T 2C=10.0 *超限");
    // Noise just below the limit counts as equal; a real shortfall does not.
    EXPECT_EQ(TwoCEntry(0.0, 180.0010, 10.0 + 5e-7), "T 2C=10.0 *超限");
    EXPECT_EQ(TwoCEntry(0.0, 180.0010, 10.0 + 2e-6), "T 2C=10.0");
    // The unrounded value is compared: 8.96" prints as 9.0 but stays under 9.0.
    EXPECT_EQ(TwoCEntry(0.0, 180.000896, 9.0), "T 2C=9.0");
    EXPECT_EQ(TwoCEntry(0.0, 180.0010, 10.1), "T 2C=10.0");
    EXPECT_EQ(TwoCEntry(0.0, 180.0, 0.0), "T 2C=0.0 *超限");
}

TEST(Check2C, WritesEveryStationAndRoundInOrder) {
    CImportXml importer;
    Records records(importer);
    CPoint3D* first = records.Station("甲");
    Records::RoundOf(first, {"乙", "丙"});
    Records::RoundOf(first, {"乙"});
    records.BareStation("无");
    records.Station("丁");  // no rounds
    EXPECT_EQ(importer.CheckHAngle({CHECK_2C_SPREAD, 13.0}, importer.m_arrStation), 1);
    EXPECT_EQ(Utf8(importer.m_strText),
              "\r\n2C互差检查(13.0)\r\n\r\n测站甲\r\n第1测回\r\n乙 2C=0.0\r\n丙 2C=0.0"
              "\r\n第2测回\r\n乙 2C=0.0\r\n\n\r\n测站丁\r\n\n");
}

TEST(Check2C, StopsAtARecordWithoutTwoReadings) {
    CImportXml importer;
    Records records(importer);
    Records::RoundOf(records.Station("S1"), {"A", "B"});
    CPoint3D* second = records.Station("S2");
    Records::RoundOf(second, {"A", "B"});
    CSurveyTurn& round2 = Records::Round(second);
    Records::Target(round2, "A", {0.0, 180.0010});
    Records::Target(round2, "B", {45.0});
    Records::Target(round2, "C", {90.0, 270.0});
    Records::RoundOf(records.Station("S3"), {"A"});

    ErrorAtBox capture(importer);
    EXPECT_EQ(importer.CheckHAngle({CHECK_2C_SPREAD, 9.0}, importer.m_arrStation), 0);

    const std::string message =
        Gbk("测站S2水平角观测第2测回中，目标点B方向读数不够，即缺盘左或盘右数据！");
    EXPECT_EQ(capture.Shown(), std::vector<std::string>{message});
    EXPECT_EQ(capture.Errors(), std::vector<std::string>{message});
    EXPECT_EQ(importer.m_strError, message);
    // What came before the faulty record stays; nothing after it, not even the station's end.
    EXPECT_EQ(Utf8(importer.m_strText),
              "\r\n2C互差检查(9.0)\r\n\r\n测站S1\r\n第1测回\r\nA 2C=0.0\r\nB 2C=0.0\r\n\n"
              "\r\n测站S2\r\n第1测回\r\nA 2C=0.0\r\nB 2C=0.0\r\n第2测回\r\nA 2C=10.0 *超限");
}

TEST(Check2C, ReadingsBeyondTheSecondAreIgnored) {
    CImportXml importer;
    Records records(importer);
    Records::Target(Records::Round(records.Station("S")), "T", {0.0, 180.0005, 90.0});
    EXPECT_EQ(importer.CheckHAngle({CHECK_2C_SPREAD, 9.0}, importer.m_arrStation), 1);
    EXPECT_EQ(Entries(importer.m_strText).at(5), "T 2C=5.0");
}

// ---------------------------------------------------------------------------------------------
// Code 1002: half-round closure.

TEST(CheckClosure, LooksOnlyAtRoundsOfFiveOrMoreThatClose) {
    CImportXml importer;
    Records records(importer);
    CPoint3D* station = records.Station("S");
    Records::RoundOf(station, {"A", "B", "C"});            // 1: too short
    Records::RoundOf(station, {"A", "B", "C", "A"});       // 2: closes, four records
    Records::RoundOf(station, {"A", "B", "C", "D"});       // 3: does not close
    CSurveyTurn& round4 = Records::RoundOf(station, {"A", "B", "C", "D"});  // 4: closes
    Records::Target(round4, "A", {0.0006, 180.0012});
    Records::RoundOf(station, {"A", "B", "C", "D", "E"});  // 5: does not close
    CSurveyTurn& round6 = Records::RoundOf(station, {"A", "B", "C", "D", "E"});  // 6: closes
    Records::Target(round6, "A", {359.5958, 179.5952});

    ErrorAtBox capture(importer);
    EXPECT_EQ(importer.CheckHAngle({CHECK_HALF_ROUND_CLOSURE, 6.0}, importer.m_arrStation), 1);

    // Round 4: the first A means 0°00'00", the last (6" and 12" reduced) 9". Round 6: 0° against
    // the mean of 179°59'58" and 179°59'52", 5" away across the seam. Never marked.
    EXPECT_EQ(Utf8(importer.m_strText),
              "\r\n半测回归零差(6.0)\r\n\r\n测站S\r\n第4测回，半测回归零差=9.0"
              "\r\n第6测回，半测回归零差=5.0\r\n\n");
    const std::vector<std::string> expected = {
        Gbk("测站S水平角观测第3测回中，半测回方向读数没有归零！"),
        Gbk("测站S水平角观测第5测回中，半测回方向读数没有归零！")};
    EXPECT_EQ(capture.Shown(), expected);
    EXPECT_EQ(capture.Errors(), expected);
}

TEST(CheckClosure, TakesTheMeanTheShortWayWhenARecordStraddlesTheSeam) {
    CImportXml importer;
    Records records(importer);
    CSurveyTurn& round = Records::Round(records.Station("S"));
    // Reduced 179°59'58" and 0°00'02": the mean is 0°, not 90°.
    Records::Target(round, "A", {359.5958, 180.0002});
    Records::Target(round, "B", {45.0, 225.0});
    Records::Target(round, "C", {90.0, 270.0});
    Records::Target(round, "D", {135.0, 315.0});
    Records::Target(round, "A", {0.0004, 180.0004});
    EXPECT_EQ(importer.CheckHAngle({CHECK_HALF_ROUND_CLOSURE, 6.0}, importer.m_arrStation), 1);
    EXPECT_EQ(Entries(importer.m_strText).at(4), Gbk("第1测回，半测回归零差=4.0"));
}

TEST(CheckClosure, ShortFirstOrLastRecordGivesNoLineAndNoMessage) {
    CImportXml importer;
    Records records(importer);
    CPoint3D* station = records.Station("S");
    CSurveyTurn& round1 = Records::RoundOf(station, {"B", "C", "D", "E"});
    round1.m_arrObserve.front().m_arrValue.resize(1);
    Records::Target(round1, "B", {0.0, 180.0});
    CSurveyTurn& round2 = Records::RoundOf(station, {"B", "C", "D", "E"});
    Records::Target(round2, "B", {});
    Records::RoundOf(station, {"B", "C", "D", "E", "B"});
    // Not closed on its first target, but its last record is short: no message either.
    CSurveyTurn& round4 = Records::RoundOf(station, {"B", "C", "D"});
    Records::Target(round4, "X", {1.0});

    MessageCapture capture;
    EXPECT_EQ(importer.CheckHAngle({CHECK_HALF_ROUND_CLOSURE, 6.0}, importer.m_arrStation), 1);
    EXPECT_TRUE(capture.Messages().empty());
    EXPECT_EQ(Utf8(importer.m_strText),
              "\r\n半测回归零差(6.0)\r\n\r\n测站S\r\n第3测回，半测回归零差=0.0\r\n\n");
}

TEST(CheckClosure, WrongClosingTargetNamesAreComparedByteForByte) {
    CImportXml importer;
    Records records(importer);
    CPoint3D* station = records.Station("测站一");
    Records::RoundOf(station, {"北山", "B", "C", "D", "北山 "});
    Records::RoundOf(station, {"北山", "B", "C", "D", "北山"});
    MessageCapture capture;
    EXPECT_EQ(importer.CheckHAngle({CHECK_HALF_ROUND_CLOSURE, 6.0}, importer.m_arrStation), 1);
    EXPECT_EQ(capture.Messages(),
              std::vector<std::string>{
                  Gbk("测站测站一水平角观测第1测回中，半测回方向读数没有归零！")});
    EXPECT_EQ(Entries(importer.m_strText).at(4), Gbk("第2测回，半测回归零差=0.0"));
}

// ---------------------------------------------------------------------------------------------
// Code 1003 and the rest.

TEST(CheckBetweenRounds, NamesOnlyStationsWithTwoRoundsOrMore) {
    CImportXml importer;
    Records records(importer);
    Records::RoundOf(records.Station("一"), {"A"});
    CPoint3D* two = records.Station("二");
    Records::RoundOf(two, {"A"});
    Records::RoundOf(two, {"A"});
    records.BareStation("空");
    CPoint3D* three = records.Station("三");
    for (int i = 0; i < 3; ++i) Records::RoundOf(three, {"A", "B"});
    EXPECT_EQ(importer.CheckHAngle({CHECK_DIRECTION_BETWEEN_ROUNDS, 5.0}, importer.m_arrStation),
              1);
    EXPECT_EQ(Utf8(importer.m_strText),
              "\r\n同一方向值各测回较差(5.0)\r\n\r\n测站二\r\n\n\r\n测站三\r\n\n");
}

TEST(CheckHAngle, UnknownCodesAppendNothing) {
    CImportXml importer;
    Records records(importer);
    Records::RoundOf(records.Station("S"), {"A", "B"});
    importer.m_strText = "before";
    for (std::int16_t code :
         {std::int16_t{0}, std::int16_t{1000}, std::int16_t{1004}, CHECK_VERTICAL_BETWEEN_ROUNDS,
          CHECK_DISTANCE_READINGS, std::int16_t{-1}}) {
        EXPECT_EQ(importer.CheckHAngle({code, 9.0}, importer.m_arrStation), 1) << code;
    }
    EXPECT_EQ(importer.m_strText, "before");
}

TEST(CheckHAngle, WithoutStationsGivesTheHeadingAlone) {
    for (std::int16_t code :
         {CHECK_2C_SPREAD, CHECK_HALF_ROUND_CLOSURE, CHECK_DIRECTION_BETWEEN_ROUNDS}) {
        CImportXml importer;
        Records records(importer);
        records.BareStation("S");
        EXPECT_EQ(importer.CheckHAngle({code, 12.25}, importer.m_arrStation), 1);
        EXPECT_EQ(Entries(importer.m_strText).size(), 3u) << code;
        EXPECT_NE(importer.m_strText.find("(12.2)"), std::string::npos) << code;
    }
}

// ---------------------------------------------------------------------------------------------
// The check command.

TEST(OnButtonCheck, WithoutItemsTheReportIsTheBannerAlone) {
    CImportXml importer;
    Records records(importer);
    Records::RoundOf(records.Station("S"), {"A"});
    importer.m_strText = "old";
    EXPECT_EQ(importer.OnButtonCheck(), 0u);
    EXPECT_EQ(Utf8(importer.m_strText), "*** 水平角检查 ***");
}

TEST(OnButtonCheck, RunsEveryItemEvenAfterOneStopped) {
    CImportXml importer;
    Records records(importer);
    CPoint3D* station = records.Station("S");
    Records::RoundOf(station, {"A"});
    Records::Target(Records::RoundOf(station, {"A"}), "B", {1.0});
    importer.m_arrHAngleCheck = {{CHECK_2C_SPREAD, 9.0},
                                 {CHECK_VERTICAL_BETWEEN_ROUNDS, 1.0},
                                 {CHECK_DIRECTION_BETWEEN_ROUNDS, 8.0}};
    MessageCapture capture;
    EXPECT_EQ(importer.OnButtonCheck(), 0u);
    EXPECT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(Utf8(importer.m_strText),
              "*** 水平角检查 ***\r\n\r\n2C互差检查(9.0)\r\n\r\n测站S\r\n第1测回\r\nA 2C=0.0"
              "\r\n第2测回\r\nA 2C=0.0\r\n\r\n同一方向值各测回较差(8.0)\r\n\r\n测站S\r\n\n");
}

TEST(OnButtonCheck, TwiceGivesTheSameReport) {
    CImportXml importer;
    BuildWorkedExample(importer);
    importer.m_arrHAngleCheck.push_back({CHECK_HALF_ROUND_CLOSURE, 6.0});
    importer.m_arrHAngleCheck.push_back({CHECK_DIRECTION_BETWEEN_ROUNDS, 6.0});
    ASSERT_EQ(importer.OnButtonCheck(), 0u);
    const std::string first = importer.m_strText;
    ASSERT_EQ(importer.OnButtonCheck(), 0u);
    EXPECT_EQ(importer.m_strText, first);
}

TEST(OnButtonRecord, ChangesNothing) {
    CImportXml importer;
    BuildWorkedExample(importer);
    importer.m_strText = "report";
    importer.m_strError = "error";
    EXPECT_EQ(importer.OnButtonRecord(), 0u);
    EXPECT_EQ(importer.m_strText, "report");
    EXPECT_EQ(importer.m_strError, "error");
    EXPECT_EQ(importer.m_arrStation.size(), 1u);
    EXPECT_EQ(importer.m_arrHAngleCheck.size(), 1u);
}

// ---------------------------------------------------------------------------------------------
// From a record file.

TEST(OnButtonCheck, ReplacesTheImportMessages) {
    TempDir dir;
    const std::string path = dir.Write("records.xml", Gbk(
        "<?xml version=\"1.0\" encoding=\"GBK\"?>\n"
        "<导线观测记录><检查限差><水平角><一测回2C较差 限差=\"9\"/></水平角></检查限差>"
        "<观测值><测站 点名=\"甲\"><水平角><测回>"
        "<乙 盘左=\"0.0000\" 盘右=\"180.0004\"/><丙 盘左=\"90.0000\"/>"
        "</测回></水平角></测站></观测值></导线观测记录>\n"));
    CImportXml importer;
    MessageCapture capture;
    EXPECT_EQ(importer.OnButtonExchange(path), RESULT_FAILED);
    EXPECT_NE(Utf8(importer.m_strText).find("目标点丙读数不够"), std::string::npos)
        << Utf8(importer.m_strText);
    EXPECT_EQ(importer.OnButtonCheck(), 0u);
    EXPECT_EQ(Utf8(importer.m_strText),
              "*** 水平角检查 ***\r\n\r\n2C互差检查(9.0)\r\n\r\n测站甲\r\n第1测回\r\n乙 2C=4.0");
    EXPECT_EQ(capture.Messages(),
              std::vector<std::string>{
                  Gbk("测站甲水平角观测第1测回中，目标点丙方向读数不够，即缺盘左或盘右数据！")});
}

std::string ExampleFile(const char* name) {
    return std::string(TRAVERSE_EXAMPLES_DIR) + "/" + name;
}

TEST(Examples, TwoCOverLimitIsMarked) {
    CImportXml importer;
    MessageCapture capture;
    ASSERT_EQ(importer.OnButtonExchange(ExampleFile("2c-over-limit.xml")), 0u)
        << Utf8(importer.m_strText);
    EXPECT_EQ(importer.OnButtonCheck(), 0u);
    EXPECT_NE(Utf8(importer.m_strText).find(" *超限"), std::string::npos);
    EXPECT_TRUE(capture.Messages().empty());
}

TEST(Examples, RoundNotClosedShowsTheMessage) {
    CImportXml importer;
    MessageCapture capture;
    ASSERT_EQ(importer.OnButtonExchange(ExampleFile("round-not-closed.xml")), 0u)
        << Utf8(importer.m_strText);
    EXPECT_EQ(importer.OnButtonCheck(), 0u);
    ASSERT_EQ(capture.Messages().size(), 1u);
    EXPECT_NE(Utf8(capture.Messages()[0]).find("半测回方向读数没有归零"), std::string::npos);
    EXPECT_EQ(Utf8(importer.m_strText).find(" *超限"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// The mean on the half circle (its reduction and fold are covered by the 2C cases above).

TEST(HalfCircle, FoldTakesTheShortWayBeyondAQuarterCircle) {
    EXPECT_EQ(FoldShortWay(0.3), 0.3);
    EXPECT_EQ(FoldShortWay(HALF_PI), HALF_PI);
    EXPECT_NEAR(FoldShortWay(PI - 0.1), 0.1, 1e-15);
    EXPECT_NEAR(FoldShortWay(PI - SecondToRad(10)), SecondToRad(10), 1e-15);
}

TEST(HalfCircle, MeanIsPlainUnlessTheValuesStraddleZero) {
    EXPECT_EQ(HalfCircleMean(1.0, 1.5), 1.25);
    EXPECT_EQ(HalfCircleMean(0.0, HALF_PI), HALF_PI / 2);
    EXPECT_NEAR(HalfCircleMean(PI - 0.1, 0.3), 0.1, 1e-15);
    EXPECT_NEAR(HalfCircleMean(PI - 0.3, 0.1), PI - 0.1, 1e-15);
    EXPECT_EQ(HalfCircleMean(PI - 0.25, 0.25), 0.0);
}

}  // namespace
}  // namespace traverse
