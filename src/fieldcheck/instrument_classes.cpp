// The instrument words of a command line: an angle class, a distance class, or both.
#include <string>
#include <string_view>
#include <vector>

#include "platform/characters.h"
#include "traverse/field_checks.h"
#include "traverse/split_string.h"

namespace traverse {
namespace {

// Removes suffix from the end of text when it is there; true if it was.
bool TakeSuffix(std::string& text, std::string_view suffix) {
    if (text.size() < suffix.size() ||
        text.compare(text.size() - suffix.size(), suffix.size(), suffix) != 0) {
        return false;
    }
    text.erase(text.size() - suffix.size());
    return true;
}

bool TakePrefix(std::string& text, std::string_view prefix) {
    if (text.compare(0, prefix.size(), prefix) != 0) return false;
    text.erase(0, prefix.size());
    return true;
}

// One class word, folded to lower case and trimmed, into angleClass or distanceClass (each at
// most once).
bool ReadClass(std::string word, int& angleClass, int& distanceClass) {
    TakeSuffix(word, "级");
    if (TakeSuffix(word, "mm")) {
        if (distanceClass != 0 || (word != "5" && word != "10")) return false;
        distanceClass = word == "5" ? 5 : 10;
        return true;
    }
    if (!TakePrefix(word, "dj")) TakePrefix(word, "j");
    if (!TakeSuffix(word, "\"")) TakeSuffix(word, "″");
    if (angleClass != 0 || word.size() != 1 ||
        std::string_view("126").find(word[0]) == std::string_view::npos) {
        return false;
    }
    angleClass = word[0] - '0';
    return true;
}

}  // namespace

bool ParseInstrumentClasses(const std::string& utf8Words, FieldCheckOptions& options) {
    std::vector<std::string> words;
    SplitString(utf8Words, ",", words, 1);
    if (words.empty() || words.size() > 2) return false;
    int angleClass = 0;
    int distanceClass = 0;
    for (const std::string& word : words) {
        if (!ReadClass(chars::AsciiLower(chars::TrimCSpace(word)), angleClass, distanceClass)) {
            return false;
        }
    }
    if (angleClass != 0) options.angleClass = angleClass;
    if (distanceClass != 0) options.distanceClass = distanceClass;
    return true;
}

}  // namespace traverse
