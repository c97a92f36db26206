// What a document handle and every node handle taken from it share: the parsed tree and the reason
// the last load failed.
#ifndef TRAVERSE_XML_XML_DOCUMENT_STATE_H
#define TRAVERSE_XML_XML_DOCUMENT_STATE_H

#include <libxml/tree.h>

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "traverse/xml_dom.h"

namespace traverse {

struct XmlDocFree {
    void operator()(xmlDoc* document) const noexcept { xmlFreeDoc(document); }
};
using XmlDocPtr = std::unique_ptr<xmlDoc, XmlDocFree>;

namespace detail {

struct XmlDocumentState {
    XmlDocPtr tree;  // empty until a load succeeds
    XmlParseError error;
    // Trees of earlier loads that node handles may still point into; freed with the state.
    std::vector<XmlDocPtr> retired;
    // GBK forms of the non-ASCII names met so far, by their interned UTF-8 string: a record file
    // repeats a few dozen names millions of times.
    mutable std::unordered_map<const xmlChar*, std::string> gbkNames;
};

}  // namespace detail
}  // namespace traverse

#endif
