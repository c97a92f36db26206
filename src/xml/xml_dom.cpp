#include "traverse/xml_dom.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "platform/characters.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"
#include "xml/xml_attribute_walk.h"
#include "xml/xml_parser.h"
#include "xml/xml_tree.h"

namespace traverse {

using detail::XmlNodeKind;
using detail::XmlTree;
using detail::XmlTreeAttribute;
using detail::XmlTreeNode;

namespace {

// What a handle points at: a node, an attribute (low bit 1), or the one text node an attribute
// holds as its child (low bit 2). Nodes and attributes are aligned to 8.
enum Tag : std::uintptr_t { kNodeTag = 0, kAttributeTag = 1, kAttributeTextTag = 2, kTagMask = 3 };

struct Target {
    const XmlTreeNode* node = nullptr;
    const XmlTreeAttribute* attribute = nullptr;
    bool attributeText = false;
};

const void* Tagged(const void* pointer, Tag tag) {
    return reinterpret_cast<const void*>(reinterpret_cast<std::uintptr_t>(pointer) | tag);
}

Target Untag(const void* handle) {
    const auto bits = reinterpret_cast<std::uintptr_t>(handle);
    const void* pointer = reinterpret_cast<const void*>(bits & ~std::uintptr_t{kTagMask});
    Target target;
    if ((bits & kTagMask) == kNodeTag) {
        target.node = static_cast<const XmlTreeNode*>(pointer);
    } else {
        target.attribute = static_cast<const XmlTreeAttribute*>(pointer);
        target.attributeText = (bits & kTagMask) == kAttributeTextTag;
    }
    return target;
}

std::string ToGbk(const char* utf8, std::size_t length) { return XmlTextToGbk({utf8, length}); }

std::string NameToGbk(const XmlTree& tree, std::uint32_t name) {
    const detail::XmlName& interned = tree.names[name];
    if (!interned.convertible) throw _com_error(E_NO_UNICODE_TRANSLATION);
    return interned.gbk;
}

// An element's text content: its text and CDATA below it, in document order.
std::string ContentOf(const XmlTreeNode& element) {
    std::string utf8;
    std::vector<const XmlTreeNode*> next;  // where to go on at each level below element
    const XmlTreeNode* node = element.firstChild;
    for (;;) {
        while (node == nullptr) {
            if (next.empty()) return utf8;
            node = next.back();
            next.pop_back();
        }
        if (node->kind == XmlNodeKind::Text || node->kind == XmlNodeKind::CData)
            utf8.append(node->Text(), node->length);
        if (node->kind == XmlNodeKind::Element && node->firstChild != nullptr) {
            next.push_back(node->next);
            node = node->firstChild;
        } else {
            node = node->next;
        }
    }
}

// One step of a path: a name (UTF-8), and whether it may lie at any depth below the step before.
struct PathStep {
    std::string name;
    std::uint32_t interned = XmlTree::kNoName;
    bool anyDepth = false;
    bool any = false;  // "*"
};

// Splits a path into steps; false when a step is empty (e.g. "a//" or "a///b").
bool SplitPath(const std::string& utf8Path, std::vector<PathStep>& steps) {
    std::size_t pos = 0;
    bool anyDepth = false;
    while (pos <= utf8Path.size()) {
        const std::size_t slash = utf8Path.find('/', pos);
        const std::size_t end = slash == std::string::npos ? utf8Path.size() : slash;
        if (end == pos) return false;
        PathStep step;
        step.name = utf8Path.substr(pos, end - pos);
        step.anyDepth = anyDepth;
        step.any = step.name == "*";
        steps.push_back(std::move(step));
        if (slash == std::string::npos) break;
        pos = slash + 1;
        anyDepth = pos < utf8Path.size() && utf8Path[pos] == '/';
        if (anyDepth) ++pos;
        if (pos == utf8Path.size()) return false;
    }
    return !steps.empty();
}

// The first element below context, in document order, that steps match. A pre-order walk without
// recursion: each element gets the set of step counts its ancestors-and-self path matches (bit k:
// the first k steps match ending here) and the union of those sets over its ancestors, so that a
// "//" step can look any distance up without walking back. One loop on purpose: the walk's state
// (the stack of levels and the cursor) is shared by every branch of it.
const XmlTreeNode* SelectFirst(const XmlTree& tree, const XmlTreeNode* context,
                               std::vector<PathStep>& steps) {
    const std::size_t count = steps.size();
    if (count > 63) return nullptr;
    for (PathStep& step : steps) {
        if (step.any) continue;
        step.interned = tree.FindName(step.name);
        // A name that no node of the document carries matches nothing.
        if (step.interned == XmlTree::kNoName) return nullptr;
    }
    const std::uint64_t last = std::uint64_t{1} << count;
    const std::uint64_t unfinished = last - 1;

    struct Level {
        std::uint64_t matched;  // bit k: steps 0..k-1 match, the last of them at this node
        std::uint64_t above;    // union of matched over this node and its ancestors up to context
        const XmlTreeNode* node;
    };
    std::vector<Level> levels;
    levels.push_back({1, 1, context});
    const XmlTreeNode* node = context->firstChild;
    for (;;) {
        while (node == nullptr) {
            if (levels.size() == 1) return nullptr;
            node = levels.back().node->next;
            levels.pop_back();
        }
        if (node->kind == XmlNodeKind::Element) {
            const Level& up = levels.back();
            std::uint64_t matched = 0;
            for (std::size_t k = 0; k < count; ++k) {
                const std::uint64_t before = std::uint64_t{1} << k;
                if (((steps[k].anyDepth ? up.above : up.matched) & before) == 0) continue;
                if (steps[k].any || node->name == steps[k].interned) matched |= before << 1;
            }
            if (matched & last) return node;
            const std::uint64_t above = up.above | matched;
            if ((above & unfinished) != 0 && node->firstChild != nullptr) {
                levels.push_back({matched, above, node});
                node = node->firstChild;
                continue;
            }
        }
        node = node->next;
    }
}

const XmlTreeNode* SelectFrom(const XmlTree& tree, const XmlTreeNode* context,
                              const std::string& gbkPath) {
    const std::string utf8Path = GbkToUtf8(gbkPath);
    std::size_t start = 0;
    bool leadingAnyDepth = false;
    // A leading "/" or "//" starts from the document, as in XPath.
    if (!utf8Path.empty() && utf8Path[0] == '/') {
        context = &tree.document;
        start = 1;
        if (utf8Path.size() > 1 && utf8Path[1] == '/') {
            leadingAnyDepth = true;
            start = 2;
        }
    }
    std::vector<PathStep> steps;
    if (!SplitPath(utf8Path.substr(start), steps)) return nullptr;
    steps.front().anyDepth = leadingAnyDepth;
    return SelectFirst(tree, context, steps);
}

}  // namespace

bool detail::IsBlankText(const XmlTreeNode& node) {
    if (node.kind != XmlNodeKind::Text) return false;
    for (std::uint32_t i = 0; i < node.length; ++i) {
        if (!chars::IsXmlSpace(node.Text()[i])) return false;
    }
    return true;
}

// ---- XmlNode ----

XmlNode::XmlNode(std::shared_ptr<const detail::XmlTree> tree, const void* node)
    : m_tree(std::move(tree)), m_pNode(node) {}

std::string XmlNode::nodeName() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const Target target = Untag(m_pNode);
    if (target.attributeText) return "#text";
    if (target.attribute != nullptr) return NameToGbk(*m_tree, target.attribute->name);
    switch (target.node->kind) {
    case XmlNodeKind::Element:
    case XmlNodeKind::ProcessingInstruction:
    case XmlNodeKind::EntityReference:
        return NameToGbk(*m_tree, target.node->name);
    case XmlNodeKind::Text:
        return "#text";
    case XmlNodeKind::CData:
        return "#cdata-section";
    case XmlNodeKind::Comment:
        return "#comment";
    case XmlNodeKind::Document:
        break;
    }
    return "#document";
}

