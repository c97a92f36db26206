// The traverse program, run as a user runs it.
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/record_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

const std::string kExample = std::string(TRAVERSE_EXAMPLES_DIR) + "/traverse.xml";

TEST(Cli, UsageErrorsExitTwoWithoutOutput) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{}, {"frobnicate", "x"}, {"import"},
                                               {"export", "a.xml"}, {"--bogus", "import", "a"},
                                               {"import", "a", "-o", "b"}, {"run", "a", "-o"}}) {
        const ProgramRun run = RunTraverse(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("traverse --help"), std::string::npos);
    }
}

TEST(Cli, HelpAndVersion) {
    ProgramRun run = RunTraverse({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("Usage: traverse"), std::string::npos);
    run = RunTraverse({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("traverse ", 0), 0u);
}

TEST(Cli, ImportOfACompleteFileSaysWhatItHolds) {
    const ProgramRun run = RunTraverse({"import", kExample});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, kExample + ": 4 known points, 5 stations, 33 rounds, 108 records\n");
}

TEST(Cli, ImportReportIsUtf8AndFailureExitsOne) {
    TempDir dir;
    const std::string path = dir.Write("r.xml", GbkRecordFile(
        "<导线观测记录><观测值><测站 点名=\"甲\"><水平角><测回><乙 盘左=\"1\"/></测回></水平角></测站></观测值></导线观测记录>"));
    const ProgramRun run = RunTraverse({"import", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "测站甲水平角观测第1测回中，目标点乙读数不够，即缺盘左或盘右数据！\n");
}

TEST(Cli, AFileThatCannotBeReadSaysWhyFirst) {
    TempDir dir;
    const std::string report = ")错误。\n错误行号：0；错误列号：0。\n错误数据：。\n错误原因：The system "
                               "cannot locate the object specified.\n";
    for (const auto& [path, reason] : std::vector<std::pair<std::string, std::string>>{
             {dir.File("missing.xml"), "No such file or directory"},
             {dir.Path(), "Is a directory"},
             {"/dev/null", "Not a regular file"}}) {
        const ProgramRun run = RunTraverse({"import", path});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err,
                  "traverse: cannot read " + path + ": " + reason + "\n打开文件(" + path + report);
    }
}

TEST(Cli, ALongParseErrorLineIsCutForPeopleAndKeptWholeInJson) {
    TempDir dir;
    const std::string path =
        dir.Write("long.xml", "<r a=\"" + std::string(300, 'x') + "\" a=\"1\"/>");
    const ProgramRun run = RunTraverse({"import", path});
    const size_t start = run.err.find("错误数据：");
    ASSERT_NE(start, std::string::npos);
    const std::string line = run.err.substr(start, run.err.find('\n', start) - start);
    EXPECT_EQ(line, "错误数据：<r a=\"" + std::string(188, 'x') + "…");  // 200 characters
    const ProgramRun json = RunTraverse({"--json", "import", path});
    EXPECT_NE(
        nlohmann::json::parse(json.out)["error"].get<std::string>().find(std::string(300, 'x')),
        std::string::npos);
}

TEST(Cli, TextGbkCannotHoldIsShownWhereItStands) {
    TempDir dir;
    const std::string path = dir.Write("emoji.xml", Utf8RecordFile(
        "<导线观测记录><观测值>\n<测站 点名=\"S1\"/>\n<测站 点名=\"S\xF0\x9F\x98\x80\"/></观测值></导线观测记录>"));
    const ProgramRun run = RunTraverse({"run", path, "-o", dir.File("out.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(
        run.err.find("不可预知的异常错误！\ntraverse: " + path +
                     ": line 4, column 10: <测站> holds U+1F600, a character GBK cannot hold\n"),
        std::string::npos)
        << run.err;
    // The nameless station never reaches the adjustment file.
    EXPECT_EQ(ReadFileBytes(dir.File("out.txt")).find("\t\ti0"), std::string::npos);
}

TEST(Cli, JsonImportCarriesResultReportAndData) {
    TempDir dir;
    const std::string path = dir.Write("r.xml", GbkRecordFile(R"(<导线观测记录>
      <检查限差><水平角><一测回2C较差 限差="13"/></水平角></检查限差>
      <起算点><K1 x="1000" y="2000"/></起算点>
      <观测值><测站 点名="S1" 仪器高="1.5"><水平角><测回><K1 盘左="0" 盘右="180"/></测回></水平角>
        <目标高><K1 值="1.6"/></目标高></测站><测站 点名="S2"/></观测值></导线观测记录>)"));
    const ProgramRun run = RunTraverse({"--json", "import", path});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.out.back(), '\n');
    const nlohmann::json object = nlohmann::json::parse(run.out);
    EXPECT_EQ(object["command"], "import");
    EXPECT_EQ(object["result"], 0);
    EXPECT_EQ(object["report"], "");
    EXPECT_EQ(object["error"], "");
    EXPECT_EQ(object["messages"], nlohmann::json::array());
    const nlohmann::json& data = object["data"];
    EXPECT_EQ(data["checks"]["horizontal"],
              nlohmann::json::parse(R"([{"code":1001,"limit":13.0}])"));
    EXPECT_EQ(data["known_points"][0]["h"], -9999999.99);
    const nlohmann::json& s1 = data["stations"][0];
    EXPECT_EQ(s1["name"], "S1");
    EXPECT_EQ(s1["has_block"], true);
    EXPECT_EQ(s1["instrument_height"], 1.5);
    EXPECT_EQ(s1["horizontal"],
              nlohmann::json::parse(R"([[{"target":"K1","values":[0.0,180.0]}]])"));
    EXPECT_EQ(s1["target_height"], nlohmann::json::parse(R"([[{"target":"K1","values":[1.6]}]])"));
    EXPECT_EQ(data["stations"][1]["target_height"], nlohmann::json::array());
    // Keys in the documented order.
    EXPECT_EQ(run.out.rfind("{\"command\":\"import\",\"result\":0,\"report\":", 0), 0u);
}

TEST(Cli, JsonFailedImportCarriesTheUnsignedResult) {
    TempDir dir;
    const ProgramRun run = RunTraverse({"--json", "import", dir.File("none.xml")});
    EXPECT_EQ(run.status, 1);
    const nlohmann::json object = nlohmann::json::parse(run.out);
    EXPECT_EQ(object["result"], 0x800C0006u);
    EXPECT_NE(object["error"].get<std::string>().find("错误行号：0"), std::string::npos);
}

TEST(Cli, CheckPrintsTheCheckReportOnly) {
    TempDir dir;
    const std::string path = dir.Write("r.xml", GbkRecordFile(R"(<导线观测记录>
      <检查限差><水平角><一测回2C较差 限差="9"/></水平角></检查限差>
      <观测值><测站 点名="A"><水平角><测回><B 盘左="0" 盘右="180.0010"/><C 盘左="45.3020" 盘右="225.3025"/></测回></水平角></测站>
      </观测值></导线观测记录>)"));
    const ProgramRun run = RunTraverse({"check", path});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "*** 水平角检查 ***\r\n\r\n2C互差检查(9.0)\r\n\r\n测站A\r\n第1测回\r\n"
                       "B 2C=10.0 *超限\r\nC 2C=5.0\r\n\n\n");

    const ProgramRun json = RunTraverse({"--json", "check", path});
    const size_t lineEnd = json.out.find('\n');
    ASSERT_NE(lineEnd, std::string::npos);
    EXPECT_EQ(nlohmann::json::parse(json.out.substr(0, lineEnd))["command"], "import");
    const nlohmann::json check = nlohmann::json::parse(json.out.substr(lineEnd + 1));
    EXPECT_EQ(check["command"], "check");
    EXPECT_FALSE(check.contains("data"));
    EXPECT_EQ(check["report"].get<std::string>().rfind("*** 水平角检查 ***", 0), 0u);
}

TEST(Cli, RunWritesNextToTheRecordFileByDefault) {
    TempDir dir;
    const std::string path = dir.Write("测站 记录.xml", ReadFileBytes(kExample));
    const ProgramRun run = RunTraverse({"run", path});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string written = ReadFileBytes(dir.File("测站 记录.txt"));
    EXPECT_EQ(written.rfind("<<\r\n", 0), 0u);
    // The check report once: the export does not change it.
    const size_t banner = run.out.find("*** 水平角检查 ***");
    ASSERT_NE(banner, std::string::npos);
    EXPECT_EQ(run.out.find("*** 水平角检查 ***", banner + 1), std::string::npos);
}

TEST(Cli, EachCheckMessageIsShownOnce) {
    const ProgramRun run =
        RunTraverse({"check", std::string(TRAVERSE_EXAMPLES_DIR) + "/round-not-closed.xml"});
    const std::string message = "测站导2水平角观测第2测回中，半测回方向读数没有归零！\n";
    ASSERT_NE(run.err.find(message), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find(message, run.err.find(message) + 1), std::string::npos) << run.err;
}

TEST(Cli, NeverWritesTheAdjustmentFileOverTheRecordFile) {
    TempDir dir;
    const std::string record = ReadFileBytes(kExample);
    const std::string path = dir.Write("records.txt", record);
    ProgramRun run = RunTraverse({"run", path});
    EXPECT_EQ(run.status, 2);
    run = RunTraverse({"export", path, dir.Path() + "/./records.txt"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(ReadFileBytes(path), record);
}

TEST(Cli, ExportThatCannotBeWrittenFails) {
    ProgramRun run = RunTraverse({"export", kExample, "/dev/full"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err, "");
    TempDir dir;
    run = RunTraverse({"export", kExample, dir.File("missing/out.txt")});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "打开文件错误！ " + dir.File("missing/out.txt") + ": No such file or directory\n");
    run = RunTraverse({"--json", "export", kExample, dir.File("missing/out.txt")});
    const nlohmann::json exported = nlohmann::json::parse(run.out.substr(run.out.find('\n') + 1));
    EXPECT_EQ(exported["result"], 0xFFFFFFFFu);
    EXPECT_EQ(exported["messages"], nlohmann::json::parse(R"(["打开文件错误！"])"));
}

TEST(Cli, RepairSaysWhatItMended) {
    TempDir dir;
    const std::string path =
        dir.Write("r.xml", GbkRecordFile("<导线观测记录>\n  <12 x=\"1\"/>\n</导线观测记录>\n"));
    const std::string original = ReadFileBytes(path);
    ProgramRun run = RunTraverse({"repair", path});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, path +
                           ": mended 1 name; the file loads now\n  line 3, column 4: wrote \"st\"\n"
                           "the original is kept in " +
                           path + ".orig\n");
    EXPECT_EQ(ReadFileBytes(path + ".orig"), original);
    run = RunTraverse({"repair", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, path + ": no bad names; the file loads as it is\n");
    run = RunTraverse({"--json", "repair", path});
    EXPECT_EQ(
        run.out,
        "{\"command\":\"repair\",\"result\":1,\"report\":\"\",\"error\":\"\",\"messages\":[]}\n");

    const std::string broken = dir.Write("b.xml", "<r><a></r>");
    run = RunTraverse({"repair", broken});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("another fault, at line 1"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(broken), "<r><a></r>");
    // Nothing was mended: no copy is left behind.
    EXPECT_EQ(ReadFileBytes(path + ".orig.1"), "");
    EXPECT_EQ(ReadFileBytes(broken + ".orig"), "");
}

TEST(Cli, RepairNeverOverwritesABackupAndSaysWhichNamesBecameOne) {
    TempDir dir;
    const std::string path = dir.Write("r.xml", GbkRecordFile(
        "<导线观测记录>\n<1 x=\"1\"/>\n<2 x=\"2\"/>\n<s x=\"3\"/>\n</导线观测记录>\n"));
    const std::string original = ReadFileBytes(path);
    dir.Write("r.xml.orig", "older");
    ProgramRun run = RunTraverse({"repair", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(ReadFileBytes(path + ".orig"), "older");
    EXPECT_EQ(ReadFileBytes(path + ".orig.1"), original);
    EXPECT_NE(
        run.err.find("traverse: " + path +
                     ": the repair gave different names the same name; they "
                     "are one target now:\n  \"s\" from \"1\" (line 3), \"2\" (line 4); already "
                     "the name at line 5\n"),
        std::string::npos)
        << run.err;

    const std::string kept =
        dir.Write("k.xml", GbkRecordFile("<导线观测记录>\n<1 x=\"1\"/>\n</导线观测记录>\n"));
    run = RunTraverse({"repair", "--no-backup", kept});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(kept + ".orig"), "");
}

TEST(Cli, SeveralFilesComeOutWholeInOrderWithTheWorstStatus) {
    TempDir dir;
    const std::string bad = dir.File("missing.xml");
    const std::string round = std::string(TRAVERSE_EXAMPLES_DIR) + "/round-not-closed.xml";
    for (const char* jobs : {"1", "2"}) {
        ProgramRun run = RunTraverse({"--jobs", jobs, "check", kExample, bad, round});
        EXPECT_EQ(run.status, 1);
        const size_t first = run.out.find("==> " + kExample + " <==\n*** 水平角检查 ***");
        const size_t second = run.out.find("==> " + bad + " <==\n*** 水平角检查 ***");
        const size_t third = run.out.find("==> " + round + " <==\n*** 水平角检查 ***");
        EXPECT_TRUE(first == 0 && first < second && second < third && third != std::string::npos)
            << run.out;
        EXPECT_NE(run.err.find("==> " + bad + " <==\ntraverse: cannot read " + bad),
                  std::string::npos);

        run = RunTraverse({"--json", "-j", jobs, "import", kExample, round});
        EXPECT_EQ(run.status, 0);
        const size_t lineEnd = run.out.find('\n');
        EXPECT_EQ(nlohmann::json::parse(run.out.substr(0, lineEnd))["file"], kExample);
        EXPECT_EQ(nlohmann::json::parse(run.out.substr(lineEnd + 1))["file"], round);
    }
    const ProgramRun exported = RunTraverse({"export", dir.Write("a.xml", ReadFileBytes(kExample)),
                                             dir.Write("b.xml", ReadFileBytes(kExample))});
    EXPECT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(ReadFileBytes(dir.File("a.txt")), ReadFileBytes(dir.File("b.txt")));
    EXPECT_NE(ReadFileBytes(dir.File("a.txt")), "");
}

}  // namespace
}  // namespace traverse

namespace traverse {
namespace {

TEST(Cli, CheckAllAddsTheFieldChecksAndFailsOnAnExceedance) {
    const std::string faulty = std::string(TRAVERSE_EXAMPLES_DIR) + "/field-checks.xml";
    const ProgramRun plain = RunTraverse({"check", faulty});
    ProgramRun run = RunTraverse({"check", "--all", faulty});
    EXPECT_EQ(run.status, 1);
    // The horizontal-angle report first, as it is; then the field checks.
    EXPECT_EQ(run.out.rfind(plain.out, 0), 0u);
    EXPECT_NE(run.out.find("1001 一测回2C较差", plain.out.size()), std::string::npos);

    run = RunTraverse({"check", "--all", "--grade", "一级", "--instrument", "2,5mm", kExample});
    EXPECT_EQ(run.status, 0) << run.out;
    // 四等 asks for 6 rounds of a 2" instrument (1004 测回数): the example's stations read 2 or 3.
    run = RunTraverse({"check", "--all", "--grade", "四等", "--instrument", "2,2mm+2ppm", kExample});
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("1004 测回数                     5         5    2.0*"), std::string::npos)
        << run.out;

    run = RunTraverse({"--json", "check", "--all", faulty});
    const nlohmann::json last =
        nlohmann::json::parse(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1));
    EXPECT_EQ(last["command"], "field-checks");
    EXPECT_EQ(last["result"], 0xFFFFFFFFu);
    ASSERT_EQ(last["summary"].size(), 9u);
    for (const nlohmann::json& item : last["summary"]) {
        EXPECT_EQ(item["exceeded"], item["code"] == 1004 ? 0 : 1) << item;  // 1004: no grade
    }
    std::size_t exceeded = 0;
    for (const nlohmann::json& item : last["items"])
        exceeded += item["exceeded"].get<bool>() ? 1 : 0;
    EXPECT_EQ(exceeded, 8u);

    // One value beyond its limit fails the command as eight do: a 2C spread of 7.4" against 7.3".
    const std::string connecting = std::string(TRAVERSE_EXAMPLES_DIR) + "/connecting-traverse.xml";
    std::string bytes = ReadFileBytes(connecting);
    const std::string limit = Utf8ToGbk("<一测回2C较差 限差=\"13\"");
    ASSERT_NE(bytes.find(limit), std::string::npos);
    bytes.replace(bytes.find(limit), limit.size(), Utf8ToGbk("<一测回2C较差 限差=\"7.3\""));
    TempDir dir;
    run = RunTraverse({"check", "--all", dir.Write("one.xml", bytes)});
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find("1 value(s) beyond their limits."), std::string::npos) << run.out;

    for (const char* bad : {"五等", "7"}) {
        EXPECT_EQ(RunTraverse({"check", "--all", "--grade", bad, kExample}).status, 2);
        EXPECT_EQ(RunTraverse({"check", "--all", "--instrument", bad, kExample}).status, 2);
    }
}

TEST(Cli, LimitsAreNeverSilentlyDropped) {
    // A line the standard lacks, and options that only --all would use: usage errors with a reason.
    ProgramRun run =
        RunTraverse({"check", "--all", "--grade", "三等", "--instrument", "6", kExample});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("no 6\" instrument for a 三等 traverse"), std::string::npos) << run.err;
    EXPECT_EQ(RunTraverse({"report", kExample, "--grade", "四等", "--instrument", "DJ6"}).status, 2);
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"--grade", "一级"}, {"--instrument", "2"}}) {
        std::vector<std::string> arguments{"check", kExample};
        arguments.insert(arguments.end(), options.begin(), options.end());
        run = RunTraverse(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("go with check --all only"), std::string::npos) << run.err;
    }
    // An instrument without a grade takes the default grade, and says so.
    run = RunTraverse({"check", "--all", "--instrument", "6", kExample});
    EXPECT_NE(run.out.find("Grade 一级, the default"), std::string::npos) << run.out;
    run = RunTraverse({"--json", "check", "--all", "--instrument", "6", kExample});
    const nlohmann::json last =
        nlohmann::json::parse(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1));
    EXPECT_EQ(last["grade"], "一级");
    EXPECT_TRUE(last["grade_defaulted"].get<bool>());
}

