// The language switch: printf places compared across languages, and the environment's choice.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/text.h"

namespace traverse {
namespace {

static_assert(SamePrintfConversions("点 \"%s\" 的 %.1f″", "Point \"%s\": %.1f\""));
static_assert(SamePrintfConversions("100%% 完成 %zu", "%zu done, 100%%"));
static_assert(!SamePrintfConversions("%s %d", "%d %s"), "order matters");
static_assert(!SamePrintfConversions("%.1f", "%.2f"), "precision matters");
static_assert(!SamePrintfConversions("%s", "no place"), "a place left out");
static_assert(!SamePrintfConversions("%lu", "%u"), "length matters");

TEST(Language, TextFollowsTheCurrentLanguage) {
    constexpr Text kGreeting{"平差", "adjustment"};
    const Language before = CurrentLanguage();
    SetLanguage(Language::kEnglish);
    EXPECT_STREQ(kGreeting, "adjustment");
    SetLanguage(Language::kChinese);
    EXPECT_STREQ(kGreeting, "平差");
    SetLanguage(before);
}

TEST(Language, EnvironmentChoosesByTheFirstSetVariable) {
    struct Case {
        const char* all;
        const char* messages;
        const char* lang;
        Language expected;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, Language::kChinese},
        {nullptr, nullptr, "en_GB.UTF-8", Language::kEnglish},
        {"C", nullptr, "en_US.UTF-8", Language::kChinese},
        {"", "en_US", "zh_CN.UTF-8", Language::kEnglish},
        {"zh_CN.GBK", "en_US", nullptr, Language::kChinese},
    };
    for (const Case& c : cases) {
        const std::pair<const char*, const char*> variables[] = {
            {"LC_ALL", c.all}, {"LC_MESSAGES", c.messages}, {"LANG", c.lang}};
        for (const auto& [name, value] : variables) {
            if (value) setenv(name, value, 1); else unsetenv(name);
        }
        EXPECT_EQ(LanguageFromEnvironment(), c.expected) << (c.all ? c.all : "-");
    }
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(LanguageFromCode("en"), Language::kEnglish);
    EXPECT_EQ(LanguageFromCode("zh_TW"), Language::kChinese);
    EXPECT_FALSE(LanguageFromCode("fr"));
}

}  // namespace
}  // namespace traverse
