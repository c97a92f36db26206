#include "xml/xml_parse_state.h"

#include <libxml/xmlerror.h>

namespace traverse {

void ParseState::CapturePosition() {
    if (fault.offset >= 0 || context == nullptr || context->inputNr < 1) return;
    // The document's own input, even when the fault lies in an entity's replacement text.
    const xmlParserInputPtr input = context->inputTab[0];
    if (input == nullptr || input->base == nullptr || input->cur == nullptr) return;
    fault.offset =
        static_cast<long>(input->consumed + static_cast<unsigned long>(input->cur - input->base));
    fault.openElements.clear();
    for (int i = 0; i < context->nameNr; ++i) {
        fault.openElements.emplace_back(reinterpret_cast<const char*>(context->nameTab[i]));
    }
}

void ParseState::Record(const xmlError& error) {
    if (!failed) {
        failed = true;
        fault.domain = error.domain;
        fault.code = error.code;
        fault.message = error.message != nullptr ? error.message : "";
        // Entity replacement text is parsed by a context of its own, or as a pushed input.
        fault.inEntity = error.domain == XML_FROM_PARSER && error.ctxt != nullptr &&
                         (error.ctxt != context || context->inputNr > 1);
    }
    if (error.ctxt == context) CapturePosition();
}

void ParseState::Stop(xmlParserCtxtPtr caller, std::uint32_t code, const char* reason, bool atTag) {
    if (!failed) {
        failed = true;
        fault.ownCode = code;
        fault.ownReason = reason;
        fault.ownAtTag = atTag;
    }
    CapturePosition();
    xmlStopParser(context);
    if (caller != context) xmlStopParser(caller);
}

}  // namespace traverse
