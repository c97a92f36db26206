#include "traverse/import_xml.h"

#include <new>

#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "records/station_ownership.h"
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

void CImportXml::AddText(const std::string& text) {
    if (!m_strText.empty()) m_strText += "\r\n";
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
                GBK("打开文件(%s)错误。\n错误行号：%ld；错误列号：%ld。\n错误数据：%s。\n错误原因：%s").c_str(),
                path.c_str(), error.line, error.linepos, error.srcText.c_str(),
                error.reason.c_str());
            return error.errorCode;
        }
        std::uint32_t result = ReadSetup(document, GBK("导线观测记录//检查限差"));
        if (result != 0) return result;
        result = ReadPoint(document, GBK("导线观测记录//起算点"), m_arrKnownPoint);
        if (result != 0) return result;
        result = ReadObserve(document, GBK("导线观测记录//观测值"), m_arrStation);
        if (result != 0) return result;
        return CheckCompleteness() ? 0 : RESULT_FAILED;
    } catch (const CException& e) {
        e.ReportError();
    } catch (const std::bad_alloc&) {
        CMemoryException().ReportError();
    } catch (...) {
        ShowMessageBox(GBK("不可预知的异常错误！"));
    }
    return RESULT_FAILED;
}

bool CImportXml::CheckCompleteness() {
    bool complete = true;
    for (const CPoint3D* station : m_arrStation) {
        const TAGStationObserve* block = StationBlock(*station);
        if (block == nullptr) continue;
        const char* name = station->m_strName.c_str();

        // Angle records need a face-left and a face-right reading; distances at least one.
        const auto checkRounds = [&](const std::vector<CSurveyTurn>& rounds, size_t required,
                                     const std::string& format) {
            for (size_t r = 0; r < rounds.size(); ++r) {
                for (const CBaseObserve& observe : rounds[r].m_arrObserve) {
                    if (observe.m_arrValue.size() >= required) continue;
                    AddText(FormatText(format.c_str(), name, static_cast<long>(r + 1),
                                       observe.m_strName.c_str()));
                    complete = false;
                }
            }
        };
        checkRounds(block->m_arrHAngle, 2,
                    GBK("测站%s水平角观测第%ld测回中，目标点%s读数不够，即缺盘左或盘右数据！"));
        checkRounds(block->m_arrZenith, 2,
                    GBK("测站%s垂直角观测第%ld测回中，目标点%s读数不够，即缺盘左或盘右数据！"));
        checkRounds(block->m_arrDistance, 1, GBK("测站%s距离观测第%ld测回中，缺目标点%s读数！"));
        for (const CSurveyTurn& entry : block->m_arrTargetHeight) {
            for (const CBaseObserve& observe : entry.m_arrObserve) {
                if (!observe.m_arrValue.empty()) continue;
                AddText(FormatText(GBK("测站%s，缺目标点%s的目标高！").c_str(), name,
                                   observe.m_strName.c_str()));
                complete = false;
            }
        }
    }
    return complete;
}

}  // namespace traverse
