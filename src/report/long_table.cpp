#include "report/long_table.h"

#include <algorithm>

#include "platform/c_number.h"
#include "report/html_element.h"
#include "report/html_text.h"
#include "report/page_texts.h"

namespace traverse {
namespace {

void OpenDetails(Html& page, const std::string& summary) {
    page += Markup("<details>") + Tag("summary").Wrap(Text(summary)) + Markup("\n");
}

// Closes the details, saying how many of total were shown when some were left out.
void CloseDetails(Html& page, std::size_t total, const char* command) {
    if (total > kShownRows) {
        const std::string shown = FormatText(text::kHtmlFirstShown, kShownRows, total, command);
        AppendParagraph(page, "quiet", shown);
    }
    page += Markup("</details>\n");
}

void AppendTablePart(Html& page, const TableHead& head, const std::vector<const TableRow*>& rows) {
    OpenTable(page, head.headings, head.cssClass);
    page += head.leadRows;
    for (const TableRow* row : rows) page += row->html;
    CloseTable(page);
}

}  // namespace

void AppendTable(Html& page, const TableHead& head, const std::vector<TableRow>& rows,
                 const char* command) {
    const bool isLong = IsLongList(rows.size());
    std::vector<const TableRow*> shown, others;
    for (const TableRow& row : rows) (row.flagged || !isLong ? shown : others).push_back(&row);
    // Beyond the rows a page can show, flagged rows go behind <details> too, ahead of the others.
    const bool manyFlagged = isLong && shown.size() > kShownRows;
    if (manyFlagged) {
        others.insert(others.begin(), shown.begin() + kShownRows, shown.end());
        shown.resize(kShownRows);
    }
    if (!shown.empty() || others.empty()) AppendTablePart(page, head, shown);
    if (others.empty()) return;
    const std::size_t total = others.size();
    const char* summary = manyFlagged ? text::kHtmlMoreRows : text::kHtmlUnflaggedRows;
    OpenDetails(page, FormatText(summary, total));
    others.resize(std::min(total, kShownRows));
    AppendTablePart(page, head, others);
    CloseDetails(page, total, command);
}

void AppendList(Html& page, std::string_view cssClass, const std::vector<Html>& items,
                const char* command) {
    const bool isLong = IsLongList(items.size());
    if (isLong) OpenDetails(page, FormatText(text::kHtmlListItems, items.size()));
    page += Tag("ul").Class(cssClass).Open();
    const std::size_t shown = isLong ? std::min(items.size(), kShownRows) : items.size();
    for (std::size_t i = 0; i < shown; ++i) page += Markup("<li>") + items[i] + Markup("\n");
    page += Markup("</ul>\n");
    if (isLong) CloseDetails(page, items.size(), command);
}

void AppendLongReportText(Html& page, const std::string& gbkText, const char* command) {
    const auto lines = static_cast<std::size_t>(std::count(gbkText.begin(), gbkText.end(), '\n'));
    if (!IsLongList(lines)) {
        AppendReportText(page, gbkText);
        return;
    }
    std::size_t end = 0;
    for (std::size_t line = 0; line < std::min(lines, kShownRows); ++line) {
        end = gbkText.find('\n', end) + 1;
    }
    OpenDetails(page, FormatText(text::kHtmlReportLines, lines));
    AppendReportText(page, gbkText.substr(0, end));
    CloseDetails(page, lines, command);
}

}  // namespace traverse
