#include "file_commands.h"

#include <cstdio>
#include <functional>

#include "adjustment_problems.h"
#include "backup.h"
#include "cli_texts.h"
#include "file_diagnosis.h"
#include "repair_summary.h"
#include "session.h"
#include "text_for_people.h"

namespace traverse_cli {
namespace {

using traverse::CImportXml;

// What an import holds, in one line for people.
std::string ImportSummary(const std::string& file, const CImportXml& importer) {
    const traverse::ImportCounts counts = traverse::CountImport(importer);
    return Formatted(text::kImportCounts, file.c_str(),
                     Count(counts.knownPoints, text::kKnownPoint, text::kKnownPoints).c_str(),
                     Count(counts.stations, text::kStation, text::kStations).c_str(),
                     Count(counts.rounds, text::kRound, text::kRounds).c_str(),
                     Count(counts.observations, text::kRecord, text::kRecords).c_str());
}

class FileCommands {
public:
    FileCommands(const CommandLine& commandLine, const std::string& file, Output& output,
                 bool nameFile)
        : m_commandLine(commandLine),
          m_file(file),
          m_session(commandLine.json, output, file, nameFile) {}

    int Process() {
        try {
            m_gbkFile = traverse::Utf8ToGbk(m_file);
            m_gbkOutput = traverse::Utf8ToGbk(OutputPath());
        } catch (const traverse::_com_error&) {
            m_session.Note(Formatted(text::kPathOutsideGbk, m_file.c_str()), true);
            return 1;
        }
        switch (m_commandLine.action) {
        case Action::Import: Import(); break;
        case Action::Check: Import(), Check(), FieldChecks(); break;
        case Action::Export: Import(), Export(); break;
        case Action::Run: Import(), Check(), Export(); break;
        case Action::Repair: Repair(); break;
        case Action::Adjust: Import(), Adjust(); break;
        case Action::Report: Report(); break;
        }
        return m_session.Status();
    }

private:
    std::string OutputPath() const { return OutputPathOf(m_commandLine, m_file); }

    std::uint32_t Import() {
        CImportXml& importer = m_session.Importer();
        Command import{"import", 0, [&] { return importer.OnButtonExchange(m_gbkFile); }};
        import.explain = [&](std::uint32_t result) { return ExplainImport(result); };
        return m_session.Run(import);
    }

    // A file that could not be read says why first; one that stopped at text where a record
    // belongs or at a character GBK cannot hold says where; a good import of the import command
    // says what it holds.
    std::string ExplainImport(std::uint32_t result) const {
        std::string warnings;
        const auto values = traverse::FindValuesNotNumbers(m_session.Importer());
        for (const traverse::ValueNotNumber& value : values) {
            const std::string described = traverse::DescribeValueNotNumber(value);
            warnings += "traverse: " + m_file + ": " + traverse::GbkToUtf8(described) + "\n";
        }
        return warnings + ExplainResult(result);
    }

    std::string ExplainResult(std::uint32_t result) const {
        if (result == kObjectNotFound) {
            const std::string reason = WhyUnreadable(m_file);
            return reason.empty() ? std::string()
                                  : Formatted(text::kCannotRead, m_file.c_str(), reason.c_str());
        }
        if (result == traverse::RESULT_FAILED) {
            // Text where a record belongs: the import said where in m_strError.
            const std::string& error = m_session.Importer().m_strError;
            if (!error.empty()) return "traverse: " + traverse::GbkToUtf8(error) + "\n";
            return WhereTextOutsideGbk(m_file);
        }
        if (result == 0 && m_commandLine.action == Action::Import) {
            return ImportSummary(m_file, m_session.Importer());
        }
        return std::string();
    }

    void Check() {
        m_session.Run({"check", 0, [&] { return m_session.Importer().OnButtonCheck(); }});
    }

