#include "traverse/exceptions.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/gbk_literal.h"
#include "platform/c_number.h"
#include "platform/messages.h"
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

std::string CMemoryException::GetErrorMessage() const { return GBK(text::kOutOfMemory); }

CFileException::CFileException(Cause cause, std::string fileName, int osError)
    : m_cause(cause), m_strFileName(std::move(fileName)), m_nOsError(osError) {}

std::string CFileException::GetErrorMessage() const {
    std::string action;
    switch (m_cause) {
    case readFault: action = GBK(text::kFileActionRead); break;
    case writeFault: action = GBK(text::kFileActionWrite); break;
    case seekFault: action = GBK(text::kFileActionSeek); break;
    case closeFault: action = GBK(text::kFileActionClose); break;
    }
    return FormatText(GBK(text::kFileError), action.c_str(),
                      m_strFileName.c_str(), Utf8ToGbkLossy(std::strerror(m_nOsError)).c_str());
}

}  // namespace traverse
