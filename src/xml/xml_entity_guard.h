// How a record file's entities resolve, decided per parse: an external entity stands in as an
// empty one, so nothing is ever loaded whatever entity loader the host process has installed;
// nesting and the total expansion are bounded.
#ifndef TRAVERSE_XML_XML_ENTITY_GUARD_H
#define TRAVERSE_XML_XML_ENTITY_GUARD_H

#include <libxml/parser.h>

namespace traverse {

// Installs the entity callbacks of a record parse in sax.
void GuardEntities(xmlSAXHandler& sax);

}  // namespace traverse

#endif
