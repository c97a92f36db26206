// Bad input: broken, hostile and extreme record files, odd paths and unwritable outputs. Each gets
// a clear error or a sensible result: no crash, no hang, bounded memory, and nothing lost (the
// record file itself is never changed by an import, a check or an export).
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/gbk_literal.h"
#include "support/message_capture.h"
#include "support/record_file.h"
#include "support/run_program.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

// The sections every test file starts with: the three horizontal-angle items and one known point.
const char* const kHead = R"(<导线观测记录>
  <检查限差><水平角><一测回2C较差 限差="13"/><半测回归零差 限差="8"/><同一方向值各测回较差 限差="9"/></水平角></检查限差>
  <起算点><龙岗 x="3500178.977" y="479642.275" h="55.000"/></起算点>
  <观测值>
)";
const char* const kTail = "  </观测值>\n</导线观测记录>\n";

// One complete station observed in two rounds that close on the first target.
const char* const kStation = R"(    <测站 点名="凤岭" 仪器高="1.393" 加常数="0" 乘常数="2.5">
      <水平角>
        <测回><龙岗 盘左="0.01133" 盘右="180.01144"/><导1 盘左="152.05207" 盘右="332.05235"/><龙岗 盘左="0.01145" 盘右="180.01143"/></测回>
        <测回><龙岗 盘左="90.11041" 盘右="270.11065"/><导1 盘左="242.15106" 盘右="62.15144"/><龙岗 盘左="90.11029" 盘右="270.11050"/></测回>
      </水平角>
      <天顶距><测回><龙岗 盘左="89.33205" 盘右="270.26473"/><导1 盘左="90.43240" 盘右="269.16397"/></测回></天顶距>
      <斜距><测回><龙岗 值="400.0124 400.0118"/><导1 值="330.2156 330.2142"/></测回></斜距>
      <目标高><龙岗 值="1.650"/><导1 值="1.500"/></目标高>
    </测站>
)";

std::string Body(const std::string& stations) { return kHead + stations + kTail; }

// What the three commands of a host did with one file.
struct Outcome {
    std::uint32_t import = 0;
    std::string importReport;
    std::string importError;
    std::size_t stations = 0;
    std::uint32_t check = 0;
    std::string checkReport;
    std::uint32_t exported = 0;
    std::string exportedBytes;  // the adjustment input file
    std::vector<std::string> messages;
};

class BadInputTest : public ::testing::Test {
protected:
    // Imports, checks and exports the file at path as a host does, each command whatever the one
    // before gave, and makes sure the file is still as it was.
    Outcome RunCommands(const std::string& path) {
        const std::string before = ReadFileBytes(path);
        MessageCapture capture;
        CImportXml importer;
        Outcome outcome;
        outcome.import = importer.OnButtonExchange(path);
        outcome.importReport = importer.m_strText;
        outcome.importError = importer.m_strError;
        outcome.stations = importer.m_arrStation.size();
        outcome.check = importer.OnButtonCheck();
        outcome.checkReport = importer.m_strText;
        const std::string output = dir.File("out.txt");
        outcome.exported = importer.OnButtonTonbq(output);
        outcome.exportedBytes = ReadFileBytes(output);
        outcome.messages = capture.Messages();
        EXPECT_EQ(ReadFileBytes(path), before) << "the record file changed";
        return outcome;
    }

    Outcome RunBytes(const std::string& bytes) {
        return RunCommands(dir.Write("record.xml", bytes));
    }

    // The outcome of the same records written as a GBK file.
    Outcome Reference() { return RunBytes(GbkRecordFile(Body(kStation))); }

    TempDir dir;
};

// A file that did not parse: an error code with the failure bit, the parse report naming the
// file, nothing imported; the check then reports nothing and the export writes an empty frame.
void ExpectParseFailure(const Outcome& outcome) {
    EXPECT_NE(outcome.import, 0u);
    EXPECT_NE(outcome.import & 0x80000000u, 0u) << std::hex << outcome.import;
    EXPECT_NE(outcome.importError.find(GBK("错误原因：")), std::string::npos)
        << GbkToUtf8(outcome.importError);
    EXPECT_EQ(outcome.stations, 0u);
    EXPECT_EQ(outcome.check, 0u);
    EXPECT_EQ(outcome.checkReport, GBK("*** 水平角检查 ***"));
    EXPECT_EQ(outcome.exported, 0u);
    EXPECT_EQ(outcome.exportedBytes, "<<\r\n<<\r\n\r\n");
}

