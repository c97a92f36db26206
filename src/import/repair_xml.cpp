#include <sys/stat.h>

#include <algorithm>
#include <string>

#include "import/repair_internal.h"
#include "platform/characters.h"
#include "platform/iconv_converter.h"
#include "xml/xml_parse_error_table.h"
#include "xml/xml_parser.h"
#include "platform/text_file.h"
#include "traverse/code_page.h"
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

// Splits a line of the file into characters of its own encoding (an iconv name; empty for UTF-8).
class CharReader {
public:
    explicit CharReader(const std::string& encoding)
        : m_encoding(encoding), m_converter("UTF-8", encoding.empty() ? "UTF-8" : encoding.c_str()) {}

    // Bytes of the character at pos, as far as bytes holds them.
    std::size_t Length(const std::string& bytes, std::size_t pos) {
        if (m_encoding.empty()) return chars::DecodeUtf8(bytes, pos).length;
        if (m_encoding == "GB18030") return chars::Gb18030Length(bytes, pos);
        return m_converter.CharacterLength(bytes, pos);
    }

private:
    std::string m_encoding;
    IconvConverter m_converter;  // any other encoding: the fewest bytes that decode to one character
};

enum class Mend { Written, CannotOpen, NothingToChange };

// The byte range of line number line (1-based, as the parser counts lines), or nothing when the
// file has fewer lines.
bool FindLine(const std::string& content, long line, std::size_t& start, std::size_t& end) {
    chars::LineCursor cursor(content);
    while (cursor.Number() < line) {
        if (!cursor.Next()) return false;
    }
    start = cursor.Start();
    end = cursor.End();
    return true;
}

// The offset in lineBytes of the character at column (1-based, in characters), or npos when the
// line is shorter. A byte-order mark is no character of line 1.
std::size_t FindColumn(const std::string& lineBytes, long line, long column, CharReader& reader,
                       bool utf8) {
    std::size_t at = 0;
    if (line == 1 && utf8 && chars::StartsWithUtf8Bom(lineBytes)) at = chars::kUtf8Bom.size();
    for (long skipped = 1; skipped < column && at < lineBytes.size(); ++skipped) {
        at += reader.Length(lineBytes, at);
    }
    return at < lineBytes.size() ? at : std::string::npos;
}

// What replaces the character at at: "st" padded with "_" for a multi-byte character, "st" over
// it and the next byte where that is a single-byte name character, else "s". The file keeps its
// length.
std::string ChooseBytes(const std::string& lineBytes, std::size_t at, std::size_t length) {
    if (length > 1) return "st" + std::string(length - 2, '_');
    if (at + 1 < lineBytes.size() && chars::IsAsciiNameChar(lineBytes[at + 1])) return "st";
    return "s";
}

// The name that starts at at: up to white space, '/', '>', '=' or the end of the line.
std::size_t NameEnd(const std::string& lineBytes, std::size_t at, CharReader& reader) {
    std::size_t end = at;
    while (end < lineBytes.size() && !chars::IsXmlSpace(lineBytes[end]) &&
           std::string("/>=").find(lineBytes[end]) == std::string::npos) {
        end += reader.Length(lineBytes, end);
    }
    return std::min(end, lineBytes.size());
}

// Bytes of the file (in encoding) as GBK text, for people.
std::string AsGbk(const std::string& bytes, const std::string& encoding) {
    return Utf8ToGbkLossy(DecodeRecordText(bytes, encoding).utf8);
}

// Overwrites the first character of the name at (repaired.line, repaired.column) of the file.
Mend MendName(const std::string& gbkPath, RepairedName& repaired) {
    const long line = repaired.line;
    const long column = repaired.column;
    CStdioFile file;
    if (!file.Open(gbkPath, CStdioFile::modeReadWrite)) return Mend::CannotOpen;
    const std::string content = file.ReadAll();
    const std::string encoding = RecordTextEncoding(content.substr(0, kDeclarationPrefixLength));
    // Lines of a UTF-16 file are not found by their line-feed bytes: such a file is not mended.
    if (encoding == "UTF-16") return Mend::NothingToChange;

    std::size_t lineStart = 0;
    std::size_t lineEnd = 0;
    if (!FindLine(content, line, lineStart, lineEnd)) return Mend::NothingToChange;
    const std::string lineBytes = content.substr(lineStart, lineEnd - lineStart);
    CharReader reader(encoding);
    const std::size_t at = FindColumn(lineBytes, line, column, reader, encoding.empty());
    if (at == std::string::npos) return Mend::NothingToChange;  // the fault is no character here

    const std::string replacement = ChooseBytes(lineBytes, at, reader.Length(lineBytes, at));
    if (lineBytes.compare(at, replacement.size(), replacement) == 0) return Mend::NothingToChange;
    file.Seek(static_cast<long>(lineStart + at));
    file.Write(replacement.data(), replacement.size());
    file.Close();
    const std::string before = lineBytes.substr(at, NameEnd(lineBytes, at, reader) - at);
    repaired.written = replacement;
    repaired.before = AsGbk(before, encoding);
    repaired.after = AsGbk(replacement + before.substr(std::min(replacement.size(), before.size())), encoding);
    return Mend::Written;
}

// One round of the repair after a failed load: mends the name the error points at, or says why the
// repair ends (the status it ends with). previous is the error the round before mended.
bool MendAtError(const std::string& gbkPath, const XmlParseError& error, const XmlParseError& previous,
                 RepairResult& result) {
    if (error.errorCode != XML_E_BADSTARTNAMECHAR) {
        result.status = RepairStatus::OtherError;
        return false;
    }
    if (error.line == previous.line && error.linepos == previous.linepos) {
        result.status = RepairStatus::Stuck;
        return false;
    }
    if (IsReadOnly(gbkPath)) {
        result.status = RepairStatus::CannotOpen;
        return false;
    }
    RepairedName repaired;
    repaired.line = error.line;
    repaired.column = error.linepos;
    switch (MendName(gbkPath, repaired)) {
    case Mend::CannotOpen:
        result.status = RepairStatus::CannotOpen;
        return false;
    case Mend::NothingToChange:
        result.status = RepairStatus::Stuck;
        return false;
    case Mend::Written:
        break;
    }
    result.repairs.push_back(repaired);
    return true;
}

}  // namespace

RepairResult RepairXmlFileWith(const std::string& gbkPath, const RepairLoad& load) {
    RepairResult result;
    try {
        XmlParseError previous;
        while (!load(gbkPath, result.error)) {
            if (!MendAtError(gbkPath, result.error, previous, result)) return result;
            previous = result.error;
        }
        result.status = RepairStatus::Loaded;
        result.error = XmlParseError();
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
        if (document.IsEmpty()) throw _com_error(E_POINTER);
        if (document.load(path)) return true;
        error = document.parseError();
        return false;
    });
}

int CImportXml::RepairXML(const std::string& path) {
    return RepairXmlFile(path).status == RepairStatus::Loaded ? 1 : 0;
}

}  // namespace traverse
