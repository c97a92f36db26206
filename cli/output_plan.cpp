#include "output_plan.h"

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <vector>

#include "cli_texts.h"
#include "text_for_people.h"

namespace traverse_cli {
namespace {

namespace fs = std::filesystem;

// One file under every spelling of its path: an existing file by its device and inode (hard links
// too), a new one by its absolute path with links and dots resolved.
std::string Identity(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) == 0) {
        return "inode " + std::to_string(status.st_dev) + ":" + std::to_string(status.st_ino);
    }
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    const fs::path resolved = fs::weakly_canonical(absolute, error);
    return "path " + (error ? absolute.lexically_normal() : resolved).string();
}

// The first bytes of the file at path; empty when it cannot be read.
std::string Head(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string head(4096, '\0');
    file.read(&head[0], static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file.gcount()));
    return head;
}

bool StartsWith(const std::string& text, std::size_t at, const char* prefix) {
    return text.compare(at, std::char_traits<char>::length(prefix), prefix) == 0;
}

// The root element's name starts at the first '<' that opens neither a declaration, a processing
// instruction nor a comment.
bool RootIsGamaLocal(const std::string& head) {
    for (std::size_t at = head.find('<'); at != std::string::npos; at = head.find('<', at + 1)) {
        if (head.compare(at, 2, "<?") != 0 && head.compare(at, 2, "<!") != 0) {
            return StartsWith(head, at, "<gama-local");
        }
    }
    return false;
}

bool WrittenByThisProgram(const std::string& head, std::size_t start) {
    return StartsWith(head, start, "<<\r\n") || StartsWith(head, start, "<!DOCTYPE html>") ||
           RootIsGamaLocal(head);
}

bool HoldsRecordFile(const std::string& path) {
    const std::string head = Head(path);
    if (StartsWith(head, 0, "\xEF\xBB\xBF") || StartsWith(head, 0, "\xFF\xFE") ||
        StartsWith(head, 0, "\xFE\xFF")) {
        return true;
    }
    // Blanks, and the zero bytes of UTF-16 without a byte-order mark.
    const std::size_t start = head.find_first_not_of(std::string(" \t\r\n\0", 5));
    return start != std::string::npos && head[start] == '<' && !WrittenByThisProgram(head, start);
}

struct PlannedOutput {
    std::string path;  // as it will be opened
    std::string what;  // "the adjustment file of a.xml", for people
};

std::vector<PlannedOutput> OutputsOf(const CommandLine& commandLine, const std::string& file) {
    std::vector<PlannedOutput> outputs;
    const std::string output = OutputPathOf(commandLine, file);
    const text::Text& what = commandLine.action == Action::Report   ? text::kReportPageOf
                             : commandLine.action == Action::Adjust ? text::kPointsOf
                                                                    : text::kAdjustmentFileOf;
    if (!output.empty()) outputs.push_back({output, Formatted(what, file.c_str())});
    for (const std::string& result : commandLine.resultFiles)
        outputs.push_back({result, Formatted(text::kPointsOf, file.c_str())});
    if (!commandLine.gama.empty())
        outputs.push_back({commandLine.gama, Formatted(text::kGamaDocumentOf, file.c_str())});
    if (!commandLine.sides.empty())
        outputs.push_back({commandLine.sides, Formatted(text::kSidesOf, file.c_str())});
    return outputs;
}

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        text += (i == 0                  ? ""
                 : i + 1 == items.size() ? text::kListAnd
                                         : text::kListComma) +
                items[i];
    }
    return text;
}

std::string RefuseShared(const std::vector<PlannedOutput>& outputs) {
    std::map<std::string, std::vector<const PlannedOutput*>> byIdentity;
    for (const PlannedOutput& output : outputs)
        byIdentity[Identity(output.path)].push_back(&output);
    std::string reason;
    for (const PlannedOutput& output : outputs) {
        const std::vector<const PlannedOutput*>& sharing = byIdentity[Identity(output.path)];
        if (sharing.size() < 2 || sharing.front() != &output) continue;
        std::vector<std::string> writers;
        for (const PlannedOutput* writer : sharing) writers.push_back(writer->what);
        reason += (reason.empty() ? "" : "\ntraverse: ") +
                  Formatted(text::kWrittenTimes, output.path.c_str(), sharing.size(),
                            Listed(writers).c_str());
    }
    return reason;
}

}  // namespace

void MergeRepeatedFiles(CommandLine& commandLine) {
    std::set<std::string> seen;
    std::set<std::string> told;
    std::vector<std::string> kept;
    for (const std::string& file : commandLine.files) {
        const std::string identity = Identity(file);
        if (seen.insert(identity).second) {
            kept.push_back(file);
        } else if (told.insert(identity).second) {
            std::fprintf(stderr, text::kGivenTwice, file.c_str());
        }
    }
    commandLine.files = kept;
}

std::string RefuseUnsafeOutputs(const CommandLine& commandLine) {
    std::vector<PlannedOutput> outputs;
    std::set<std::string> inputs;
    for (const std::string& file : commandLine.files) {
        inputs.insert(Identity(file));
        for (PlannedOutput& output : OutputsOf(commandLine, file))
            outputs.push_back(std::move(output));
    }
    const std::string shared = RefuseShared(outputs);
    if (!shared.empty()) return shared;
    for (const PlannedOutput& output : outputs) {
        const text::Text* holds = inputs.count(Identity(output.path)) != 0 ? &text::kIsRecordFile
                                  : HoldsRecordFile(output.path)           ? &text::kHoldsRecordFile
                                                                           : nullptr;
        if (holds != nullptr) return Formatted(*holds, output.path.c_str(), output.what.c_str());
    }
    return std::string();
}

}  // namespace traverse_cli
