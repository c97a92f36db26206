// The page from its parts: head with the style sheet, the title, then the sections in the order
// a reviewer reads them, the plot right after the summary.
#include "traverse/html_report.h"

#include <utility>

#include "platform/c_number.h"
#include "platform/messages.h"
#include "platform/output_file.h"
#include "report/html_text.h"
#include "report/page_sections.h"
#include "report/page_style.h"
#include "traverse/import_xml.h"
#include "traverse/version.h"

namespace traverse {

void CollectReportResults(const CImportXml& importer, const FieldCheckOptions& fieldOptions,
                          const AdjustmentOptions& adjustmentOptions, HtmlReportInput& input) {
    input.counts = CountImport(importer);
    input.incomplete = FindIncompleteObservations(importer);
    input.valuesNotNumbers = FindValuesNotNumbers(importer);
    input.fieldChecks = RunFieldChecks(importer, fieldOptions);
    input.adjustment = AdjustNetwork(importer, adjustmentOptions);
    // The adjusted points are drawn when there are any; the sketch serves otherwise.
    if (input.adjustment.status != AdjustmentStatus::Adjusted) input.sketch = SketchNetwork(importer, adjustmentOptions);
}

HtmlReportInput CollectReportInput(CImportXml& importer, const std::string& gbkPath,
                                   const std::string& utf8FileName,
                                   const FieldCheckOptions& fieldOptions,
                                   const AdjustmentOptions& adjustmentOptions,
                                   const ReportCommandRunner& run) {
    const ReportCommandRunner runStraight = [](const char*,
                                               const std::function<std::uint32_t()>& command) {
        return ReportCommandOutcome{command(), {}};
    };
    const ReportCommandRunner& runCommand = run ? run : runStraight;
    HtmlReportInput input;
    input.fileName = utf8FileName;
    ReportCommandOutcome import =
        runCommand("import", [&] { return importer.OnButtonExchange(gbkPath); });
    input.importResult = import.result;
    input.importReport = importer.m_strText;
    input.importMessages = std::move(import.gbkMessages);
    const std::vector<std::string>& messages = input.importMessages;
    const bool shown = !messages.empty() && messages.back() == importer.m_strError;
    if (!importer.m_strError.empty() && !shown) input.importMessages.push_back(importer.m_strError);
    runCommand("check", [&] { return importer.OnButtonCheck(); });
    input.checkReport = importer.m_strText;
    CollectReportResults(importer, fieldOptions, adjustmentOptions, input);
    return input;
}

std::string BuildHtmlReport(const HtmlReportInput& input) {
    std::string page;
    page.reserve(64 * 1024);
    const std::string title = EscapeHtml(FormatText(text::kHtmlPageTitle, input.fileName.c_str()));
    page += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
            // Nothing but the inline style may load or run, whatever a name in the file holds.
            "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; style-src 'unsafe-inline'\">\n"
            "<title>" +
            title + "</title>\n<style>" + kPageStyle + "</style>\n</head>\n<body>\n";
    page += std::string("<header><h1>") + text::kHtmlTitle + "</h1><p>" + EscapeHtml(input.fileName) +
            "</p></header>\n<main>\n";
    AppendSummary(input, page);
    AppendNetworkPlot(input, page);
    AppendImportSection(input, page);
    AppendCheckReportSection(input, page);
    AppendFieldCheckSection(input.fieldChecks, page);
    AppendAdjustmentSection(input.adjustment, page);
    page += "</main>\n<footer>" + EscapeHtml(FormatText(text::kHtmlFooter, TRAVERSE_VERSION)) +
            "</footer>\n</body>\n</html>\n";
    return page;
}

std::uint32_t WriteHtmlReport(const HtmlReportInput& input, const std::string& path) {
    const std::string page = BuildHtmlReport(input);
    const bool written = WriteOutputFile(path, [&](CStdioFile& file) { file.Write(page.data(), page.size()); });
    return written ? 0 : RESULT_FAILED;
}

}  // namespace traverse
