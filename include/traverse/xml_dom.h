// A small XML DOM: counted handles to a parsed document and its nodes. Names, values and paths are
// GBK text. Using an empty handle raises _com_error with E_POINTER; a name or value that GBK cannot
// hold raises _com_error with E_NO_UNICODE_TRANSLATION.
//
// The document follows these defaults: white space is not preserved (whitespace-only text nodes are
// not children); comments, processing instructions, CDATA sections and other text are children and
// have no attribute map; attribute values arrive normalised with entities expanded; no DTD or
// external entity is loaded and nothing touches the network.
#ifndef TRAVERSE_XML_DOM_H
#define TRAVERSE_XML_DOM_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "traverse/visibility.h"

namespace traverse {

namespace detail {
struct XmlDocumentState;
struct XmlTree;
struct XmlNodeAccess;
struct XmlDocumentAccess;
}

class XmlNodeList;
class XmlNamedNodeMap;

// Why the last load failed. line and linepos are 1-based, linepos counting characters; both 0, and
// srcText empty, where the fault has no line (a missing or empty file).
struct XmlParseError {
    std::uint32_t errorCode = 0;
    long line = 0;
    long linepos = 0;
    std::string srcText;  // the line holding the error, without its line end, GBK
    std::string reason;   // GBK
};

// The kinds of node, as nodeType gives them.
enum XmlNodeType : long {
    NODE_ELEMENT = 1,
    NODE_ATTRIBUTE = 2,
    NODE_TEXT = 3,
    NODE_CDATA_SECTION = 4,
    NODE_ENTITY_REFERENCE = 5,
    NODE_PROCESSING_INSTRUCTION = 7,
    NODE_COMMENT = 8,
    NODE_DOCUMENT = 9,
};

class TRAVERSE_API XmlNode {
public:
    XmlNode() = default;  // an empty handle

    bool IsEmpty() const noexcept { return m_pNode == nullptr; }

    // Tag name of an element, name of an attribute, "#text", "#comment", "#cdata-section", or a
    // processing instruction's target.
    std::string nodeName() const;
    XmlNodeType nodeType() const;
    // Where the node stands in its file, 1-based, the column in characters: the line of an
    // element's start tag; the line and column of the first non-blank character of a text or CDATA
    // section. 0 where not known (other nodes, a column of an element).
    long line() const;
    long column() const;
    // An attribute's value; the text content of any other node.
    std::string nodeTypedValue() const;
    XmlNodeList childNodes() const;
    // The attribute map of an element; an empty handle for any other node.
    XmlNamedNodeMap attributes() const;
    // The first node, in document order, that path matches below this node: names joined by "/"
    // (a child element) or "//" (an element at any depth below); an empty handle if none does.
    XmlNode selectSingleNode(const std::string& path) const;

private:
    friend class XmlDocument;
    friend class XmlNodeCollection;
    friend struct detail::XmlNodeAccess;
    XmlNode(std::shared_ptr<const detail::XmlTree> tree, const void* node);

    std::shared_ptr<const detail::XmlTree> m_tree;
    const void* m_pNode = nullptr;  // a node of the tree, told apart by its low bits
};

// Nodes in document order: a node's children or an element's attributes. item(i) takes constant
// time.
class TRAVERSE_API XmlNodeCollection {
public:
    bool IsEmpty() const noexcept { return m_items == nullptr; }
    long length() const;
    XmlNode item(long index) const;  // empty handle when index is out of range

protected:
    XmlNodeCollection() = default;  // an empty handle
    XmlNodeCollection(std::shared_ptr<const detail::XmlTree> tree,
                      std::shared_ptr<const std::vector<const void*>> items);

private:
    std::shared_ptr<const detail::XmlTree> m_tree;
    std::shared_ptr<const std::vector<const void*>> m_items;
};

// A node's children.
class TRAVERSE_API XmlNodeList : public XmlNodeCollection {
public:
    XmlNodeList() = default;  // an empty handle

private:
    friend class XmlNode;
    using XmlNodeCollection::XmlNodeCollection;
};

// An element's attributes.
class TRAVERSE_API XmlNamedNodeMap : public XmlNodeCollection {
public:
    XmlNamedNodeMap() = default;  // an empty handle

private:
    friend class XmlNode;
    using XmlNodeCollection::XmlNodeCollection;
};

class TRAVERSE_API XmlDocument {
public:
    XmlDocument() = default;  // an empty handle
    // A new, empty document; an empty handle if it cannot be created.
    static XmlDocument Create();

    bool IsEmpty() const noexcept { return m_state == nullptr; }

    // Parses the file at gbkPath. True when its tree is ready; otherwise parseError() says why.
    bool load(const std::string& gbkPath);
    // Parses bytes as the content of a record file (encoding from its declaration, else UTF-8).
    bool loadXML(const std::string& bytes);
    XmlParseError parseError() const;
    // As XmlNode::selectSingleNode, from the document: the first name is the root element's.
    XmlNode selectSingleNode(const std::string& path) const;

private:
    friend struct detail::XmlDocumentAccess;
    std::shared_ptr<detail::XmlDocumentState> m_state;
};

}  // namespace traverse

#endif