TEST(Cli, BetweenRoundsNamesTheRoundsItLeavesOut) {
    TempDir dir;
    const std::string records =
        dir.Write("rounds.xml", GbkRecordFile(R"(<导线观测记录><观测值><测站 点名="S"><水平角>
        <测回><A 盘左="0" 盘右="180"/><B 盘左="90" 盘右="270"/></测回>
        <测回><B 盘左="0" 盘右="180"/><A 盘左="270" 盘右="90"/></测回>
        <测回><A 盘左="60" 盘右="240"/><B 盘左="150" 盘右="330"/></测回>
      </水平角></测站></观测值></导线观测记录>)"));
    ProgramRun run = RunTraverse({"check", "--all", records});
    EXPECT_NE(run.out.find("Station S round 2 opens on B, not on A"), std::string::npos) << run.out;
    run = RunTraverse({"--json", "check", "--all", records});
    const nlohmann::json last =
        nlohmann::json::parse(run.out.substr(run.out.rfind('\n', run.out.size() - 2) + 1));
    EXPECT_EQ(
        last["left_out_rounds"],
        nlohmann::json::parse(R"([{"station":"S","round":2,"opening":"B","orientation":"A"}])"));
    run = RunTraverse({"report", records, "-o", dir.File("page.html")});
    EXPECT_NE(ReadFileBytes(dir.File("page.html"))
                  .find("<li>Station S round 2 opens on B, not on A</li>"),
              std::string::npos);
}

}  // namespace
}  // namespace traverse

