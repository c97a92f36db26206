// The floor of the benchmarks: libxml2 parses a record file into a document with the options the
// importer uses, and releases it.
#ifndef TRAVERSE_BENCH_FLOOR_PARSE_H
#define TRAVERSE_BENCH_FLOOR_PARSE_H

#include <libxml/tree.h>

#include <string>

namespace traverse::bench {

// The document of the record file at path, or nullptr when it does not parse. Free it with
// xmlFreeDoc.
xmlDocPtr FloorParse(const std::string& path);

}  // namespace traverse::bench

#endif
