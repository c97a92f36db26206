// Builds the XML access layer's tree from libxml2's SAX1 callbacks, shaped as libxml2's own tree
// building would shape the same parse: adjacent text in one node, adjacent CDATA sections in one,
// white space left out where libxml2 counts it ignorable, an entity's replacement text in place of
// its reference, a node for a reference to an undeclared entity.
#ifndef TRAVERSE_XML_XML_TREE_BUILDER_H
#define TRAVERSE_XML_XML_TREE_BUILDER_H

#include <libxml/parser.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "xml/address_index.h"
#include "xml/xml_element_stream.h"
#include "xml/xml_tree.h"

namespace traverse {

struct ParseState;

class XmlTreeBuilder {
public:
    XmlTreeBuilder(ParseState& state, xmlParserCtxtPtr document);

    // Room for the names of a document of this many bytes, made once instead of as they come.
    void ExpectBytes(long long bytes);
    // Streams the content of section's element to its stream instead of building it.
    void StreamSection(XmlStreamedSection& section) { m_section = &section; }
    // Installs the callbacks that reach the builder of a parse through its state.
    static void Install(xmlSAXHandler& sax);
    // context is about to resolve an entity reference: the entity texts parsed below it ended.
    void ReferenceStarting(xmlParserCtxtPtr context);
    // The tree, once the parse succeeded.
    std::shared_ptr<const detail::XmlTree> Finish();
    // Releases what was built of a parse that failed.
    void Abandon() { m_tree.reset(); }

    void StartElement(xmlParserCtxtPtr context, const xmlChar* name, const xmlChar** attributes);
    void EndElement(xmlParserCtxtPtr context);
    void Characters(xmlParserCtxtPtr context, const xmlChar* text, int length);
    void CData(xmlParserCtxtPtr context, const xmlChar* text, int length);
    void Comment(xmlParserCtxtPtr context, const xmlChar* text);
    void ProcessingInstruction(xmlParserCtxtPtr context, const xmlChar* target,
                               const xmlChar* data);
    void Reference(xmlParserCtxtPtr context, const xmlChar* name);

private:
    // What libxml2's tree would hold as the first and last child of an element or of an entity's
    // replacement text: its rules for ignorable white space look at them.
    enum class ChildKind : std::uint8_t { None, Text, CData, Other };

    // An open element, or an entity's replacement text being parsed by a context of its own.
    struct Frame {
        xmlParserCtxtPtr context;
        std::size_t owner;          // the frame of the element that children go to
        detail::XmlTreeNode* node;  // that element (element frames)
        detail::XmlTreeNode* lastChild;
        const xmlChar* name;        // for the DTD's content model; null for the document
        ChildKind first;
        ChildKind last;
    };

    // Makes the frames those of context: pops entity texts that ended, opens one that begins.
    Frame& Sync(xmlParserCtxtPtr context);
    void PopContextsAbove(std::size_t contextIndex);
    bool AtDocumentLevel() const { return m_frames.back().owner == 0; }
    bool StartTagWithinLimits(xmlParserCtxtPtr context, const xmlChar* name,
                              const xmlChar** attributes);
    bool IgnorableBlanks(xmlParserCtxtPtr context, const Frame& frame, const xmlChar* text,
                         int length) const;
    detail::XmlTreeNode* NewNode(detail::XmlNodeKind kind);
    void Append(detail::XmlTreeNode* node, ChildKind kind);
    void Mark(ChildKind kind);
    // Text or CDATA that goes on while the same kind follows.
    void AddPending(xmlParserCtxtPtr context, detail::XmlNodeKind kind, ChildKind childKind,
                    bool merges, const xmlChar* text, int length);
    void FlushPending();
    std::uint32_t Intern(const xmlChar* name);
    bool Streaming() const { return m_streamDepth > 0; }
    // The element just started is the streamed section: its content goes to the stream.
    void StartStreamingIfSection(xmlParserCtxtPtr context, std::uint32_t name);
    void StreamStartElement(xmlParserCtxtPtr context, const xmlChar* name,
                            const xmlChar** attributes);
    // Content the stream is not given: white space is passed over, anything else abandons it.
    void StreamContent(xmlParserCtxtPtr context, const xmlChar* text, int length);

    ParseState& m_state;
    std::shared_ptr<detail::XmlTree> m_tree;
    std::vector<Frame> m_frames;
    // The contexts whose text is being parsed, outermost first, with the index of the first frame
    // of each.
    std::vector<std::pair<xmlParserCtxtPtr, std::size_t>> m_contexts;
    std::size_t m_depth = 0;  // elements open
    detail::XmlTreeNode* m_pending = nullptr;
    std::string m_pendingText;
    long m_pendingEndColumn = 0;  // the parser's column after the pending text's last piece
    AddressIndex m_names;  // libxml2's interned names

    XmlStreamedSection* m_section = nullptr;
    std::uint32_t m_rootName = detail::XmlTree::kNoName;     // the names m_section gives
    std::uint32_t m_sectionName = detail::XmlTree::kNoName;
    bool m_sectionMet = false;     // an element named as the section started
    std::size_t m_streamDepth = 0;  // elements open from the streamed section's, 0 outside it
    std::vector<XmlStreamAttribute> m_streamAttributes;
};

}  // namespace traverse

#endif
