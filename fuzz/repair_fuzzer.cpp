// Arbitrary bytes as a record file to repair: no crash, no hang, the file keeps its length.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_file.h"
#include "traverse/import_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = (traverse::SilenceMessageBoxes(), true);
    (void)silenced;
    const std::string path = traverse::WriteFuzzFile(data, size);
    traverse::CImportXml importer;
    importer.RepairXML(path);
    struct stat status;
    if (stat(path.c_str(), &status) != 0 || static_cast<std::size_t>(status.st_size) != size) {
        std::abort();
    }
    return 0;
}
