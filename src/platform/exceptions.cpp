#include "traverse/exceptions.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/gbk_literal.h"
#include "platform/c_number.h"
#include "traverse/message_box.h"

namespace traverse {

_com_error::_com_error(std::uint32_t status, std::string description)
    : m_nStatus(status), m_strDescription(std::move(description)) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(status));
    m_strWhat = m_strDescription.empty() ? std::string(code)
                                         : std::string(code) + ": " + m_strDescription;
}

const char* _com_error::what() const noexcept { return m_strWhat.c_str(); }

CException::~CException() = default;

void CException::ReportError() const { ShowMessageBox(GetErrorMessage()); }

std::string CMemoryException::GetErrorMessage() const { return GBK("内存不足。"); }

CFileException::CFileException(Cause cause, std::string fileName, int osError)
    : m_cause(cause), m_strFileName(std::move(fileName)), m_nOsError(osError) {}

std::string CFileException::GetErrorMessage() const {
    std::string action;
    switch (m_cause) {
    case readFault: action = GBK("读"); break;
    case writeFault: action = GBK("写"); break;
    case seekFault: action = GBK("定位"); break;
    case closeFault: action = GBK("关闭"); break;
    }
    return FormatText(GBK("%s文件(%s)时出错：%s"), action.c_str(),
                      m_strFileName.c_str(), Utf8ToGbkLossy(std::strerror(m_nOsError)).c_str());
}

}  // namespace traverse
