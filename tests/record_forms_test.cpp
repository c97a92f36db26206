// Record files as other tools and people write them: faces given by name in either order,
// comments and processing instructions anywhere, text where a record belongs.
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gbk_literal.h"
#include "support/record_file.h"
#include "support/record_outputs.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

using Outputs = RecordOutputs;

Outputs Process(const TempDir& dir, const std::string& recordPath) {
    return ProcessRecordFile(dir, recordPath, "out.txt", true);
}

// The record files to rewrite: the examples and a few generated ones (GBK bytes).
std::vector<std::pair<std::string, std::string>> RecordFiles(const TempDir& dir) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const char* example : {"traverse.xml", "2c-over-limit.xml", "round-not-closed.xml",
                                "connecting-traverse.xml", "field-checks.xml"}) {
        files.emplace_back(example,
                           ReadFileBytes(std::string(TRAVERSE_EXAMPLES_DIR) + "/" + example));
    }
    const std::string tool = std::string(TRAVERSE_EXAMPLES_DIR) + "/../tools/generate_records.py";
    for (const char* seed : {"1", "2", "3"}) {
        const std::string path = dir.File(std::string("generated-") + seed + ".xml");
        const ProgramRun run =
            RunCommand({"python3", tool, "--stations", "4", "--seed", seed, "-o", path});
        if (run.status != 0) continue;  // without Python the examples still run
        files.emplace_back(path, ReadFileBytes(path));
    }
    return files;
}

// Applies rewrite to the UTF-8 text of a GBK record file; how many places it changed must be > 0.
std::string RewriteGbk(const std::string& gbk, const std::regex& pattern, const char* replacement,
                       const std::string& what) {
    const std::string utf8 = GbkToUtf8(gbk);
    const std::string rewritten = std::regex_replace(utf8, pattern, replacement);
    EXPECT_NE(rewritten, utf8) << what;
    return Utf8ToGbk(rewritten);
}

void ExpectRewriteChangesNothing(const std::regex& pattern, const char* replacement) {
    TempDir dir;
    for (const auto& [name, gbk] : RecordFiles(dir)) {
        const std::string original = dir.Write("original.xml", gbk);
        const std::string rewritten =
            dir.Write("rewritten.xml", RewriteGbk(gbk, pattern, replacement, name));
        const Outputs expected = Process(dir, original);
        EXPECT_GT(expected.adjustmentFile.size(), 100u) << name;
        ExpectSameRecordOutputs(expected, Process(dir, rewritten), name);
    }
}

// ---- faces by name ------------------------------------------------------------------------

TEST(FacesByName, EveryRecordWithItsFacesInTheOtherOrderGivesTheSameOutputs) {
    ExpectRewriteChangesNothing(std::regex("盘左=(\"[^\"]*\") 盘右=(\"[^\"]*\")"),
                                "盘右=$2 盘左=$1");
}

TEST(FacesByName, FaceRightFirstIsStillFaceRightAndValuesKeepTheirOrder) {
    CImportXml importer;
    XmlDocument document = XmlDocument::Create();
    ASSERT_TRUE(
        document.loadXML(R"(<r><A 盘右="180.0010" 盘左="0.0000"/><B 值="2 1" 盘右="4" 盘左="3"/>
        <C 盘右="9"/></r>)"));
    std::vector<CBaseObserve> records;
    importer.ReadObjectValue(document.selectSingleNode("r"), records);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].m_arrValue, (std::vector<double>{0.0, 180.001}));
    EXPECT_EQ(records[1].m_arrValue, (std::vector<double>{2, 1, 3, 4}));
    EXPECT_EQ(records[2].m_arrValue, (std::vector<double>{9}));
}

// ---- comments and processing instructions -------------------------------------------------

TEST(CommentsAnywhere, ACommentAndAnInstructionAfterEveryTagChangeNoOutput) {
    // Inside every section, station, set and round, between rounds and between records.
    ExpectRewriteChangesNothing(std::regex(">(\r?\n)"), "><!-- 注释 --><?note x?>$1");
    // Between the tolerance items of a group, the known points and the records on one line.
    ExpectRewriteChangesNothing(std::regex("/>"), "/><?note x?><!-- 注释 -->");
}

TEST(CommentsAnywhere, OneRoundOnALineWithCommentsBetweenItsRecordsAndRounds) {
    TempDir dir;
    const std::string plain = R"(<导线观测记录><观测值><测站 点名="S"><水平角>
        <测回><A 盘左="0" 盘右="180.0010"/><B 盘左="90" 盘右="270"/></测回>
        <测回><A 盘左="90" 盘右="270"/><B 盘左="180" 盘右="0.0004"/></测回>
        </水平角></测站></观测值></导线观测记录>)";
    const std::string commented = R"(<导线观测记录><观测值><!--a--><测站 点名="S"><水平角>
        <测回><?p?><A 盘左="0" 盘右="180.0010"/><!--b--><B 盘左="90" 盘右="270"/><!--c--></测回>
        <!-- 第二测回 -->
        <测回><A 盘左="90" 盘右="270"/><B 盘左="180" 盘右="0.0004"/></测回>
        </水平角></测站></观测值></导线观测记录>)";
    const Outputs expected = Process(dir, dir.Write("plain.xml", GbkRecordFile(plain)));
    EXPECT_EQ(expected.import, 0u);
    ExpectSameRecordOutputs(expected,
                            Process(dir, dir.Write("commented.xml", GbkRecordFile(commented))), "");
}

// ---- text where a record belongs ----------------------------------------------------------

TEST(TextWhereARecordBelongs, TheProgramSaysWhereOnStderrAndInTheJsonError) {
    TempDir dir;
    const std::string path = dir.Write("text.xml", GbkRecordFile(R"(<导线观测记录><观测值>
  <测站 点名="S"><水平角><测回>
    <A 盘左="0" 盘右="180"/> 补测
  </测回></水平角></测站></观测值></导线观测记录>)"));
    const std::string where =
        path + ": line 4, column 26: text \"补测\" where a record element was expected";
    const ProgramRun run = RunTraverse({"import", path});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "不可预知的异常错误！\ntraverse: " + where + "\n");
    const ProgramRun json = RunTraverse({"--json", "import", path});
    const std::string quoted = std::regex_replace(where, std::regex("\""), "\\\"");
    EXPECT_NE(json.out.find("\"error\":\"" + quoted + "\""), std::string::npos) << json.out;
}

TEST(TextWhereARecordBelongs, LineAndColumnOfTextAfterABreakOrOnTheTagsLine) {
    XmlDocument document = XmlDocument::Create();
    ASSERT_TRUE(document.loadXML("<r>\n  <a/>\n\t 字 x\n  </r>"));
    const XmlNode text = document.selectSingleNode("r").childNodes().item(1);
    EXPECT_EQ(text.line(), 3);
    EXPECT_EQ(text.column(), 3);
    ASSERT_TRUE(document.loadXML("<r><a/>  字\n x</r>"));
    const XmlNode sameLine = document.selectSingleNode("r").childNodes().item(1);
    EXPECT_EQ(sameLine.line(), 1);
    EXPECT_EQ(sameLine.column(), 10);
    EXPECT_EQ(document.selectSingleNode("r/a").line(), 1);
}

}  // namespace
}  // namespace traverse
