// Parses record files into the access layer's trees with the DOM's defaults: no DTD or
// external entity is loaded, nothing reaches the network, entity expansion is bounded, GBK-family
// files decode as GB18030, and a failed parse is described by the DOM's parse error.
#ifndef TRAVERSE_XML_XML_PARSER_H
#define TRAVERSE_XML_XML_PARSER_H

#include <cstddef>
#include <memory>
#include <string>

#include "xml/xml_element_stream.h"
#include "xml/xml_tree.h"
#include "traverse/xml_dom.h"

namespace traverse {

struct XmlParseResult {
    std::shared_ptr<const detail::XmlTree> tree;  // set when the parse succeeded
    XmlParseError error; // errorCode 0 when it succeeded
};

// Parses the file at gbkPath; with section, its content goes to section's stream, not the tree.
XmlParseResult ParseXmlFile(const std::string& gbkPath, XmlStreamedSection* section = nullptr);
// Parses bytes as the content of a record file.
XmlParseResult ParseXmlBytes(const std::string& bytes);

// The iconv name of the encoding a record file with these first bytes is read in: "GB18030" for
// the GBK family, empty for UTF-8, "UTF-16" for a file with a UTF-16 byte-order mark.
std::string RecordTextEncoding(const std::string& prefix);

// Bytes of a record file examined for its XML declaration.
constexpr std::size_t kDeclarationPrefixLength = 1024;

}  // namespace traverse

#endif
