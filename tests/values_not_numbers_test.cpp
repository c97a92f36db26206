// Values whose text is no number: read as before (the number they begin with, else 0), reported
// where they stand, and left out of the adjustment with what depends on them.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "platform/gbk_literal.h"
#include "support/message_capture.h"
#include "support/record_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "traverse/adjust.h"
#include "traverse/code_page.h"
#include "traverse/import_contents.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

const char* const kRecords = R"(<导线观测记录><观测值>
  <测站 仪器高="1.5m" 点名="S" 气压=" 1009 " 加常数="">
    <水平角><测回><A 盘左="0" 盘右="180"/><B 盘左="abc" 盘右=" 270.1 "/></测回></水平角>
    <斜距><测回><B 值="12.5 x 12.6"/></测回></斜距>
    <目标高><B 值="1,6"/></目标高>
  </测站></观测值></导线观测记录>)";

TEST(ValuesNotNumbers, AreReadAsBeforeAndListedWhereTheyStand) {
    TempDir dir;
    MessageCapture messages;
    CImportXml importer;
    EXPECT_EQ(importer.OnButtonExchange(dir.Write("r.xml", GbkRecordFile(kRecords))), 0u);
    const TAGStationObserve& block = *StationBlock(*importer.m_arrStation[0]);
    EXPECT_EQ(block.m_info.m_fInstrumentHeight, 1.5f);
    EXPECT_EQ(block.m_arrHAngle[0].m_arrObserve[1].m_arrValue, (std::vector<double>{0, 270.1}));
    EXPECT_EQ(block.m_arrDistance[0].m_arrObserve[0].m_arrValue,
              (std::vector<double>{12.5, 0, 12.6}));

    const std::vector<ValueNotNumber> values = FindValuesNotNumbers(importer);
    ASSERT_EQ(values.size(), 5u);
    const auto expect = [&](std::size_t i, ValueKind kind, int round, std::size_t record,
                            const char* element, const char* attribute, const char* text,
                            long line) {
        EXPECT_EQ(values[i].kind, kind) << i;
        EXPECT_EQ(values[i].station, "S") << i;
        EXPECT_EQ(values[i].round, round) << i;
        EXPECT_EQ(values[i].record, record) << i;
        EXPECT_EQ(values[i].element, Utf8ToGbk(element)) << i;
        EXPECT_EQ(values[i].attribute, Utf8ToGbk(attribute)) << i;
        EXPECT_EQ(values[i].text, text) << i;
        EXPECT_EQ(values[i].line, line) << i;
    };
    expect(0, ValueKind::Station, 0, 0, "测站", "仪器高", "1.5m", 3);
    expect(1, ValueKind::Station, 0, 0, "测站", "加常数", "", 3);
    expect(2, ValueKind::Horizontal, 1, 1, "B", "盘左", "abc", 4);
    expect(3, ValueKind::Distance, 1, 0, "B", "值", "x", 5);
    expect(4, ValueKind::TargetHeight, 0, 0, "B", "值", "1,6", 6);
    EXPECT_EQ(
        GbkToUtf8(DescribeValueNotNumber(values[2])),
        "line 4: 盘左=\"abc\" of <B> in horizontal round 1 of station S is no number; read as 0");
    importer.Clear();
    EXPECT_TRUE(FindValuesNotNumbers(importer).empty());
}

