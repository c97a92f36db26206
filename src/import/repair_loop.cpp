// The repair one name at a time: each round loads the file and mends, in the file, the one name
// the load stopped at.
#include <sys/stat.h>

#include <string>

#include "import/name_mender.h"
#include "import/repair_internal.h"
#include "platform/text_file.h"
#include "xml/xml_parse_error_table.h"

namespace traverse {
namespace {

enum class Mend { Written, CannotOpen, NothingToChange };

// Overwrites the first character of the name at (repaired.line, repaired.column) of the file.
Mend MendName(const std::string& gbkPath, RepairedName& repaired) {
    CStdioFile file;
    if (!file.Open(gbkPath, CStdioFile::modeReadWrite)) return Mend::CannotOpen;
    std::string content = file.ReadAll();
    NameMender mender(content);
    if (!mender.MendAt(repaired)) return Mend::NothingToChange;
    file.Seek(static_cast<long>(mender.LastOffset()));
    file.Write(repaired.written.data(), repaired.written.size());
    file.Close();
    return Mend::Written;
}

// One round of the repair after a failed load: mends the name the error points at, or says why the
// repair ends (the status it ends with). previous is the error the round before mended.
bool MendAtError(const std::string& gbkPath, const XmlParseError& error,
                 const XmlParseError& previous, RepairResult& result) {
    if (error.errorCode != XML_E_BADSTARTNAMECHAR) {
        result.status = RepairStatus::OtherError;
        return false;
    }
    if (error.line == previous.line && error.linepos == previous.linepos) {
        result.status = RepairStatus::Stuck;
        return false;
    }
    if (IsReadOnlyFile(gbkPath)) {
        result.status = RepairStatus::CannotOpen;
        return false;
    }
    RepairedName repaired;
    repaired.line = error.line;
    repaired.column = error.linepos;
    switch (MendName(gbkPath, repaired)) {
    case Mend::CannotOpen:
        result.status = RepairStatus::CannotOpen;
        return false;
    case Mend::NothingToChange:
        result.status = RepairStatus::Stuck;
        return false;
    case Mend::Written:
        break;
    }
    result.repairs.push_back(repaired);
    return true;
}

}  // namespace

bool IsReadOnlyFile(const std::string& gbkPath) {
    struct stat status {};
    if (stat(SystemPath(gbkPath).c_str(), &status) != 0) return false;  // opening will tell
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool LoadRecordFile(const std::string& gbkPath, XmlParseError& error) {
    // A new document each time; it is released before the file is opened for writing.
    XmlDocument document = XmlDocument::Create();
    if (document.IsEmpty()) throw _com_error(E_POINTER);
    if (document.load(gbkPath)) return true;
    error = document.parseError();
    return false;
}

RepairResult RepairXmlFileWith(const std::string& gbkPath, const RepairLoad& load) {
    return RunRepair([&](RepairResult& result) {
        XmlParseError previous;
        while (!load(gbkPath, result.error)) {
            if (!MendAtError(gbkPath, result.error, previous, result)) return;
            previous = result.error;
        }
        result.status = RepairStatus::Loaded;
        result.error = XmlParseError();
    });
}

}  // namespace traverse
