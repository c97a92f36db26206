// The two exception families of the library: the XML access layer's status-carrying error and the
// application framework's exceptions, which report themselves in a message box.
#ifndef TRAVERSE_EXCEPTIONS_H
#define TRAVERSE_EXCEPTIONS_H

#include <cstdint>
#include <exception>
#include <string>

#include "traverse/visibility.h"

namespace traverse {

// 32-bit statuses raised by the XML access layer.
constexpr std::uint32_t E_POINTER = 0x80004003u;            // use of an empty handle
constexpr std::uint32_t E_OUTOFMEMORY = 0x8007000Eu;        // failed allocation
constexpr std::uint32_t E_FAIL = 0x80004005u;               // unspecified failure
constexpr std::uint32_t E_NO_UNICODE_TRANSLATION = 0x80070459u;  // text not convertible

// Error of the XML access layer: a 32-bit status and, when the failing object offers one, a
// description (GBK).
class TRAVERSE_API _com_error : public std::exception {
public:
    explicit _com_error(std::uint32_t status, std::string description = std::string());
    std::uint32_t Error() const noexcept { return m_nStatus; }
    const std::string& Description() const noexcept { return m_strDescription; }
    const char* what() const noexcept override;

private:
    std::uint32_t m_nStatus;
    std::string m_strDescription;
    std::string m_strWhat;
};

// Base of the application framework's exception family. ReportError shows the exception's own
// message in a message box.
class TRAVERSE_API CException : public std::exception {
public:
    ~CException() override;
    // The message as GBK text.
    virtual std::string GetErrorMessage() const = 0;
    void ReportError() const;
    const char* what() const noexcept override { return "traverse::CException"; }
};

// Memory exhausted inside a framework operation.
class TRAVERSE_API CMemoryException : public CException {
public:
    std::string GetErrorMessage() const override;
};

// A file operation (open, read, seek, write, close) failed. The file name is GBK.
class TRAVERSE_API CFileException : public CException {
public:
    enum Cause { readFault, writeFault, seekFault, closeFault };
    CFileException(Cause cause, std::string fileName, int osError);
    std::string GetErrorMessage() const override;
    Cause GetCause() const noexcept { return m_cause; }
    int GetOsError() const noexcept { return m_nOsError; }

private:
    Cause m_cause;
    std::string m_strFileName;
    int m_nOsError;
};

}  // namespace traverse

#endif
