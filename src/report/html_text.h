// Text for the HTML page: valid UTF-8 whatever came in, markup characters escaped, and the small
// pieces of markup every section uses.
#ifndef TRAVERSE_REPORT_HTML_TEXT_H
#define TRAVERSE_REPORT_HTML_TEXT_H

#include <string>
#include <string_view>
#include <vector>

#include "platform/text.h"
#include "report/html.h"

namespace traverse {

// utf8 with & < > " ' as character references; bytes that are no UTF-8 and control characters
// (but tab and line feed) become U+FFFD; carriage returns are dropped.
std::string EscapeHtml(std::string_view utf8);
// Whether EscapeHtml returns utf8 as it is.
bool IsPlainText(std::string_view utf8);

// The verdict of one check, as a mark that reads without colour too.
enum class Judgement { Pass, Fail, NotJudged };
Judgement Judge(bool judged, bool passed);
Html Mark(Judgement judgement);
// "pass", "fail" or "none": the class of a row or cell.
const char* JudgementClass(Judgement judgement);

// A table head of the headings, then the body is opened; CloseTable closes both. A wrapper
// scrolls wide tables sideways on a narrow screen.
void OpenTable(Html& page, const std::vector<std::string>& headings,
               std::string_view cssClass = {});
template <std::size_t N>
std::vector<std::string> Columns(const char* const (&headings)[N]) {
    return std::vector<std::string>(headings, headings + N);
}
template <std::size_t N>
std::vector<std::string> Columns(const text::Text (&headings)[N]) {
    return std::vector<std::string>(headings, headings + N);
}
void CloseTable(Html& page);

// <h2 id=...> ... opening a <section>; CloseSection ends it.
void OpenSection(Html& page, Literal id, const char* heading);
void CloseSection(Html& page);

// <h3>utf8</h3> on a line of its own.
void AppendHeading(Html& page, std::string_view utf8);
// <p class="cssClass">utf8</p> on a line of its own (<p> when cssClass is empty).
void AppendParagraph(Html& page, std::string_view cssClass, std::string_view utf8);

// <ul class="cssClass"> with one item per GBK line, on a line of its own.
void AppendGbkList(Html& page, std::string_view cssClass, const std::vector<std::string>& gbkLines);

// A preformatted block of a GBK report, as it is (an empty report shows that it is empty).
void AppendReportText(Html& page, const std::string& gbkText);

}  // namespace traverse

#endif
