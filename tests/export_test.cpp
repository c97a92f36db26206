// The adjustment input file written by OnButtonTonbq, from records built in memory.
#include <filesystem>
#include <iterator>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "reduce/direction_mean.h"
#include "records/circle.h"
#include "platform/gbk_literal.h"
#include "records/station_ownership.h"
#include "support/message_capture.h"
#include "support/survey_round.h"
#include "support/temp_dir.h"
#include "traverse/angle.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

CPoint3D Point(const std::string& name, double x, double y, double z) {
    CPoint3D p;
    p.m_strName = name;
    p.m_dX = x;
    p.m_dY = y;
    p.m_dZ = z;
    return p;
}

// Each line terminated by CR LF; an empty known-point list first unless told otherwise.
std::string File(std::initializer_list<std::string> lines, bool markers = true) {
    std::string text = markers ? "<<\r\n<<\r\n\r\n" : "";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

size_t OpenDescriptors() {
    const std::filesystem::directory_iterator fds("/proc/self/fd");
    return static_cast<size_t>(std::distance(begin(fds), end(fds)));
}

const char kClosing[] = "半测回归零方向与第一个定向点不一致！";
const char kRightAngle[] = "右角观测没有跟第一个定向点一致的目标！";

class ExportTest : public ::testing::Test {
protected:
    TAGStationObserve& Station(const std::string& name, float height = 1.5f) {
        return AddStation(m_imp.m_arrStation, name, height);
    }
    std::string Export() {
        EXPECT_EQ(m_imp.OnButtonTonbq(m_dir.File("out.txt")), 0u);
        return ReadFileBytes(m_dir.File("out.txt"));
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> utf8;
        for (const std::string& text : m_capture.Messages()) utf8.push_back(GbkToUtf8(text));
        return utf8;
    }

    CImportXml m_imp;
    TempDir m_dir;
    MessageCapture m_capture;
};

TEST_F(ExportTest, WorkedExampleByteForByte) {
    m_imp.m_arrKnownPoint = {Point("K1", 1000.0, 2000.0, 50.0),
                             Point("K2", UNSET_COORD, UNSET_COORD, 60.5)};
    TAGStationObserve& s1 = Station("S1", 1.5f);
    s1.m_arrHAngle = {Round({{"K1", {0.0, 180.0}}, {"P2", {90.3, 270.3}}, {"K1", {0.0, 180.0}}})};
    s1.m_arrTargetHeight = {Round({{"K1", {1.6}}, {"P2", {1.6}}})};
    EXPECT_EQ(Export(),
              "<<\r\nK1\t11\t1000.000\t2000.000\t50.000\r\nK2\t01\t0.000\t0.000\t60.500\r\n"
              "<<\r\n\r\nS1\tS1\ti0\t1.500000\r\n\t\tK1\tc0\t0.000000\r\n"
              "\t\tP2\tc0\t90.300000\r\n\t\tK1\tv0\t1.600000\r\n\t\tP2\tv0\t1.600000\r\n\r\n");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ExportTest, KnownPointsFlagsNamesAndEmptyImport) {
    EXPECT_EQ(Export(), File({}));
    const std::string name = GBK("导线点一");
    ASSERT_EQ(name, "\xB5\xBC\xCF\xDF\xB5\xE3\xD2\xBB");
    m_imp.m_arrKnownPoint = {Point("A", 3500.125, 480.2, UNSET_COORD),
                             Point("B", UNSET_COORD, UNSET_COORD, 56.3),
                             Point(name, -12.5, 0.0, -3.25),
                             Point("D", UNSET_COORD, 7.0, UNSET_COORD)};  // one plane coordinate
    Station(name, 1.55f);
    EXPECT_EQ(Export(),
              File({"<<", "A\t10\t3500.125\t480.200\t0.000", "B\t01\t0.000\t0.000\t56.300",
                    name + "\t11\t-12.500\t0.000\t-3.250", "D\t10\t0.000\t7.000\t0.000", "<<", "",
                    name + "\t" + name + "\ti0\t1.550000", ""},
                   false));
}

TEST_F(ExportTest, BlockLayout) {
    m_imp.m_strText = "report";
    CPoint3D* bare = new CPoint3D;  // a station without a block is left out entirely
    bare->m_strName = "BARE";
    m_imp.m_arrStation.push_back(bare);
    TAGStationObserve& s = Station("S");
    s.m_arrTargetHeight = {Round({{"K", {1.6}}, {"P", {1.5, 1.7}}, {"K", {1.8}}, {"Q", {}}})};
    s.m_arrDistance = {Round({{"B", {50.0}}, {"A", {10.0}}})};
    s.m_arrZenith = {Round({{"A", {90.0, 270.0}}, {"B", {95.0, 265.0}}})};
    s.m_arrHAngle = {Round({{"K", {0.0, 180.0}}, {"A", {1.0, 181.0}}})};
    // The first horizontal round names no target: the rest of the block stays.
    TAGStationObserve& t = Station("T");
    t.m_arrHAngle = {CSurveyTurn(), Round({{"K", {0.0, 180.0}}, {"A", {90.0, 270.0}}})};
    t.m_arrZenith = {Round({{"A", {88.0, 272.0010}}})};
    // Empty first rounds give no lines for their kind.
    TAGStationObserve& u = Station("U");
    u.m_arrZenith = {CSurveyTurn(), Round({{"A", {88.0, 272.0}}})};
    u.m_arrDistance = {CSurveyTurn(), Round({{"A", {100.0}}})};
    u.m_arrTargetHeight = {CSurveyTurn()};
    EXPECT_EQ(Export(),
              File({"S\tS\ti0\t1.500000", "\t\tK\tc0\t0.000000", "\t\tA\tc0\t1.000000",
                    "\t\tA\tz0\t90.000000", "\t\tB\tz0\t95.000000", "\t\tB\ts0\t50.000000",
                    "\t\tA\ts0\t10.000000", "\t\tK\tv0\t1.600000", "\t\tP\tv0\t1.600000",
                    "\t\tK\tv0\t1.800000", "", "T\tT\ti0\t1.500000", "\t\tA\tz0\t87.595500", "",
                    "U\tU\ti0\t1.500000", ""}));
    EXPECT_EQ(m_imp.m_strText, "report");
    EXPECT_EQ(s.m_arrHAngle[0].m_arrObserve[1].m_arrValue, (std::vector<double>{1.0, 181.0}));
}

TEST_F(ExportTest, ZenithAndSlopeDistances) {
    TAGStationObserve& s = Station("S");
    // 88 deg / 272 deg 00'10": vertical angle 2 deg 00'05"; with 1 deg 59'50" the mean is
    // 1 deg 59'57.5". Records with one or three readings count for nothing.
    s.m_arrZenith = {Round({{"A", {88.0, 272.0010}}, {"B", {88.0, 272.0010}}}),
                     Round({{"A", {88.0010, 271.5950}}, {"A", {80.0}}, {"A", {80.0, 280.0, 1.0}},
                            {"C", {10.0, 350.0}}})};
    // Record means 100 and 100, corrected by 2 mm and 3 mm/km.
    s.m_info.m_fAddConst = 2.0f;
    s.m_info.m_fMulConst = 3.0f;
    s.m_arrDistance = {Round({{"A", {99.999, 100.001}}, {"B", {}}}),
                       Round({{"A", {100.0}}, {"C", {5.0}}})};
    TAGStationObserve& t = Station("T");
    t.m_arrDistance = {Round({{"A", {123.4561, 123.4563, 123.4562}}}), Round({{"A", {123.4570}}})};
    EXPECT_EQ(Export(), File({"S\tS\ti0\t1.500000", "\t\tA\tz0\t88.000250", "\t\tB\tz0\t87.595500",
                              "\t\tA\ts0\t100.002300", "", "T\tT\ti0\t1.500000",
                              "\t\tA\ts0\t123.456600", ""}));
}

// One station per case: its horizontal rounds, the c0 lines after K's 0.000000 line, and the
// message boxes shown.
struct DirectionCase {
    const char* what;
    std::vector<CSurveyTurn> rounds;
    std::vector<std::string> lines;
    std::vector<std::string> messages;
};

TEST_F(ExportTest, HorizontalDirections) {
    const std::vector<DirectionCase> cases = {
        {"single target", {Round({{"K", {12.0, 192.0}}})}, {}, {}},
        {"plain rounds averaged, first-round order",
         {Round({{"K", {0.0, 180.0}}, {"B", {120.0, 300.0}}, {"A", {45.0010, 225.0010}}}),
          Round({{"K", {90.0, 270.0}}, {"A", {135.0020, 315.0020}}, {"B", {210.0010, 30.0010}}})},
         {"B\t120.000500", "A\t45.001500"},
         {}},
        {"closure averages the orientation",
         {Round({{"K", {0.0, 180.0}}, {"A", {60.0, 240.0}}, {"K", {0.0010, 180.0010}}})},
         {"A\t59.595500"},
         {}},
        {"below the orientation: +360",
         {Round({{"K", {10.0, 190.0}}, {"A", {5.0, 185.0}}})},
         {"A\t355.000000"},
         {}},
        {"unusable rounds and records",
         {Round({{"K", {0.0, 180.0}}, {"A", {30.0, 210.0}}, {"B", {50.0}}}),
          Round({{"A", {0.0, 180.0}}, {"B", {20.0, 200.0}}}), CSurveyTurn(),
          Round({{"K", {0.0, 180.0}}, {"B", {40.0, 220.0, 1.0}}})},
         {"A\t30.000000"},
         {}},
        {"orientation 0 deg 00'02\" / 179 deg 59'58\"",
         {Round({{"K", {0.0002, 179.5958}}, {"A", {90.0, 270.0}}})},
         {"A\t90.000000"},
         {}},
        // An orientation read near half a turn is what the circle showed: it stands.
        {"orientation 180 deg 00'01\" stands",
         {Round({{"K", {180.0002, 0.0}}, {"A", {90.0, 270.0}}})},
         {"A\t269.595900"},
         {}},
        {"orientation 179 deg 22' stands",
         {Round({{"K", {179.22, 359.22}}, {"A", {269.22, 89.22}}})},
         {"A\t90.000000"},
         {}},
        {"orientation 180 deg 31'40\" stands",
         {Round({{"K", {180.3140, 0.3140}}, {"A", {270.3140, 90.3140}}})},
         {"A\t90.000000"},
         {}},
        {"closing on the wrong target, four targets",
         {Round({{"K", {0.0, 180.0}},
                 {"A", {10.0, 190.0}},
                 {"B", {20.0, 200.0}},
                 {"C", {30.0, 210.0}},
                 {"A", {10.0, 190.0}}}),
          Round({{"K", {0.0, 180.0}},
                 {"A", {11.0, 191.0}},
                 {"B", {21.0, 201.0}},
                 {"C", {31.0, 211.0}},
                 {"K", {0.0, 180.0}}})},
         {"A\t11.000000", "B\t21.000000", "C\t31.000000"},
         {kClosing, kClosing, kClosing}},
        {"right angle: (100 + (40 - 300) + 360) / 2",
         {Round({{"K", {0.0, 180.0}},
                 {"A", {100.0, 280.0}},
                 {"K", {300.0, 120.0}},
                 {"A", {40.0, 220.0}}})},
         {"A\t100.000000"},
         {}},
        {"right angle with one, then three target records",
         {Round({{"K", {0.0, 180.0}},
                 {"A", {100.0, 280.0}},
                 {"K", {300.0, 120.0}},
                 {"K", {0.0, 180.0}}}),
          Round({{"K", {0.0, 180.0}},
                 {"A", {100.0, 280.0}},
                 {"K", {300.0, 120.0}},
                 {"A", {40.0, 220.0}},
                 {"A", {40.0, 220.0}}})},
         {},
         {}},
        {"right angle without a second orientation",
         {Round({{"K", {0.0, 180.0}},
                 {"A", {100.0, 280.0}},
                 {"B", {200.0, 20.0}},
                 {"A", {40.0, 220.0}},
                 {"B", {140.0, 320.0}}})},
         {},
         {kRightAngle, kRightAngle}},
        {"plain and right-angle rounds together",
         {Round({{"K", {0.0, 180.0}}, {"A", {100.0010, 280.0010}}, {"K", {0.0, 180.0}}}),
          Round({{"K", {0.0, 180.0}},
                 {"A", {100.0, 280.0}},
                 {"K", {300.0, 120.0}},
                 {"A", {40.0, 220.0}}})},
         {"A\t100.000500"},
         {}},
        // The seam: face left and turned face right on either side of 0 average to about 0.
        {"target pair across the seam",
         {Round({{"K", {10.0, 190.0}}, {"A", {359.5958, 180.0002}}})},
         {"A\t350.000000"},
         {}},
        {"closing pair across the seam: orientation 0.5\"",
         {Round({{"K", {0.0, 180.0}}, {"A", {90.0, 270.0}}, {"K", {359.5958, 180.0004}}})},
         {"A\t89.595950"},
         {}},
        {"opening -1\" and closing +1\"",
         {Round({{"K", {359.5959, 179.5959}}, {"A", {90.0, 270.0}}, {"K", {0.0001, 180.0001}}})},
         {"A\t90.000000"},
         {}},
        {"second orientation across the seam",
         {Round({{"K", {0.0, 180.0}},
                 {"A", {100.0, 280.0}},
                 {"K", {359.5958, 180.0}},
                 {"A", {99.5959, 279.5959}}})},
         {"A\t100.000000"},
         {}},
        {"a target in the orientation's direction, across the seam, is 0, never 360",
         {Round({{"K", {0.0, 180.0}}, {"A", {359.5902, 180.0058}}})},
         {"A\t0.000000"},
         {}},
        // Short orientation records give nothing and no message; three readings use the first two.
        {"short orientation records",
         {Round({{"K", {0.0, 180.0}}, {"A", {20.0, 200.0}}}),
          Round({{"K", {0.0}}, {"A", {90.0, 270.0}}}), Round({{"K", {}}, {"A", {90.0, 270.0}}}),
          Round({{"K", {0.0, 180.0}}, {"A", {90.0, 270.0}}, {"K", {0.0}}}),
          Round({{"K", {0.0, 180.0}}, {"A", {100.0, 280.0}}, {"K", {300.0}}, {"A", {40.0, 220.0}}}),
          Round({{"K", {0.0, 180.0, 7.0}}, {"A", {20.0010, 200.0010}}})},
         {"A\t20.000500"},
         {}},
    };
    for (const DirectionCase& c : cases) {
        SCOPED_TRACE(c.what);
        DeleteStations(m_imp.m_arrStation);
        Station("S").m_arrHAngle = c.rounds;
        const MessageCapture capture;
        std::vector<std::string> lines = {"S\tS\ti0\t1.500000", "\t\tK\tc0\t0.000000"};
        for (const std::string& line : c.lines)
            lines.push_back("\t\t" + line.substr(0, 1) + "\tc0" + line.substr(1));
        lines.push_back("");
        std::string expected = "<<\r\n<<\r\n\r\n";
        for (const std::string& line : lines) expected += line + "\r\n";
        EXPECT_EQ(Export(), expected);
        std::vector<std::string> shown;
        for (const std::string& text : capture.Messages()) shown.push_back(GbkToUtf8(text));
        EXPECT_EQ(shown, c.messages);
    }
}

TEST(ShortWayMeanTest, SeamPairsAndPlainPairs) {
    const double s = RAD_PER_SECOND;
    EXPECT_NEAR(ShortWayMean(TWO_PI - 2 * s, 4 * s), s, 1e-12);
    EXPECT_EQ(ShortWayMean(TWO_PI - 2 * s, 4 * s), ShortWayMean(4 * s, TWO_PI - 2 * s));
    const double low = ShortWayMean(TWO_PI - 4 * s, 2 * s);
    EXPECT_NEAR(low, TWO_PI - s, 1e-12);
    EXPECT_LT(low, TWO_PI);
    EXPECT_EQ(ShortWayMean(0.5, 0.5 + PI), 0.5 + PI / 2);  // exactly half a turn apart: plain
    // Off the seam the writer's mean is GetAngle's, bit for bit.
    const double pairs[][2] = {{0.0, 180.0},       {90.3, 270.3},   {359.5950, 179.5950},
                               {123.4530, 303.4540}, {180.0002, 0.0}, {45.1234, 225.1236}};
    for (const auto& p : pairs) {
        EXPECT_EQ(MeanDirection(Round({{"T", {p[0], p[1]}}}).m_arrObserve[0]),
                  GetAngle(p[0], p[1]));
    }
    EXPECT_NEAR(GetAngle(359.5950, 180.0010), PI, 1e-9);
    const double seam = MeanDirection(Round({{"T", {359.5950, 180.0010}}}).m_arrObserve[0]);
    EXPECT_TRUE(seam < 1e-9 || seam > TWO_PI - 1e-9) << seam;
}

TEST_F(ExportTest, UnopenablePathsAreReportedAndCreateNothing) {
    EXPECT_EQ(m_imp.OnButtonTonbq(m_dir.File("missing/out.txt")), RESULT_FAILED);
    EXPECT_EQ(m_imp.OnButtonTonbq(m_dir.Path()), RESULT_FAILED);  // a directory
    EXPECT_EQ(Messages(), std::vector<std::string>(2, "打开文件错误！"));
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("missing")));
}

