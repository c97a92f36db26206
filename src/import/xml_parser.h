// Parses record files into libxml2 trees with the component's defaults: no DTD or external entity
// is loaded, nothing reaches the network, entity expansion is bounded, GBK-family files decode as
// GB18030, and a failed parse is described by the component's parse error.
#ifndef TRAVERSE_IMPORT_XML_PARSER_H
#define TRAVERSE_IMPORT_XML_PARSER_H

#include <string>

#include "import/xml_document_state.h"
#include "traverse/xml_dom.h"

namespace traverse {

struct XmlParseResult {
    XmlDocPtr tree;      // set when the parse succeeded
    XmlParseError error; // errorCode 0 when it succeeded
};

// Parses the file at gbkPath.
XmlParseResult ParseXmlFile(const std::string& gbkPath);
// Parses bytes as the content of a record file.
XmlParseResult ParseXmlBytes(const std::string& bytes);

// Cumulative length of entity replacement text one parse may expand before it is stopped.
constexpr std::size_t kEntityExpansionLimit = 16u * 1024u * 1024u;

}  // namespace traverse

#endif
