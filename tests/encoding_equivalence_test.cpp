// The same records as a GBK file and as a UTF-8 file give byte-identical reports and adjustment
// files.
#include <string>

#include <gtest/gtest.h>

#include "support/message_capture.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

struct Outputs {
    std::uint32_t import;
    std::string importReport;
    std::string checkReport;
    std::vector<std::string> messages;
    std::string adjustmentFile;
};

Outputs Process(const TempDir& dir, const std::string& recordPath, const std::string& outName) {
    MessageCapture messages;
    CImportXml importer;
    Outputs outputs;
    outputs.import = importer.OnButtonExchange(recordPath);
    outputs.importReport = importer.m_strText;
    importer.OnButtonCheck();
    outputs.checkReport = importer.m_strText;
    EXPECT_EQ(importer.OnButtonTonbq(dir.File(outName)), 0u);
    outputs.messages = messages.Messages();
    outputs.adjustmentFile = ReadFileBytes(dir.File(outName));
    return outputs;
}

TEST(EncodingEquivalence, GbkAndUtf8RecordFilesGiveTheSameOutputs) {
    for (const char* example : {"traverse.xml", "2c-over-limit.xml", "round-not-closed.xml"}) {
        TempDir dir;
        const std::string gbkPath = std::string(TRAVERSE_EXAMPLES_DIR) + "/" + example;
        std::string utf8 = GbkToUtf8(ReadFileBytes(gbkPath));
        const std::string declared = "encoding=\"GBK\"";
        const size_t at = utf8.find(declared);
        ASSERT_NE(at, std::string::npos) << example;
        utf8.replace(at, declared.size(), "encoding=\"UTF-8\"");
        const std::string utf8Path = dir.Write("utf8.xml", utf8);

        const Outputs gbk = Process(dir, gbkPath, "gbk.txt");
        const Outputs other = Process(dir, utf8Path, "utf8.txt");
        EXPECT_EQ(gbk.import, other.import) << example;
        EXPECT_EQ(gbk.importReport, other.importReport) << example;
        EXPECT_EQ(gbk.checkReport, other.checkReport) << example;
        EXPECT_EQ(gbk.messages, other.messages) << example;
        EXPECT_EQ(gbk.adjustmentFile, other.adjustmentFile) << example;
        EXPECT_GT(gbk.adjustmentFile.size(), 100u) << example;
    }
}

}  // namespace
}  // namespace traverse
