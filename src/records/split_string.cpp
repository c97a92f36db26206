#include "traverse/split_string.h"

namespace traverse {

void SplitString(const std::string& text, const std::string& delimiters,
                 std::vector<std::string>& parts, int flag) {
    size_t start = 0;
    while (true) {
        const size_t end = text.find_first_of(delimiters, start);
        const size_t stop = end == std::string::npos ? text.size() : end;
        if (stop > start || flag != 0) parts.push_back(text.substr(start, stop - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
}

}  // namespace traverse
