// sax2_count FILE: the least a program can do with a record file through libxml2, a SAX2 pass that
// only counts the elements. The import's floor, measured as a process beside it.
#include <libxml/parser.h>

#include <cstdio>
#include <cstring>

namespace {

void CountElement(void* counter, const xmlChar*, const xmlChar*, const xmlChar*, int,
                  const xmlChar**, int, int, const xmlChar**) {
    ++*static_cast<unsigned long*>(counter);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: sax2_count FILE\n");
        return 2;
    }
    xmlSAXHandler handler;
    std::memset(&handler, 0, sizeof handler);
    handler.initialized = XML_SAX2_MAGIC;
    handler.startElementNs = CountElement;
    unsigned long elements = 0;
    const int result = xmlSAXUserParseFile(&handler, &elements, argv[1]);
    xmlCleanupParser();
    std::printf("%lu elements\n", elements);
    return result == 0 ? 0 : 1;
}
