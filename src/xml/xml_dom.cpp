#include "traverse/xml_dom.h"

#include <libxml/tree.h>
#include <libxml/dict.h>

#include <cstring>
#include <utility>

#include "platform/characters.h"
#include "xml/xml_document_state.h"
#include "xml/xml_parser.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"

namespace traverse {
namespace {

xmlNodePtr AsNode(void* node) { return static_cast<xmlNodePtr>(node); }

std::string ToGbk(const xmlChar* utf8) {
    return utf8 == nullptr ? std::string() : Utf8ToGbk(reinterpret_cast<const char*>(utf8));
}

// A name of the tree in GBK. Names live in the document's dictionary, so each distinct one is
// converted once.
std::string NameToGbk(const detail::XmlDocumentState& state, const xmlChar* name) {
    if (name == nullptr) return std::string();
    const xmlChar* c = name;
    while (*c != 0 && *c < 0x80) ++c;
    if (*c == 0) return std::string(reinterpret_cast<const char*>(name), static_cast<std::size_t>(c - name));
    const auto found = state.gbkNames.find(name);
    if (found != state.gbkNames.end()) return found->second;
    std::string gbk = Utf8ToGbk(reinterpret_cast<const char*>(name));
    state.gbkNames.emplace(name, gbk);
    return gbk;
}

bool IsBlankText(const xmlNode* node) {
    if (node->type != XML_TEXT_NODE || node->content == nullptr) return false;
    for (const xmlChar* c = node->content; *c != 0; ++c) {
        if (!chars::IsXmlSpace(static_cast<char>(*c))) return false;
    }
    return true;
}

// One step of a path: a name (UTF-8), and whether it may lie at any depth below the step before.
struct PathStep {
    std::string name;
    const xmlChar* interned = nullptr;  // the name in the document's dictionary, when it is there
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
// "//" step can look any distance up without walking back.
xmlNodePtr SelectFirst(xmlNodePtr context, std::vector<PathStep>& steps, xmlDictPtr dictionary) {
    const std::size_t count = steps.size();
    if (count > 63) return nullptr;
    for (PathStep& step : steps) {
        if (step.any || dictionary == nullptr) continue;
        step.interned = xmlDictExists(dictionary, reinterpret_cast<const xmlChar*>(step.name.data()),
                                      static_cast<int>(step.name.size()));
        // A name that no element in the document carries matches nothing.
        if (step.interned == nullptr) return nullptr;
    }
    const std::uint64_t last = std::uint64_t{1} << count;
    const std::uint64_t unfinished = last - 1;

    struct Level {
        std::uint64_t matched;  // bit k: steps 0..k-1 match, the last of them at this node
        std::uint64_t above;    // union of matched over this node and its ancestors up to context
    };
    std::vector<Level> levels;
    levels.push_back({1, 1});
    xmlNodePtr parent = context;
    xmlNodePtr node = context->children;
    for (;;) {
        while (node == nullptr) {
            if (parent == context) return nullptr;
            node = parent->next;
            parent = parent->parent;
            levels.pop_back();
        }
        if (node->type == XML_ELEMENT_NODE) {
            const Level& up = levels.back();
            std::uint64_t matched = 0;
            for (std::size_t k = 0; k < count; ++k) {
                const std::uint64_t before = std::uint64_t{1} << k;
                if (((steps[k].anyDepth ? up.above : up.matched) & before) == 0) continue;
                const PathStep& step = steps[k];
                const bool nameMatches =
                    step.any || (step.interned != nullptr
                                     ? node->name == step.interned
                                     : std::strcmp(reinterpret_cast<const char*>(node->name),
                                                   step.name.c_str()) == 0);
                if (nameMatches) matched |= before << 1;
            }
            if (matched & last) return node;
            const std::uint64_t above = up.above | matched;
            if ((above & unfinished) != 0 && node->children != nullptr) {
                levels.push_back({matched, above});
                parent = node;
                node = node->children;
                continue;
            }
        }
        node = node->next;
    }
}

xmlNodePtr SelectFrom(xmlNodePtr context, xmlDocPtr document, const std::string& gbkPath) {
    const std::string utf8Path = GbkToUtf8(gbkPath);
    std::size_t start = 0;
    bool leadingAnyDepth = false;
    // A leading "/" or "//" starts from the document, as in XPath.
    if (!utf8Path.empty() && utf8Path[0] == '/') {
        context = reinterpret_cast<xmlNodePtr>(document);
        start = 1;
        if (utf8Path.size() > 1 && utf8Path[1] == '/') {
            leadingAnyDepth = true;
            start = 2;
        }
    }
    std::vector<PathStep> steps;
    if (context == nullptr || !SplitPath(utf8Path.substr(start), steps)) return nullptr;
    steps.front().anyDepth = leadingAnyDepth;
    return SelectFirst(context, steps, document != nullptr ? document->dict : nullptr);
}

}  // namespace

// ---- XmlNode ----

XmlNode::XmlNode(std::shared_ptr<const detail::XmlDocumentState> document, void* node)
    : m_document(std::move(document)), m_pNode(node) {}

std::string XmlNode::nodeName() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const xmlNodePtr node = AsNode(m_pNode);
    switch (node->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
    case XML_PI_NODE:
        return NameToGbk(*m_document, node->name);
    case XML_TEXT_NODE:
        return "#text";
    case XML_CDATA_SECTION_NODE:
        return "#cdata-section";
    case XML_COMMENT_NODE:
        return "#comment";
    case XML_DOCUMENT_NODE:
        return "#document";
    default:
        return ToGbk(node->name);
    }
}

std::string XmlNode::nodeTypedValue() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const xmlNodePtr node = AsNode(m_pNode);
    // The usual attribute holds one text node: read it in place.
    const xmlNodePtr only = node->children;
    if (node->type == XML_ATTRIBUTE_NODE && only != nullptr && only->next == nullptr &&
        only->type == XML_TEXT_NODE) {
        return ToGbk(only->content);
    }
    if (node->type != XML_ATTRIBUTE_NODE && node->type != XML_ELEMENT_NODE) {
        return ToGbk(node->content);
    }
    xmlChar* content = xmlNodeGetContent(node);
    if (content == nullptr) return std::string();
    std::unique_ptr<xmlChar, void (*)(void*)> owned(content, xmlFree);
    return ToGbk(content);
}