// The line number of the parse report ("错误行号：N").
long ReportedLine(const std::string& gbkError) {
    const std::string label = GBK("错误行号：");
    const std::size_t at = gbkError.find(label);
    return at == std::string::npos ? -1 : std::atol(gbkError.c_str() + at + label.size());
}

// ---- files that are not record files
// -------------------------------------------------------------

TEST_F(BadInputTest, EmptyFileIsAParseErrorWithoutAPosition) {
    const Outcome outcome = RunBytes("");
    ExpectParseFailure(outcome);
    EXPECT_EQ(ReportedLine(outcome.importError), 0);
    EXPECT_TRUE(outcome.messages.empty());
}

TEST_F(BadInputTest, RandomBytesAreAParseError) {
    std::mt19937 random(20240601);
    for (int file = 0; file < 20; ++file) {
        std::string bytes(1 + random() % 65536, '\0');
        for (char& byte : bytes) byte = static_cast<char>(random());
        SCOPED_TRACE(file);
        ExpectParseFailure(RunBytes(bytes));
    }
}

TEST_F(BadInputTest, FileCutInTheMiddleOfATagIsAParseErrorAtItsEnd) {
    const std::string whole = GbkRecordFile(Body(kStation));
    const std::size_t cut = whole.find(GBK("盘右=\"332"));  // inside <导1 ...
    ASSERT_NE(cut, std::string::npos);
    const std::string part = whole.substr(0, cut + 3);   // ends in the middle of a GBK name
    const Outcome outcome = RunBytes(part);
    ExpectParseFailure(outcome);
    const long lines = 1 + static_cast<long>(std::count(part.begin(), part.end(), '\n'));
    EXPECT_EQ(ReportedLine(outcome.importError), lines) << GbkToUtf8(outcome.importError);
}

TEST_F(BadInputTest, FileCutAnywhereIsAParseError) {
    const std::string whole = GbkRecordFile(Body(kStation));
    const std::size_t rootEnd = whole.rfind('>');
    for (std::size_t cut = 0; cut < rootEnd; cut += 7) {
        SCOPED_TRACE(cut);
        ExpectParseFailure(RunBytes(whole.substr(0, cut)));
    }
}

// ---- encodings ---------------------------------------------------------------------------------

std::string Utf16(const std::string& utf8, bool bigEndian, bool byteOrderMark) {
    std::string out = byteOrderMark ? (bigEndian ? "\xFE\xFF" : "\xFF\xFE") : "";
    std::u16string units;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        std::uint32_t code = length == 1 ? c : c & (0x3F >> (length - 1));
        for (int k = 1; k < length; ++k) code = (code << 6) | (utf8[i + k] & 0x3F);
        i += static_cast<std::size_t>(length);
        if (code >= 0x10000) {
            code -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code));
        }
    }
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return out;
}

TEST_F(BadInputTest, Utf16FilesImportAsTheirGbkTwin) {
    const Outcome reference = Reference();
    ASSERT_EQ(reference.import, 0u) << GbkToUtf8(reference.importReport);
    const std::string text = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n" + Body(kStation);
    for (const bool bigEndian : {false, true}) {
        for (const bool byteOrderMark : {true, false}) {
            SCOPED_TRACE(std::string(bigEndian ? "big" : "little") +
                         (byteOrderMark ? " endian, BOM" : " endian"));
            const Outcome outcome = RunBytes(Utf16(text, bigEndian, byteOrderMark));
            EXPECT_EQ(outcome.import, 0u) << GbkToUtf8(outcome.importError);
            EXPECT_EQ(outcome.checkReport, reference.checkReport);
            EXPECT_EQ(outcome.exportedBytes, reference.exportedBytes);
        }
    }
}

