#include "report/html.h"

#include "report/html_text.h"
#include "traverse/code_page.h"

namespace traverse {

Html Text(std::string_view utf8) { return Html(EscapeHtml(utf8)); }

Html GbkText(const std::string& gbk) { return Text(GbkToUtf8(gbk)); }

Html Markup(Literal markup) { return Html(markup.c_str()); }

}  // namespace traverse
