#include "repair_summary.h"

#include "text_for_people.h"
#include "traverse/code_page.h"

namespace traverse_cli {
namespace {

std::string Position(long line, long column) {
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

std::string Mended(const traverse::RepairResult& repair) {
    std::string text;
    for (const traverse::RepairedName& name : repair.repairs) {
        text += "  " + Position(name.line, name.column) + ": wrote \"" + name.written + "\"\n";
    }
    return text;
}

std::string NameCount(size_t names) { return Count(names, "name", "names"); }

std::string Lines(const std::vector<long>& lines) {
    std::string text = lines.size() == 1 ? "line " : "lines ";
    for (size_t i = 0; i < lines.size(); ++i) text += (i == 0 ? "" : ", ") + std::to_string(lines[i]);
    return text;
}

std::string Quoted(const std::string& gbk) { return "\"" + traverse::GbkToUtf8(gbk) + "\""; }

}  // namespace

std::string RepairSummary(const std::string& file, const traverse::RepairResult& repair) {
    using traverse::RepairStatus;
    if (repair.status == RepairStatus::Loaded) {
        if (repair.repairs.empty()) return file + ": no bad names; the file loads as it is\n";
        return file + ": mended " + NameCount(repair.repairs.size()) + "; the file loads now\n" +
               Mended(repair);
    }
    std::string text = "traverse: cannot repair " + file + ": ";
    const traverse::XmlParseError& error = repair.error;
    switch (repair.status) {
    case RepairStatus::OtherError:
        text += "it has another fault, at " + Position(error.line, error.linepos) + ": " +
                traverse::GbkToUtf8(error.reason) + "\n";
        break;
    case RepairStatus::CannotOpen:
        text += "it cannot be opened for writing\n";
        break;
    case RepairStatus::Stuck:
        text += "the name at " + Position(error.line, error.linepos) + " cannot be mended\n";
        break;
    case RepairStatus::FileError:
        text += traverse::GbkToUtf8(repair.message) + "\n";
        break;
    default:
        text += "unexpected error\n";
        break;
    }
    if (!repair.repairs.empty()) {
        text += "mended " + NameCount(repair.repairs.size()) + " before that:\n" + Mended(repair);
    }
    return text;
}

std::string CollisionSummary(const std::string& file,
                             const std::vector<traverse::RepairCollision>& collisions) {
    if (collisions.empty()) return std::string();
    std::string text = "traverse: " + file +
                       ": the repair gave different names the same name; they are one target now:\n";
    for (const traverse::RepairCollision& collision : collisions) {
        text += "  " + Quoted(collision.mended) + " from";
        for (size_t i = 0; i < collision.repaired.size(); ++i) {
            const traverse::NameLines& source = collision.repaired[i];
            text += (i == 0 ? " " : ", ") + Quoted(source.name) + " (" + Lines(source.lines) + ")";
        }
        if (!collision.existing.empty()) text += "; already the name at " + Lines(collision.existing);
        text += "\n";
    }
    return text;
}

}  // namespace traverse_cli