TEST_F(BadInputTest, Utf8FileWithByteOrderMarkImportsAsItsGbkTwin) {
    const Outcome reference = Reference();
    for (const std::string& file : {"\xEF\xBB\xBF" + Utf8RecordFile(Body(kStation)),
                                    "\xEF\xBB\xBF" + Body(kStation)}) {
        const Outcome outcome = RunBytes(file);
        EXPECT_EQ(outcome.import, 0u) << GbkToUtf8(outcome.importError);
        EXPECT_EQ(outcome.checkReport, reference.checkReport);
        EXPECT_EQ(outcome.exportedBytes, reference.exportedBytes);
    }
}

TEST_F(BadInputTest, GbkFileWithoutEncodingDeclarationIsAParseErrorOnItsFirstLine) {
    // Without a declaration the file is UTF-8, which GBK bytes are not.
    const Outcome outcome = RunBytes(Utf8ToGbk(Body(kStation)));
    ExpectParseFailure(outcome);
    EXPECT_EQ(ReportedLine(outcome.importError), 1);
}

TEST_F(BadInputTest, NameThatGbkCannotHoldEndsTheImportAsAnUnexpectedError) {
    // U+1F600 and Hangul have no GBK code: the text conversion fails, the import shows its message
    // for unexpected errors, and what was read before the name stays.
    for (const char* name : {"导\xF0\x9F\x98\x80", "\xED\x95\x9C"}) {
        SCOPED_TRACE(name);
        std::string station = kStation;
        station.replace(station.find("导1 盘左=\"242"), 3, name);
        const Outcome outcome = RunBytes(Utf8RecordFile(Body(station)));
        EXPECT_EQ(outcome.import, RESULT_FAILED);
        ASSERT_FALSE(outcome.messages.empty());
        EXPECT_EQ(outcome.messages[0], GBK("不可预知的异常错误！"));
        EXPECT_EQ(outcome.stations, 1u);
        EXPECT_EQ(outcome.check, 0u);
        EXPECT_EQ(outcome.exported, 0u);
        EXPECT_EQ(outcome.exportedBytes.compare(0, 4, "<<\r\n"), 0);
    }
}

// ---- hostile structure --------------------------------------------------------------------------

std::string Nested(const std::string& name, int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<" + name + ">";
    for (int i = 0; i < depth; ++i) text += "</" + name + ">";
    return text;
}

TEST_F(BadInputTest, TenThousandLevelsOfNestingInsideARoundAreOneIncompleteRecord) {
    std::string station = kStation;
    station.insert(station.find("</测回>"), Nested("深", 10000));
    const Outcome outcome = RunBytes(GbkRecordFile(Body(station)));
    EXPECT_EQ(outcome.import, RESULT_FAILED);
    EXPECT_EQ(outcome.importReport,
              GBK("测站凤岭水平角观测第1测回中，目标点深读数不够，即缺盘左或盘右数据！"));
    EXPECT_EQ(outcome.stations, 1u);
    EXPECT_EQ(outcome.exported, 0u);
}

TEST_F(BadInputTest, TenThousandLevelsOfNestingBeforeTheSectionsChangeNothing) {
    const Outcome reference = Reference();
    std::string body = Body(kStation);
    body.insert(body.find("<检查限差>"), Nested("深", 10000));
    const Outcome outcome = RunBytes(GbkRecordFile(body));
    EXPECT_EQ(outcome.import, 0u) << GbkToUtf8(outcome.importError);
    EXPECT_EQ(outcome.checkReport, reference.checkReport);
    EXPECT_EQ(outcome.exportedBytes, reference.exportedBytes);
}

long PeakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

