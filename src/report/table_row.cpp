#include "report/table_row.h"

#include "report/html_element.h"

namespace traverse {

Row::Row(std::string_view cssClass) : m_html(Tag("tr").Class(cssClass).Open()) {}

Row& Row::Cell(const Html& content, std::string_view cssClass) {
    m_html += cssClass.empty() ? Markup("<td>") : Tag("td").Class(cssClass).Open();
    m_html += content;
    return *this;
}

Row& Row::Span(int columns, const Html& content, std::string_view cssClass) {
    m_html += Tag("td").Attr("colspan", FormatText("%d", columns)).Class(cssClass).Open();
    m_html += content;
    return *this;
}

Row& Row::Text(std::string_view utf8, std::string_view cssClass) {
    return Cell(traverse::Text(utf8), cssClass);
}

Html Row::Line() {
    m_html += Markup("\n");
    return std::move(m_html);
}

}  // namespace traverse
