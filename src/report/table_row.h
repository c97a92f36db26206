// One row of a table, cell by cell: text is escaped, numbers are formatted in the "C" locale.
// Cells and rows leave their end tags out, as HTML allows, so that large reports stay small.
#ifndef TRAVERSE_REPORT_TABLE_ROW_H
#define TRAVERSE_REPORT_TABLE_ROW_H

#include <string>
#include <string_view>

#include "report/html.h"

namespace traverse {

class Row {
public:
    // <tr>, or <tr class="cssClass"> when cssClass is not empty.
    explicit Row(std::string_view cssClass = {});

    Row& Cell(const Html& content, std::string_view cssClass = {});
    // A cell over columns columns.
    Row& Span(int columns, const Html& content, std::string_view cssClass = {});
    Row& Text(std::string_view utf8, std::string_view cssClass = {});
    Row& Gbk(const std::string& gbk) { return Cell(GbkText(gbk)); }
    template <typename... Numbers>
    Row& Num(const char* format, Numbers... numbers) {
        return Cell(traverse::Num(format, numbers...));
    }

    // Ends the row with a line feed and hands it over.
    Html Line();

private:
    Html m_html;
};

}  // namespace traverse

#endif