XmlNodeList XmlNode::childNodes() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    // Counted first: one allocation for the list, however long it is.
    std::size_t count = 0;
    for (xmlNodePtr child = AsNode(m_pNode)->children; child != nullptr; child = child->next) ++count;
    auto items = std::make_shared<std::vector<void*>>();
    items->reserve(count);
    for (xmlNodePtr child = AsNode(m_pNode)->children; child != nullptr; child = child->next) {
        if (!IsBlankText(child)) items->push_back(child);
    }
    return XmlNodeList(m_document, std::move(items));
}

XmlNamedNodeMap XmlNode::attributes() const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const xmlNodePtr node = AsNode(m_pNode);
    if (node->type != XML_ELEMENT_NODE) return XmlNamedNodeMap();
    std::size_t count = 0;
    for (xmlAttrPtr attribute = node->properties; attribute != nullptr; attribute = attribute->next) ++count;
    auto items = std::make_shared<std::vector<void*>>();
    items->reserve(count);
    for (xmlAttrPtr attribute = node->properties; attribute != nullptr; attribute = attribute->next) {
        items->push_back(attribute);
    }
    return XmlNamedNodeMap(m_document, std::move(items));
}

XmlNode XmlNode::selectSingleNode(const std::string& path) const {
    if (m_pNode == nullptr) throw _com_error(E_POINTER);
    const xmlNodePtr node = AsNode(m_pNode);
    if (node->type != XML_ELEMENT_NODE) return XmlNode();
    xmlNodePtr found = SelectFrom(node, node->doc, path);
    return found == nullptr ? XmlNode() : XmlNode(m_document, found);
}

// ---- XmlNodeCollection ----

XmlNodeCollection::XmlNodeCollection(std::shared_ptr<const detail::XmlDocumentState> document,
                                     std::shared_ptr<const std::vector<void*>> items)
    : m_document(std::move(document)), m_items(std::move(items)) {}

long XmlNodeCollection::length() const {
    if (m_items == nullptr) throw _com_error(E_POINTER);
    return static_cast<long>(m_items->size());
}

XmlNode XmlNodeCollection::item(long index) const {
    if (m_items == nullptr) throw _com_error(E_POINTER);
    if (index < 0 || static_cast<std::size_t>(index) >= m_items->size()) return XmlNode();
    return XmlNode(m_document, (*m_items)[static_cast<std::size_t>(index)]);
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

bool TakeResult(detail::XmlDocumentState& state, bool shared, XmlParseResult result) {
    // Nodes of an earlier load may still be held: their tree lives as long as the state.
    if (state.tree != nullptr) {
        if (shared) {
            state.retired.push_back(std::move(state.tree));
        } else {
            state.gbkNames.clear();  // the names' storage goes with the tree
        }
        state.tree.reset();
    }
    state.tree = std::move(result.tree);
    state.error = std::move(result.error);
    return state.tree != nullptr;
}

}  // namespace

bool XmlDocument::load(const std::string& gbkPath) {
    if (m_state == nullptr) throw _com_error(E_POINTER);
    return TakeResult(*m_state, m_state.use_count() > 1, ParseXmlFile(gbkPath));
}

bool XmlDocument::loadXML(const std::string& bytes) {
    if (m_state == nullptr) throw _com_error(E_POINTER);
    return TakeResult(*m_state, m_state.use_count() > 1, ParseXmlBytes(bytes));
}

XmlParseError XmlDocument::parseError() const {
    if (m_state == nullptr) throw _com_error(E_POINTER);
    return m_state->error;
}

XmlNode XmlDocument::selectSingleNode(const std::string& path) const {
    if (m_state == nullptr) throw _com_error(E_POINTER);
    xmlDocPtr document = m_state->tree.get();
    if (document == nullptr) return XmlNode();
    xmlNodePtr found = SelectFrom(reinterpret_cast<xmlNodePtr>(document), document, path);
    return found == nullptr ? XmlNode() : XmlNode(m_state, found);
}

}  // namespace traverse
