// Arbitrary bytes as a record file to repair: no crash, no hang, the file keeps its length, what is
// written is ASCII, a file reported as loading does load, and the repair in one pass gives what
// the loop of one name per load gives, byte for byte.
#include <sys/stat.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_file.h"
#include "import/repair_internal.h"
#include "traverse/import_xml.h"
#include "traverse/repair.h"
#include "traverse/xml_dom.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::string bytes;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t count;
        while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            bytes.append(buffer, count);
        }
        std::fclose(file);
    }
    return bytes;
}

bool SameRepairs(const traverse::RepairResult& a, const traverse::RepairResult& b) {
    if (a.status != b.status || a.error.errorCode != b.error.errorCode ||
        a.error.line != b.error.line || a.error.linepos != b.error.linepos ||
        a.repairs.size() != b.repairs.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.repairs.size(); ++i) {
        const traverse::RepairedName& x = a.repairs[i];
        const traverse::RepairedName& y = b.repairs[i];
        if (x.line != y.line || x.column != y.column || x.written != y.written ||
            x.before != y.before || x.after != y.after) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = (traverse::SilenceMessageBoxes(), true);
    (void)silenced;
    const std::string path = traverse::WriteFuzzFile(data, size);
    const traverse::RepairResult loop = traverse::RepairXmlFileWith(path, traverse::LoadRecordFile);
    const std::string loopBytes = ReadAll(path);
    traverse::WriteFuzzFile(data, size);
    const traverse::RepairResult result = traverse::RepairXmlFile(path);
    if (ReadAll(path) != loopBytes || !SameRepairs(result, loop)) std::abort();
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
