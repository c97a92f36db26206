// What the import found and the horizontal-angle check report, as the library wrote them.
#include <string>

#include "platform/c_number.h"
#include "report/html_text.h"
#include "report/long_table.h"
#include "report/page_sections.h"
#include "report/page_texts.h"
#include "report/table_row.h"

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

// A round's number, or a dash when the value belongs to none.
Html RoundText(int round) { return round > 0 ? Num("%d", round) : Text(text::kHtmlNone); }

void AppendIncomplete(const std::vector<IncompleteObservation>& incomplete, Html& page) {
    AppendHeading(page, text::kHtmlIncompleteHeading);
    if (incomplete.empty()) {
        AppendParagraph(page, "pass", text::kHtmlNoIncomplete);
        return;
    }
    OpenTable(page, Columns(text::kHtmlIncompleteColumns), "fail lead3");
    for (const IncompleteObservation& o : incomplete) {
        page += Row()
                    .Gbk(o.station)
                    .Text(KindText(o.kind))
                    .Gbk(o.target)
                    .Cell(RoundText(o.round))
                    .Line();
    }
    CloseTable(page);
}

// One row per value whose text is no number; nothing when there is none.
void AppendValuesNotNumbers(const std::vector<ValueNotNumber>& values, Html& page) {
    if (values.empty()) return;
    AppendHeading(page, text::kHtmlValuesNotNumbersHeading);
    OpenTable(page, Columns(text::kHtmlValuesNotNumbersColumns), "fail lead3");
    for (const ValueNotNumber& v : values) {
        page += Row()
                    .Gbk(v.station)
                    .Text(ValueKindName(v.kind))
                    .Cell(RoundText(v.round))
                    .Gbk(v.element)
                    .Gbk(v.attribute)
                    .Gbk(v.text)
                    .Num("%ld", v.line)
                    .Num("%.15g", AToF(v.text))
                    .Line();
    }
    CloseTable(page);
}

void AppendImportMessages(const std::vector<std::string>& gbkMessages, Html& page) {
    if (gbkMessages.empty()) return;
    AppendHeading(page, text::kHtmlImportMessagesHeading);
    AppendGbkList(page, "messages", gbkMessages);
}

}  // namespace

void AppendImportSection(const HtmlReportInput& input, Html& page) {
    OpenSection(page, "import", text::kHtmlImport);
    AppendIncomplete(input.incomplete, page);
    AppendValuesNotNumbers(input.valuesNotNumbers, page);
    AppendHeading(page, text::kHtmlImportReportHeading);
    AppendReportText(page, input.importReport);
    AppendImportMessages(input.importMessages, page);
    CloseSection(page);
}

void AppendCheckReportSection(const HtmlReportInput& input, Html& page) {
    OpenSection(page, "check-report", text::kHtmlCheckReport);
    AppendLongReportText(page, input.checkReport, "traverse check");
    CloseSection(page);
}

}  // namespace traverse