    // The field checks fail the command when a value exceeds its limit.
    void FieldChecks() {
        if (!m_commandLine.allChecks) return;
        const traverse::FieldCheckResult result =
            traverse::RunFieldChecks(m_session.Importer(), m_commandLine.fieldChecks);
        // Only the form asked for is built: for a big network either is a large text.
        if (m_session.JsonMode()) {
            m_session.EmitJson(FieldChecksObject(result));
        } else {
            m_session.Note(traverse::GbkToUtf8(traverse::FormatFieldChecks(result)) + "\n", false);
        }
        if (result.exceededCount > 0) m_session.Fail();
    }

    // A file that cannot be opened for writing says which and why.
    static std::function<std::string(const std::string&)> DescribeCannotOpen(
        const std::string& output) {
        return [output](const std::string& gbkText) {
            const std::string text = traverse::GbkToUtf8(gbkText);
            return text == kCannotOpen ? text + " " + output + ": " + WhyUnwritable(output)
                                       : std::string();
        };
    }

    // Fails the command when the adjustment cannot run, its global test fails, a closure exceeds
    // its limit, or a file cannot be written.
    void Adjust() {
        const traverse::AdjustmentResult result =
            traverse::AdjustNetwork(m_session.Importer(), m_commandLine.adjustment);
        if (m_session.JsonMode()) {
            m_session.EmitJson(AdjustmentObject(result));
        } else {
            const std::string report = traverse::FormatAdjustmentReport(result);
            m_session.Note(traverse::GbkToUtf8(report) + "\n", false);
        }
        if (!traverse::AdjustmentWithinLimits(result)) m_session.Fail();
        if (result.status == traverse::AdjustmentStatus::InvalidOptions) m_session.FailUsage();
        m_session.Note(AdjustmentProblems(m_file, result), true);
        WriteResultFiles(result);
        if (!m_commandLine.gama.empty())
            Write("gama", m_commandLine.gama, traverse::WriteGamaLocalInput, result);
        if (!m_commandLine.sides.empty())
            Write("sides", m_commandLine.sides, traverse::WriteAdjustedSidesCsv, result);
    }

    using Writer = std::uint32_t (*)(const traverse::AdjustmentResult&, const std::string&);

    // One more file from an adjustment; only adjusted networks give one.
    void Write(const char* name, const std::string& path, Writer writer,
               const traverse::AdjustmentResult& result) {
        if (result.status != traverse::AdjustmentStatus::Adjusted) return;
        std::string gbkPath;
        try {
            gbkPath = traverse::Utf8ToGbk(path);
        } catch (const traverse::_com_error&) {
            m_session.Note(Formatted(text::kPathOutsideGbk, path.c_str()), true);
            m_session.Fail();
            return;
        }
        Command write{name, 0, [&] { return writer(result, gbkPath); }};
        write.describeMessage = DescribeCannotOpen(path);
        write.quiet = true;
        m_session.Run(write);
    }

    void WriteResultFiles(const traverse::AdjustmentResult& result) {
        for (const std::string& path : m_commandLine.resultFiles) {
            Write("points", path, traverse::WriteAdjustmentResultFile, result);
        }
    }

    void Export() {
        Command write{"export", 0, [&] { return m_session.Importer().OnButtonTonbq(m_gbkOutput); }};
        write.describeMessage = DescribeCannotOpen(OutputPath());
        m_session.Run(write);
    }

    void Repair();
    void Report();
    traverse::HtmlReportInput ReportInput();

    static constexpr std::uint32_t kObjectNotFound = 0x800C0006u;
    static constexpr const char* kCannotOpen = "打开文件错误！";

