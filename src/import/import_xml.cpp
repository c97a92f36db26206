#include "traverse/import_xml.h"

#include "import/report_entry.h"

#include <new>

#include "platform/c_number.h"
#include "import/observation_stream.h"
#include "import/record_nodes.h"
#include "import/record_schema.h"
#include "platform/gbk_literal.h"
#include "platform/messages.h"
#include "records/station_ownership.h"
#include "traverse/import_contents.h"
#include "traverse/exceptions.h"
#include "traverse/message_box.h"

namespace traverse {

CImportXml::CImportXml() = default;

CImportXml::~CImportXml() { Clear(); }

void CImportXml::Clear() {
    m_strError.clear();
    DeleteStations(m_arrStation);
    m_arrKnownPoint.clear();
    m_arrKnownPoint.shrink_to_fit();
    m_arrHAngleCheck.clear();
    m_arrHAngleCheck.shrink_to_fit();
    m_arrVAngleCheck.clear();
    m_arrVAngleCheck.shrink_to_fit();
    m_arrDistCheck.clear();
    m_arrDistCheck.shrink_to_fit();
    m_arrValueNotNumber.clear();
    m_arrValueNotNumber.shrink_to_fit();
}

std::uint32_t CImportXml::OnButtonRecord() { return 0; }

void CImportXml::AddText(const std::string& text) {
    StartReportEntry(m_strText);
    m_strText += text;
}

std::uint32_t CImportXml::OnButtonExchange(const std::string& path) {
    Clear();
    m_strText.clear();
    return OpenFile(path);
}

std::uint32_t CImportXml::OpenFile(const std::string& path) {
    try {
        XmlDocument document = XmlDocument::Create();
        if (document.IsEmpty()) throw _com_error(E_POINTER);
        // The stations are read as the file is parsed; a section of another shape than the
        // plain one is read from the whole tree, parsed once more.
        ObservationStream stream;
        bool loaded = detail::XmlDocumentAccess::Load(document, path, stream.Section());
        if (loaded && stream.Abandoned()) loaded = document.load(path);
        if (!loaded) {
            const XmlParseError error = document.parseError();
            m_strError = FormatText(
                GBK(text::kParseErrorReport),
                path.c_str(), error.line, error.linepos, error.srcText.c_str(),
                error.reason.c_str());
            return error.errorCode;
        }
        std::uint32_t result = ReadSetup(document, GBK(schema::kToleranceSection));
        if (result != 0) return result;
        result = ReadPoint(document, GBK(schema::kKnownPointSection), m_arrKnownPoint);
        if (result != 0) return result;
        if (stream.Complete()) {
            stream.TakeInto(m_arrStation, m_arrValueNotNumber);
        } else {
            result = ReadObserve(document, GBK(schema::kObservationSection), m_arrStation);
        }
        if (result != 0) return result;
        return CheckCompleteness() ? 0 : RESULT_FAILED;
    } catch (const CException& e) {
        e.ReportError();
    } catch (const RecordPlaceError& e) {
        m_strError = path + ": " + e.Description();
        ShowMessageBox(GBK(text::kUnexpectedError));
    } catch (const std::bad_alloc&) {
        CMemoryException().ReportError();
    } catch (...) {
        ShowMessageBox(GBK(text::kUnexpectedError));
    }
    return RESULT_FAILED;
}

// One report line per incomplete record, in the order FindIncompleteObservations gives them.
bool CImportXml::CheckCompleteness() {
    const std::vector<IncompleteObservation> incomplete = FindIncompleteObservations(*this);
    for (const IncompleteObservation& o : incomplete) {
        if (o.kind == IncompleteKind::TargetHeight) {
            AddText(FormatText(GBK(text::kIncompleteTargetHeight), o.station.c_str(),
                               o.target.c_str()));
            continue;
        }
        const std::string& format =
            o.kind == IncompleteKind::Horizontal ? GBK(text::kIncompleteHorizontal)
            : o.kind == IncompleteKind::Zenith   ? GBK(text::kIncompleteZenith)
                                                 : GBK(text::kIncompleteDistance);
        AddText(
            FormatText(format, o.station.c_str(), static_cast<long>(o.round), o.target.c_str()));
    }
    return incomplete.empty();
}

}  // namespace traverse