XmlNodeType XmlNode::nodeType() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const Target target = Untag(m_pNode);
    if (target.attributeText) return NODE_TEXT;
    if (target.attribute != nullptr) return NODE_ATTRIBUTE;
    switch (target.node->kind) {
    case XmlNodeKind::Element: return NODE_ELEMENT;
    case XmlNodeKind::Text: return NODE_TEXT;
    case XmlNodeKind::CData: return NODE_CDATA_SECTION;
    case XmlNodeKind::Comment: return NODE_COMMENT;
    case XmlNodeKind::ProcessingInstruction: return NODE_PROCESSING_INSTRUCTION;
    case XmlNodeKind::EntityReference: return NODE_ENTITY_REFERENCE;
    case XmlNodeKind::Document: break;
    }
    return NODE_DOCUMENT;
}

long XmlNode::line() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const Target target = Untag(m_pNode);
    return target.node == nullptr ? 0 : static_cast<long>(target.node->line);
}

long XmlNode::column() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const Target target = Untag(m_pNode);
    return target.node == nullptr ? 0 : static_cast<long>(target.node->column);
}

std::string XmlNode::nodeTypedValue() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const Target target = Untag(m_pNode);
    if (target.attribute != nullptr)
        return ToGbk(target.attribute->value, target.attribute->length);
    if (target.node->kind == XmlNodeKind::Element) {
        const std::string utf8 = ContentOf(*target.node);
        return ToGbk(utf8.data(), utf8.size());
    }
    if (target.node->kind == XmlNodeKind::Document) return std::string();
    return ToGbk(target.node->Text(), target.node->length);
}

