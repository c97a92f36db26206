// The library's texts are GBK at run time; sources are UTF-8. GBK("...") converts a UTF-8 literal
// once, at its first use, and hands back the same GBK string ever after; GBK(text::kX) of a text
// in two languages converts both once and hands back the current language's.
#ifndef TRAVERSE_PLATFORM_GBK_LITERAL_H
#define TRAVERSE_PLATFORM_GBK_LITERAL_H

#include <string>

#include "platform/text.h"
#include "traverse/code_page.h"

namespace traverse {

// The GBK forms of a catalogue text: one for a fixed text, one per language for a Text.
class GbkForms {
public:
    explicit GbkForms(const char* utf8) : m_chinese(Utf8ToGbk(utf8)), m_english(m_chinese) {}
    explicit GbkForms(const text::Text& text)
        : m_chinese(Utf8ToGbk(text.chinese)), m_english(Utf8ToGbk(text.english)) {}

    const std::string& Get() const {
        return CurrentLanguage() == Language::kEnglish ? m_english : m_chinese;
    }

private:
    std::string m_chinese;
    std::string m_english;
};

}  // namespace traverse

#define GBK(utf8Literal)                                          \
    ([]() -> const std::string& {                                 \
        static const ::traverse::GbkForms converted(utf8Literal); \
        return converted.Get();                                   \
    }())

#endif
