// The same records as a GBK file and as a UTF-8 file give byte-identical reports and adjustment
// files.
#include <string>

#include <gtest/gtest.h>

#include "support/record_outputs.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

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

        const RecordOutputs gbk = ProcessRecordFile(dir, gbkPath, "gbk.txt", false);
        ExpectSameRecordOutputs(gbk, ProcessRecordFile(dir, utf8Path, "utf8.txt", false), example);
        EXPECT_GT(gbk.adjustmentFile.size(), 100u) << example;
    }
}

}  // namespace
}  // namespace traverse
