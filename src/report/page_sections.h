// The sections of the HTML report, each appended to the page in turn.
#ifndef TRAVERSE_REPORT_PAGE_SECTIONS_H
#define TRAVERSE_REPORT_PAGE_SECTIONS_H

#include <string>

#include "report/html.h"
#include "traverse/html_report.h"

namespace traverse {

// The verdict, the facts of the file and one line per check with its worst value and limit.
void AppendSummary(const HtmlReportInput& input, Html& page);
// The SVG plot of the adjusted network, or of the network as placed when it was not adjusted.
void AppendNetworkPlot(const HtmlReportInput& input, Html& page);
// The import's result, its incomplete observations, its report and messages.
void AppendImportSection(const HtmlReportInput& input, Html& page);
// The horizontal-angle check report as it is.
void AppendCheckReportSection(const HtmlReportInput& input, Html& page);
// The limits of the items and one table per kind of observation.
void AppendFieldCheckSection(const FieldCheckResult& result, Html& page);
// Settings, notes, closures, tests, points and observations, or why the adjustment did not run.
void AppendAdjustmentSection(const AdjustmentResult& result, Html& page);

}  // namespace traverse

#endif
