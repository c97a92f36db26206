// The importer: imports an observation record file, checks its horizontal-angle rounds, writes the
// adjustment input file and repairs record files with bad names.
//
// How each command tells its caller what happened:
// - Result values: 0 for success and RESULT_FAILED for failure; OpenFile (and so OnButtonExchange)
//   returns the parser's own code for a file that does not load, or a section reader's nonzero
//   result; RepairXML and CheckHAngle return 1 for success and 0 for failure.
// - m_strError: the formatted parse-error report of a file that does not load, and the text of each
//   blocking check message just before it is shown. Nothing in the library reads it.
// - m_strText, the report: import complaints (rejected tolerance items and known points, incomplete
//   records) and the check report, one AddText entry each. OnButtonExchange and OnButtonCheck empty
//   it; the export never touches it.
// - Message boxes (ShowMessageBox): unexpected errors of the import, the check messages, the
// export's
//   "cannot open" and round messages, a failed file operation of the repair.
// - Exceptions: only OpenFile and RepairXML catch. OnButtonTonbq lets the CFileException of a
//   failed write through (after closing the file). The section readers, called directly, let every
//   error of the XML access layer (_com_error) and of memory through: ReadSetup and ReadPoint
//   report a rejected entry in the report and return RESULT_FAILED; ReadObserve and its helpers
//   always return 0; none of them empties what it appends to.
#ifndef TRAVERSE_IMPORT_XML_H
#define TRAVERSE_IMPORT_XML_H

#include <cstdint>
#include <string>
#include <vector>

#include "traverse/check_info.h"
#include "traverse/point3d.h"
#include "traverse/survey_records.h"
#include "traverse/visibility.h"
#include "traverse/xml_dom.h"

namespace traverse {

// Results of the commands: 0 for success, RESULT_FAILED for failure (OpenFile returns the parser's
// own code for a file that does not load).
constexpr std::uint32_t RESULT_FAILED = 0xFFFFFFFFu;

class TRAVERSE_API CImportXml {
public:
    CImportXml();
    ~CImportXml();
    CImportXml(const CImportXml&) = delete;
    CImportXml& operator=(const CImportXml&) = delete;

    // Frees all imported data and empties m_strError; m_strText is left alone.
    void Clear();
    // Clear, empty the report, OpenFile(path).
    std::uint32_t OnButtonExchange(const std::string& path);
    // Loads the file at path (GBK) and reads it into the collections as they stand.
    std::uint32_t OpenFile(const std::string& path);
    // Mends, in place, names that start with a character XML forbids. 1 when the file loads.
    int RepairXML(const std::string& path);

    std::uint32_t ReadSetup(XmlDocument document, const std::string& path);
    std::uint32_t ReadSetupEx(XmlDocument document, const std::string& path,
                              std::vector<TAGCheckInfo>& list);
    std::uint32_t ReadSetupEx(XmlDocument document, const std::string& path,
                              std::vector<std::string>& names, std::vector<std::string>& values);
    std::uint32_t ReadPoint(XmlDocument document, const std::string& path,
                            std::vector<CPoint3D>& points);
    std::uint32_t ReadObserve(XmlDocument document, const std::string& path,
                              std::vector<CPoint3D*>& stations);
    std::uint32_t ReadObserveEx(XmlNode node, const std::string& name,
                                std::vector<CSurveyTurn>& turns);
    std::uint32_t ReadObjectValue(XmlNode node, std::vector<CBaseObserve>& observes);

    // Runs the horizontal-angle checks into a fresh report. Always 0.
    std::uint32_t OnButtonCheck();
    // Applies one horizontal-angle tolerance item to every station. 1, or 0 when the 2C check
    // stopped at a record without two readings.
    int CheckHAngle(const TAGCheckInfo& check, const std::vector<CPoint3D*>& stations);
    // Appends one entry to m_strText, after "\r\n" unless the report is empty.
    void AddText(const std::string& text);
    // Does nothing; 0.
    std::uint32_t OnButtonRecord();
    // Writes the adjustment input file at path (GBK). 0, or RESULT_FAILED when it cannot be opened.
    std::uint32_t OnButtonTonbq(const std::string& path);

    std::string m_strError;                  // the last error reported to the caller, GBK
    std::vector<CPoint3D> m_arrKnownPoint;   // known points, file order
    std::vector<CPoint3D*> m_arrStation;     // stations, owned, file order
    std::vector<TAGCheckInfo> m_arrHAngleCheck;
    std::vector<TAGCheckInfo> m_arrVAngleCheck;
    std::vector<TAGCheckInfo> m_arrDistCheck;
    CDataInterface m_dataInterface;
    std::string m_strText;                   // the report, entries joined by "\r\n", GBK
    // Values whose text is no number, in the order the readers met them; emptied by Clear.
    std::vector<ValueNotNumber> m_arrValueNotNumber;

private:
    // Appends one report line per incomplete record; true when it added none.
    bool CheckCompleteness();
    // Reads one station element of the observation section into station and its block.
    void ReadStation(XmlNode node, CPoint3D& station);
};

}  // namespace traverse

#endif