XmlNodeList XmlNode::childNodes() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const Target target = Untag(m_pNode);
    auto items = std::make_shared<std::vector<const void*>>();
    if (target.attribute != nullptr) {
        // An attribute's value is its one text child, unless it is blank.
        const XmlTreeAttribute& attribute = *target.attribute;
        bool blank = true;
        for (std::uint32_t i = 0; blank && i < attribute.length; ++i)
            blank = chars::IsXmlSpace(attribute.value[i]);
        if (!target.attributeText && !blank)
            items->push_back(Tagged(target.attribute, kAttributeTextTag));
        return XmlNodeList(m_tree, std::move(items));
    }
    // Counted first: one allocation for the list, however long it is.
    std::size_t count = 0;
    for (const XmlTreeNode* child = target.node->firstChild; child != nullptr; child = child->next)
        ++count;
    items->reserve(count);
    for (const XmlTreeNode* child = target.node->firstChild; child != nullptr;
         child = child->next) {
        if (!detail::IsBlankText(*child)) items->push_back(child);
    }
    return XmlNodeList(m_tree, std::move(items));
}

// Most texts of a record file are ASCII readings: those are their own GBK, and need no second copy.
std::string XmlTextToGbk(std::string_view utf8) {
    std::string text(utf8);
    if (chars::IsAscii(text)) return text;
    return Utf8ToGbk(text);
}

const XmlTreeAttribute* detail::XmlNodeAccess::Attributes(const XmlNode& node, std::size_t& count) {
    if (node.m_pNode == nullptr) throw _com_error(E_POINTER);
    const Target target = Untag(node.m_pNode);
    count = 0;
    if (target.node == nullptr || target.node->kind != XmlNodeKind::Element) return nullptr;
    count = target.node->length;
    return target.node->Attributes();
}

bool detail::XmlNodeAccess::FirstChild(const XmlNode& node, const XmlTreeNode*& first) {
    if (node.m_pNode == nullptr) throw _com_error(E_POINTER);
    const Target target = Untag(node.m_pNode);
    if (target.node == nullptr) return false;
    first = target.node->firstChild;
    return true;
}

