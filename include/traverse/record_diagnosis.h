// Where in a record file something stands, for a host that tells people why an import stopped.
#ifndef TRAVERSE_RECORD_DIAGNOSIS_H
#define TRAVERSE_RECORD_DIAGNOSIS_H

#include <cstdint>
#include <string>

#include "traverse/visibility.h"

namespace traverse {

enum class TextOutsideGbkStatus {
    None,   // every character of the start tags is one GBK holds, or the file cannot be read
    Found,  // the fields below say where the first one that GBK cannot hold stands
};

// A character of a record file's markup that GBK cannot hold: the import stops at it.
struct TextOutsideGbk {
    TextOutsideGbkStatus status = TextOutsideGbkStatus::None;
    long line = 0;              // 1-based
    long column = 0;            // 1-based, in characters
    std::uint32_t codePoint = 0;
    std::string element;        // the name of the element whose tag holds it, GBK ('?' for what GBK
                                // cannot hold)
};

// The first character in the start tags (names, attribute names and values) of the file at gbkPath
// that GBK cannot hold.
TRAVERSE_API TextOutsideGbk FindTextOutsideGbk(const std::string& gbkPath);

}  // namespace traverse

#endif
