// Arbitrary bytes as a record file: import, check, export must neither crash nor leak, and the
// observation section read as the file is parsed must be what the tree reader reads of it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz_file.h"
#include "support/reader_digests.h"
#include "traverse/import_xml.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = (traverse::SilenceMessageBoxes(), true);
    (void)silenced;
    const std::string path = traverse::WriteFuzzFile(data, size);
    traverse::CImportXml importer;
    importer.OnButtonExchange(path);
    importer.OnButtonCheck();
    importer.OnButtonTonbq("/dev/null");
    const traverse::ReaderDigests digests = traverse::ReadBothWays(path);
    if (digests.complete && digests.streamed != digests.tree) std::abort();
    return 0;
}
