// The start tags of a record file that loads, found without a parser: such a file holds '<' only at
// markup. Used to tell people where in the file something stands.
#ifndef TRAVERSE_IMPORT_START_TAGS_H
#define TRAVERSE_IMPORT_START_TAGS_H

#include <cstddef>
#include <string>
#include <vector>

namespace traverse {

struct StartTag {
    std::size_t start = 0;  // offset of '<' in the text
    std::size_t end = 0;    // offset just past the closing '>' (or the end of the text)
    std::string name;       // UTF-8
    long line = 0;          // 1-based, of the name's first character
    long column = 0;        // 1-based, in characters
};

// The decoded (UTF-8) text of the record file at gbkPath; empty when it cannot be read.
std::string ReadRecordText(const std::string& gbkPath);

// Every start tag (and empty-element tag) of text, in document order; comments, CDATA sections,
// processing instructions, declarations and end tags are passed over.
std::vector<StartTag> StartTags(const std::string& text);

}  // namespace traverse

#endif
