// An HTML page as libxml2's HTML parser reads it: the errors it reported, and XPath queries.
#ifndef TRAVERSE_TESTS_HTML_PAGE_H
#define TRAVERSE_TESTS_HTML_PAGE_H

#include <string>
#include <vector>

#include "traverse/html_report.h"

typedef struct _xmlDoc xmlDoc;

namespace traverse {

class HtmlPage {
public:
    explicit HtmlPage(const std::string& html);
    ~HtmlPage();
    HtmlPage(const HtmlPage&) = delete;
    HtmlPage& operator=(const HtmlPage&) = delete;

    // Every error and warning of the parse, but the names of HTML5 and SVG elements that its HTML 4
    // vocabulary lacks ("Tag svg invalid"), as "line N: message".
    const std::vector<std::string>& Errors() const { return m_errors; }
    // The number of nodes xpath selects.
    int Count(const std::string& xpath) const;
    // The text content (of an attribute: its value) of each node xpath selects, UTF-8.
    std::vector<std::string> Texts(const std::string& xpath) const;

private:
    xmlDoc* m_doc = nullptr;
    std::vector<std::string> m_errors;
};

// The body of a record file (for GbkRecordFile) with a station named <script>alert(1)</script>,
// a record it leaves incomplete, and no way for the adjustment to place it: the name reaches the
// import report, the table of incomplete observations and the adjustment's error.
extern const char kMarkupNamedStationBody[];

// The report input of the record file at path (GBK path): imported, checked, field-checked and
// adjusted as the program does it; shownName is the file name the page shows.
HtmlReportInput ReportInputOf(const std::string& path, const std::string& shownName,
                              const FieldCheckOptions& fieldOptions = {},
                              const AdjustmentOptions& adjustmentOptions = {});

}  // namespace traverse

#endif
