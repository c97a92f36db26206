// A parsed record file as the XML access layer holds it: nodes, attributes and texts in one arena,
// each distinct name once with its GBK form. Built once by the parse, read-only after it, so that
// handles on any thread may read it.
#ifndef TRAVERSE_XML_XML_TREE_H
#define TRAVERSE_XML_XML_TREE_H

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "traverse/xml_dom.h"
#include "xml/xml_arena.h"

namespace traverse {
namespace detail {

enum class XmlNodeKind : std::uint8_t {
    Document,
    Element,
    Text,
    CData,
    Comment,
    ProcessingInstruction,
    EntityReference,  // to an entity the document does not declare: no content
};

// Texts are UTF-8 as the parser gave them.
struct XmlTreeAttribute {
    std::uint32_t name = 0;
    std::uint32_t length = 0;
    const char* value = nullptr;
};

struct XmlTreeNode {
    XmlNodeKind kind = XmlNodeKind::Document;
    std::uint32_t name = 0;    // elements, processing instructions, entity references
    std::uint32_t length = 0;  // bytes of text; attributes of an element
    std::uint32_t line = 0;    // of an element's start tag, of a text's first non-blank character
    std::uint32_t column = 0;  // of a text's first non-blank character, in characters
    const void* data = nullptr;  // the text; an element's first XmlTreeAttribute
    XmlTreeNode* firstChild = nullptr;
    XmlTreeNode* next = nullptr;

    const char* Text() const { return static_cast<const char*>(data); }
    const XmlTreeAttribute* Attributes() const {
        return static_cast<const XmlTreeAttribute*>(data);
    }
};

struct XmlName {
    std::string utf8;
    std::string gbk;
    bool convertible = true;  // false when GBK cannot hold it: reading it raises the failure
};

struct XmlTree {
    XmlArena arena;
    XmlTreeNode document;
    std::deque<XmlName> names;  // a deque: the views below stay valid as it grows
    std::unordered_map<std::string_view, std::uint32_t> nameIndex;

    static constexpr std::uint32_t kNoName = 0xFFFFFFFFu;
    // The index of a name, kNoName when no node of the tree carries it.
    std::uint32_t FindName(std::string_view utf8) const {
        const auto found = nameIndex.find(utf8);
        return found == nameIndex.end() ? kNoName : found->second;
    }
};

// What a document handle holds: the tree of its last successful load, and why the last load
// failed. Node handles hold the tree they came from, which lives as long as any of them.
struct XmlDocumentState {
    std::shared_ptr<const XmlTree> tree;
    XmlParseError error;
};

}  // namespace detail
}  // namespace traverse

#endif