    const CommandLine& m_commandLine;
    const std::string& m_file;
    Session m_session;
    std::string m_gbkFile;
    std::string m_gbkOutput;
};

// The original is kept first (unless asked not to) and dropped again when nothing was mended.
void FileCommands::Repair() {
    std::string backup;
    if (!m_commandLine.noBackup && WhyUnreadable(m_file).empty()) {
        std::string error;
        backup = KeepBackup(m_file, error);
        if (backup.empty()) {
            m_session.Note(Formatted(text::kNoCopy, m_file.c_str(), error.c_str()), true);
            m_session.Fail();
            return;
        }
    }
    traverse::RepairResult repair;
    m_session.Run({"repair", 1, [&] {
                       repair = traverse::RepairXmlFile(m_gbkFile);
                       return repair.status == traverse::RepairStatus::Loaded ? 1u : 0u;
                   }});
    const bool loaded = repair.status == traverse::RepairStatus::Loaded;
    m_session.Note(RepairSummary(m_file, repair), !loaded);
    if (!backup.empty() && repair.repairs.empty()) std::remove(backup.c_str());
    if (!backup.empty() && !repair.repairs.empty())
        m_session.Note(Formatted(text::kOriginalKept, backup.c_str()), !loaded);
    const std::vector<traverse::RepairCollision> collisions =
        traverse::FindRepairCollisions(m_gbkFile, repair);
    if (collisions.empty()) return;
    m_session.Note(CollisionSummary(m_file, collisions), true);
    m_session.Fail();
}

// The import and the check run quietly: their reports go into the page.
traverse::HtmlReportInput FileCommands::ReportInput() {
    const auto run = [&](const char* name, const std::function<std::uint32_t()>& body) {
        Command command{name, 0, body};
        if (std::string(name) == "import") {
            command.explain = [&](std::uint32_t result) { return ExplainImport(result); };
        }
        command.quiet = true;
        const std::uint32_t result = m_session.Run(command);
        return traverse::ReportCommandOutcome{result, m_session.Messages()};
    };
    return traverse::CollectReportInput(m_session.Importer(), m_gbkFile, m_file,
                                        m_commandLine.fieldChecks, m_commandLine.adjustment, run);
}

// A file that the parser refused gets no page (stderr says why); one that loaded gets its page
// even when the import failed, since the page shows what is wrong.
void FileCommands::Report() {
    const traverse::HtmlReportInput input = ReportInput();
    // The page shows every other problem of the adjustment; options it cannot use are the user's.
    if (input.adjustment.status == traverse::AdjustmentStatus::InvalidOptions) {
        m_session.Note(AdjustmentProblems(m_file, input.adjustment), true);
        m_session.FailUsage();
    }
    const bool loaded = input.importResult == 0 || input.importResult == traverse::RESULT_FAILED;
    std::uint32_t result = traverse::RESULT_FAILED;
    if (loaded) {
        Command write{"report", 0, [&] { return traverse::WriteHtmlReport(input, m_gbkOutput); }};
        write.describeMessage = DescribeCannotOpen(OutputPath());
        write.quiet = true;
        result = m_session.Run(write);
    }
    m_session.EmitJson({{"command", "report"},
                        {"result", result},
                        {"import", input.importResult},
                        {"path", result == 0 ? Json(OutputPath()) : Json(nullptr)}});
    if (loaded) WriteResultFiles(input.adjustment);
    if (result == 0) {
        m_session.Note(Formatted(text::kReportWritten, OutputPath().c_str()), false);
    } else if (!loaded) {
        m_session.Note(Formatted(text::kNoReport, m_file.c_str()), true);
    }
}

}  // namespace

int ProcessFile(const CommandLine& commandLine, const std::string& file, Output& output,
                bool nameFile) {
    return FileCommands(commandLine, file, output, nameFile).Process();
}

int ProcessOnlyFile(const CommandLine& commandLine, const std::string& file, Output& output) {
    // The process ends with this file: what it imported (a block per record of a big network) is
    // left for the exit to release whole rather than freed block by block. Kept reachable.
    static FileCommands* const commands = new FileCommands(commandLine, file, output, false);
    return commands->Process();
}

}  // namespace traverse_cli
