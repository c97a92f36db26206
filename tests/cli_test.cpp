// The traverse program, run as a user runs it.
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/record_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"

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

TEST(Cli, ImportOfACompleteFileSaysNothingAndSucceeds) {
    const ProgramRun run = RunTraverse({"import", kExample});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST(Cli, ImportReportIsUtf8AndFailureExitsOne) {
    TempDir dir;
    const std::string path = dir.Write("r.xml", GbkRecordFile(
        "<导线观测记录><观测值><测站 点名=\"甲\"><水平角><测回><乙 盘左=\"1\"/></测回></水平角></测站></观测值></导线观测记录>"));
    const ProgramRun run = RunTraverse({"import", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "测站甲水平角观测第1测回中，目标点乙读数不够，即缺盘左或盘右数据！\n");
}

TEST(Cli, ParseErrorGoesToStderr) {
    TempDir dir;
    const std::string path = dir.File("missing.xml");
    const ProgramRun run = RunTraverse({"import", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "打开文件(" + path +
                           ")错误。\n错误行号：0；错误列号：0。\n错误数据：。\n错误原因：The system "
                           "cannot locate the object specified.\n");
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
    EXPECT_EQ(data["checks"]["horizontal"], nlohmann::json::parse(R"([{"code":1001,"limit":13.0}])"));
    EXPECT_EQ(data["known_points"][0]["h"], -9999999.99);
    const nlohmann::json& s1 = data["stations"][0];
    EXPECT_EQ(s1["name"], "S1");
    EXPECT_EQ(s1["has_block"], true);
    EXPECT_EQ(s1["instrument_height"], 1.5);
    EXPECT_EQ(s1["horizontal"], nlohmann::json::parse(R"([[{"target":"K1","values":[0.0,180.0]}]])"));
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
    // The report stands after each command, as a host shows it after each button.
    const size_t banner = run.out.find("*** 水平角检查 ***");
    ASSERT_NE(banner, std::string::npos);
    EXPECT_EQ(run.out.substr(banner), run.out.substr(banner).substr(0, (run.out.size() - banner) / 2) +
                                          run.out.substr(banner).substr(0, (run.out.size() - banner) / 2));
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
    EXPECT_EQ(run.err, "打开文件错误！\n");
    run = RunTraverse({"--json", "export", kExample, dir.File("missing/out.txt")});
    const nlohmann::json exported = nlohmann::json::parse(run.out.substr(run.out.find('\n') + 1));
    EXPECT_EQ(exported["result"], 0xFFFFFFFFu);
    EXPECT_EQ(exported["messages"], nlohmann::json::parse(R"(["打开文件错误！"])"));
}

TEST(Cli, RepairSaysWhatItMended) {
    TempDir dir;
    const std::string path = dir.Write("r.xml", GbkRecordFile("<导线观测记录>\n  <12 x=\"1\"/>\n</导线观测记录>\n"));
    ProgramRun run = RunTraverse({"repair", path});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, path + ": mended 1 name; the file loads now\n  line 3, column 4: wrote \"st\"\n");
    run = RunTraverse({"repair", path});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, path + ": no bad names; the file loads as it is\n");
    run = RunTraverse({"--json", "repair", path});
    EXPECT_EQ(run.out, "{\"command\":\"repair\",\"result\":1,\"report\":\"\",\"error\":\"\",\"messages\":[]}\n");

    const std::string broken = dir.Write("b.xml", "<r><a></r>");
    run = RunTraverse({"repair", broken});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("another fault, at line 1"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(broken), "<r><a></r>");
}

}  // namespace
}  // namespace traverse
