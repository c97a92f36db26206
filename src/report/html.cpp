#include "report/html.h"

#include "report/html_text.h"
#include "traverse/code_page.h"

namespace traverse {

Html Text(std::string_view utf8) { return Html(EscapeHtml(utf8)); }

Html GbkText(const std::string& gbk) { return detail::TextOf(GbkToUtf8(gbk)); }

Html detail::TextOf(std::string&& utf8) {
    return IsPlainText(utf8) ? Html(std::move(utf8)) : Html(EscapeHtml(utf8));
}

Html Markup(Literal markup) { return Html(markup.c_str()); }

}  // namespace traverse
