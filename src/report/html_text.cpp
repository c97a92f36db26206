#include "report/html_text.h"

#include "platform/characters.h"
#include "platform/messages.h"
#include "traverse/code_page.h"

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

}  // namespace

std::string EscapeHtml(std::string_view utf8) {
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

std::string EscapeGbk(const std::string& gbk) { return EscapeHtml(GbkToUtf8(gbk)); }

Judgement Judge(bool judged, bool passed) {
    if (!judged) return Judgement::NotJudged;
    return passed ? Judgement::Pass : Judgement::Fail;
}

std::string MarkHtml(Judgement judgement) {
    switch (judgement) {
        case Judgement::Pass: return std::string("<span class=\"mark pass\">") + text::kHtmlPass + "</span>";
        case Judgement::Fail: return std::string("<span class=\"mark fail\">") + text::kHtmlFail + "</span>";
        case Judgement::NotJudged: break;
    }
    return std::string("<span class=\"mark none\">") + text::kHtmlNotJudged + "</span>";
}

const char* JudgementClass(Judgement judgement) {
    switch (judgement) {
        case Judgement::Pass: return "pass";
        case Judgement::Fail: return "fail";
        case Judgement::NotJudged: break;
    }
    return "none";
}

std::string Cell(const std::string& html, std::string_view cssClass) {
    if (cssClass.empty()) return "<td>" + html;
    return "<td class=\"" + std::string(cssClass) + "\">" + html;
}

void OpenTable(std::string& page, const std::vector<std::string>& headings, std::string_view cssClass) {
    page += "<div class=\"scroll\"><table";
    if (!cssClass.empty()) page += " class=\"" + std::string(cssClass) + "\"";
    page += "><thead><tr>";
    for (const std::string& heading : headings) page += "<th>" + EscapeHtml(heading);
    page += "</tr></thead><tbody>\n";
}

void CloseTable(std::string& page) { page += "</tbody></table></div>\n"; }

void OpenSection(std::string& page, const char* id, const char* heading) {
    page += std::string("<section id=\"") + id + "\"><h2>" + EscapeHtml(heading) + "</h2>\n";
}

void CloseSection(std::string& page) { page += "</section>\n"; }

void AppendReportText(std::string& page, const std::string& gbkText) {
    if (gbkText.empty()) {
        page += std::string("<p class=\"quiet\">") + text::kHtmlEmptyReport + "</p>\n";
        return;
    }
    page += "<pre class=\"report\">" + EscapeGbk(gbkText) + "</pre>\n";
}

}  // namespace traverse
