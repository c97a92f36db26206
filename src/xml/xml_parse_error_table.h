// Turns the first fault libxml2 reported while parsing a record file into the DOM's parse
// error: its code, reason and position, as record-file authors and the repair expect them.
#ifndef TRAVERSE_XML_XML_PARSE_ERROR_TABLE_H
#define TRAVERSE_XML_XML_PARSE_ERROR_TABLE_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "traverse/xml_dom.h"

namespace traverse {

// Codes of the DOM's parse errors used inside the library.
constexpr std::uint32_t XML_E_BADSTARTNAMECHAR = 0xC00CE504u;
constexpr std::uint32_t XML_E_MISSINGROOT = 0xC00CE558u;
constexpr std::uint32_t XML_E_INVALIDENCODING = 0xC00CE56Eu;
constexpr std::uint32_t INET_E_OBJECT_NOT_FOUND = 0x800C0006u;

constexpr const char* kReasonOutOfMemory =
    "Not enough storage is available to complete this operation.";

// What the parser saw at its first fault.
struct XmlFault {
    int domain = 0;                 // libxml2's error domain
    int code = 0;                   // libxml2's error code
    std::string message;            // libxml2's message, UTF-8
    long offset = -1;               // byte offset into the decoded (UTF-8) text; -1 when unknown
    std::vector<std::string>
        openElements;               // names of the elements open at the fault, outermost first
    bool inEntity = false;          // the fault lies in an entity's replacement text
    std::uint32_t ownCode = 0;      // set when the library itself stopped the parse
    std::string ownReason;
    bool ownAtTag = false;          // reported at the name of the start tag before offset
};

// The decoded text of a whole record file, as far as its bytes decode.
struct DecodedText {
    std::string utf8;
    std::size_t failure =
        std::string::npos;   // where the bytes stopped decoding, as an offset in utf8
    bool truncated = false;  // they stopped in a character cut off by the file's end
};

// Decodes raw bytes in encoding (an iconv name; empty for UTF-8).
DecodedText DecodeRecordText(const std::string& raw, const std::string& encoding);

// The parse error for fault in text.
XmlParseError DescribeParseFault(const XmlFault& fault, const DecodedText& text);

// Errors that have no position.
XmlParseError MissingFileError();
XmlParseError MissingRootError();
XmlParseError FileTooLargeError();

}  // namespace traverse

#endif
