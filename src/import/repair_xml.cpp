// The repair in one pass: the file is read once, every bad name that its markup shows is mended in
// memory, the parser checks the mends on the whole, and the file is written once. The result is
// byte for byte what mending one name per load of the file gives (repair_loop.cpp).
#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "import/bad_name_sites.h"
#include "import/name_mender.h"
#include "import/repair_internal.h"
#include "platform/output_file.h"
#include "platform/text_file.h"
#include "traverse/exceptions.h"
#include "traverse/import_xml.h"
#include "traverse/repair.h"
#include "xml/xml_parse_error_table.h"
#include "xml/xml_parser.h"

namespace traverse {
namespace {

bool IsBefore(long line, long column, const XmlParseError& error) {
    return line < error.line || (line == error.line && column < error.linepos);
}

// The bytes with some of the foreseen mends made, and what the parser says of them.
struct Probe {
    std::string bytes;
    std::vector<RepairedName> mends;
    XmlParseError error;
    bool loads = false;

    // Made from bytes with the names at the first count sites mended (fewer when one cannot be).
    Probe(const std::string& from, const std::vector<std::size_t>& sites, std::size_t count)
        : bytes(from) {
        NameMender mender(bytes);
        for (std::size_t i = 0; i < count; ++i) {
            RepairedName name;
            if (!mender.MendAtOffset(sites[i], name)) break;
            mends.push_back(std::move(name));
        }
        XmlParseResult parsed = ParseXmlBytes(bytes);
        loads = parsed.tree != nullptr;
        error = std::move(parsed.error);
    }

    // The parser got past the last mend: each mend stood where a name began and was a fault, as
    // the loop would have found them one by one, and the error (if any) is the loop's next. Only
    // a bad first character of a name is reported where the parser stands; other faults may be
    // reported before it (an end tag's name) or beyond it (the end of the file).
    bool Holds() const {
        return mends.empty() || loads ||
               (error.errorCode == XML_E_BADSTARTNAMECHAR &&
                IsBefore(mends.back().line, mends.back().column, error));
    }

    std::size_t MendsBefore(const XmlParseError& at) const {
        std::size_t count = 0;
        while (count < mends.size() && IsBefore(mends[count].line, mends[count].column, at)) {
            ++count;
        }
        return count;
    }
};

class OnePassRepair {
public:
    explicit OnePassRepair(RepairResult& result) : m_result(result) {}

    // Mends until the bytes load or a round ends the repair; true when they load.
    bool Run(std::string bytes) {
        m_bytes = std::move(bytes);
        XmlParseError previous;
        for (;;) {
            if (!MendAtError(previous)) return false;
            previous = m_result.error;
            if (MendForeseen()) return true;
        }
    }

    const std::string& Bytes() const { return m_bytes; }

private:
    // The round's fault, mended where the parser reported it, or the reason the repair ends.
    bool MendAtError(const XmlParseError& previous) {
        const XmlParseError& error = m_result.error;
        if (error.errorCode != XML_E_BADSTARTNAMECHAR) return End(RepairStatus::OtherError);
        if (error.line == previous.line && error.linepos == previous.linepos) {
            return End(RepairStatus::Stuck);
        }
        RepairedName repaired;
        repaired.line = error.line;
        repaired.column = error.linepos;
        NameMender mender(m_bytes);
        if (!mender.MendAt(repaired)) return End(RepairStatus::Stuck);
        m_mended = mender.LastOffset();
        m_result.repairs.push_back(std::move(repaired));
        return true;
    }

    // Mends the bad names foreseen after the last one and parses once; when the parser disagrees
    // with what was foreseen, fewer are tried, down to none (the loop's own next load).
    bool MendForeseen() {
        const std::string encoding =
            RecordTextEncoding(m_bytes.substr(0, kDeclarationPrefixLength));
        std::vector<std::size_t> sites = BadNameSites(m_bytes, encoding);
        sites.erase(sites.begin(), std::upper_bound(sites.begin(), sites.end(), m_mended));
        std::size_t count = sites.size();
        for (bool first = true;; first = false) {
            Probe probe(m_bytes, sites, count);
            if (probe.Holds()) return Take(std::move(probe));
            const std::size_t before = probe.MendsBefore(probe.error);
            // A fault after every mend is most likely the next one after the last mend, which one
            // mend fewer shows; else halve, never past the fault.
            count = first && before == probe.mends.size()
                        ? before - 1
                        : std::min(before, probe.mends.size() / 2);
        }
    }

    bool Take(Probe probe) {
        m_bytes = std::move(probe.bytes);
        for (RepairedName& name : probe.mends) m_result.repairs.push_back(std::move(name));
        m_result.error = std::move(probe.error);
        return probe.loads;
    }

    bool End(RepairStatus status) {
        m_result.status = status;
        return false;
    }

    RepairResult& m_result;
    std::string m_bytes;
    std::size_t m_mended = 0;  // byte offset of the last mend
};

// Reads the file that is to be mended; false, with the status, when it cannot be opened for
// reading and writing.
bool ReadForRepair(const std::string& gbkPath, std::string& bytes) {
    if (IsReadOnlyFile(gbkPath)) return false;
    CStdioFile file;
    if (!file.Open(gbkPath, CStdioFile::modeReadWrite)) return false;
    bytes = file.ReadAll();
    file.Close();
    return true;
}

void RepairInOnePass(const std::string& gbkPath, RepairResult& result) {
    if (LoadRecordFile(gbkPath, result.error)) {
        result.status = RepairStatus::Loaded;
        return;
    }
    if (result.error.errorCode != XML_E_BADSTARTNAMECHAR) {
        result.status = RepairStatus::OtherError;
        return;
    }
    std::string bytes;
    if (!ReadForRepair(gbkPath, bytes)) {
        result.status = RepairStatus::CannotOpen;
        return;
    }
    OnePassRepair repair(result);
    if (repair.Run(std::move(bytes))) {
        result.status = RepairStatus::Loaded;
        result.error = XmlParseError();
    }
    if (result.repairs.empty()) return;
    const std::string& mended = repair.Bytes();
    const auto write = [&](CStdioFile& file) { file.Write(mended.data(), mended.size()); };
    if (!WriteOutputFile(gbkPath, write)) {
        result.status = RepairStatus::CannotOpen;
        result.repairs.clear();
    }
}

}  // namespace

RepairResult RunRepair(const std::function<void(RepairResult&)>& repair) {
    RepairResult result;
    try {
        repair(result);
    } catch (const CException& exception) {
        result.status = RepairStatus::FileError;
        result.message = exception.GetErrorMessage();
        exception.ReportError();
    } catch (...) {
        result.status = RepairStatus::Failed;
    }
    return result;
}

RepairResult RepairXmlFile(const std::string& gbkPath) {
    return RunRepair([&](RepairResult& result) { RepairInOnePass(gbkPath, result); });
}

int CImportXml::RepairXML(const std::string& path) {
    return RepairXmlFile(path).status == RepairStatus::Loaded ? 1 : 0;
}

}  // namespace traverse