TEST_F(BadInputTest, EntityExpansionBombsAreStoppedEarly) {
    // Eleven levels of ten references ("billion laughs", 30 GB expanded), and one 1 MB entity used
    // 4000 times (4 GB expanded).
    std::string laughs = "<!ENTITY a0 \"lol\">";
    for (int i = 1; i <= 10; ++i) {
        laughs += "<!ENTITY a" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) laughs += "&a" + std::to_string(i - 1) + ";";
        laughs += "\">";
    }
    const std::string wide = "<!ENTITY w \"" + std::string(1 << 20, 'x') + "\">";
    std::string manyWide;
    for (int k = 0; k < 4000; ++k) manyWide += "&w;";

    const long peakBefore = PeakResidentKiB();
    for (const std::string& file : {
             "<!DOCTYPE 导线观测记录 [" + laughs + "]>" + Body("<测站 点名=\"&a10;\"/>"),
             "<!DOCTYPE 导线观测记录 [" + laughs + "]>" + Body("<测站 点名=\"S\">&a10;</测站>"),
             "<!DOCTYPE 导线观测记录 [" + wide + "]>" + Body("<测站 点名=\"S\">" + manyWide + "</测站>")}) {
        ExpectParseFailure(RunBytes(GbkRecordFile(file)));
    }
    // The parse stops long before a full expansion. (The bound leaves room for what a sanitizer
    // keeps of freed memory.)
    EXPECT_LT(PeakResidentKiB() - peakBefore, 1024 * 1024);
}

TEST_F(BadInputTest, ExternalEntitiesAndDtdsAreNeverLoaded) {
    const std::string secret = "SECRET-7d1e0c";
    const std::string secretPath = dir.Write("secret.txt", secret);
    const std::string secretDtd = dir.Write("secret.dtd", "<!ENTITY leak \"" + secret + "\">");
    const Outcome reference = Reference();
    std::string station = kStation;
    station.insert(station.find("</测回>"), "&file;&relative;&url;");
    const std::string doctype =
        "<!DOCTYPE 导线观测记录 SYSTEM \"" + secretDtd + "\" [" +
        "<!ENTITY file SYSTEM \"" + secretPath + "\">" +
        "<!ENTITY relative SYSTEM \"secret.txt\">" +
        "<!ENTITY url SYSTEM \"file://" + secretPath + "\">" +
        "<!ENTITY % parameter SYSTEM \"" + secretDtd + "\">%parameter;]>\n";
    const Outcome outcome = RunBytes(GbkRecordFile(doctype + Body(station)));
    // The references are left out, as if the entities were empty.
    EXPECT_EQ(outcome.import, 0u) << GbkToUtf8(outcome.importError);
    EXPECT_EQ(outcome.checkReport, reference.checkReport);
    EXPECT_EQ(outcome.exportedBytes, reference.exportedBytes);
    for (const std::string& text : {outcome.importReport, outcome.importError, outcome.checkReport,
                                    outcome.exportedBytes}) {
        EXPECT_EQ(text.find(secret), std::string::npos);
    }
    for (const std::string& message : outcome.messages)
        EXPECT_EQ(message.find(secret), std::string::npos);

    // A leak through an entity of the external DTD would show in the station name.
    const Outcome named = RunBytes(GbkRecordFile(doctype + Body("<测站 点名=\"&leak;\"/>")));
    EXPECT_EQ(named.exportedBytes.find(secret), std::string::npos);
}

// ---- extreme readings and sizes
// --------------------------------------------------------------------

