// Mends names in the bytes of a record file held in memory, as the repair writes them: the first
// character of a name becomes "st" (whole characters only; the bytes keep their length).
#ifndef TRAVERSE_IMPORT_NAME_MENDER_H
#define TRAVERSE_IMPORT_NAME_MENDER_H

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/characters.h"
#include "platform/iconv_converter.h"
#include "traverse/repair.h"

namespace traverse {

// Splits text into characters of a record file's own encoding (an iconv name; empty for UTF-8).
class CharReader {
public:
    explicit CharReader(const std::string& encoding);
    // Bytes of the character at pos, as far as bytes holds them.
    std::size_t Length(std::string_view bytes, std::size_t pos);

private:
    std::string m_encoding;
    IconvConverter m_converter;  // other encodings: the fewest bytes that decode to one character
};

// Positions are found from where the last one was: going forward costs only the bytes between.
class NameMender {
public:
    // content: the whole file, changed in place by each mend.
    explicit NameMender(std::string& content);

    // The iconv name of the file's encoding, empty for UTF-8.
    const std::string& Encoding() const { return m_encoding; }

    // Mends the name whose first character is at (repaired.line, repaired.column), 1-based with
    // the column in characters, as the parser reports them; fills in written, before and after.
    // False, nothing changed, when there is no such character or the mend would change nothing.
    bool MendAt(RepairedName& repaired);
    // The same for the name whose first character starts at byte offset; fills in line and column.
    bool MendAtOffset(std::size_t offset, RepairedName& repaired);
    // Byte offset of the last mend.
    std::size_t LastOffset() const { return m_lines.Start() + m_at; }

private:
    void Restart();
    void StartLine();
    bool ToLine(long line);
    bool MendHere(RepairedName& repaired);

    std::string& m_content;
    std::string m_encoding;
    CharReader m_reader;
    chars::LineCursor m_lines;
    std::string m_line;       // the bytes of the cursor's line
    long m_column = 1;        // the cursor: this column of the line starts at byte m_at of m_line
    std::size_t m_at = 0;
};

}  // namespace traverse

#endif
