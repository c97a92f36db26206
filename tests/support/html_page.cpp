#include "support/html_page.h"

#include <libxml/HTMLparser.h>
#include <libxml/xmlerror.h>
#include <libxml/xpath.h>

#include <set>

#include "support/message_capture.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

// The elements of the report that libxml2's HTML 4 parser does not know.
bool KnownToBrowsers(const char* name) {
    static const std::set<std::string> names{
        "section", "header",  "main",    "footer", "figure", "svg",  "g",       "line",
        "circle",  "polygon", "ellipse", "rect",   "path",   "text", "details", "summary"};
    return name != nullptr && names.count(name) != 0;
}

void CollectError(void* context, xmlErrorPtr error) {
    auto* errors = static_cast<std::vector<std::string>*>(context);
    if (error->code == XML_HTML_UNKNOWN_TAG && KnownToBrowsers(error->str1)) return;
    errors->push_back("line " + std::to_string(error->line) + ": " +
                      (error->message ? error->message : "?"));
}

}  // namespace

HtmlPage::HtmlPage(const std::string& html) {
    xmlSetStructuredErrorFunc(&m_errors, CollectError);
    m_doc = htmlReadMemory(html.data(), static_cast<int>(html.size()), "report.html", nullptr,
                           HTML_PARSE_NONET);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (m_doc == nullptr) m_errors.push_back("no document");
}

HtmlPage::~HtmlPage() {
    if (m_doc != nullptr) xmlFreeDoc(m_doc);
}

std::vector<std::string> HtmlPage::Texts(const std::string& xpath) const {
    std::vector<std::string> texts;
    if (m_doc == nullptr) return texts;
    xmlXPathContextPtr context = xmlXPathNewContext(m_doc);
    xmlXPathObjectPtr found =
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.c_str()), context);
    if (found != nullptr && found->nodesetval != nullptr) {
        for (int i = 0; i < found->nodesetval->nodeNr; ++i) {
            xmlChar* content = xmlNodeGetContent(found->nodesetval->nodeTab[i]);
            texts.emplace_back(content != nullptr ? reinterpret_cast<const char*>(content) : "");
            xmlFree(content);
        }
    }
    xmlXPathFreeObject(found);
    xmlXPathFreeContext(context);
    return texts;
}

int HtmlPage::Count(const std::string& xpath) const {
    return static_cast<int>(Texts(xpath).size());
}

const char kMarkupNamedStationBody[] = R"(
<导线观测记录>
  <起算点><K1 x="1000" y="1000" h="10"/><K2 x="1300" y="1100" h="12"/></起算点>
  <观测值>
    <测站 点名="K1" 仪器高="1.5">
      <水平角><测回><K2 盘左="0.0000" 盘右="180.0000"/><P 盘左="40.0000" 盘右="220.0000"/></测回></水平角>
    </测站>
    <测站 点名="&lt;script&gt;alert(1)&lt;/script&gt;" 仪器高="1.5">
      <水平角><测回><K1 盘左="0.0000" 盘右="180.0000"/><K2 盘左="90.0000"/></测回></水平角>
    </测站>
  </观测值>
</导线观测记录>)";

HtmlReportInput ReportInputOf(const std::string& path, const std::string& shownName,
                              const FieldCheckOptions& fieldOptions,
                              const AdjustmentOptions& adjustmentOptions) {
    MessageCapture quiet;
    CImportXml importer;
    return CollectReportInput(importer, path, shownName, fieldOptions, adjustmentOptions);
}

}  // namespace traverse
