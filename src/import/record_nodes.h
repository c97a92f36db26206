// The children of a node where records belong (tolerance items, known points, stations, target
// records): comments and processing instructions are no data and are passed over; text there is
// the failure of a node without attribute map, and says where it stands.
#ifndef TRAVERSE_IMPORT_RECORD_NODES_H
#define TRAVERSE_IMPORT_RECORD_NODES_H

#include <string>

#include "traverse/exceptions.h"
#include "traverse/xml_dom.h"

namespace traverse {

// E_POINTER, as the use of the text's missing attribute map raises it, described by the text's
// line, column and first characters (GBK).
class RecordPlaceError : public _com_error {
public:
    explicit RecordPlaceError(const XmlNode& text);
};

// Whether node is data: not a comment or processing instruction. Text or CDATA raises
// RecordPlaceError.
bool IsRecordNode(const XmlNode& node);

template <typename Visit>
void ForEachRecordNode(const XmlNode& parent, Visit visit) {
    const XmlNodeList children = parent.childNodes();
    const long count = children.length();
    for (long i = 0; i < count; ++i) {
        const XmlNode child = children.item(i);
        if (IsRecordNode(child)) visit(child);
    }
}

}  // namespace traverse

#endif
