// Text files through C stdio, owned for the lifetime of the object.
#ifndef TRAVERSE_PLATFORM_TEXT_FILE_H
#define TRAVERSE_PLATFORM_TEXT_FILE_H

#include <cstdio>
#include <string>

#include "traverse/exceptions.h"

namespace traverse {

// The file-system path of a GBK path: its UTF-8 form, or its bytes unchanged where they are not
// GBK.
std::string SystemPath(const std::string& gbkPath);

// A text file written with CR LF line ends on every platform. Failures of reads, seeks, writes and
// the final close raise CFileException.
class CStdioFile {
public:
    enum Mode {
        modeCreate,     // create or truncate, write only
        modeReadWrite,  // an existing file, read and write, neither created nor truncated
        modeRead,       // an existing file, read only
    };

    CStdioFile() = default;
    ~CStdioFile();
    CStdioFile(const CStdioFile&) = delete;
    CStdioFile& operator=(const CStdioFile&) = delete;

    // False when the file cannot be opened; nothing is raised.
    bool Open(const std::string& gbkPath, Mode mode);
    // Takes over descriptor, open for writing; gbkPath is the name that reports give. False, with
    // the descriptor closed, when no stream can be made of it.
    bool Attach(int descriptor, const std::string& gbkPath);
    // Writes text, each "\n" as CR LF.
    void WriteString(const std::string& text);
    // Writes bytes as they are.
    void Write(const void* data, size_t size);
    // Reads everything from the current position to the end of the file.
    std::string ReadAll();
    void Seek(long offset);
    // Flushes and closes; raises when anything written did not reach the file.
    void Close();
    // Flushes and waits until the written bytes are on the disk; raises as Close.
    void Sync();

private:
    [[noreturn]] void Fail(CFileException::Cause cause);

    std::FILE* m_pFile = nullptr;
    std::string m_strPath;  // GBK, for reports
};

}  // namespace traverse

#endif
