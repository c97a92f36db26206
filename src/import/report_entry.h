// Entries of an importer's report (m_strText), written in place at its end: a report of many
// thousand lines is built without a string of its own for each.
#ifndef TRAVERSE_IMPORT_REPORT_ENTRY_H
#define TRAVERSE_IMPORT_REPORT_ENTRY_H

#include <string>

#include "platform/c_number.h"
#include "traverse/import_xml.h"

namespace traverse {

// Entries are joined by "\r\n".
inline void StartReportEntry(std::string& report) {
    if (!report.empty()) report += "\r\n";
}

// AddText(FormatText(format, args...)), formatted where it ends up.
template <typename Format, typename... Args>
void AddReportEntry(CImportXml& importer, const Format& format, Args... args) {
    StartReportEntry(importer.m_strText);
    AppendText(importer.m_strText, format, args...);
}

}  // namespace traverse

#endif
