#include "traverse/import_xml.h"

#include "import/report_entry.h"

#include <new>

#include "platform/c_number.h"
#include "import/record_schema.h"
#include "platform/gbk_literal.h"
#include "platform/messages.h"
#include "records/station_ownership.h"
#include "records/station_walk.h"
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
        if (!document.load(path)) {
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
        result = ReadObserve(document, GBK(schema::kObservationSection), m_arrStation);
        if (result != 0) return result;
        return CheckCompleteness() ? 0 : RESULT_FAILED;
    } catch (const CException& e) {
        e.ReportError();
    } catch (const std::bad_alloc&) {
        CMemoryException().ReportError();
    } catch (...) {
        ShowMessageBox(GBK(text::kUnexpectedError));
    }
    return RESULT_FAILED;
}

bool CImportXml::CheckCompleteness() {
    bool complete = true;
    // Angle records need a face-left and a face-right reading; distances at least one.
    const auto checkRounds = [&](const char* station, const std::vector<CSurveyTurn>& rounds,
                                 size_t required, const std::string& format) {
        for (size_t r = 0; r < rounds.size(); ++r) {
            for (const CBaseObserve& observe : rounds[r].m_arrObserve) {
                if (observe.m_arrValue.size() >= required) continue;
                AddText(FormatText(format, station, static_cast<long>(r + 1),
                                   observe.m_strName.c_str()));
                complete = false;
            }
        }
    };
    ForEachStationWithBlock(m_arrStation, [&](const CPoint3D& station, const TAGStationObserve& block) {
        const char* name = station.m_strName.c_str();
        checkRounds(name, block.m_arrHAngle, 2, GBK(text::kIncompleteHorizontal));
        checkRounds(name, block.m_arrZenith, 2, GBK(text::kIncompleteZenith));
        checkRounds(name, block.m_arrDistance, 1, GBK(text::kIncompleteDistance));
        for (const CSurveyTurn& entry : block.m_arrTargetHeight) {
            for (const CBaseObserve& observe : entry.m_arrObserve) {
                if (!observe.m_arrValue.empty()) continue;
                AddText(FormatText(GBK(text::kIncompleteTargetHeight), name, observe.m_strName.c_str()));
                complete = false;
            }
        }
        return true;
    });
    return complete;
}

}  // namespace traverse
