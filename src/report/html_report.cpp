// The page from its parts: head with the style sheet, the title, then the sections in the order
// a reviewer reads them, the plot right after the summary.
#include "traverse/html_report.h"

#include <utility>

#include "platform/c_number.h"
#include "platform/output_file.h"
#include "report/html_element.h"
#include "report/page_sections.h"
#include "report/page_style.h"
#include "report/page_texts.h"
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
    if (input.adjustment.status != AdjustmentStatus::Adjusted)
        input.sketch = SketchNetwork(importer, adjustmentOptions);
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

namespace {

Html PageHead(const std::string& utf8FileName) {
    const std::string title = FormatText(text::kHtmlPageTitle, utf8FileName.c_str());
    return Markup("<!DOCTYPE html>\n<html lang=\"") + Text(text::kHtmlLanguage) +
           Markup(
               "\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
               // Nothing but the inline style may load or run, whatever a name in the file holds.
               "<meta http-equiv=\"Content-Security-Policy\" "
               "content=\"default-src 'none'; style-src 'unsafe-inline'\">\n") +
           Tag("title").Wrap(Text(title)) + Markup("\n") + StyleElement() + Markup("\n</head>\n");
}

}  // namespace

std::string BuildHtmlReport(const HtmlReportInput& input) {
    Html page;
    page.Reserve(64 * 1024);
    page += PageHead(input.fileName) + Markup("<body>\n");
    const Html header =
        Tag("h1").Wrap(Text(text::kHtmlTitle)) + Tag("p").Wrap(Text(input.fileName));
    page += Tag("header").Wrap(header) + Markup("\n<main>\n");
    AppendSummary(input, page);
    AppendNetworkPlot(input, page);
    AppendImportSection(input, page);
    AppendCheckReportSection(input, page);
    AppendFieldCheckSection(input.fieldChecks, page);
    AppendAdjustmentSection(input.adjustment, page);
    const std::string footer = FormatText(text::kHtmlFooter, TRAVERSE_VERSION);
    page += Markup("</main>\n") + Tag("footer").Wrap(Text(footer)) + Markup("\n</body>\n</html>\n");
    return std::move(page).Release();
}

std::uint32_t WriteHtmlReport(const HtmlReportInput& input, const std::string& path) {
    const std::string page = BuildHtmlReport(input);
    const bool written =
        WriteOutputFile(path, [&](CStdioFile& file) { file.Write(page.data(), page.size()); });
    return written ? 0 : RESULT_FAILED;
}

}  // namespace traverse
