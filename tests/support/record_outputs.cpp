#include "support/record_outputs.h"

#include <gtest/gtest.h>

#include "support/message_capture.h"
#include "traverse/adjust.h"
#include "traverse/field_checks.h"
#include "traverse/import_xml.h"

namespace traverse {

RecordOutputs ProcessRecordFile(const TempDir& dir, const std::string& recordPath,
                                const std::string& outName, bool withResults) {
    MessageCapture messages;
    CImportXml importer;
    RecordOutputs outputs;
    outputs.import = importer.OnButtonExchange(recordPath);
    outputs.importReport = importer.m_strText;
    importer.OnButtonCheck();
    outputs.checkReport = importer.m_strText;
    EXPECT_EQ(importer.OnButtonTonbq(dir.File(outName)), 0u) << recordPath;
    outputs.adjustmentFile = ReadFileBytes(dir.File(outName));
    outputs.messages = messages.Messages();
    if (withResults) {
        outputs.fieldChecks = FormatFieldChecks(RunFieldChecks(importer, FieldCheckOptions{}));
        outputs.adjustment = FormatAdjustmentReport(AdjustNetwork(importer, AdjustmentOptions{}));
    }
    return outputs;
}

void ExpectSameRecordOutputs(const RecordOutputs& a, const RecordOutputs& b,
                             const std::string& what) {
    EXPECT_EQ(a.import, b.import) << what;
    EXPECT_EQ(a.importReport, b.importReport) << what;
    EXPECT_EQ(a.checkReport, b.checkReport) << what;
    EXPECT_EQ(a.messages, b.messages) << what;
    EXPECT_EQ(a.adjustmentFile, b.adjustmentFile) << what;
    EXPECT_EQ(a.fieldChecks, b.fieldChecks) << what;
    EXPECT_EQ(a.adjustment, b.adjustment) << what;
}

}  // namespace traverse
