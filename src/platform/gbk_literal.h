// The library's texts are GBK at run time; sources are UTF-8. GBK("...") converts a UTF-8 literal
// once, at its first use, and hands back the same GBK string ever after.
#ifndef TRAVERSE_PLATFORM_GBK_LITERAL_H
#define TRAVERSE_PLATFORM_GBK_LITERAL_H

#include <string>

#include "traverse/code_page.h"

#define GBK(utf8Literal)                                                        \
    ([]() -> const std::string& {                                               \
        static const std::string converted = ::traverse::Utf8ToGbk(utf8Literal); \
        return converted;                                                       \
    }())

#endif