namespace traverse {
namespace {

TEST(Cli, AdjustReportsJsonCsvAndGamaAndFailsOnBadInput) {
    const std::string example = std::string(TRAVERSE_EXAMPLES_DIR) + "/connecting-traverse.xml";
    TempDir dir;
    ProgramRun run = RunTraverse(
        {"adjust", example, "-o", dir.File("points.csv"), "--gama", dir.File("net.xml")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("Connecting traverse"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir.File("points.csv")).rfind("name,x,y,h,", 0), 0u);
    EXPECT_NE(ReadFileBytes(dir.File("net.xml")).find("<gama-local"), std::string::npos);

    run = RunTraverse({"--json", "adjust", "--grade", "二级", example});
    const nlohmann::json adjust = nlohmann::json::parse(run.out.substr(run.out.find('\n') + 1));
    EXPECT_EQ(adjust["command"], "adjust");
    EXPECT_EQ(adjust["result"], 0);
    EXPECT_EQ(adjust["status"], "adjusted");
    EXPECT_EQ(adjust["settings"]["grade"], "二级");
    EXPECT_EQ(adjust["closures"]["traverses"].size(), 1u);
    EXPECT_TRUE(adjust["tests"]["global"]["passed"].get<bool>());
    for (const nlohmann::json& point : adjust["points"])
        EXPECT_TRUE(point["x"].is_number()) << point;

    // A sigma that is no sigma, a grade that is no grade: usage errors.
    run = RunTraverse({"adjust", "--sigma-direction", "0", example});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(RunTraverse({"adjust", "--grade", "五等", example}).status, 2);
    // Without known points nothing can be placed.
    run =
        RunTraverse({"adjust", kExample.substr(0, kExample.rfind('/')) + "/round-not-closed.xml"});
    EXPECT_EQ(run.status, 1);
}

// The instrument weighs, every sigma names its source, and the precision is judged against the
// grade: in the text, the JSON and the page.
TEST(Cli, InstrumentWeightsAndThePrecisionAgainstTheGrade) {
    const std::string example = std::string(TRAVERSE_EXAMPLES_DIR) + "/connecting-traverse.xml";
    ProgramRun run = RunTraverse({"--json", "adjust", "--instrument", "2,2mm+2ppm",
                                  "--sigma-ppm", "3", example});
    const nlohmann::json adjust = nlohmann::json::parse(run.out.substr(run.out.find('\n') + 1));
    const nlohmann::json& settings = adjust["settings"];
    EXPECT_EQ(settings["sigma_direction_source"], "instrument");
    EXPECT_EQ(settings["sigma_distance_ppm_source"], "option");
    EXPECT_EQ(settings["sigma_height_source"], "instrument");
    EXPECT_TRUE(settings["sigma_height_mm_per_km"].is_null());
    ASSERT_FALSE(adjust["precision"].empty());
    const nlohmann::json& angle = adjust["precision"][0];
    EXPECT_EQ(angle["item"], "angle_from_closures");
    EXPECT_EQ(angle["limit"], 5.0);  // 一级
    EXPECT_TRUE(angle["judged"].get<bool>() && angle["within_limit"].get<bool>());

    run = RunTraverse(
        {"--lang", "en", "adjust", "--grade", "三等", "--sigma-direction", "0.9", example});
    EXPECT_NE(run.out.find("relative distance sigma from reciprocal distances"), std::string::npos);
    EXPECT_NE(run.out.find("limit 1/150000: pass"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("direction 0.90\" (given)"), std::string::npos) << run.out;
    TempDir dir;
    run = RunTraverse({"--lang", "zh", "report", "--instrument", "DJ2", example, "-o",
                       dir.File("page.html")});
    EXPECT_NE(ReadFileBytes(dir.File("page.html")).find("按等级评定精度（一级"), std::string::npos);
    EXPECT_EQ(RunTraverse({"adjust", "--instrument", "2,2\"", example}).status, 2);
}

// The weakest point and side are named; the confidence of the ellipses is named in the text, the
// JSON, both CSVs and the page's legend; a confidence outside 0 to 1 is a usage error.
TEST(Cli, AdjustGivesThePrecisionOfPointsAndSidesAtAConfidence) {
    const std::string example = std::string(TRAVERSE_EXAMPLES_DIR) + "/connecting-traverse.xml";
    TempDir dir;
    ProgramRun run = RunTraverse({"--lang", "en", "adjust", example, "--confidence", "0.95", "-o",
                                  dir.File("points.csv"), "--sides", dir.File("sides.csv")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("at 95.0% confidence (2.448 times the standard ellipse)"),
              std::string::npos);
    EXPECT_NE(run.out.find("Weakest point 导3: M_p = 17.3 mm"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Weakest side 导5-导6: relative sigma 1/18400"), std::string::npos);
    EXPECT_NE(ReadFileBytes(dir.File("points.csv")).find(",ellipse_a_p95_mm,"), std::string::npos);
    EXPECT_NE(ReadFileBytes(dir.File("sides.csv")).find(",ellipse_a_p95_mm,"), std::string::npos);

    run = RunTraverse({"--json", "adjust", example, "--confidence", "0.95"});
    const nlohmann::json adjust = nlohmann::json::parse(run.out.substr(run.out.find('\n') + 1));
    EXPECT_EQ(adjust["settings"]["confidence"], 0.95);
    EXPECT_NEAR(adjust["settings"]["ellipse_scale"].get<double>(), 2.4477, 1e-4);
    ASSERT_EQ(adjust["sides"].size(), 7u);  // the legs; the known-to-known sights are no sides
    EXPECT_EQ(adjust["sides"][adjust["weakest_side"].get<int>()]["from"], "导5");
    EXPECT_EQ(adjust["points"][adjust["weakest_point"].get<int>()]["name"], "导3");
    EXPECT_EQ(adjust["orientations"].size(), 8u);

    EXPECT_EQ(RunTraverse({"report", "--lang", "en", example, "--confidence", "0.95", "-o",
                           dir.File("page.html")})
                  .status,
              0);
    EXPECT_NE(ReadFileBytes(dir.File("page.html")).find("95% confidence ellipse ×"),
              std::string::npos);
    EXPECT_EQ(RunTraverse({"adjust", example, "--confidence", "1"}).status, 2);
}

}  // namespace
}  // namespace traverse
