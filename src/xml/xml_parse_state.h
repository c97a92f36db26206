// The state of one parse that libxml2's callbacks reach through the parser context's _private
// (an entity's replacement text is parsed by a context of its own, which shares it): the first
// fault, and the library's own limits on what a record file may make the parser do.
#ifndef TRAVERSE_XML_XML_PARSE_STATE_H
#define TRAVERSE_XML_XML_PARSE_STATE_H

#include <libxml/parser.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "xml/xml_parse_error_table.h"

namespace traverse {

class XmlTreeBuilder;

// The library's own limits. libxml2's are lifted per parse (XML_PARSE_HUGE), so that none of its
// messages about limits, which name the wrong cause, reaches a user.
constexpr long kMaxRecordBytes = 512L * 1024L * 1024L;    // keeps every value below libxml2's 1e9
constexpr std::size_t kMaxElementDepth = 1u << 20;
constexpr std::size_t kMaxNameCharacters = 50000;
constexpr int kMaxEntityDepth = 40;
// Cumulative length of entity replacement text one parse may expand before it is stopped, and how
// many references to declared entities it may expand: a bomb of short entities costs a node per
// reference long before its text reaches the length.
constexpr std::size_t kEntityExpansionLimit = 16u * 1024u * 1024u;
constexpr std::size_t kEntityReferenceLimit = 1u << 17;

// An entity that stands in for an external one: declared, and empty.
struct EmptyEntity {
    xmlEntity entity{};
    xmlChar content[1] = {0};  // the parser may write its terminator
};

struct ParseState {
    xmlParserCtxtPtr context = nullptr;  // the document's context
    bool failed = false;
    XmlFault fault;

    // Entities.
    std::size_t expanded = 0;
    std::size_t references = 0;
    std::unordered_map<const xmlEntity*, std::unique_ptr<EmptyEntity>> standIns;
    // Whether a parameter-entity reference other than a refused external one was met: libxml2
    // counts a refused one too when it decides if an undeclared entity is an error.
    bool parameterReferences = false;

    XmlTreeBuilder* builder = nullptr;

    // The document's position and open elements, once, at the first fault.
    void CapturePosition();
    // A fault libxml2 reported.
    void Record(const xmlError& error);
    // Ends the parse for a reason of the library's own, met by caller (the document's context or
    // an entity's). atTag: report it at the name of the start tag just read.
    void Stop(xmlParserCtxtPtr caller, std::uint32_t code, const char* reason, bool atTag = false);
};

// The state of the parse that context (or the entity context inside it) belongs to.
inline ParseState* StateOf(void* context) {
    return static_cast<ParseState*>(static_cast<xmlParserCtxtPtr>(context)->_private);
}

}  // namespace traverse

#endif
