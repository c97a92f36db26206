#include "xml/xml_entity_guard.h"

#include <libxml/SAX2.h>
#include <libxml/entities.h>

#include <algorithm>
#include <memory>

#include "traverse/exceptions.h"
#include "xml/xml_parse_state.h"
#include "xml/xml_texts.h"
#include "xml/xml_tree_builder.h"

namespace traverse {
namespace {

// A declared entity of no content in place of an external one: a reference in text expands to
// nothing, as libxml2 does when a load is refused. A parameter entity gets one of the general
// kind, which libxml2 passes over with a warning instead of loading it.
xmlEntityPtr StandIn(ParseState& state, const xmlEntity& external) {
    std::unique_ptr<EmptyEntity>& slot = state.standIns[&external];
    if (!slot) {
        slot = std::make_unique<EmptyEntity>();
        xmlEntity& entity = slot->entity;
        entity.type = XML_ENTITY_DECL;
        entity.name = external.name;
        entity.etype = XML_INTERNAL_GENERAL_ENTITY;
        entity.content = slot->content;
    }
    return &slot->entity;
}

// libxml2 lets an undeclared entity pass with a warning once a parameter entity was referenced;
// a refused external one set that mark, where the loading it stands in for would not have.
void ForgetRefusedParameterReferences(const ParseState& state, xmlParserCtxtPtr context) {
    if (!state.parameterReferences) context->hasPErefs = 0;
}

xmlEntityPtr GetEntity(void* data, const xmlChar* name) {
    const auto context = static_cast<xmlParserCtxtPtr>(data);
    ParseState* state = StateOf(data);
    xmlEntityPtr entity = xmlSAX2GetEntity(data, name);
    if (state == nullptr || context->inSubset != 0) return entity;
    if (state->builder != nullptr) state->builder->ReferenceStarting(context);
    if (context->depth > kMaxEntityDepth) {
        state->Stop(context, E_FAIL, text::kXmlEntitiesTooDeep);
        return nullptr;
    }
    if (entity == nullptr) {
        ForgetRefusedParameterReferences(*state, context);
        return nullptr;
    }
    // In an attribute value libxml2 refuses an external entity itself, without loading it.
    if (entity->etype == XML_EXTERNAL_GENERAL_PARSED_ENTITY &&
        context->instate != XML_PARSER_ATTRIBUTE_VALUE) {
        entity = StandIn(*state, *entity);
    }
    // Every expansion counts (the tree's callbacks have libxml2 parse each reference's text anew);
    // an expansion bomb stops at the limit.
    state->expanded += static_cast<std::size_t>(std::max(entity->length, 1));
    if (state->expanded > kEntityExpansionLimit || ++state->references > kEntityReferenceLimit) {
        state->Stop(context, E_FAIL, text::kXmlEntityExpansionTooLarge);
        return nullptr;
    }
    return entity;
}

xmlEntityPtr GetParameterEntity(void* data, const xmlChar* name) {
    const auto context = static_cast<xmlParserCtxtPtr>(data);
    ParseState* state = StateOf(data);
    xmlEntityPtr entity = xmlSAX2GetParameterEntity(data, name);
    if (state == nullptr) return entity;
    if (context->inputNr > kMaxEntityDepth) {
        state->Stop(context, E_FAIL, text::kXmlEntitiesTooDeep);
        return nullptr;
    }
    if (entity != nullptr && entity->etype == XML_EXTERNAL_PARAMETER_ENTITY)
        return StandIn(*state, *entity);
    if (entity == nullptr) ForgetRefusedParameterReferences(*state, context);
    state->parameterReferences = true;
    return entity;
}

// An external subset or entity is never read.
xmlParserInputPtr RefuseExternal(void*, const xmlChar*, const xmlChar*) { return nullptr; }

}  // namespace

void GuardEntities(xmlSAXHandler& sax) {
    sax.getEntity = GetEntity;
    sax.getParameterEntity = GetParameterEntity;
    sax.resolveEntity = RefuseExternal;
    sax.externalSubset = nullptr;
}

}  // namespace traverse
