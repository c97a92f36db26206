#include <iconv.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "import/repair_internal.h"
#include "xml/xml_parse_error_table.h"
#include "xml/xml_parser.h"
#include "platform/text_file.h"
#include "traverse/exceptions.h"
#include "traverse/import_xml.h"
#include "traverse/repair.h"

namespace traverse {
namespace {

// A file whose permission bits allow no write at all is read-only, even for a user (root) whom the
// system would let write it.
bool IsReadOnly(const std::string& gbkPath) {
    struct stat status {};
    if (stat(SystemPath(gbkPath).c_str(), &status) != 0) return false;  // opening will tell
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Splits a line of the file into characters of its own encoding.
class CharReader {
public:
    explicit CharReader(const std::string& encoding) : m_encoding(encoding) {
        if (!Builtin()) m_cd = iconv_open("UTF-8", encoding.c_str());
    }
    ~CharReader() {
        if (m_cd != reinterpret_cast<iconv_t>(-1)) iconv_close(m_cd);
    }
    CharReader(const CharReader&) = delete;
    CharReader& operator=(const CharReader&) = delete;

    // Bytes of the character at pos, as far as bytes holds them.
    std::size_t Length(const std::string& bytes, std::size_t pos) {
        const auto lead = static_cast<unsigned char>(bytes[pos]);
        const std::size_t left = bytes.size() - pos;
        std::size_t length = 1;
        if (m_encoding.empty()) {  // UTF-8
            length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        } else if (m_encoding == "GB18030") {
            if (lead >= 0x81 && lead <= 0xFE) {
                length = left > 1 && bytes[pos + 1] >= '0' && bytes[pos + 1] <= '9' ? 4 : 2;
            }
        } else if (m_cd != reinterpret_cast<iconv_t>(-1)) {
            // Any other encoding: the fewest bytes that decode to one character.
            for (std::size_t n = 1; n <= 4 && n <= left; ++n) {
                char* in = const_cast<char*>(bytes.data() + pos);
                size_t inLeft = n;
                char out[16];
                char* outPtr = out;
                size_t outLeft = sizeof out;
                iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
                if (iconv(m_cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) {
                    length = n;
                    break;
                }
                if (errno != EINVAL) break;
            }
        }
        return std::min(length, left);
    }

private:
    bool Builtin() const { return m_encoding.empty() || m_encoding == "GB18030"; }

    std::string m_encoding;
    iconv_t m_cd = reinterpret_cast<iconv_t>(-1);
};

bool IsSingleByteNameChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.' || c == ':';
}

enum class Mend { Written, CannotOpen, NothingToChange };

// Overwrites the character at (line, column) of the file, and the byte after it only where that is
// a single-byte name character, with as many bytes of "st" (padded with "_") as it replaces.
Mend MendName(const std::string& gbkPath, long line, long column, std::string& written) {
    CStdioFile file;
    if (!file.Open(gbkPath, CStdioFile::modeReadWrite)) return Mend::CannotOpen;

    std::string prefix;
    std::string chunk;
    while (prefix.size() < kDeclarationPrefixLength && file.ReadString(chunk)) prefix += chunk;
    const std::string encoding = RecordTextEncoding(prefix);
    // Lines of a UTF-16 file are not found by their line-feed bytes: such a file is not mended.
    if (encoding == "UTF-16") return Mend::NothingToChange;
    CharReader chars(encoding);
    file.Seek(0);

    // The reported line: CR, LF and CR LF each end one, as the parser counts them.
    long currentLine = 1;
    long chunkStart = 0;
    long lineStart = 0;
    bool afterCarriageReturn = false;
    bool lineEnded = false;
    std::string lineBytes;
    while (!lineEnded && file.ReadString(chunk)) {
        for (std::size_t i = 0; i < chunk.size() && !lineEnded; ++i) {
            const char c = chunk[i];
            const long pos = chunkStart + static_cast<long>(i);
            if (afterCarriageReturn) {
                afterCarriageReturn = false;
                if (c == '\n') {
                    lineStart = pos + 1;
                    continue;
                }
            }
            if (currentLine == line) {
                if (c == '\r' || c == '\n') lineEnded = true;
                else lineBytes.push_back(c);
            } else if (c == '\r' || c == '\n') {
                ++currentLine;
                lineStart = pos + 1;
                afterCarriageReturn = c == '\r';
            }
        }
        chunkStart += static_cast<long>(chunk.size());
    }
    if (currentLine != line) return Mend::NothingToChange;

    // Past column - 1 characters; a byte-order mark is no character of line 1.
    std::size_t at = 0;
    if (line == 1 && encoding.empty() && lineBytes.compare(0, 3, "\xEF\xBB\xBF") == 0) at = 3;
    for (long skipped = 1; skipped < column && at < lineBytes.size(); ++skipped) {
        at += chars.Length(lineBytes, at);
    }
    if (at >= lineBytes.size()) return Mend::NothingToChange;  // the fault is no character here

    const std::size_t length = chars.Length(lineBytes, at);
    std::string replacement;
    if (length > 1) {
        replacement = "st" + std::string(length - 2, '_');
    } else if (at + 1 < lineBytes.size() && IsSingleByteNameChar(lineBytes[at + 1])) {
        replacement = "st";
    } else {
        replacement = "s";
    }
    if (lineBytes.compare(at, replacement.size(), replacement) == 0) return Mend::NothingToChange;

    file.Seek(lineStart + static_cast<long>(at));
    file.Write(replacement.data(), replacement.size());
    file.Close();
    written = replacement;
    return Mend::Written;
}

}  // namespace

RepairResult RepairXmlFileWith(const std::string& gbkPath, const RepairLoad& load) {
    RepairResult result;
    try {
        long lastLine = 0;
        long lastColumn = 0;
        for (;;) {
            if (load(gbkPath, result.error)) {
                result.status = RepairStatus::Loaded;
                result.error = XmlParseError();
                return result;
            }
            const XmlParseError& error = result.error;
            if (error.errorCode != XML_E_BADSTARTNAMECHAR) {
                result.status = RepairStatus::OtherError;
                return result;
            }
            if (error.line == lastLine && error.linepos == lastColumn) {
                result.status = RepairStatus::Stuck;
                return result;
            }
            if (IsReadOnly(gbkPath)) {
                result.status = RepairStatus::CannotOpen;
                return result;
            }
            RepairedName repaired;
            repaired.line = error.line;
            repaired.column = error.linepos;
            switch (MendName(gbkPath, error.line, error.linepos, repaired.written)) {
            case Mend::CannotOpen:
                result.status = RepairStatus::CannotOpen;
                return result;
            case Mend::NothingToChange:
                result.status = RepairStatus::Stuck;
                return result;
            case Mend::Written:
                result.repairs.push_back(repaired);
                break;
            }
            lastLine = error.line;
            lastColumn = error.linepos;
        }
    } catch (const CException& exception) {
        result.status = RepairStatus::FileError;
        result.message = exception.GetErrorMessage();
        exception.ReportError();
    } catch (...) {
        result.status = RepairStatus::Failed;
    }
    return result;
}

RepairResult RepairXmlFile(const std::string& gbkPath) {
    return RepairXmlFileWith(gbkPath, [](const std::string& path, XmlParseError& error) {
        // A new document each round; it is released before the file is opened for writing.
        XmlDocument document = XmlDocument::Create();
        if (document.IsEmpty()) throw _com_error(E_OUTOFMEMORY);
        if (document.load(path)) return true;
        error = document.parseError();
        return false;
    });
}

int CImportXml::RepairXML(const std::string& path) {
    return RepairXmlFile(path).status == RepairStatus::Loaded ? 1 : 0;
}

}  // namespace traverse