TEST_F(BadInputTest, ReadingsNanInfHugeAndNegativeZeroGoThroughEveryCommand) {
    const std::string station = R"(<测站 点名="凤岭" 仪器高="nan" 加常数="inf" 乘常数="1e308">
      <水平角>
        <测回><龙岗 盘左="nan" 盘右="inf"/><导1 盘左="1e308" 盘右="-0"/><龙岗 盘左="-0" 盘右="1e308"/></测回>
        <测回><龙岗 盘左="1e308" 盘右="1e308"/><导1 盘左="-0" 盘右="nan"/><龙岗 盘左="inf" 盘右="-0"/></测回>
      </水平角>
      <天顶距><测回><龙岗 盘左="1e308" 盘右="-0"/><导1 盘左="nan" 盘右="inf"/></测回></天顶距>
      <斜距><测回><龙岗 值="nan inf 1e308 -0"/><导1 值="-0"/></测回></斜距>
      <目标高><龙岗 值="1e308"/><导1 值="-0"/></目标高>
    </测站>)";
    const std::string path = dir.Write("record.xml", GbkRecordFile(Body(station)));
    {
        // The C library's atof rules without the "nan" and "inf" forms: those read as 0.
        MessageCapture capture;
        CImportXml importer;
        ASSERT_EQ(importer.OnButtonExchange(path), 0u) << GbkToUtf8(importer.m_strText);
        const TAGStationObserve* block = StationBlock(*importer.m_arrStation.at(0));
        ASSERT_NE(block, nullptr);
        const std::vector<double>& first = block->m_arrHAngle.at(0).m_arrObserve.at(0).m_arrValue;
        EXPECT_EQ(first, (std::vector<double>{0.0, 0.0}));
        const std::vector<double>& second = block->m_arrHAngle.at(0).m_arrObserve.at(1).m_arrValue;
        ASSERT_EQ(second.size(), 2u);
        EXPECT_EQ(second[0], 1e308);
        EXPECT_EQ(second[1], 0.0);
        EXPECT_TRUE(std::signbit(second[1]));
        EXPECT_EQ(block->m_arrDistance.at(0).m_arrObserve.at(0).m_arrValue,
                  (std::vector<double>{0.0, 0.0, 1e308, 0.0}));
        EXPECT_EQ(block->m_info.m_fInstrumentHeight, 0.0f);
        EXPECT_TRUE(std::isinf(block->m_info.m_fMulConst));  // 1e308 does not fit a float
    }
    const Outcome outcome = RunCommands(path);
    EXPECT_EQ(outcome.check, 0u);
    // Every record of both rounds gets its 2C line, whatever its value.
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = outcome.checkReport.find(" 2C=", at)) != std::string::npos; ++at)
        ++lines;
    EXPECT_EQ(lines, 6u) << GbkToUtf8(outcome.checkReport);
    EXPECT_EQ(outcome.exported, 0u);
    for (const char* line : {"\tc0\t", "\tz0\t", "\ts0\t", "\tv0\t"}) {
        EXPECT_NE(outcome.exportedBytes.find(line), std::string::npos) << line;
    }
}

TEST_F(BadInputTest, RoundWithOneHundredThousandTargetsGoesThroughEveryCommand) {
    constexpr int kTargets = 100000;
    std::string round = "<测回>";
    for (int i = 0; i < kTargets; ++i) {
        const std::string seconds = std::to_string(10 + i % 40);
        round += "<目" + std::to_string(i) + " 盘左=\"" + std::to_string(i % 360) + ".00" + seconds +
                 "\" 盘右=\"" + std::to_string((i + 180) % 360) + ".00" + seconds + "\"/>";
    }
    round += "<目0 盘左=\"0.0010\" 盘右=\"180.0010\"/></测回>";
    const std::string station = "<测站 点名=\"S\"><水平角>" + round + "</水平角></测站>";
    const Outcome outcome = RunBytes(GbkRecordFile(Body(station)));
    EXPECT_EQ(outcome.import, 0u) << GbkToUtf8(outcome.importReport.substr(0, 200));
    EXPECT_EQ(outcome.check, 0u);
    std::size_t checked = 0;
    for (std::size_t at = 0; (at = outcome.checkReport.find(" 2C=", at)) != std::string::npos; ++at)
        ++checked;
    EXPECT_EQ(checked, static_cast<std::size_t>(kTargets + 1));
    EXPECT_EQ(outcome.exported, 0u);
    std::size_t directions = 0;
    for (std::size_t at = 0; (at = outcome.exportedBytes.find("\tc0\t", at)) != std::string::npos;
         ++at)
        ++directions;
    EXPECT_EQ(directions, static_cast<std::size_t>(kTargets));
}

