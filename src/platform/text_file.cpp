#include "platform/text_file.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

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

bool CStdioFile::Attach(int descriptor, const std::string& gbkPath) {
    if (m_pFile != nullptr) return false;
    m_pFile = fdopen(descriptor, "wb");
    m_strPath = gbkPath;
    if (m_pFile == nullptr) close(descriptor);
    return m_pFile != nullptr;
}

// The lines go through a buffer of their own with their CR LF in place: one write per few
// kilobytes, not two per line.
void CStdioFile::WriteString(const std::string& text) {
    char buffer[4096];
    std::size_t used = 0;
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p < end) {
        const void* lineFeed = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
        const char* const stop = lineFeed != nullptr ? static_cast<const char*>(lineFeed) : end;
        const std::size_t length = static_cast<std::size_t>(stop - p);
        if (used + length + 2 > sizeof buffer) {
            Write(buffer, used);
            used = 0;
        }
        if (length + 2 > sizeof buffer) {
            Write(p, length);  // a line longer than the buffer goes as it is
        } else {
            std::memcpy(buffer + used, p, length);
            used += length;
        }
        if (lineFeed != nullptr) {
            buffer[used++] = '\r';
            buffer[used++] = '\n';
        }
        p = lineFeed != nullptr ? stop + 1 : end;
    }
    Write(buffer, used);
}

void CStdioFile::Write(const void* data, size_t size) {
    if (size > 0 && std::fwrite(data, 1, size, m_pFile) != size) Fail(CFileException::writeFault);
}

std::string CStdioFile::ReadAll() {
    std::string content;
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, m_pFile)) > 0)
        content.append(buffer, count);
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

void CStdioFile::Sync() {
    if (std::fflush(m_pFile) != 0 || fsync(fileno(m_pFile)) != 0) {
        throw CFileException(CFileException::closeFault, m_strPath, errno);
    }
}

void CStdioFile::Fail(CFileException::Cause cause) {
    throw CFileException(cause, m_strPath, errno);
}

}  // namespace traverse