TEST_F(ExportTest, FullDiskRaisesAfterClosingTheFile) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    Station("S").m_arrHAngle = {Round({{"K", {0.0, 180.0}}, {"A", {5.0, 185.0}}})};
    const size_t before = OpenDescriptors();
    EXPECT_THROW(m_imp.OnButtonTonbq("/dev/full"), CFileException);  // fails at the close
    EXPECT_EQ(OpenDescriptors(), before);
    for (int i = 0; i < 5000; ++i) m_imp.m_arrKnownPoint.push_back(Point("P", i, i, i));
    EXPECT_THROW(m_imp.OnButtonTonbq("/dev/full"), CFileException);  // fails while writing
    EXPECT_EQ(OpenDescriptors(), before);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(ExportTest, SameFileTwiceGivesTheSameBytes) {
    m_imp.m_arrKnownPoint = {Point("K", 1.0, 2.0, 3.0)};
    Station("S").m_arrHAngle = {
        Round({{"K", {0.0, 180.0}}, {"A", {5.0, 185.0}}, {"B", {7.0, 187.0}}})};
    const std::string path = m_dir.Write("out.txt", std::string(100000, 'x'));  // longer: truncated
    ASSERT_EQ(m_imp.OnButtonTonbq(path), 0u);
    const std::string first = ReadFileBytes(path);
    ASSERT_EQ(m_imp.OnButtonTonbq(path), 0u);
    EXPECT_EQ(ReadFileBytes(path), first);
    EXPECT_EQ(first, File({"<<", "K\t11\t1.000\t2.000\t3.000", "<<", "", "S\tS\ti0\t1.500000",
                           "\t\tK\tc0\t0.000000", "\t\tA\tc0\t5.000000", "\t\tB\tc0\t7.000000", ""},
                          false));
}

}  // namespace
}  // namespace traverse
