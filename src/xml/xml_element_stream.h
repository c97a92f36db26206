// The content of one section of a document handed to a reader while the parser reads it, instead of
// being built into the tree: a big file's records are read without a node for each. The reader
// knows the shape it expects; anything else it abandons, and the document is loaded whole again.
#ifndef TRAVERSE_XML_XML_ELEMENT_STREAM_H
#define TRAVERSE_XML_XML_ELEMENT_STREAM_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "traverse/xml_dom.h"
#include "xml/xml_tree.h"

namespace traverse {

struct XmlStreamAttribute {
    const detail::XmlName* name;
    std::string_view value;  // UTF-8, as the tree would hold it
};

// A start tag the parser has just read; valid for the call it is given to.
struct XmlStreamTag {
    const detail::XmlName* name;
    const XmlStreamAttribute* attributes;
    std::size_t count;
    // The line of the tag's '<', 1-based, 0 where not known; counted when asked for.
    std::uint32_t Line() const { return lineOf(parser); }

    std::uint32_t (*lineOf)(const void* parser);
    const void* parser;
};

class XmlElementStream {
public:
    virtual ~XmlElementStream() = default;

    // depth 1 for the section's children.
    virtual void StartElement(std::size_t depth, const XmlStreamTag& tag) = 0;
    virtual void EndElement(std::size_t depth) = 0;
    // Content the stream does not pass on (text other than white space, CDATA, comments,
    // processing instructions, entities): the reader can no longer stand for the tree.
    virtual void Abandon() = 0;
};

// Which element's content is streamed: the first element of the document named section (UTF-8),
// when it is a child of the root element and that is named root; its content is then left out of
// the tree (the element itself, with its attributes, stays). Elsewhere the tree is whole.
struct XmlStreamedSection {
    std::string root;
    std::string section;
    XmlElementStream* stream = nullptr;
    bool streamed = false;  // set by the parse: the section was found and its content streamed
};

namespace detail {
struct XmlDocumentAccess {
    // As document.load(gbkPath), section's content streamed instead of built.
    static bool Load(XmlDocument& document, const std::string& gbkPath,
                     XmlStreamedSection& section);
};
}  // namespace detail

}  // namespace traverse

#endif
