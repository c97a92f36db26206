// Long lists on the page: a table of many rows shows its flagged rows first and keeps the others
// behind <details>, only so many of each, so that a big network's page stays light to load; the
// program's text output lists them all. Short tables stay as they are, in their order.
#ifndef TRAVERSE_REPORT_LONG_TABLE_H
#define TRAVERSE_REPORT_LONG_TABLE_H

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "report/html.h"

namespace traverse {

// Beyond this many rows (items, lines) a list is long.
constexpr std::size_t kLongListRows = 200;
// The unflagged rows (items, lines) a long list shows behind <details>.
constexpr std::size_t kShownRows = 2000;

inline bool IsLongList(std::size_t rows) { return rows > kLongListRows; }

struct TableRow {
    Html html;  // <tr> and its cells
    bool flagged = false;
};

struct TableHead {
    std::vector<std::string> headings;
    std::string_view cssClass;
    Html leadRows;  // rows that open every part of the table (a row of limits)
};

// The table whole when it is short; else its flagged rows in their order (up to kShownRows), then
// the others behind <details>. command names the text output that lists every row.
void AppendTable(Html& page, const TableHead& head, const std::vector<TableRow>& rows,
                 const char* command);

// A list of items, <ul class="cssClass">; a long one behind <details>.
void AppendList(Html& page, std::string_view cssClass, const std::vector<Html>& items,
                const char* command);

// A GBK report as preformatted text (AppendReportText); a long one behind <details>.
void AppendLongReportText(Html& page, const std::string& gbkText, const char* command);

}  // namespace traverse

#endif
