// The base library's text splitter.
#ifndef TRAVERSE_SPLIT_STRING_H
#define TRAVERSE_SPLIT_STRING_H

#include <string>
#include <vector>

#include "traverse/visibility.h"

namespace traverse {

// Splits text at any of the delimiter characters and appends the pieces to parts, in order. With
// flag 0 empty pieces (from delimiters in a row or at the ends) are dropped; any other flag keeps
// them.
TRAVERSE_API void SplitString(const std::string& text, const std::string& delimiters,
                              std::vector<std::string>& parts, int flag);

}  // namespace traverse

#endif
