#include "report/html_text.h"

#include <algorithm>

#include "platform/characters.h"
#include "report/html_element.h"
#include "report/page_texts.h"

namespace traverse {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

// A character the page may not carry as it is: a C0 control but tab and line feed, DEL, a C1
// control, or a byte that starts no UTF-8 sequence.
bool Unfit(const chars::Utf8Char& c) {
    if (c.length == 1 && c.code >= 0x80) return true;
    if (c.code < 0x20) return c.code != '\t' && c.code != '\n';
    return c.code >= 0x7F && c.code <= 0x9F;
}

// A byte that the page may not carry as it is, or that may start such a character.
bool NeedsCare(char byte) {
    const auto code = static_cast<unsigned char>(byte);
    if (code < 0x20 || code >= 0x7F) return true;
    return byte == '&' || byte == '<' || byte == '>' || byte == '"' || byte == '\'';
}

}  // namespace

bool IsPlainText(std::string_view utf8) {
    return std::none_of(utf8.begin(), utf8.end(), NeedsCare);
}

std::string EscapeHtml(std::string_view utf8) {
    // Most texts of a page are numbers and plain names: they go as they are.
    if (IsPlainText(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    for (std::size_t pos = 0; pos < utf8.size();) {
        const chars::Utf8Char c = chars::DecodeUtf8(utf8, pos);
        if (c.code == '\r') {
            // dropped: the page's lines end with line feeds alone
        } else if (Unfit(c)) {
            out += kReplacement;
        } else if (c.code == '&') {
            out += "&amp;";
        } else if (c.code == '<') {
            out += "&lt;";
        } else if (c.code == '>') {
            out += "&gt;";
        } else if (c.code == '"') {
            out += "&quot;";
        } else if (c.code == '\'') {
            out += "&#39;";
        } else {
            out.append(utf8.substr(pos, c.length));
        }
        pos += c.length;
    }
    return out;
}

Judgement Judge(bool judged, bool passed) {
    if (!judged) return Judgement::NotJudged;
    return passed ? Judgement::Pass : Judgement::Fail;
}

Html Mark(Judgement judgement) {
    const char* const kTexts[] = {text::kHtmlPass, text::kHtmlFail, text::kHtmlNotJudged};
    const std::string cssClass = std::string("mark ") + JudgementClass(judgement);
    return Tag("span").Class(cssClass).Wrap(Text(kTexts[static_cast<int>(judgement)]));
}

const char* JudgementClass(Judgement judgement) {
    switch (judgement) {
        case Judgement::Pass: return "pass";
        case Judgement::Fail: return "fail";
        case Judgement::NotJudged: break;
    }
    return "none";
}

void OpenTable(Html& page, const std::vector<std::string>& headings, std::string_view cssClass) {
    page += Markup("<div class=\"scroll\">") + Tag("table").Class(cssClass).Open() +
            Markup("<thead><tr>");
    for (const std::string& heading : headings) page += Markup("<th>") + Text(heading);
    page += Markup("</tr></thead><tbody>\n");
}

void CloseTable(Html& page) { page += Markup("</tbody></table></div>\n"); }

void OpenSection(Html& page, Literal id, const char* heading) {
    page +=
        Tag("section").Attr("id", id.c_str()).Open() + Tag("h2").Wrap(Text(heading)) + Markup("\n");
}

void CloseSection(Html& page) { page += Markup("</section>\n"); }

void AppendHeading(Html& page, std::string_view utf8) {
    page += Tag("h3").Wrap(Text(utf8)) + Markup("\n");
}

void AppendParagraph(Html& page, std::string_view cssClass, std::string_view utf8) {
    page += Tag("p").Class(cssClass).Wrap(Text(utf8)) + Markup("\n");
}

void AppendGbkList(Html& page, std::string_view cssClass,
                   const std::vector<std::string>& gbkLines) {
    Html items;
    for (const std::string& line : gbkLines) items += Tag("li").Wrap(GbkText(line));
    page += Tag("ul").Class(cssClass).Wrap(items) + Markup("\n");
}

void AppendReportText(Html& page, const std::string& gbkText) {
    if (gbkText.empty()) {
        AppendParagraph(page, "quiet", text::kHtmlEmptyReport);
        return;
    }
    page += Tag("pre").Class("report").Wrap(GbkText(gbkText)) + Markup("\n");
}

}  // namespace traverse
