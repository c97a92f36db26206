#include "xml/xml_tree_builder.h"

#include <libxml/entities.h>
#include <libxml/parserInternals.h>
#include <libxml/valid.h>

#include <algorithm>
#include <cctype>
#include <string_view>
#include <cstring>
#include <new>

#include "platform/characters.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"
#include "xml/xml_parse_error_table.h"
#include "xml/xml_parse_state.h"
#include "xml/xml_texts.h"

namespace traverse {

using detail::XmlNodeKind;
using detail::XmlTreeAttribute;
using detail::XmlTreeNode;

namespace {

const xmlChar* const kEntityTextName = BAD_CAST "pseudoroot";  // libxml2's name for it
// How far back a text's column is looked for at most; beyond, it is not known.
constexpr std::ptrdiff_t kColumnSearch = 4096;

bool IsBlank(xmlChar c) { return chars::IsXmlSpace(static_cast<char>(c)); }

bool IsPredefinedEntityText(const xmlChar* text) {
    static const xmlChar* const kTexts[] = {xmlGetPredefinedEntity(BAD_CAST "lt")->content,
                                            xmlGetPredefinedEntity(BAD_CAST "gt")->content,
                                            xmlGetPredefinedEntity(BAD_CAST "amp")->content,
                                            xmlGetPredefinedEntity(BAD_CAST "apos")->content,
                                            xmlGetPredefinedEntity(BAD_CAST "quot")->content};
    for (const xmlChar* predefined : kTexts) {
        if (text == predefined) return true;
    }
    return false;
}

// Whether the input has just passed a character reference ("&#65;", "&#x41;").
bool CharacterReferenceJustRead(const xmlParserInput& input) {
    const xmlChar* at = input.cur;
    if (at == nullptr || at - input.base < 4 || at[-1] != ';') return false;
    at -= 2;
    const xmlChar* lastDigit = at;
    while (at > input.base && std::isxdigit(*at)) --at;
    if (at == lastDigit) return false;
    if (*at == 'x' && at > input.base) --at;
    return *at == '#' && at > input.base && at[-1] == '&';
}

bool InInput(const xmlParserCtxt& context, const xmlChar* text) {
    return context.input != nullptr && text >= context.input->base && text < context.input->end;
}

// libxml2 asks whether characters are ignorable only where its plain-text scanner or its general
// one delivers them, and there only for text that starts with a blank or that the general one
// collected; never for a character or predefined entity reference.
bool LibxmlWeighsBlanks(const xmlParserCtxt& context, const xmlChar* text) {
    if (context.input == nullptr) return false;
    if (InInput(context, text)) return IsBlank(*text);
    return !IsPredefinedEntityText(text) && !CharacterReferenceJustRead(*context.input);
}

// The line of the '<' of the start tag the parser has just read: it stands at the tag's end.
std::uint32_t StartTagLine(const xmlParserCtxt& context) {
    const xmlParserInput* input = context.input;
    if (input == nullptr || input->cur == nullptr || input->line <= 0) return 0;
    // The tag's '<' is the last one up to the parser's place (or the input starts after it).
    const xmlChar* at = input->cur;
    const void* open = memrchr(input->base, '<', static_cast<std::size_t>(at - input->base) + 1);
    const xmlChar* from = open != nullptr ? static_cast<const xmlChar*>(open) : input->base;
    const long line = input->line - static_cast<long>(std::count(from, at, '\n'));
    return line > 0 ? static_cast<std::uint32_t>(line) : 0;
}

std::uint32_t LineOfStartTag(const void* context) {
    return StartTagLine(*static_cast<const xmlParserCtxt*>(context));
}

// Where the first non-blank character of text stands, text having just been read: the parser's
// line and column are those of its end. An input buffer before text gives the column of a first
// line that goes on past a break; so does startColumn, where the text goes on from blanks
// delivered before it (0 when it does not).
void PlaceText(const xmlParserCtxt& context, const xmlChar* text, int length, long startColumn,
               XmlTreeNode& node) {
    const xmlParserInput* input = context.input;
    const std::string_view all(reinterpret_cast<const char*>(text),
                               static_cast<std::size_t>(length));
    const std::size_t first = all.find_first_not_of(" \t\r\n");
    if (input == nullptr || input->line <= 0 || first == std::string_view::npos) return;
    const std::string_view rest = all.substr(first);
    const long breaksAfter = static_cast<long>(std::count(rest.begin(), rest.end(), '\n'));
    if (input->line - breaksAfter <= 0) return;
    node.line = static_cast<std::uint32_t>(input->line - breaksAfter);
    const std::size_t lastBreak = all.substr(0, first).rfind('\n');
    long column = 0;
    if (lastBreak != std::string_view::npos) {
        const std::string_view before = all.substr(lastBreak + 1, first - lastBreak - 1);
        column = 1 + static_cast<long>(chars::Utf8Characters(before));
    } else if (startColumn > 0) {
        column = startColumn + static_cast<long>(chars::Utf8Characters(all.substr(0, first)));
    } else if (breaksAfter == 0) {
        column = input->col - static_cast<long>(chars::Utf8Characters(rest));
    } else if (InInput(context, text)) {
        const xmlChar* start = text;
        while (start > input->base && start[-1] != '\n' && text - start < kColumnSearch) --start;
        if (start == input->base || start[-1] == '\n') {
            const std::string_view before(reinterpret_cast<const char*>(start),
                                          static_cast<std::size_t>(text - start));
            column = 1 + static_cast<long>(chars::Utf8Characters(before) +
                                           chars::Utf8Characters(all.substr(0, first)));
        }
    }
    node.column = column > 0 ? static_cast<std::uint32_t>(column) : 0;
}

}  // namespace

XmlTreeBuilder::XmlTreeBuilder(ParseState& state, xmlParserCtxtPtr document)
    : m_state(state), m_tree(std::make_shared<detail::XmlTree>()) {
    m_tree->document.kind = XmlNodeKind::Document;
    m_frames.push_back(
        {document, 0, &m_tree->document, nullptr, nullptr, ChildKind::None, ChildKind::None});
    m_contexts.emplace_back(document, 0);
}

void XmlTreeBuilder::ExpectBytes(long long bytes) {
    // A record file has a distinct name every few hundred bytes at most.
    constexpr long long kBytesPerName = 512;
    constexpr long long kMostNames = 1 << 18;
    const long long names = std::min(bytes / kBytesPerName, kMostNames);
    m_tree->nameIndex.reserve(static_cast<std::size_t>(names));
}

std::shared_ptr<const detail::XmlTree> XmlTreeBuilder::Finish() {
    FlushPending();
    return m_tree;
}

// ---- frames and contexts ----

void XmlTreeBuilder::PopContextsAbove(std::size_t contextIndex) {
    if (contextIndex + 1 >= m_contexts.size()) return;
    m_frames.resize(m_contexts[contextIndex + 1].second);
    m_contexts.resize(contextIndex + 1);
}

void XmlTreeBuilder::ReferenceStarting(xmlParserCtxtPtr context) {
    if (Streaming()) return StreamContent(context, nullptr, 0);
    for (std::size_t i = m_contexts.size(); i-- > 0;) {
        if (m_contexts[i].first == context) return PopContextsAbove(i);
    }
}

XmlTreeBuilder::Frame& XmlTreeBuilder::Sync(xmlParserCtxtPtr context) {
    if (m_contexts.back().first == context) return m_frames.back();
    for (std::size_t i = m_contexts.size() - 1; i-- > 0;) {
        if (m_contexts[i].first == context) {
            PopContextsAbove(i);
            return m_frames.back();
        }
    }
    // An entity's replacement text: its nodes go where the reference stands.
    const Frame& top = m_frames.back();
    m_contexts.emplace_back(context, m_frames.size());
    m_frames.push_back(
        {context, top.owner, nullptr, nullptr, kEntityTextName, ChildKind::None, ChildKind::None});
    return m_frames.back();
}

// ---- nodes ----

XmlTreeNode* XmlTreeBuilder::NewNode(XmlNodeKind kind) {
    XmlTreeNode* node = m_tree->arena.New<XmlTreeNode>();
    node->kind = kind;
    return node;
}

void XmlTreeBuilder::Mark(ChildKind kind) {
    // The frames of entity texts inside the element get the node too, as libxml2 copies an
    // entity's nodes into the text that referred to it.
    const std::size_t owner = m_frames.back().owner;
    for (std::size_t i = m_frames.size(); i-- > owner;) {
        Frame& frame = m_frames[i];
        if (frame.first == ChildKind::None) frame.first = kind;
        frame.last = kind;
    }
}

void XmlTreeBuilder::Append(XmlTreeNode* node, ChildKind kind) {
    Frame& owner = m_frames[m_frames.back().owner];
    if (owner.lastChild != nullptr) {
        owner.lastChild->next = node;
    } else {
        owner.node->firstChild = node;
    }
    owner.lastChild = node;
    Mark(kind);
}

void XmlTreeBuilder::FlushPending() {
    if (m_pending == nullptr) return;
    m_pending->data = m_tree->arena.Copy(m_pendingText.data(), m_pendingText.size());
    m_pending->length = static_cast<std::uint32_t>(m_pendingText.size());
    m_pending = nullptr;
    m_pendingText.clear();
}

void XmlTreeBuilder::AddPending(xmlParserCtxtPtr context, XmlNodeKind kind, ChildKind childKind,
                                bool merges, const xmlChar* text, int length) {
    long startColumn = 0;
    if (merges && m_pending != nullptr && m_pending->kind == kind) {
        Mark(childKind);
        startColumn = m_pendingEndColumn;
    } else {
        FlushPending();
        m_pending = NewNode(kind);
        Append(m_pending, childKind);
    }
    if (m_pending->line == 0) PlaceText(*context, text, length, startColumn, *m_pending);
    m_pendingEndColumn = context->input != nullptr ? context->input->col : 0;
    m_pendingText.append(reinterpret_cast<const char*>(text), static_cast<std::size_t>(length));
}

std::uint32_t XmlTreeBuilder::Intern(const xmlChar* name) {
    const std::uint32_t known = m_names.Find(name);
    if (known != AddressIndex::kNone) return known;
    const char* utf8 = reinterpret_cast<const char*>(name);
    std::uint32_t index = m_tree->FindName(utf8);
    if (index == detail::XmlTree::kNoName) {
        index = static_cast<std::uint32_t>(m_tree->names.size());
        detail::XmlName& interned = m_tree->names.emplace_back();
        interned.utf8 = utf8;
        try {
            interned.gbk = Utf8ToGbk(interned.utf8);
        } catch (const _com_error&) {
            interned.convertible = false;
        }
        m_tree->nameIndex.emplace(interned.utf8, index);
        if (m_section != nullptr) {
            if (interned.utf8 == m_section->root) m_rootName = index;
            if (interned.utf8 == m_section->section) m_sectionName = index;
        }
    }
    m_names.Insert(name, index);
    return index;
}

// ---- callbacks ----

bool XmlTreeBuilder::StartTagWithinLimits(xmlParserCtxtPtr context, const xmlChar* name,
                                          const xmlChar** attributes) {
    if (m_depth >= kMaxElementDepth) {
        m_state.Stop(context, E_FAIL, text::kXmlNestedTooDeep, true);
        return false;
    }
    // libxml2's own cap on names is lifted with its other limits. A name has no more characters
    // than bytes: only one of more bytes than the cap is counted.
    const auto tooLong = [](const xmlChar* text) {
        const char* name = reinterpret_cast<const char*>(text);
        const std::size_t bytes = strnlen(name, kMaxNameCharacters + 1);
        return bytes > kMaxNameCharacters && chars::Utf8Characters(name) > kMaxNameCharacters;
    };
    bool refused = tooLong(name);
    for (int i = 0; !refused && attributes != nullptr && attributes[i] != nullptr; i += 2) {
        refused = tooLong(attributes[i]);
    }
    if (refused) m_state.Stop(context, E_FAIL, text::kXmlNameTooLong, true);
    return !refused;
}

void XmlTreeBuilder::StartElement(xmlParserCtxtPtr context, const xmlChar* name,
                                  const xmlChar** attributes) {
    if (Streaming()) return StreamStartElement(context, name, attributes);
    Sync(context);
    FlushPending();
    if (!StartTagWithinLimits(context, name, attributes)) return;
    XmlTreeNode* element = NewNode(XmlNodeKind::Element);
    element->name = Intern(name);
    element->line = StartTagLine(*context);
    std::size_t count = 0;
    while (attributes != nullptr && attributes[2 * count] != nullptr) ++count;
    XmlTreeAttribute* stored = m_tree->arena.NewArray<XmlTreeAttribute>(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char* value = reinterpret_cast<const char*>(attributes[2 * i + 1]);
        const std::size_t length = value == nullptr ? 0 : std::strlen(value);
        stored[i].name = Intern(attributes[2 * i]);
        stored[i].length = static_cast<std::uint32_t>(length);
        stored[i].value = m_tree->arena.Copy(value, length);
    }
    element->data = stored;
    element->length = static_cast<std::uint32_t>(count);
    Append(element, ChildKind::Other);
    m_frames.push_back(
        {context, m_frames.size(), element, nullptr, name, ChildKind::None, ChildKind::None});
    ++m_depth;
    StartStreamingIfSection(context, element->name);
}

void XmlTreeBuilder::EndElement(xmlParserCtxtPtr context) {
    if (m_streamDepth > 1) {
        --m_streamDepth;
        --m_depth;
        m_section->stream->EndElement(m_streamDepth);
        return;
    }
    m_streamDepth = 0;
    Sync(context);
    FlushPending();
    const Frame& top = m_frames.back();
    if (top.node == nullptr || top.owner != m_frames.size() - 1 || top.owner == 0) return;
    m_frames.pop_back();
    --m_depth;
}

// ---- the streamed section ----

void XmlTreeBuilder::StartStreamingIfSection(xmlParserCtxtPtr context, std::uint32_t name) {
    if (m_section == nullptr || name != m_sectionName || m_sectionMet) return;
    m_sectionMet = true;
    // Only the root's child in the document's own text: the first such element is the one a
    // search for the section from the root finds, and nothing of an entity's is streamed.
    const bool rootChild = m_contexts.size() == 1 && m_frames.size() == 3 &&
                           m_frames[1].node->name == m_rootName;
    if (!rootChild || context != m_contexts.front().first) return;
    m_streamDepth = 1;
    m_section->streamed = true;
}

void XmlTreeBuilder::StreamStartElement(xmlParserCtxtPtr context, const xmlChar* name,
                                        const xmlChar** attributes) {
    if (!StartTagWithinLimits(context, name, attributes)) return;
    XmlElementStream& stream = *m_section->stream;
    if (context != m_contexts.front().first) stream.Abandon();
    m_streamAttributes.clear();
    for (std::size_t i = 0; attributes != nullptr && attributes[i] != nullptr; i += 2) {
        const char* value = reinterpret_cast<const char*>(attributes[i + 1]);
        m_streamAttributes.push_back({&m_tree->names[Intern(attributes[i])],
                                      value == nullptr ? std::string_view() : value});
    }
    const XmlStreamTag tag{&m_tree->names[Intern(name)], m_streamAttributes.data(),
                           m_streamAttributes.size(), LineOfStartTag, context};
    stream.StartElement(m_streamDepth, tag);
    ++m_streamDepth;
    ++m_depth;
}

void XmlTreeBuilder::StreamContent(xmlParserCtxtPtr context, const xmlChar* text, int length) {
    bool blank = text != nullptr && context == m_contexts.front().first;
    for (int i = 0; blank && i < length; ++i) blank = IsBlank(text[i]);
    if (!blank) m_section->stream->Abandon();
}

// libxml2's rules (areBlanks) for white space its tree leaves out, on the tree it would have.
bool XmlTreeBuilder::IgnorableBlanks(xmlParserCtxtPtr context, const Frame& frame,
                                     const xmlChar* text, int length) const {
    if (context->space == nullptr || *context->space == 1 || *context->space == -2) return false;
    for (int i = 0; i < length; ++i) {
        if (!IsBlank(text[i])) return false;
    }
    if (frame.name == nullptr) return false;
    if (context->myDoc != nullptr) {
        const int mixed = xmlIsMixedElement(context->myDoc, frame.name);
        if (mixed == 0) return true;
        if (mixed == 1) return false;
    }
    // What follows the text: the plain-text scanner has not moved past it yet.
    const xmlChar* next = InInput(*context, text) ? text + length : context->input->cur;
    if (next[0] != '<' && next[0] != 0x0D) return false;
    if (frame.first == ChildKind::None) return !(next[0] == '<' && next[1] == '/');
    return frame.last != ChildKind::Text && frame.first != ChildKind::Text;
}

void XmlTreeBuilder::Characters(xmlParserCtxtPtr context, const xmlChar* text, int length) {
    if (Streaming()) return StreamContent(context, text, length);
    const Frame& frame = Sync(context);
    if (AtDocumentLevel()) return;
    if (LibxmlWeighsBlanks(*context, text)) {
        if (IgnorableBlanks(context, frame, text, length)) return;
        if (context->space != nullptr && *context->space == -1) *context->space = -2;
    }
    // Text joins text before it, also across an entity's boundary.
    const XmlTreeNode* last = m_frames[frame.owner].lastChild;
    const bool merges = last != nullptr && last == m_pending;
    AddPending(context, XmlNodeKind::Text, ChildKind::Text, merges, text, length);
}

void XmlTreeBuilder::CData(xmlParserCtxtPtr context, const xmlChar* text, int length) {
    if (Streaming()) return StreamContent(context, nullptr, 0);
    const Frame& frame = Sync(context);
    if (AtDocumentLevel()) return;
    // A CDATA section joins one just before it in the same text.
    const bool merges = frame.last == ChildKind::CData;
    AddPending(context, XmlNodeKind::CData, ChildKind::CData, merges, text, length);
}

void XmlTreeBuilder::Comment(xmlParserCtxtPtr context, const xmlChar* text) {
    if (context->inSubset != 0) return;
    if (Streaming()) return StreamContent(context, nullptr, 0);
    Sync(context);
    if (AtDocumentLevel()) return;
    FlushPending();
    XmlTreeNode* node = NewNode(XmlNodeKind::Comment);
    const std::size_t length = std::strlen(reinterpret_cast<const char*>(text));
    node->data = m_tree->arena.Copy(reinterpret_cast<const char*>(text), length);
    node->length = static_cast<std::uint32_t>(length);
    Append(node, ChildKind::Other);
}

void XmlTreeBuilder::ProcessingInstruction(xmlParserCtxtPtr context, const xmlChar* target,
                                           const xmlChar* data) {
    if (context->inSubset != 0) return;
    if (Streaming()) return StreamContent(context, nullptr, 0);
    Sync(context);
    if (AtDocumentLevel()) return;
    FlushPending();
    XmlTreeNode* node = NewNode(XmlNodeKind::ProcessingInstruction);
    node->name = Intern(target);
    const std::size_t length =
        data == nullptr ? 0 : std::strlen(reinterpret_cast<const char*>(data));
    node->data = m_tree->arena.Copy(reinterpret_cast<const char*>(data), length);
    node->length = static_cast<std::uint32_t>(length);
    Append(node, ChildKind::Other);
}

void XmlTreeBuilder::Reference(xmlParserCtxtPtr context, const xmlChar* name) {
    if (Streaming()) return StreamContent(context, nullptr, 0);
    Sync(context);
    if (AtDocumentLevel()) return;
    FlushPending();
    XmlTreeNode* node = NewNode(XmlNodeKind::EntityReference);
    node->name = Intern(name);
    node->data = "";
    Append(node, ChildKind::Other);
}

// ---- installation ----

namespace {

// Runs a callback on the builder of the parse that context belongs to. Nothing may leave a
// callback into libxml2: a failed allocation ends the parse.
template <class Call>
void OnBuilder(void* data, Call call) {
    const auto context = static_cast<xmlParserCtxtPtr>(data);
    ParseState* state = StateOf(data);
    if (state == nullptr || state->builder == nullptr) return;
    try {
        call(*state->builder, context);
    } catch (const std::bad_alloc&) {
        state->Stop(context, E_OUTOFMEMORY, kReasonOutOfMemory);
    }
}

void OnStartElement(void* data, const xmlChar* name, const xmlChar** attributes) {
    OnBuilder(data,
              [&](XmlTreeBuilder& b, xmlParserCtxtPtr c) { b.StartElement(c, name, attributes); });
}
void OnEndElement(void* data, const xmlChar*) {
    OnBuilder(data, [&](XmlTreeBuilder& b, xmlParserCtxtPtr c) { b.EndElement(c); });
}
void OnCharacters(void* data, const xmlChar* text, int length) {
    OnBuilder(data, [&](XmlTreeBuilder& b, xmlParserCtxtPtr c) { b.Characters(c, text, length); });
}
void OnCData(void* data, const xmlChar* text, int length) {
    OnBuilder(data, [&](XmlTreeBuilder& b, xmlParserCtxtPtr c) { b.CData(c, text, length); });
}
void OnComment(void* data, const xmlChar* text) {
    OnBuilder(data, [&](XmlTreeBuilder& b, xmlParserCtxtPtr c) { b.Comment(c, text); });
}
void OnProcessingInstruction(void* data, const xmlChar* target, const xmlChar* text) {
    OnBuilder(data, [&](XmlTreeBuilder& b, xmlParserCtxtPtr c) {
        b.ProcessingInstruction(c, target, text);
    });
}
void OnReference(void* data, const xmlChar* name) {
    OnBuilder(data, [&](XmlTreeBuilder& b, xmlParserCtxtPtr c) { b.Reference(c, name); });
}

}  // namespace

void XmlTreeBuilder::Install(xmlSAXHandler& sax) {
    sax.startElement = OnStartElement;
    sax.endElement = OnEndElement;
    sax.characters = OnCharacters;
    // The same callback for both: libxml2 then delivers all white space, and Characters applies
    // its rules itself, on the tree it would have built.
    sax.ignorableWhitespace = OnCharacters;
    sax.cdataBlock = OnCData;
    sax.comment = OnComment;
    sax.processingInstruction = OnProcessingInstruction;
    sax.reference = OnReference;
}

}  // namespace traverse
