// The importer: file opening, the parse-error report, the completeness check, the command's
// lifecycle, and the unexpected-error path.
#include <string>

#include <gtest/gtest.h>

#include "platform/gbk_literal.h"
#include "support/message_capture.h"
#include "support/record_file.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

// A complete file: one tolerance item, one known point, one station with two rounds.
const char* const kCompleteBody = R"(<导线观测记录>
  <检查限差><水平角><一测回2C较差 限差="13"/></水平角></检查限差>
  <起算点><K1 x="1000" y="2000" h="50"/></起算点>
  <观测值>
    <测站 点名="S1" 仪器高="1.5">
      <水平角>
        <测回><K1 盘左="0.0000" 盘右="180.0010"/><P2 盘左="90.3000" 盘右="270.3000"/></测回>
        <测回><K1 盘左="90.0000" 盘右="270.0000"/><P2 盘左="180.3000" 盘右="0.3000"/></测回>
      </水平角>
      <目标高><K1 值="1.6"/></目标高>
    </测站>
  </观测值>
</导线观测记录>)";

class ImportTest : public ::testing::Test {
protected:
    std::uint32_t Import(const std::string& utf8Body) {
        return importer.OnButtonExchange(dir.Write("record.xml", GbkRecordFile(utf8Body)));
    }

    TempDir dir;
    MessageCapture messages;
    CImportXml importer;
};

TEST_F(ImportTest, CompleteFileImportsWithResultZero) {
    EXPECT_EQ(Import(kCompleteBody), 0u);
    EXPECT_EQ(importer.m_strText, "");
    EXPECT_EQ(importer.m_strError, "");
    ASSERT_EQ(importer.m_arrHAngleCheck.size(), 1u);
    ASSERT_EQ(importer.m_arrKnownPoint.size(), 1u);
    ASSERT_EQ(importer.m_arrStation.size(), 1u);
    const TAGStationObserve* block = StationBlock(*importer.m_arrStation[0]);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block->m_arrHAngle.size(), 2u);
    EXPECT_EQ(block->m_arrHAngle[1].m_arrObserve[1].m_arrValue, (std::vector<double>{180.3, 0.3}));
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(ImportTest, MissingFileLeavesParseReportAndNoMessageBox) {
    importer.m_strText = "kept";
    const std::string path = dir.File("missing.xml");
    EXPECT_EQ(importer.OpenFile(path), 0x800C0006u);
    EXPECT_EQ(importer.m_strError,
              GBK("打开文件(") + path +
                  GBK(")错误。\n错误行号：0；错误列号：0。\n错误数据：。\n错误原因：") +
                  "The system cannot locate the object specified.");
    EXPECT_EQ(importer.m_strText, "kept");
    EXPECT_TRUE(importer.m_arrStation.empty());
    EXPECT_TRUE(messages.Messages().empty());
}

TEST_F(ImportTest, MalformedFileReportsPositionSourceAndReason) {
    const std::string path = dir.Write(
        "bad.xml", GbkRecordFile("<导线观测记录>\n  <测站 1x=\"2\"/>\n</导线观测记录>\n"));
    EXPECT_EQ(importer.OnButtonExchange(path), 0xC00CE504u);
    EXPECT_EQ(importer.m_strError,
              GBK("打开文件(") + path + GBK(")错误。\n错误行号：3；错误列号：7。\n错误数据：") +
                  GBK("  <测站 1x=\"2\"/>") + GBK("。\n错误原因：") +
                  "A name was started with an invalid character.");
}

