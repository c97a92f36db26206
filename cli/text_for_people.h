// Small rules for text the program shows to people.
#ifndef TRAVERSE_CLI_TEXT_FOR_PEOPLE_H
#define TRAVERSE_CLI_TEXT_FOR_PEOPLE_H

#include <string>

namespace traverse_cli {

// Lines longer than this many characters are cut in human output.
constexpr std::size_t kLongLine = 200;

// utf8 with each line longer than kLongLine characters cut to kLongLine characters, the last of
// them an ellipsis.
std::string CutLongLines(const std::string& utf8);

// The count in the format for one ("%zu name") or for more ("%zu names").
std::string Count(std::size_t number, const char* one, const char* more);

// printf into a string, for the texts of the cli catalogue.
std::string Formatted(const char* format, ...);

}  // namespace traverse_cli

#endif
