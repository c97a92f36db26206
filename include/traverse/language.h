// The language of the texts the library writes for people: reports, notes, the page.
// The fixed texts of the import, the check report and the message boxes have one language and
// do not follow it.
#ifndef TRAVERSE_LANGUAGE_H
#define TRAVERSE_LANGUAGE_H

#include <optional>
#include <string_view>

#include "traverse/visibility.h"

namespace traverse {

enum class Language { kChinese, kEnglish };

// Process-wide, Chinese until set. Set it before worker threads start; reading it is thread-safe.
TRAVERSE_API void SetLanguage(Language language);
TRAVERSE_API Language CurrentLanguage();

// "zh" or "en", or a locale name starting with them ("en_US.UTF-8", "zh_CN"); empty otherwise.
TRAVERSE_API std::optional<Language> LanguageFromCode(std::string_view code);

// The language the environment asks for: the first set of LC_ALL, LC_MESSAGES and LANG chooses
// English when it starts with "en", Chinese otherwise and when none is set.
TRAVERSE_API Language LanguageFromEnvironment();

}  // namespace traverse

#endif
