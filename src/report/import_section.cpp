// What the import found and the horizontal-angle check report, as the library wrote them.
#include <string>

#include "platform/c_number.h"
#include "platform/messages.h"
#include "report/html_text.h"
#include "report/long_table.h"
#include "report/page_sections.h"

namespace traverse {
namespace {

const char* KindText(IncompleteKind kind) {
    switch (kind) {
        case IncompleteKind::Horizontal: return text::kHtmlKindHorizontal;
        case IncompleteKind::Zenith: return text::kHtmlKindZenith;
        case IncompleteKind::Distance: return text::kHtmlKindDistance;
        case IncompleteKind::TargetHeight: break;
    }
    return text::kHtmlKindTargetHeight;
}

void AppendIncomplete(const std::vector<IncompleteObservation>& incomplete, std::string& page) {
    page += std::string("<h3>") + text::kHtmlIncompleteHeading + "</h3>\n";
    if (incomplete.empty()) {
        page += std::string("<p class=\"pass\">") + text::kHtmlNoIncomplete + "</p>\n";
        return;
    }
    OpenTable(page, Columns(text::kHtmlIncompleteColumns), "fail lead3");
    for (const IncompleteObservation& o : incomplete) {
        const std::string round = o.round > 0 ? FormatText("%d", o.round) : std::string(text::kHtmlNone);
        page += "<tr>" + Cell(EscapeGbk(o.station)) + Cell(EscapeHtml(KindText(o.kind))) + Cell(EscapeGbk(o.target)) +
                Cell(round) + "\n";
    }
    CloseTable(page);
}

// One row per value whose text is no number; nothing when there is none.
void AppendValuesNotNumbers(const std::vector<ValueNotNumber>& values, std::string& page) {
    if (values.empty()) return;
    page += std::string("<h3>") + text::kHtmlValuesNotNumbersHeading + "</h3>\n";
    OpenTable(page, Columns(text::kHtmlValuesNotNumbersColumns), "fail lead3");
    for (const ValueNotNumber& v : values) {
        const std::string round =
            v.round > 0 ? FormatText("%d", v.round) : std::string(text::kHtmlNone);
        page += "<tr>" + Cell(EscapeGbk(v.station)) + Cell(EscapeHtml(ValueKindName(v.kind))) +
                Cell(round) + Cell(EscapeGbk(v.element)) + Cell(EscapeGbk(v.attribute)) +
                Cell(EscapeGbk(v.text)) + Cell(FormatText("%ld", v.line)) +
                Cell(FormatText("%.15g", AToF(v.text))) + "\n";
    }
    CloseTable(page);
}

}  // namespace

void AppendImportSection(const HtmlReportInput& input, std::string& page) {
    OpenSection(page, "import", text::kHtmlImport);
    AppendIncomplete(input.incomplete, page);
    AppendValuesNotNumbers(input.valuesNotNumbers, page);
    page += std::string("<h3>") + text::kHtmlImportReportHeading + "</h3>\n";
    AppendReportText(page, input.importReport);
    if (!input.importMessages.empty()) {
        page += std::string("<h3>") + text::kHtmlImportMessagesHeading + "</h3>\n<ul class=\"messages\">";
        for (const std::string& message : input.importMessages) page += "<li>" + EscapeGbk(message) + "</li>";
        page += "</ul>\n";
    }
    CloseSection(page);
}

void AppendCheckReportSection(const HtmlReportInput& input, std::string& page) {
    OpenSection(page, "check-report", text::kHtmlCheckReport);
    AppendLongReportText(page, input.checkReport, "traverse check");
    CloseSection(page);
}

}  // namespace traverse
