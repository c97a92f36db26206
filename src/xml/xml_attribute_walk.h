// An element's attributes and a node's children read straight from the parsed tree, for readers
// that visit every record of a big file: what attributes(), childNodes() and their items give,
// without a collection, or a handle or a copy of the name per attribute.
#ifndef TRAVERSE_XML_XML_ATTRIBUTE_WALK_H
#define TRAVERSE_XML_XML_ATTRIBUTE_WALK_H

#include <cstddef>
#include <string>
#include <string_view>

#include "traverse/exceptions.h"
#include "traverse/xml_dom.h"
#include "xml/xml_tree.h"

namespace traverse {
namespace detail {

// The tree behind a node handle.
struct XmlNodeAccess {
    // An element's attributes and their count; nullptr for any other node. An empty handle raises
    // _com_error with E_POINTER.
    static const XmlTreeAttribute* Attributes(const XmlNode& node, std::size_t& count);
    static const XmlTree& Tree(const XmlNode& node) { return *node.m_tree; }
    // The first child of a node; nullptr for none. False for an attribute or its text, whose
    // children are not tree nodes.
    static bool FirstChild(const XmlNode& node, const XmlTreeNode*& first);
    // A handle on a node of the tree that node belongs to.
    static XmlNode Handle(const XmlNode& node, const XmlTreeNode* other) {
        return XmlNode(node.m_tree, other);
    }
};

// Whether childNodes() leaves node out: white space only.
bool IsBlankText(const XmlTreeNode& node);

}  // namespace detail

// A text of the tree in GBK, as nodeTypedValue gives it.
std::string XmlTextToGbk(std::string_view utf8);

// Calls visit(name, value) for each attribute of element in document order: name in GBK (a name GBK
// cannot hold raises _com_error as nodeName() does), value in UTF-8 (XmlTextToGbk converts it).
template <class Visit>
void ForEachAttribute(const XmlNode& element, Visit&& visit) {
    std::size_t count = 0;
    const detail::XmlTreeAttribute* attributes = detail::XmlNodeAccess::Attributes(element, count);
    if (attributes == nullptr) return;
    const detail::XmlTree& tree = detail::XmlNodeAccess::Tree(element);
    for (std::size_t i = 0; i < count; ++i) {
        const detail::XmlName& name = tree.names[attributes[i].name];
        if (!name.convertible) throw _com_error(E_NO_UNICODE_TRANSLATION);
        visit(name.gbk, std::string_view(attributes[i].value, attributes[i].length));
    }
}

// Calls visit(child) for each node that node.childNodes() lists, in document order, without the
// list.
template <class Visit>
void ForEachChildNode(const XmlNode& node, Visit&& visit) {
    const detail::XmlTreeNode* child = nullptr;
    if (!detail::XmlNodeAccess::FirstChild(node, child)) {
        const XmlNodeList children = node.childNodes();
        for (long i = 0; i < children.length(); ++i) visit(children.item(i));
        return;
    }
    for (; child != nullptr; child = child->next) {
        if (!detail::IsBlankText(*child)) visit(detail::XmlNodeAccess::Handle(node, child));
    }
}

// The number of nodes that node.childNodes() lists.
std::size_t CountChildNodes(const XmlNode& node);

}  // namespace traverse

#endif
