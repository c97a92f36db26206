#include "support/adjust_record.h"

#include <gtest/gtest.h>

#include "support/message_capture.h"
#include "support/record_file.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"
#include "traverse/import_xml.h"

namespace traverse {

AdjustmentResult AdjustRecordBody(const std::string& utf8Body, const AdjustmentOptions& options) {
    MessageCapture quiet;
    TempDir dir;
    CImportXml importer;
    const std::uint32_t imported =
        importer.OnButtonExchange(dir.Write("network.xml", GbkRecordFile(utf8Body)));
    EXPECT_EQ(imported, 0u) << GbkToUtf8(importer.m_strText);
    return AdjustNetwork(importer, options);
}

const AdjustedPoint* FindPoint(const AdjustmentResult& result, const std::string& utf8Name) {
    const std::string name = Utf8ToGbk(utf8Name);
    for (const AdjustedPoint& point : result.points) {
        if (point.name == name) return &point;
    }
    return nullptr;
}

}  // namespace traverse
