// Arbitrary bytes as a record file to repair: no crash, no hang, the file keeps its length, what is
// written is ASCII, and a file reported as loading does load.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_file.h"
#include "traverse/import_xml.h"
#include "traverse/repair.h"
#include "traverse/xml_dom.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = (traverse::SilenceMessageBoxes(), true);
    (void)silenced;
    const std::string path = traverse::WriteFuzzFile(data, size);
    const traverse::RepairResult result = traverse::RepairXmlFile(path);
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || static_cast<std::size_t>(status.st_size) != size) {
        std::abort();
    }
    for (const traverse::RepairedName& repair : result.repairs) {
        for (const char c : repair.written) {
            if (static_cast<unsigned char>(c) >= 0x80) std::abort();
        }
    }
    if (result.status == traverse::RepairStatus::Loaded) {
        traverse::XmlDocument document = traverse::XmlDocument::Create();
        if (!document.load(path)) std::abort();
    }
    // The importer's own entry point on the mended file.
    traverse::CImportXml importer;
    importer.RepairXML(path);
    return 0;
}
