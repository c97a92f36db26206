#include "traverse/language.h"

#include <atomic>
#include <cstdlib>

namespace traverse {
namespace {

std::atomic<Language> g_language{Language::kChinese};

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

void SetLanguage(Language language) { g_language.store(language, std::memory_order_relaxed); }

Language CurrentLanguage() { return g_language.load(std::memory_order_relaxed); }

std::optional<Language> LanguageFromCode(std::string_view code) {
    if (StartsWith(code, "en")) return Language::kEnglish;
    if (StartsWith(code, "zh")) return Language::kChinese;
    return std::nullopt;
}

Language LanguageFromEnvironment() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value == nullptr || *value == '\0') continue;
        return StartsWith(value, "en") ? Language::kEnglish : Language::kChinese;
    }
    return Language::kChinese;
}

}  // namespace traverse