TEST_F(ImportTest, IncompleteRecordsAreReportedInStationAndSetOrder) {
    const std::uint32_t result = Import(R"(<导线观测记录><观测值>
    <测站 点名="A">
      <目标高><T1/></目标高>
      <斜距><测回><T1/></测回></斜距>
      <天顶距><测回><T1 盘左="90"/></测回></天顶距>
      <水平角>
        <测回><T1 盘左="0" 盘右="180"/></测回>
        <测回><T1 盘左="0"/><T2/><T3 盘左="1" 盘右="2" 值="3"/></测回>
      </水平角>
    </测站>
    <测站 点名="B"><水平角><测回><T9 盘右="180"/></测回></水平角><目标高/></测站>
  </观测值></导线观测记录>)");
    EXPECT_EQ(result, RESULT_FAILED);
    EXPECT_EQ(importer.m_strText,
              GBK("测站A水平角观测第2测回中，目标点T1读数不够，即缺盘左或盘右数据！\r\n"
                  "测站A水平角观测第2测回中，目标点T2读数不够，即缺盘左或盘右数据！\r\n"
                  "测站A垂直角观测第1测回中，目标点T1读数不够，即缺盘左或盘右数据！\r\n"
                  "测站A距离观测第1测回中，缺目标点T1读数！\r\n"
                  "测站A，缺目标点T1的目标高！\r\n"
                  "测站B水平角观测第1测回中，目标点T9读数不够，即缺盘左或盘右数据！"));
    // The data stays loaded, complete or not.
    ASSERT_EQ(importer.m_arrStation.size(), 2u);
    EXPECT_EQ(
        StationBlock(*importer.m_arrStation[0])->m_arrHAngle[1].m_arrObserve[2].m_arrValue.size(),
        3u);
    EXPECT_EQ(StationBlock(*importer.m_arrStation[1])->m_arrTargetHeight.size(), 1u);
}

TEST_F(ImportTest, EmptyObservationSectionIsComplete) {
    EXPECT_EQ(Import("<导线观测记录><观测值/></导线观测记录>"), 0u);
    EXPECT_EQ(Import("<导线观测记录/>"), 0u);
    EXPECT_TRUE(importer.m_arrStation.empty());
}

TEST_F(ImportTest, RejectedToleranceSectionStopsBeforeTheOtherSections) {
    EXPECT_EQ(Import(R"(<导线观测记录>
      <检查限差><水平角><未知项 限差="1"/></水平角></检查限差>
      <起算点><K1 x="1" y="2"/></起算点>
      <观测值><测站 点名="S"/></观测值></导线观测记录>)"),
              RESULT_FAILED);
    EXPECT_EQ(importer.m_strText, GBK("导线观测记录//检查限差//水平角//未知项键名错误！"));
    EXPECT_TRUE(importer.m_arrKnownPoint.empty());
    EXPECT_TRUE(importer.m_arrStation.empty());
}

TEST_F(ImportTest, SecondImportStartsFromEmpty) {
    ASSERT_EQ(Import(kCompleteBody), 0u);
    importer.m_strError = "old";
    ASSERT_EQ(Import(kCompleteBody), 0u);
    EXPECT_EQ(importer.m_arrStation.size(), 1u);
    EXPECT_EQ(importer.m_arrKnownPoint.size(), 1u);
    EXPECT_EQ(importer.m_arrHAngleCheck.size(), 1u);
    EXPECT_EQ(importer.m_strError, "");
}

TEST_F(ImportTest, OpenFileWithoutClearAppends) {
    const std::string path = dir.Write("record.xml", GbkRecordFile(kCompleteBody));
    ASSERT_EQ(importer.OpenFile(path), 0u);
    ASSERT_EQ(importer.OpenFile(path), 0u);
    EXPECT_EQ(importer.m_arrStation.size(), 2u);
    EXPECT_EQ(importer.m_arrKnownPoint.size(), 2u);
    EXPECT_EQ(importer.m_arrHAngleCheck.size(), 2u);
}

TEST_F(ImportTest, ClearFreesDataButKeepsTheReport) {
    ASSERT_EQ(Import(kCompleteBody), 0u);
    importer.m_strText = "report";
    importer.m_strError = "error";
    importer.Clear();
    EXPECT_EQ(importer.m_strText, "report");
    EXPECT_EQ(importer.m_strError, "");
    EXPECT_TRUE(importer.m_arrStation.empty());
    EXPECT_TRUE(importer.m_arrKnownPoint.empty());
    EXPECT_TRUE(importer.m_arrHAngleCheck.empty());
}

