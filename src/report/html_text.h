// Text for the HTML page: valid UTF-8 whatever came in, markup characters escaped, numbers in the
// "C" locale, and the small pieces of markup every section uses.
#ifndef TRAVERSE_REPORT_HTML_TEXT_H
#define TRAVERSE_REPORT_HTML_TEXT_H

#include <string>
#include <string_view>
#include <vector>

namespace traverse {

// utf8 with & < > " ' as character references; bytes that are no UTF-8 and control characters
// (but tab and line feed) become U+FFFD; carriage returns are dropped.
std::string EscapeHtml(std::string_view utf8);

// A GBK text of the library, converted and escaped.
std::string EscapeGbk(const std::string& gbk);

// The verdict of one check, as a mark that reads without colour too.
enum class Judgement { Pass, Fail, NotJudged };
Judgement Judge(bool judged, bool passed);
std::string MarkHtml(Judgement judgement);
// "pass", "fail" or "none": the class of a row or cell.
const char* JudgementClass(Judgement judgement);

// <td> holding html (already escaped), with a class when cssClass is not empty. Cells and rows
// leave their end tags out, as HTML allows, so that large reports stay small.
std::string Cell(const std::string& html, std::string_view cssClass = {});

// A table head of escaped headings, then the body is opened; CloseTable closes both. A wrapper
// scrolls wide tables sideways on a narrow screen.
void OpenTable(std::string& page, const std::vector<std::string>& headings, std::string_view cssClass = {});
template <std::size_t N>
std::vector<std::string> Columns(const char* const (&headings)[N]) {
    return std::vector<std::string>(headings, headings + N);
}
void CloseTable(std::string& page);

// <h2 id=...> ... opening a <section>; CloseSection ends it.
void OpenSection(std::string& page, const char* id, const char* heading);
void CloseSection(std::string& page);

// A preformatted block of a GBK report, as it is (an empty report shows that it is empty).
void AppendReportText(std::string& page, const std::string& gbkText);

}  // namespace traverse

#endif
