// Where in a record file something stands, for a host that tells people why an import stopped.
#ifndef TRAVERSE_RECORD_DIAGNOSIS_H
#define TRAVERSE_RECORD_DIAGNOSIS_H

#include <cstdint>
#include <string>

#include "traverse/visibility.h"

namespace traverse {

// A character of a record file's markup that GBK cannot hold: the import stops at it.
struct TextOutsideGbk {
    long line = 0;              // 1-based
    long column = 0;            // 1-based, in characters
    std::uint32_t codePoint = 0;
    std::string element;        // the name of the element whose tag holds it, GBK ('?' for what GBK
                                // cannot hold)
};

// The first character in the start tags (names, attribute names and values) of the file at gbkPath
// that GBK cannot hold. False when there is none, or the file cannot be read.
TRAVERSE_API bool FindTextOutsideGbk(const std::string& gbkPath, TextOutsideGbk& found);

}  // namespace traverse

#endif
