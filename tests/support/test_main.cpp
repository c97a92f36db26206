// The tests' main: the texts they compare are English unless a test chooses Chinese itself.
#include <gtest/gtest.h>

#include "traverse/language.h"

int main(int argc, char** argv) {
    traverse::SetLanguage(traverse::Language::kEnglish);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
