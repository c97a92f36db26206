// The report to look at: one self-contained HTML5 page (UTF-8, CSS and SVG inline, no script, no
// external resource) with a summary, the import's findings, the horizontal-angle check report,
// the field checks, the adjustment and a plot of the network. Readable on a phone, printable on A4.
#ifndef TRAVERSE_HTML_REPORT_H
#define TRAVERSE_HTML_REPORT_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "traverse/adjust.h"
#include "traverse/field_checks.h"
#include "traverse/import_contents.h"
#include "traverse/visibility.h"

namespace traverse {

class CImportXml;

// Everything the page shows; plain values, texts GBK as the library holds them unless said.
struct HtmlReportInput {
    std::string fileName;                 // UTF-8, shown as it is (escaped)
    std::uint32_t importResult = 0;       // of OnButtonExchange
    std::string importReport;             // m_strText after the import
    std::vector<std::string> importMessages;  // message boxes and m_strError of the import
    ImportCounts counts;
    std::vector<IncompleteObservation> incomplete;
    std::vector<ValueNotNumber> valuesNotNumbers;
    std::string checkReport;              // m_strText after OnButtonCheck, as it is
    FieldCheckResult fieldChecks;
    AdjustmentResult adjustment;          // any status: a failure is shown with its reason
    NetworkSketch sketch;                 // plotted when the adjustment has no points
};

// Fills counts, incomplete, valuesNotNumbers, fieldChecks, adjustment and sketch from an importer
// after its import (read only); the caller sets the file name, the import's result and texts and
// the check report.
TRAVERSE_API void CollectReportResults(const CImportXml& importer,
                                       const FieldCheckOptions& fieldOptions,
                                       const AdjustmentOptions& adjustmentOptions,
                                       HtmlReportInput& input);

// What one importer command run for the page left: its result and the GBK texts of the message
// boxes it showed, in order.
struct ReportCommandOutcome {
    std::uint32_t result = 0;
    std::vector<std::string> gbkMessages;
};

// Runs command, named "import" or "check", for the page. A host passes its own to show the
// messages and count the failures as its other commands do.
using ReportCommandRunner = std::function<ReportCommandOutcome(
    const char* name, const std::function<std::uint32_t()>& command)>;

// The page's input for one record file: imports gbkPath into importer and checks its
// horizontal-angle rounds through run (by default straight, the message boxes going to the
// installed handler, none collected), then fills every result as CollectReportResults does. The
// import's messages end with m_strError when it says more than the last of them.
TRAVERSE_API HtmlReportInput CollectReportInput(CImportXml& importer, const std::string& gbkPath,
                                                const std::string& utf8FileName,
                                                const FieldCheckOptions& fieldOptions,
                                                const AdjustmentOptions& adjustmentOptions,
                                                const ReportCommandRunner& run = {});

// The page, UTF-8 bytes. Every name and text from the record file is escaped.
TRAVERSE_API std::string BuildHtmlReport(const HtmlReportInput& input);

// Writes BuildHtmlReport(input) to path (GBK). 0, or RESULT_FAILED when the file cannot be opened
// (shown in a message box, "打开文件错误！"); a failing write raises CFileException.
TRAVERSE_API std::uint32_t WriteHtmlReport(const HtmlReportInput& input, const std::string& path);

}  // namespace traverse

#endif
