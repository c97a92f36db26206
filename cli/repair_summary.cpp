#include "repair_summary.h"

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

std::string Count(size_t names) {
    return std::to_string(names) + (names == 1 ? " name" : " names");
}

}  // namespace

std::string RepairSummary(const std::string& file, const traverse::RepairResult& repair) {
    using traverse::RepairStatus;
    if (repair.status == RepairStatus::Loaded) {
        if (repair.repairs.empty()) return file + ": no bad names; the file loads as it is\n";
        return file + ": mended " + Count(repair.repairs.size()) + "; the file loads now\n" +
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
        text += "mended " + Count(repair.repairs.size()) + " before that:\n" + Mended(repair);
    }
    return text;
}

}  // namespace traverse_cli