TEST(ValuesNotNumbers, TheProgramWarnsOnStderrInTheJsonAndOnThePage) {
    TempDir dir;
    const std::string path = dir.Write("r.xml", GbkRecordFile(kRecords));
    ProgramRun run = RunTraverse({"import", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.err.find("traverse: " + path +
                           ": line 3: 仪器高=\"1.5m\" of station S is no number; read as 1.5\n"),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find("line 6: 值=\"1,6\" of <B> in the target heights of station S is no "
                           "number; read as 1\n"),
              std::string::npos)
        << run.err;
    run = RunTraverse({"--json", "import", path});
    const nlohmann::json import = nlohmann::json::parse(run.out);
    ASSERT_EQ(import["warnings"].size(), 5u);
    EXPECT_EQ(import["warnings"][2],
              nlohmann::json::parse(R"({"warning":"not_a_number","kind":"horizontal",
        "station":"S","round":1,"element":"B","attribute":"盘左","text":"abc","line":4,
        "message":"line 4: 盘左=\"abc\" of <B> in horizontal round 1 of station S is no number; read as 0"})"));
    // A sound file's import says nothing of the kind.
    run = RunTraverse({"--json", "import", std::string(TRAVERSE_EXAMPLES_DIR) + "/traverse.xml"});
    EXPECT_EQ(nlohmann::json::parse(run.out).count("warnings"), 0u);
    RunTraverse({"report", path, "-o", dir.File("r.html")});
    EXPECT_NE(ReadFileBytes(dir.File("r.html")).find("<td>abc<td>4<td>0"), std::string::npos);
}

// ---- the adjustment -----------------------------------------------------------------------

AdjustmentResult AdjustRewritten(const TempDir& dir, const std::string& from,
                                 const std::string& to) {
    const std::string path = std::string(TRAVERSE_EXAMPLES_DIR) + "/connecting-traverse.xml";
    std::string utf8 = GbkToUtf8(ReadFileBytes(path));
    if (!from.empty()) {
        const std::size_t at = utf8.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        utf8.replace(at, from.size(), to);
    }
    MessageCapture messages;
    CImportXml importer;
    importer.OnButtonExchange(dir.Write("net.xml", Utf8ToGbk(utf8)));
    return AdjustNetwork(importer, AdjustmentOptions{});
}

std::size_t Count(const AdjustmentResult& result, ObservationKind kind, const char* station) {
    std::size_t count = 0;
    for (const AdjustedObservation& o : result.observations)
        count += o.kind == kind && o.station == Utf8ToGbk(station);
    return count;
}

bool HasNote(const AdjustmentResult& result, const char* utf8) {
    for (const std::string& note : result.notes) {
        if (GbkToUtf8(note).find(utf8) != std::string::npos) return true;
    }
    return false;
}

TEST(ValuesNotNumbers, TheAdjustmentLeavesOutWhatDependsOnThemWithANote) {
    TempDir dir;
    const AdjustmentResult sound = AdjustRewritten(dir, "", "");
    ASSERT_EQ(sound.status, AdjustmentStatus::Adjusted);
    // An instrument height: the station's height differences go, its plane observations stay.
    AdjustmentResult result = AdjustRewritten(dir, "仪器高=\"1.523\"", "仪器高=\"abc\"");
    ASSERT_EQ(result.status, AdjustmentStatus::Adjusted);
    EXPECT_TRUE(HasNote(
        result, "Left out: the height differences of station \"导1\", as line 53: 仪器高=\"abc\""));
    EXPECT_EQ(Count(result, ObservationKind::HeightDifference, "导1"), 0u);
    EXPECT_GT(Count(sound, ObservationKind::HeightDifference, "导1"), 0u);
    EXPECT_EQ(Count(result, ObservationKind::Direction, "导1"),
              Count(sound, ObservationKind::Direction, "导1"));
    // An additive constant: the station's distances (and so its height differences) go.
    result = AdjustRewritten(dir, "加常数=\"2\" 乘常数=\"1.5\"", "加常数=\"2 mm\" 乘常数=\"1.5\"");
    EXPECT_TRUE(
        HasNote(result, "Left out: the distances and height differences of station \"导1\""));
    EXPECT_EQ(Count(result, ObservationKind::Distance, "导1"), 0u);
    // A reading of a sighted target: that record; of the opening target: the whole round.
    result = AdjustRewritten(dir, "盘左=\"161.39263\"", "盘左=\"161.39263?\"");
    EXPECT_EQ(result.status, AdjustmentStatus::Adjusted);
    EXPECT_TRUE(
        HasNote(result, "Left out: the record of \"导1\" in horizontal round 1 of station \"东岭\""));
    result = AdjustRewritten(dir, "盘右=\"180.12210\"", "盘右=\"\"");
    EXPECT_TRUE(HasNote(result, "Left out: horizontal round 1 of station \"东岭\", as line 18"));
    for (const AdjustedPoint& point : result.points) {
        for (const AdjustedPoint& expected : sound.points) {
            if (point.name != expected.name) continue;
            EXPECT_NEAR(point.x, expected.x, 0.01) << GbkToUtf8(point.name);
        }
    }
}

TEST(ValuesNotNumbers, TheAdjustmentRefusesWithItsReasonWhenNothingIsLeft) {
    TempDir dir;
    MessageCapture messages;
    CImportXml importer;
    importer.OnButtonExchange(dir.Write("r.xml", GbkRecordFile(R"(<导线观测记录>
      <起算点><K x="0" y="0"/><M x="100" y="0"/></起算点><观测值><测站 点名="K"><水平角>
        <测回><M 盘左="零" 盘右="180"/><P 盘左="90" 盘右="270"/></测回></水平角></测站>
      </观测值></导线观测记录>)")));
    const AdjustmentResult result = AdjustNetwork(importer, AdjustmentOptions{});
    EXPECT_NE(result.status, AdjustmentStatus::Adjusted);
    EXPECT_FALSE(result.error.empty());
    EXPECT_TRUE(HasNote(result, "Left out: horizontal round 1 of station \"K\""));
}

}  // namespace
}  // namespace traverse