TEST_F(ImportTest, TextWhereARecordBelongsEndsTheImportAsUnexpectedErrorSayingWhere) {
    // Text among the stations has no attribute map: the reader's use of it fails.
    EXPECT_EQ(Import(R"(<导线观测记录><观测值>
      <测站 点名="S1"><水平角><测回><K1 盘左="0" 盘右="180"/></测回></水平角></测站>
      第二站
      <测站 点名="S3"/></观测值></导线观测记录>)"),
              RESULT_FAILED);
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{GBK("不可预知的异常错误！")});
    // What was read before stays; the element after it is never read.
    ASSERT_EQ(importer.m_arrStation.size(), 1u);
    EXPECT_EQ(importer.m_arrStation[0]->m_strName, "S1");
    EXPECT_EQ(importer.m_strError,
              dir.File("record.xml") +
                  GBK(": line 4, column 7: text \"第二站\" where a record element was expected"));
}

TEST_F(ImportTest, AStationStopsTheImportNamedOrNotAtAll) {
    // A station name GBK cannot hold: the station goes. A target name GBK cannot hold in a named
    // station: the station stays with its name and what was read before the target.
    const std::string path = dir.Write("emoji.xml", Utf8RecordFile(
        "<导线观测记录><观测值><测站 点名=\"S1\"/><测站 点名=\"S\xF0\x9F\x98\x80\"/></观测值></导线观测记录>"));
    EXPECT_EQ(importer.OnButtonExchange(path), RESULT_FAILED);
    ASSERT_EQ(importer.m_arrStation.size(), 1u);
    EXPECT_EQ(importer.m_arrStation[0]->m_strName, "S1");
    const std::string target = dir.Write("target.xml", Utf8RecordFile(
        "<导线观测记录><观测值><测站 点名=\"S2\"><水平角><测回><K1 盘左=\"0\" 盘右=\"180\"/>"
        "<P\xF0\x9F\x98\x80 盘左=\"0\" 盘右=\"180\"/></测回></水平角></测站></观测值></导线观测记录>"));
    EXPECT_EQ(importer.OnButtonExchange(target), RESULT_FAILED);
    ASSERT_EQ(importer.m_arrStation.size(), 1u);
    EXPECT_EQ(importer.m_arrStation[0]->m_strName, "S2");
    EXPECT_TRUE(StationBlock(*importer.m_arrStation[0])->m_arrHAngle.empty());
}

TEST_F(ImportTest, TextThatGbkCannotHoldIsAnUnexpectedError) {
    const std::string path = dir.Write("emoji.xml", Utf8RecordFile(
        "<导线观测记录><起算点><K1 x=\"1\" y=\"2\"/><P\xF0\x9F\x98\x80 x=\"1\" y=\"2\"/></起算点></导线观测记录>"));
    EXPECT_EQ(importer.OnButtonExchange(path), RESULT_FAILED);
    EXPECT_EQ(messages.Messages(), std::vector<std::string>{GBK("不可预知的异常错误！")});
    EXPECT_EQ(importer.m_arrKnownPoint.size(), 1u);
}

TEST_F(ImportTest, GbkAndUtf8FilesImportAlike) {
    CImportXml fromUtf8;
    ASSERT_EQ(Import(kCompleteBody), 0u);
    ASSERT_EQ(fromUtf8.OnButtonExchange(dir.Write("utf8.xml", Utf8RecordFile(kCompleteBody))), 0u);
    ASSERT_EQ(fromUtf8.m_arrStation.size(), 1u);
    EXPECT_EQ(fromUtf8.m_arrStation[0]->m_strName, importer.m_arrStation[0]->m_strName);
    EXPECT_EQ(
        StationBlock(*fromUtf8.m_arrStation[0])->m_arrTargetHeight[0].m_arrObserve[0].m_strName,
        "K1");
}

TEST(AddText, JoinsEntriesWithCrLf) {
    CImportXml importer;
    importer.AddText("");
    EXPECT_EQ(importer.m_strText, "");
    importer.AddText("a");
    importer.AddText("");
    importer.AddText("b\nc\r\n");
    EXPECT_EQ(importer.m_strText, "a\r\n\r\nb\nc\r\n");
}

TEST(OnButtonRecord, ChangesNothing) {
    CImportXml importer;
    importer.m_strText = "t";
    EXPECT_EQ(importer.OnButtonRecord(), 0u);
    EXPECT_EQ(importer.m_strText, "t");
}

}  // namespace
}  // namespace traverse
