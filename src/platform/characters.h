// The one character table of the library and the decoders that every encoding-aware part uses:
// UTF-8, GBK and GB18030 sequence lengths, XML and C white space, ASCII case, the byte-order mark,
// and line breaks as XML parsers count them.
#ifndef TRAVERSE_PLATFORM_CHARACTERS_H
#define TRAVERSE_PLATFORM_CHARACTERS_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace traverse {
namespace chars {

// Properties of a byte, from one 256-entry table.
enum Kind : std::uint8_t {
    kXmlSpace = 1,       // blank, tab, CR, LF: white space as XML defines it
    kCSpace = 2,         // the XML blanks and VT, FF: white space as the C library's isspace
    kDigit = 4,          // 0-9
    kAsciiNameChar = 8,  // a letter, digit, '_', '-', '.', ':': may continue an ASCII XML name
    kUpper = 16,         // A-Z
};

// Inline: the parse and the number readers ask it for every byte.
extern const std::array<std::uint8_t, 256> kByteKinds;
inline bool Is(unsigned char byte, Kind kind) { return (kByteKinds[byte] & kind) != 0; }
inline bool IsXmlSpace(char c) { return Is(static_cast<unsigned char>(c), kXmlSpace); }
inline bool IsCSpace(char c) { return Is(static_cast<unsigned char>(c), kCSpace); }
inline bool IsDigit(char c) { return Is(static_cast<unsigned char>(c), kDigit); }
inline bool IsAsciiNameChar(char c) { return Is(static_cast<unsigned char>(c), kAsciiNameChar); }
bool IsAscii(std::string_view text);

// ASCII letters folded to one case; every other byte unchanged.
std::string AsciiLower(std::string text);
std::string AsciiUpper(std::string text);

// text without C white space at either end.
std::string TrimCSpace(std::string_view text);
// The same, as a view into text.
std::string_view TrimmedCSpace(std::string_view text);

// ---- UTF-8 ----
constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
inline bool StartsWithUtf8Bom(std::string_view text) { return text.substr(0, 3) == kUtf8Bom; }
inline bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u; }
// Characters of UTF-8 text: the bytes that start one.
std::size_t Utf8Characters(std::string_view text);

// Whether the code point may start an XML name (XML 1.0, fifth edition, as libxml2 reads names).
bool IsXmlNameStartChar(std::uint32_t code);

// One decoded character: its code point and its length in bytes.
struct Utf8Char {
    std::uint32_t code = 0;
    std::size_t length = 0;  // 0 at the end of the text
};
// The character at pos. A byte that starts no complete, well-formed sequence is a character of its
// own: its byte value, length 1.
Utf8Char DecodeUtf8(std::string_view text, std::size_t pos);

// ---- GBK and GB18030 ----
// Bytes of the character at pos: 2 for a lead byte (0x81-0xFE) with a valid trail byte, else 1.
std::size_t GbkLength(std::string_view text, std::size_t pos);
// As GbkLength, and 4 for GB18030's four-byte form (a lead byte followed by a digit).
std::size_t Gb18030Length(std::string_view text, std::size_t pos);

// ---- lines ----
// Walks text line by line; CR, LF and CR LF each end one line, as XML parsers count them. Starts
// on line 1 at offset start.
class LineCursor {
public:
    explicit LineCursor(std::string_view text, std::size_t start = 0);
    long Number() const { return m_number; }
    std::size_t Start() const { return m_start; }
    // Offset of the current line's break, or the text's end on the last line.
    std::size_t End() const { return m_end; }
    // Moves to the next line; false when the current line is the last.
    bool Next();
    // Moves forward to the line that holds offset pos; the break that ends a line belongs to it.
    void MoveTo(std::size_t pos);
    // The 1-based column of offset pos on the current line, counted in UTF-8 characters.
    long Utf8Column(std::size_t pos) const;

private:
    void FindEnd();

    std::string_view m_text;
    long m_number = 1;
    std::size_t m_start;
    std::size_t m_end = 0;
};

}  // namespace chars
}  // namespace traverse

#endif
