// Arbitrary bytes as a record file: import, check, export must neither crash nor leak.
#include <cstddef>
#include <cstdint>

#include "fuzz_file.h"
#include "traverse/import_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = (traverse::SilenceMessageBoxes(), true);
    (void)silenced;
    const std::string path = traverse::WriteFuzzFile(data, size);
    traverse::CImportXml importer;
    importer.OnButtonExchange(path);
    importer.OnButtonCheck();
    importer.OnButtonTonbq("/dev/null");
    return 0;
}
