#include "xml/xml_parse_error_table.h"

#include <libxml/xmlerror.h>

#include <algorithm>
#include <cstring>

#include "platform/characters.h"
#include "platform/iconv_converter.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"
#include "xml/xml_texts.h"

namespace traverse {
namespace {

// How the position of a fault is found in the decoded text.
enum class Where {
    AtFault,          // the character the parser stopped at
    MissingSpace,     // white space expected before the next attribute
    AtEnd,            // the end of the file
    TagName,          // the name of the start or end tag that holds the fault
    DuplicateName,    // the name of the attribute just parsed
    OpenQuote,        // the opening quote of the string the fault left open
    CommentStart,     // the "<!--" of the comment that holds the fault
    CdataStart,       // the "<![CDATA[" that holds the fault
    PiStart,          // the "<?" that holds the fault
    NameStart,        // a name expected here: 0xC00CE504, 0xC00CE505 or 0xC00CE513 by the character
    EndTagName,       // the name of an end tag expected after "</"
    TopLevel,         // content after the document element: which kind decides the code
};

struct TableRow {
    int libxmlCode;
    std::uint32_t code;
    const char* reason;
    Where where;
};

constexpr std::uint32_t kMissingEquals = 0xC00CE501u;
constexpr std::uint32_t kMissingQuote = 0xC00CE502u;
constexpr std::uint32_t kCommentSyntax = 0xC00CE503u;
constexpr std::uint32_t kBadNameChar = 0xC00CE505u;
constexpr std::uint32_t kLessThanInString = 0xC00CE506u;
constexpr std::uint32_t kXmlDeclSyntax = 0xC00CE507u;
constexpr std::uint32_t kBadCharData = 0xC00CE508u;
constexpr std::uint32_t kMissingWhiteSpace = 0xC00CE509u;
constexpr std::uint32_t kExpectingTagEnd = 0xC00CE50Au;
constexpr std::uint32_t kMissingSemicolon = 0xC00CE50Du;
constexpr std::uint32_t kUnexpectedWhiteSpace = 0xC00CE513u;
constexpr std::uint32_t kIncompleteEncoding = 0xC00CE514u;
constexpr std::uint32_t kUnexpectedEndTag = 0xC00CE552u;
constexpr std::uint32_t kUnclosedTag = 0xC00CE553u;
constexpr std::uint32_t kDuplicateAttribute = 0xC00CE554u;
constexpr std::uint32_t kMultipleRoots = 0xC00CE555u;
constexpr std::uint32_t kInvalidAtTopLevel = 0xC00CE556u;
constexpr std::uint32_t kBadXmlDecl = 0xC00CE557u;
constexpr std::uint32_t kUnexpectedEof = 0xC00CE559u;
constexpr std::uint32_t kUnclosedPi = 0xC00CE55Du;
constexpr std::uint32_t kUnclosedString = 0xC00CE560u;
constexpr std::uint32_t kUnclosedComment = 0xC00CE561u;
constexpr std::uint32_t kUnclosedCdata = 0xC00CE564u;
constexpr std::uint32_t kEndTagMismatch = 0xC00CE56Du;

constexpr const char* kReasonBadStartNameChar = "A name was started with an invalid character.";
constexpr const char* kReasonBadNameChar = "A name contained an invalid character.";
constexpr const char* kReasonUnexpectedWhiteSpace = "Whitespace is not allowed at this location.";
constexpr const char* kReasonBadCharData = "An Invalid character was found in text content.";
constexpr const char* kReasonIncompleteEncoding =
    "End of file reached in invalid state for current encoding.";
constexpr const char* kReasonUnexpectedEof = "Unexpected end of file.";
constexpr const char* kReasonExpectingTagEnd = "The character '>' was expected.";
constexpr const char* kReasonCommentSyntax = "Incorrect syntax was used in a comment.";
constexpr const char* kReasonXmlDeclSyntax = "Invalid syntax for an xml declaration.";
constexpr const char* kReasonMissingRoot = "XML document must have a top level element.";

// libxml2's parser errors and the DOM's codes for the same faults. Codes that a row does not
// settle alone (a name expected, content at the top level) are decided by the text at the fault.
constexpr TableRow kTable[] = {
    {XML_ERR_NO_MEMORY, E_OUTOFMEMORY, kReasonOutOfMemory, Where::AtFault},
    {XML_ERR_DOCUMENT_START, kInvalidAtTopLevel, "Invalid at the top level of the document.",
     Where::AtFault},
    {XML_ERR_DOCUMENT_EMPTY, kInvalidAtTopLevel, "Invalid at the top level of the document.",
     Where::TopLevel},
    {XML_ERR_DOCUMENT_END, kInvalidAtTopLevel, "Invalid at the top level of the document.",
     Where::TopLevel},
    {XML_ERR_INVALID_HEX_CHARREF, kBadCharData, kReasonBadCharData, Where::AtFault},
    {XML_ERR_INVALID_DEC_CHARREF, kBadCharData, kReasonBadCharData, Where::AtFault},
    {XML_ERR_INVALID_CHARREF, kBadCharData, kReasonBadCharData, Where::AtFault},
    {XML_ERR_INVALID_CHAR, kBadCharData, kReasonBadCharData, Where::AtFault},
    {XML_ERR_CHARREF_AT_EOF, kUnexpectedEof, kReasonUnexpectedEof, Where::AtEnd},
    {XML_ERR_ENTITYREF_AT_EOF, kUnexpectedEof, kReasonUnexpectedEof, Where::AtEnd},
    {XML_ERR_PEREF_AT_EOF, kUnexpectedEof, kReasonUnexpectedEof, Where::AtEnd},
    {XML_ERR_ENTITYREF_NO_NAME, XML_E_BADSTARTNAMECHAR, kReasonBadStartNameChar, Where::NameStart},
    {XML_ERR_PEREF_NO_NAME, XML_E_BADSTARTNAMECHAR, kReasonBadStartNameChar, Where::NameStart},
    {XML_ERR_ENTITYREF_SEMICOL_MISSING, kMissingSemicolon,
     "A semi colon character was expected.", Where::AtFault},
    {XML_ERR_PEREF_SEMICOL_MISSING, kMissingSemicolon, "A semi colon character was expected.",
     Where::AtFault},
    {XML_ERR_UNKNOWN_ENCODING, XML_E_INVALIDENCODING,
     "System does not support the specified encoding.", Where::AtFault},
    {XML_ERR_UNSUPPORTED_ENCODING, XML_E_INVALIDENCODING,
     "System does not support the specified encoding.", Where::AtFault},
    {XML_ERR_STRING_NOT_STARTED, kMissingQuote,
     "A string literal was expected, but no opening quote character was found.", Where::AtFault},
    {XML_ERR_STRING_NOT_CLOSED, kUnclosedString, "A string literal was not closed.",
     Where::OpenQuote},
    {XML_ERR_LT_IN_ATTRIBUTE, kLessThanInString,
     "The character '<' cannot be used in an attribute value.", Where::AtFault},
    {XML_ERR_ATTRIBUTE_NOT_STARTED, kMissingQuote,
     "A string literal was expected, but no opening quote character was found.", Where::AtFault},
    {XML_ERR_ATTRIBUTE_NOT_FINISHED, kUnclosedString, "A string literal was not closed.",
     Where::OpenQuote},
    {XML_ERR_ATTRIBUTE_WITHOUT_VALUE, kMissingEquals,
     "Missing equals sign between attribute and attribute value.", Where::AtFault},
    {XML_ERR_ATTRIBUTE_REDEFINED, kDuplicateAttribute, "Duplicate attribute.",
     Where::DuplicateName},
    {XML_ERR_LITERAL_NOT_STARTED, kMissingQuote,
     "A string literal was expected, but no opening quote character was found.", Where::AtFault},
    {XML_ERR_LITERAL_NOT_FINISHED, kUnclosedString, "A string literal was not closed.",
     Where::OpenQuote},
    {XML_ERR_COMMENT_NOT_FINISHED, kUnclosedComment, "A comment was not closed.",
     Where::CommentStart},
    {XML_ERR_PI_NOT_STARTED, kUnclosedPi, "Processing instruction was not closed.",
     Where::PiStart},
    {XML_ERR_PI_NOT_FINISHED, kUnclosedPi, "Processing instruction was not closed.",
     Where::PiStart},
    {XML_ERR_XMLDECL_NOT_STARTED, kXmlDeclSyntax, kReasonXmlDeclSyntax, Where::AtFault},
    {XML_ERR_XMLDECL_NOT_FINISHED, kXmlDeclSyntax, kReasonXmlDeclSyntax, Where::AtFault},
    {XML_ERR_MISPLACED_CDATA_END, kBadCharData, kReasonBadCharData, Where::AtFault},
    {XML_ERR_CDATA_NOT_FINISHED, kUnclosedCdata, "A CDATA section was not closed.",
     Where::CdataStart},
    {XML_ERR_RESERVED_XML_NAME, kBadXmlDecl, "Invalid xml declaration.", Where::PiStart},
    {XML_ERR_SPACE_REQUIRED, kMissingWhiteSpace, "Required white space was missing.",
     Where::MissingSpace},
    {XML_ERR_NAME_REQUIRED, XML_E_BADSTARTNAMECHAR, kReasonBadStartNameChar, Where::NameStart},
    {XML_ERR_GT_REQUIRED, kExpectingTagEnd, kReasonExpectingTagEnd, Where::EndTagName},
    {XML_ERR_LTSLASH_REQUIRED, kExpectingTagEnd, kReasonExpectingTagEnd,
     Where::AtFault},
    {XML_ERR_EQUAL_REQUIRED, kMissingEquals,
     "Missing equals sign between attribute and attribute value.", Where::AtFault},
    {XML_ERR_TAG_NAME_MISMATCH, kEndTagMismatch, "", Where::TagName},
    {XML_ERR_TAG_NOT_FINISHED, kUnclosedTag, "", Where::AtEnd},
    {XML_ERR_STANDALONE_VALUE, kXmlDeclSyntax, kReasonXmlDeclSyntax, Where::AtFault},
    {XML_ERR_ENCODING_NAME, kXmlDeclSyntax, kReasonXmlDeclSyntax, Where::AtFault},
    {XML_ERR_HYPHEN_IN_COMMENT, kCommentSyntax, kReasonCommentSyntax,
     Where::AtFault},
    {XML_ERR_INVALID_ENCODING, kBadCharData, kReasonBadCharData, Where::AtFault},
    {XML_ERR_VERSION_MISSING, kXmlDeclSyntax, kReasonXmlDeclSyntax, Where::AtFault},
    {XML_ERR_UNKNOWN_VERSION, kXmlDeclSyntax, kReasonXmlDeclSyntax, Where::AtFault},
    {XML_ERR_NAME_TOO_LONG, kBadNameChar, kReasonBadNameChar, Where::AtFault},
};

using chars::DecodeUtf8;
using chars::Utf8Char;

// Start of the character that ends just before pos.
std::size_t PreviousCharStart(const std::string& text, std::size_t pos) {
    if (pos == 0) return 0;
    std::size_t start = pos - 1;
    while (start > 0 && chars::IsUtf8Continuation(text[start])) --start;
    return start;
}

bool IsNameChar(std::uint32_t c) {
    return chars::IsXmlNameStartChar(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') ||
           c == 0xB7 || (c >= 0x300 && c <= 0x36F) || (c >= 0x203F && c <= 0x2040);
}

bool IsBlank(std::uint32_t c) { return c < 0x80 && chars::IsXmlSpace(static_cast<char>(c)); }

std::size_t SkipBlanks(const std::string& text, std::size_t pos) {
    while (pos < text.size() && IsBlank(static_cast<unsigned char>(text[pos]))) ++pos;
    return pos;
}

// The offset just past the leading XML declaration, 0 when the text has none.
std::size_t XmlDeclEnd(const std::string& text) {
    std::size_t start = chars::StartsWithUtf8Bom(text) ? chars::kUtf8Bom.size() : 0;
    if (text.compare(start, 5, "<?xml") != 0 || text.size() < start + 6 ||
        !IsBlank(static_cast<unsigned char>(text[start + 5]))) {
        return 0;
    }
    const std::size_t close = text.find('>', start);
    return close == std::string::npos ? text.size() : close + 1;
}

// The name written at pos, up to the first character that cannot be part of a name.
std::string NameAt(const std::string& text, std::size_t pos) {
    std::size_t end = pos;
    for (Utf8Char c = DecodeUtf8(text, end); c.length > 0 && IsNameChar(c.code);
         c = DecodeUtf8(text, end)) {
        end += c.length;
    }
    return text.substr(pos, end - pos);
}

// The opening quote of the string still open at pos inside the markup that starts at markupStart.
std::size_t OpenQuoteBefore(const std::string& text, std::size_t markupStart, std::size_t pos) {
    char quote = 0;
    std::size_t open = pos;
    for (std::size_t i = markupStart; i < pos && i < text.size(); ++i) {
        const char c = text[i];
        if (quote == 0 && (c == '"' || c == '\'')) {
            quote = c;
            open = i;
        } else if (c == quote) {
            quote = 0;
        }
    }
    return quote != 0 ? open : pos;
}

// The start of the attribute name whose value ends just before pos (blanks allowed between).
std::size_t AttributeNameBefore(const std::string& text, std::size_t pos) {
    std::size_t i = std::min(pos, text.size());
    while (i > 0 && IsBlank(static_cast<unsigned char>(text[i - 1]))) --i;
    if (i < 2 || (text[i - 1] != '"' && text[i - 1] != '\'')) return pos;
    const std::size_t open = text.rfind(text[i - 1], i - 2);
    if (open == std::string::npos) return pos;
    i = open;
    while (i > 0 && IsBlank(static_cast<unsigned char>(text[i - 1]))) --i;
    if (i == 0 || text[i - 1] != '=') return pos;
    --i;
    while (i > 0 && IsBlank(static_cast<unsigned char>(text[i - 1]))) --i;
    while (i > 0) {
        const std::size_t previous = PreviousCharStart(text, i);
        if (!IsNameChar(DecodeUtf8(text, previous).code)) break;
        i = previous;
    }
    return i;
}

struct Located {
    std::uint32_t code;
    std::string reason;  // UTF-8
    std::size_t pos;     // offset into the decoded text
    bool hasLine = true;
};

// ---- one function per kind of position: each gets the row's code, reason and the fault's offset
// in found, and returns where the DOM reports the fault, and as what --------------------------

// White space is missing only where another attribute follows at once.
Located MissingSpace(const std::string& text, Located found) {
    const Utf8Char here = DecodeUtf8(text, found.pos);
    if (here.length == 0) return {kUnexpectedEof, kReasonUnexpectedEof, text.size()};
    if (!IsNameChar(here.code)) return {kExpectingTagEnd, kReasonExpectingTagEnd, found.pos};
    return found;
}

Located AtEnd(const std::string& text, Located found) {
    found.pos = text.size();
    return found;
}

// A name was expected: what stands there decides the code.
Located NameStart(const std::string& text, Located found) {
    const std::size_t at = found.pos;
    const Utf8Char here = DecodeUtf8(text, at);
    if (here.length == 0) return {kUnexpectedEof, kReasonUnexpectedEof, text.size()};
    if (IsBlank(here.code)) return {kUnexpectedWhiteSpace, kReasonUnexpectedWhiteSpace, at};
    // "<a/ >": the tag's end is malformed, not a name.
    if (here.code == '/') return {kExpectingTagEnd, kReasonExpectingTagEnd, at + 1};
    if (here.code == '!' && text.compare(at + 1, 1, "-") == 0) {
        return {kCommentSyntax, kReasonCommentSyntax, at};
    }
    if (at > 0 && IsNameChar(DecodeUtf8(text, PreviousCharStart(text, at)).code)) {
        return {kBadNameChar, kReasonBadNameChar, at};
    }
    return found;
}

// An end tag whose name cannot be read ("</1a>", "</ a>") is a fault of that name.
Located EndTagName(const std::string& text, Located found) {
    const std::size_t at = found.pos;
    const Utf8Char here = DecodeUtf8(text, at);
    std::size_t blankStart = at;
    while (blankStart > 0 && IsBlank(static_cast<unsigned char>(text[blankStart - 1])))
        --blankStart;
    const bool afterEndTagOpen = blankStart >= 2 && text.compare(blankStart - 2, 2, "</") == 0;
    if (afterEndTagOpen && blankStart < at) {
        return {kUnexpectedWhiteSpace, kReasonUnexpectedWhiteSpace, blankStart};
    }
    if (here.length == 0) return {kUnexpectedEof, kReasonUnexpectedEof, text.size()};
    if (afterEndTagOpen && !chars::IsXmlNameStartChar(here.code)) {
        return {XML_E_BADSTARTNAMECHAR, kReasonBadStartNameChar, at};
    }
    return found;
}

// At the end tag's name, with both names in the reason.
Located TagName(const std::string& text, Located found, const XmlFault& fault) {
    const std::size_t open = text.rfind("</", found.pos == 0 ? 0 : found.pos - 1);
    if (open != std::string::npos) found.pos = SkipBlanks(text, open + 2);
    const std::string endName = NameAt(text, found.pos);
    const std::string startName = fault.openElements.empty() ? "" : fault.openElements.back();
    found.reason = "End tag '" + endName + "' does not match the start tag '" + startName + "'.";
    return found;
}

Located DuplicateName(const std::string& text, Located found) {
    found.pos = AttributeNameBefore(text, found.pos);
    return found;
}

Located OpenQuote(const std::string& text, Located found) {
    const std::size_t at = found.pos;
    const std::size_t markup = text.rfind('<', at == 0 ? 0 : at - 1);
    found.pos = OpenQuoteBefore(text, markup == std::string::npos ? 0 : markup, at);
    if (found.pos == at && DecodeUtf8(text, at).length == 0) found.pos = text.size();
    return found;
}

// At the opener of the construct that holds the fault ("<!--", "<![CDATA[", "<?").
Located ConstructStart(const std::string& text, Located found, const char* opener) {
    const std::size_t open = text.rfind(opener, found.pos == 0 ? 0 : found.pos - 1);
    if (open != std::string::npos) found.pos = open;
    return found;
}

// Content after the document element: which kind decides the code.
Located TopLevel(const std::string& text, Located found) {
    const std::size_t at = found.pos;
    const std::size_t end = text.size();
    // Nothing but white space, comments and processing instructions.
    if (DecodeUtf8(text, at).length == 0)
        return {XML_E_MISSINGROOT, kReasonMissingRoot, end, false};
    if (text[at] == '<' && at + 1 < end && text[at + 1] == '/') {
        return {kUnexpectedEndTag, "End tag was not expected at this location.",
                SkipBlanks(text, at + 2)};
    }
    if (text[at] == '<' && chars::IsXmlNameStartChar(DecodeUtf8(text, at + 1).code)) {
        return {kMultipleRoots, "Only one top level element is allowed in an XML document.",
                at + 1};
    }
    return found;
}

Located ByKind(const TableRow& row, const XmlFault& fault, const std::string& text, Located found) {
    switch (row.where) {
    case Where::AtFault: return found;
    case Where::MissingSpace: return MissingSpace(text, found);
    case Where::AtEnd: return AtEnd(text, found);
    case Where::NameStart: return NameStart(text, found);
    case Where::EndTagName: return EndTagName(text, found);
    case Where::TagName: return TagName(text, found, fault);
    case Where::DuplicateName: return DuplicateName(text, found);
    case Where::OpenQuote: return OpenQuote(text, found);
    case Where::CommentStart: return ConstructStart(text, found, "<!--");
    case Where::CdataStart: return ConstructStart(text, found, "<![CDATA[");
    case Where::PiStart: return ConstructStart(text, found, "<?");
    case Where::TopLevel: return TopLevel(text, found);
    }
    return found;
}

const TableRow* RowOf(const XmlFault& fault) {
    if (fault.domain != XML_FROM_PARSER) return nullptr;
    for (const TableRow& row : kTable) {
        if (row.libxmlCode == fault.code) return &row;
    }
    return nullptr;
}

// No code of the DOM fits; libxml2's own words say what is wrong. A fault in an entity's
// replacement text is reported at the reference, never as a name to mend.
Located Unmapped(const XmlFault& fault, std::size_t at) {
    std::string reason = fault.message;
    while (!reason.empty() && IsBlank(static_cast<unsigned char>(reason.back()))) reason.pop_back();
    if (fault.inEntity) reason = "Error in the replacement text of an entity: " + reason;
    return {E_FAIL, reason, at};
}

std::string UnclosedTagsReason(const XmlFault& fault) {
    std::string names;
    for (const std::string& name : fault.openElements) {
        if (!names.empty()) names += ", ";
        names += name;
    }
    return "The following tags were not closed: " + names + ".";
}

Located Locate(const XmlFault& fault, const std::string& text) {
    const std::size_t at = fault.offset < 0
                               ? text.size()
                               : std::min(static_cast<std::size_t>(fault.offset), text.size());
    const TableRow* row = RowOf(fault);
    if (row == nullptr || fault.inEntity) return Unmapped(fault, at);
    // Faults inside the XML declaration are faults of its syntax, whatever libxml2 called them.
    if (at < XmlDeclEnd(text) && row->code != XML_E_INVALIDENCODING &&
        row->where != Where::NameStart) {
        return {kXmlDeclSyntax, kReasonXmlDeclSyntax, at};
    }
    Located found = ByKind(*row, fault, text, {row->code, row->reason, at});
    if (fault.code == XML_ERR_TAG_NOT_FINISHED) found.reason = UnclosedTagsReason(fault);
    return found;
}

XmlParseError At(const std::string& text, const Located& where) {
    XmlParseError error;
    error.errorCode = where.code;
    error.reason = Utf8ToGbkLossy(where.reason);
    if (!where.hasLine) return error;

    // A byte-order mark is no character of line 1.
    const std::size_t pos = std::min(where.pos, text.size());
    chars::LineCursor line(
        text, chars::StartsWithUtf8Bom(text) ? std::min(chars::kUtf8Bom.size(), pos) : 0);
    line.MoveTo(pos);
    error.line = line.Number();
    error.linepos = line.Utf8Column(pos);
    error.srcText = Utf8ToGbkLossy(text.substr(line.Start(), line.End() - line.Start()));
    return error;
}

}  // namespace

DecodedText DecodeRecordText(const std::string& raw, const std::string& encoding) {
    DecodedText decoded;
    IconvConverter converter("UTF-8", encoding.empty() ? "UTF-8" : encoding.c_str());
    if (!converter.IsOpen()) {
        decoded.utf8 = raw;
        return decoded;
    }
    converter.Convert(raw, decoded.utf8, [&decoded](std::string_view, std::size_t, bool truncated,
                                                    std::string& output) {
        if (decoded.failure == std::string::npos) {
            decoded.failure = output.size();
            decoded.truncated = truncated;
        }
        // The rest of the text only shows in a source line: a byte that does not decode shows as
        // U+FFFD there.
        output += "\xEF\xBF\xBD";
        return std::size_t{1};
    });
    return decoded;
}

XmlParseError DescribeParseFault(const XmlFault& fault, const DecodedText& text) {
    if (fault.ownCode != 0) {
        std::size_t at = fault.offset < 0 ? text.utf8.size()
                                          : std::min<std::size_t>(fault.offset, text.utf8.size());
        // An attribute value holds no '<': the last one before the fault opens its tag.
        const std::size_t open = at == 0 ? std::string::npos : text.utf8.rfind('<', at - 1);
        if (fault.ownAtTag && open != std::string::npos) at = open + 1;
        return At(text.utf8, {fault.ownCode, fault.ownReason, at});
    }
    // Bytes that do not decode are the fault when the parser stopped at them or beyond them.
    const bool encodingFault = fault.domain == XML_FROM_I18N || fault.domain == XML_FROM_IO ||
                               fault.offset < 0;
    if (text.failure != std::string::npos &&
        (encodingFault || static_cast<std::size_t>(fault.offset) >= text.failure)) {
        if (text.truncated)
            return At(text.utf8, {kIncompleteEncoding, kReasonIncompleteEncoding, text.failure});
        return At(text.utf8, {kBadCharData, kReasonBadCharData, text.failure});
    }
    return At(text.utf8, Locate(fault, text.utf8));
}

XmlParseError MissingFileError() {
    XmlParseError error;
    error.errorCode = INET_E_OBJECT_NOT_FOUND;
    error.reason = "The system cannot locate the object specified.";
    return error;
}

XmlParseError FileTooLargeError() {
    XmlParseError error;
    error.errorCode = E_FAIL;
    error.reason = text::kXmlFileTooLarge;
    return error;
}

XmlParseError MissingRootError() {
    XmlParseError error;
    error.errorCode = XML_E_MISSINGROOT;
    error.reason = kReasonMissingRoot;
    return error;
}

}  // namespace traverse
