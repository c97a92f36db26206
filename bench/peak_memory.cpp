// traverse_peak_memory parse|import FILE: prints how far the resident set grew, in KiB, at its
// peak while libxml2 parsed FILE (and released the document), or while the importer imported it.
#include <libxml/parser.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

#include "floor_parse.h"
#include "traverse/import_xml.h"
#include "traverse/message_box.h"

namespace {

// A field of /proc/self/status, in KiB.
long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::size_t length = std::strlen(field);
    while (std::getline(status, line)) {
        if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':') {
            return std::stol(line.substr(length + 1));
        }
    }
    return -1;
}

// Resets the peak resident set to the current one.
bool ResetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return static_cast<bool>(clear);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "parse") != 0 && std::strcmp(argv[1], "import") != 0)) {
        std::fprintf(stderr, "usage: traverse_peak_memory parse|import FILE\n");
        return 2;
    }
    const bool parse = std::strcmp(argv[1], "parse") == 0;
    const std::string path = argv[2];
    traverse::SetMessageBoxHandler([](const std::string&) {});
    xmlInitParser();

    const long before = StatusKiB("VmRSS");
    if (!ResetPeak()) {
        std::fprintf(stderr, "cannot reset the peak resident set\n");
        return 1;
    }
    bool ok;
    if (parse) {
        xmlDocPtr document = traverse::bench::FloorParse(path);
        ok = document != nullptr;
        xmlFreeDoc(document);
    } else {
        traverse::CImportXml importer;
        ok = importer.OnButtonExchange(path) == 0;
    }
    const long peak = StatusKiB("VmHWM");
    if (!ok || before < 0 || peak < 0) {
        std::fprintf(stderr, "%s of %s failed\n", argv[1], path.c_str());
        return 1;
    }
    std::printf("%ld\n", peak - before);
    return 0;
}