TEST_F(BadInputTest, StationNameOfOneMegabyteIsKeptWhole) {
    std::string name;  // 1 MB of GBK text
    for (int i = 0; i < (1 << 19); ++i) name += "名";
    std::string station = kStation;
    station.replace(station.find("凤岭"), std::string("凤岭").size(), name);
    const Outcome outcome = RunBytes(GbkRecordFile(Body(station)));
    const std::string gbkName = Utf8ToGbk(name);
    ASSERT_EQ(gbkName.size(), 1u << 20);
    EXPECT_EQ(outcome.import, 0u);
    EXPECT_NE(outcome.checkReport.find(GBK("测站") + gbkName), std::string::npos);
    EXPECT_EQ(outcome.exported, 0u);
    EXPECT_NE(outcome.exportedBytes.find(gbkName + "\t" + gbkName + "\ti0\t"), std::string::npos);
}

TEST_F(BadInputTest, TargetNameOfOneMegabyteIsAParseError) {
    // Element names are capped by the parser (50,000 characters); a longer one is refused.
    std::string station = kStation;
    const std::string name(1 << 20, 'N');
    std::size_t at;
    while ((at = station.find("导1")) != std::string::npos)
        station.replace(at, std::string("导1").size(), name);
    const Outcome outcome = RunBytes(GbkRecordFile(Body(station)));
    ExpectParseFailure(outcome);
    EXPECT_GT(ReportedLine(outcome.importError), 0);
}

// ---- paths and outputs
// ---------------------------------------------------------------------------

TEST_F(BadInputTest, PathsWithBlanksAndChineseCharactersWork) {
    const std::string folder = dir.File("测量 数据 2024");
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    const std::string record = folder + "/导线 记录.xml";
    const std::string output = folder + "/成果 文件.txt";
    const std::string bytes = GbkRecordFile(Body(kStation));
    dir.Write("测量 数据 2024/导线 记录.xml", bytes);
    const Outcome reference = Reference();

    // The library takes GBK paths.
    MessageCapture capture;
    CImportXml importer;
    EXPECT_EQ(importer.OnButtonExchange(Utf8ToGbk(record)), 0u) << GbkToUtf8(importer.m_strError);
    EXPECT_EQ(importer.OnButtonTonbq(Utf8ToGbk(output)), 0u);
    EXPECT_EQ(ReadFileBytes(output), reference.exportedBytes);
    EXPECT_TRUE(capture.Messages().empty());

    // The program takes the user's UTF-8 paths; run writes FILE.txt by default.
    ProgramRun run = RunTraverse({"run", record, "-o", output + ".2"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(output + ".2"), reference.exportedBytes);
    run = RunTraverse({"run", record});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadFileBytes(folder + "/导线 记录.txt"), reference.exportedBytes);
    EXPECT_EQ(ReadFileBytes(record), bytes);
}

TEST_F(BadInputTest, OutputInAMissingFolderIsReportedAndWritesNothing) {
    const std::string record = dir.Write("record.xml", GbkRecordFile(Body(kStation)));
    const std::string output = dir.File("missing/out.txt");
    {
        MessageCapture capture;
        CImportXml importer;
        ASSERT_EQ(importer.OnButtonExchange(record), 0u);
        EXPECT_EQ(importer.OnButtonTonbq(output), RESULT_FAILED);
        EXPECT_EQ(capture.Messages(), std::vector<std::string>{GBK("打开文件错误！")});
        EXPECT_EQ(importer.m_arrStation.size(), 1u);  // the imported data stays
    }
    const ProgramRun run = RunTraverse({"export", record, output});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("打开文件错误！"), std::string::npos) << run.err;
    struct stat status {};
    EXPECT_NE(stat(dir.File("missing").c_str(), &status), 0);
}

TEST_F(BadInputTest, OutputInAReadOnlyFolderIsReported) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "running as root, whose writes permission bits do not stop";
    }
    const std::string record = dir.Write("record.xml", GbkRecordFile(Body(kStation)));
    const std::string folder = dir.File("read-only");
    ASSERT_EQ(mkdir(folder.c_str(), 0555), 0);
    const ProgramRun run = RunTraverse({"export", record, folder + "/out.txt"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("打开文件错误！"), std::string::npos) << run.err;
}

