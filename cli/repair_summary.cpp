#include "repair_summary.h"

#include "cli_texts.h"
#include "text_for_people.h"
#include "traverse/code_page.h"

namespace traverse_cli {
namespace {

std::string Position(long line, long column) { return Formatted(text::kPosition, line, column); }

std::string Mended(const traverse::RepairResult& repair) {
    std::string text;
    for (const traverse::RepairedName& name : repair.repairs) {
        text +=
            Formatted(text::kWrote, Position(name.line, name.column).c_str(), name.written.c_str());
    }
    return text;
}

std::string NameCount(size_t names) { return Count(names, text::kName, text::kNames); }

std::string Lines(const std::vector<long>& lines) {
    std::string text = lines.size() == 1 ? text::kLine : text::kLines;
    for (size_t i = 0; i < lines.size(); ++i)
        text += (i == 0 ? "" : text::kLineSeparator) + std::to_string(lines[i]);
    return text + text::kLinesAfter;
}

std::string Quoted(const std::string& gbk) { return "\"" + traverse::GbkToUtf8(gbk) + "\""; }

}  // namespace

std::string RepairSummary(const std::string& file, const traverse::RepairResult& repair) {
    using traverse::RepairStatus;
    if (repair.status == RepairStatus::Loaded) {
        if (repair.repairs.empty()) return Formatted(text::kNoBadNames, file.c_str());
        return Formatted(text::kMended, file.c_str(), NameCount(repair.repairs.size()).c_str()) +
               Mended(repair);
    }
    std::string text = Formatted(text::kCannotRepair, file.c_str());
    const traverse::XmlParseError& error = repair.error;
    switch (repair.status) {
    case RepairStatus::OtherError:
        text += Formatted(text::kOtherFault, Position(error.line, error.linepos).c_str(),
                          traverse::GbkToUtf8(error.reason).c_str());
        break;
    case RepairStatus::CannotOpen:
        text += text::kCannotOpenForWriting;
        break;
    case RepairStatus::Stuck:
        text += Formatted(text::kCannotMend, Position(error.line, error.linepos).c_str());
        break;
    case RepairStatus::FileError:
        text += traverse::GbkToUtf8(repair.message) + "\n";
        break;
    default:
        text += text::kUnexpectedError;
        break;
    }
    if (!repair.repairs.empty()) {
        text += Formatted(text::kMendedBefore, NameCount(repair.repairs.size()).c_str()) +
                Mended(repair);
    }
    return text;
}

std::string CollisionSummary(const std::string& file,
                             const std::vector<traverse::RepairCollision>& collisions) {
    if (collisions.empty()) return std::string();
    std::string text = Formatted(text::kCollisions, file.c_str());
    for (const traverse::RepairCollision& collision : collisions) {
        text += "  " + Quoted(collision.mended) + text::kCollisionFrom;
        for (size_t i = 0; i < collision.repaired.size(); ++i) {
            const traverse::NameLines& source = collision.repaired[i];
            text += (i == 0 ? " " : ", ") + Quoted(source.name) + " (" + Lines(source.lines) + ")";
        }
        if (!collision.existing.empty())
            text += Formatted(text::kAlreadyNamed, Lines(collision.existing).c_str());
        text += "\n";
    }
    return text;
}

}  // namespace traverse_cli
