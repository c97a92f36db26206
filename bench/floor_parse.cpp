#include "floor_parse.h"

#include <libxml/parser.h>

namespace traverse::bench {

xmlDocPtr FloorParse(const std::string& path) {
    // As the importer parses: SAX1 tree building, no network, entities expanded, blank text
    // dropped, the GBK family decoded as GB18030.
    return xmlReadFile(path.c_str(), "GB18030",
                       XML_PARSE_SAX1 | XML_PARSE_NONET | XML_PARSE_NOENT | XML_PARSE_NOBLANKS);
}

}  // namespace traverse::bench