std::size_t CountChildNodes(const XmlNode& node) {
    const XmlTreeNode* child = nullptr;
    if (!detail::XmlNodeAccess::FirstChild(node, child)) {
        return static_cast<std::size_t>(node.childNodes().length());
    }
    std::size_t count = 0;
    for (; child != nullptr; child = child->next) count += detail::IsBlankText(*child) ? 0 : 1;
    return count;
}

XmlNamedNodeMap XmlNode::attributes() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const Target target = Untag(m_pNode);
    if (target.node == nullptr || target.node->kind != XmlNodeKind::Element)
        return XmlNamedNodeMap();
    auto items = std::make_shared<std::vector<const void*>>();
    items->reserve(target.node->length);
    for (std::uint32_t i = 0; i < target.node->length; ++i) {
        items->push_back(Tagged(target.node->Attributes() + i, kAttributeTag));
    }
    return XmlNamedNodeMap(m_tree, std::move(items));
}

XmlNode XmlNode::selectSingleNode(const std::string& path) const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const Target target = Untag(m_pNode);
    if (target.node == nullptr || target.node->kind != XmlNodeKind::Element) return XmlNode();
    const XmlTreeNode* found = SelectFrom(*m_tree, target.node, path);
    return found == nullptr ? XmlNode() : XmlNode(m_tree, found);
}

// ---- XmlNodeCollection ----

XmlNodeCollection::XmlNodeCollection(std::shared_ptr<const detail::XmlTree> tree,
                                     std::shared_ptr<const std::vector<const void*>> items)
    : m_tree(std::move(tree)), m_items(std::move(items)) {}

long XmlNodeCollection::length() const {
    if (m_items == nullptr) throw _com_error(E_POINTER);
    return static_cast<long>(m_items->size());
}

XmlNode XmlNodeCollection::item(long index) const {
    if (m_items == nullptr) throw _com_error(E_POINTER);
    if (index < 0 || static_cast<std::size_t>(index) >= m_items->size()) return XmlNode();
    return XmlNode(m_tree, (*m_items)[static_cast<std::size_t>(index)]);
}

// ---- XmlDocument ----

XmlDocument XmlDocument::Create() {
    XmlDocument document;
    try {
        document.m_state = std::make_shared<detail::XmlDocumentState>();
    } catch (const std::bad_alloc&) {
        document.m_state.reset();
    }
    return document;
}

namespace {

// Nodes of an earlier load keep their own tree alive.
bool TakeResult(detail::XmlDocumentState& state, XmlParseResult result) {
    state.tree = std::move(result.tree);
    state.error = std::move(result.error);
    return state.tree != nullptr;
}

}  // namespace

bool XmlDocument::load(const std::string& gbkPath) {
    if (m_state == nullptr) throw _com_error(E_POINTER);
    return TakeResult(*m_state, ParseXmlFile(gbkPath));
}

bool detail::XmlDocumentAccess::Load(XmlDocument& document, const std::string& gbkPath,
                                     XmlStreamedSection& section) {
    if (document.m_state == nullptr) throw _com_error(E_POINTER);
    return TakeResult(*document.m_state, ParseXmlFile(gbkPath, &section));
}

bool XmlDocument::loadXML(const std::string& bytes) {
    if (m_state == nullptr) throw _com_error(E_POINTER);
    return TakeResult(*m_state, ParseXmlBytes(bytes));
}

XmlParseError XmlDocument::parseError() const {
    if (m_state == nullptr) throw _com_error(E_POINTER);
    return m_state->error;
}

XmlNode XmlDocument::selectSingleNode(const std::string& path) const {
    if (m_state == nullptr) throw _com_error(E_POINTER);
    if (m_state->tree == nullptr) return XmlNode();
    const XmlTreeNode* found = SelectFrom(*m_state->tree, &m_state->tree->document, path);
    return found == nullptr ? XmlNode() : XmlNode(m_state->tree, found);
}

}  // namespace traverse
