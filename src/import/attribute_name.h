// Attribute names as the section readers compare them.
#ifndef TRAVERSE_IMPORT_ATTRIBUTE_NAME_H
#define TRAVERSE_IMPORT_ATTRIBUTE_NAME_H

#include <string>

namespace traverse {

// name without white space (blank, tab, line end, vertical tab, form feed) at either end.
inline std::string TrimmedAttributeName(const std::string& name) {
    const char* blanks = " \t\n\v\f\r";
    const size_t first = name.find_first_not_of(blanks);
    if (first == std::string::npos) return std::string();
    return name.substr(first, name.find_last_not_of(blanks) - first + 1);
}

}  // namespace traverse

#endif
