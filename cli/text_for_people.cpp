#include "text_for_people.h"

#include <cstdarg>
#include <cstdio>

namespace traverse_cli {
namespace {

bool StartsCharacter(char c) { return (static_cast<unsigned char>(c) & 0xC0u) != 0x80u; }

std::string CutLine(const std::string& line) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (!StartsCharacter(line[i])) continue;
        if (++characters == kLongLine) {
            // Only when more follows is the line cut, at the start of its last kept character.
            for (std::size_t j = i + 1; j < line.size(); ++j) {
                if (StartsCharacter(line[j])) return line.substr(0, i) + "\xE2\x80\xA6";
            }
            return line;
        }
    }
    return line;
}

}  // namespace

std::string CutLongLines(const std::string& utf8) {
    std::string cut;
    std::size_t start = 0;
    while (start <= utf8.size()) {
        const std::size_t end = utf8.find('\n', start);
        cut +=
            CutLine(utf8.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        cut += '\n';
        start = end + 1;
    }
    return cut;
}

std::string Count(std::size_t number, const char* one, const char* more) {
    return Formatted(number == 1 ? one : more, number);
}

std::string Formatted(const char* format, ...) {
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list again;
    va_copy(again, arguments);
    const int size = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string text(size > 0 ? static_cast<std::size_t>(size) : 0, '\0');
    if (size > 0) std::vsnprintf(&text[0], text.size() + 1, format, again);
    va_end(again);
    return text;
}

}  // namespace traverse_cli
