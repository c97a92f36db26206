#include "platform/text_file.h"

#include <cerrno>

#include "traverse/code_page.h"
#include "traverse/exceptions.h"

namespace traverse {

std::string SystemPath(const std::string& gbkPath) {
    const std::string utf8 = GbkToUtf8(gbkPath);
    // GBK cannot hold U+FFFD, so one in the result marks bytes that are not GBK.
    return utf8.find("\xEF\xBF\xBD") == std::string::npos ? utf8 : gbkPath;
}

CStdioFile::~CStdioFile() {
    if (m_pFile != nullptr) std::fclose(m_pFile);
}

bool CStdioFile::Open(const std::string& gbkPath, Mode mode) {
    if (m_pFile != nullptr) return false;
    static const char* const kModes[] = {"wb", "r+b", "rb"};
    m_pFile = std::fopen(SystemPath(gbkPath).c_str(), kModes[mode]);
    m_strPath = gbkPath;
    return m_pFile != nullptr;
}

void CStdioFile::WriteString(const std::string& text) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t lineFeed = text.find('\n', start);
        const size_t end = lineFeed == std::string::npos ? text.size() : lineFeed;
        Write(text.data() + start, end - start);
        if (lineFeed == std::string::npos) break;
        Write("\r\n", 2);
        start = lineFeed + 1;
    }
}

void CStdioFile::Write(const void* data, size_t size) {
    if (size > 0 && std::fwrite(data, 1, size, m_pFile) != size) Fail(CFileException::writeFault);
}

std::string CStdioFile::ReadAll() {
    std::string content;
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, m_pFile)) > 0) content.append(buffer, count);
    if (std::ferror(m_pFile)) Fail(CFileException::readFault);
    return content;
}

void CStdioFile::Seek(long offset) {
    if (std::fseek(m_pFile, offset, SEEK_SET) != 0) Fail(CFileException::seekFault);
}

void CStdioFile::Close() {
    if (m_pFile == nullptr) return;
    const bool flushed = std::fflush(m_pFile) == 0;
    const int error = errno;
    const bool closed = std::fclose(m_pFile) == 0;
    m_pFile = nullptr;
    if (!flushed || !closed) throw CFileException(CFileException::closeFault, m_strPath, error);
}

void CStdioFile::Fail(CFileException::Cause cause) {
    throw CFileException(cause, m_strPath, errno);
}

}  // namespace traverse