TEST_F(BadInputTest, OutputToAFullDeviceIsReportedOnStderrAndExitsOne) {
    const std::string record = dir.Write("record.xml", GbkRecordFile(Body(kStation)));
    {
        // The library lets the file error reach the host.
        MessageCapture capture;
        CImportXml importer;
        ASSERT_EQ(importer.OnButtonExchange(record), 0u);
        EXPECT_THROW(importer.OnButtonTonbq("/dev/full"), CFileException);
        EXPECT_EQ(importer.m_arrStation.size(), 1u);
    }
    for (const char* command : {"export", "run"}) {
        SCOPED_TRACE(command);
        const std::vector<std::string> arguments =
            std::string(command) == "run"
                ? std::vector<std::string>{"run", record, "-o", "/dev/full"}
                : std::vector<std::string>{"export", record, "/dev/full"};
        const ProgramRun run = RunTraverse(arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("/dev/full"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("No space left on device"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("written to"), std::string::npos) << run.err;
    }
}

// ---- records as other tools and people write them ---------------------------------------------

// kStation rewritten: every match of pattern replaced.
std::string Rewritten(const char* pattern, const char* replacement) {
    return GbkRecordFile(
        Body(std::regex_replace(std::string(kStation), std::regex(pattern), replacement)));
}

TEST_F(BadInputTest, FacesInTheOtherOrderAndCommentsAnywhereChangeNothing) {
    const Outcome reference = Reference();
    for (const Outcome& outcome :
         {RunBytes(Rewritten("盘左=(\"[^\"]*\") 盘右=(\"[^\"]*\")", "盘右=$2 盘左=$1")),
          RunBytes(Rewritten(">", "><!-- 注 --><?p x?>"))}) {
        EXPECT_EQ(outcome.import, reference.import);
        EXPECT_EQ(outcome.checkReport, reference.checkReport);
        EXPECT_EQ(outcome.exportedBytes, reference.exportedBytes);
        EXPECT_EQ(outcome.messages, reference.messages);
    }
}

TEST_F(BadInputTest, TextWhereARecordBelongsStopsTheImportSayingWhere) {
    const Outcome outcome = RunBytes(Rewritten("(<测回>)(<龙岗 盘左=\"90)", "$1 补测 $2"));
    EXPECT_EQ(outcome.import, RESULT_FAILED);
    EXPECT_EQ(outcome.messages, std::vector<std::string>{GBK("不可预知的异常错误！")});
    EXPECT_NE(GbkToUtf8(outcome.importError)
                  .find(": line 9, column 14: text \"补测\" where a record element"),
              std::string::npos)
        << GbkToUtf8(outcome.importError);
}

TEST_F(BadInputTest, ValuesThatAreNoNumbersAreReadAsBeforeAndWarnedAbout) {
    const std::string path = dir.Write("units.xml", Rewritten("仪器高=\"1.393\"", "仪器高=\"1.393m\""));
    const Outcome reference = Reference();
    const Outcome outcome = RunCommands(path);
    EXPECT_EQ(outcome.import, 0u);
    EXPECT_EQ(outcome.exportedBytes, reference.exportedBytes);
    const ProgramRun run = RunTraverse({"import", path});
    EXPECT_NE(run.err.find("仪器高=\"1.393m\" of station 凤岭 is no number; read as 1.393"),
              std::string::npos);
}

TEST_F(BadInputTest, SightsEitherSideOfTheZenithAndLimitsTheStandardLacks) {
    const std::string path = dir.Write("zenith.xml", Rewritten("<天顶距>.*</天顶距>", R"(<天顶距>
        <测回><龙岗 盘左="0.0001" 盘右="359.5959"/></测回><测回><龙岗 盘左="359.5959" 盘右="0.0001"/></测回>
      </天顶距>)"));
    ProgramRun run = RunTraverse({"check", "--all", path});
    EXPECT_NE(run.out.find("    龙岗                             2.0"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("647998"), std::string::npos);
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"check", "--all", "--grade", "四等", "--instrument", "6", path},
             {"check", "--grade", "四等", path}}) {
        run = RunTraverse(words);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
    }
}

}  // namespace
}  // namespace traverse
