// The Python package's own words, in the language set for the library.
#ifndef TRAVERSE_PYTHON_TEXTS_H
#define TRAVERSE_PYTHON_TEXTS_H

#include "platform/text.h"

namespace traverse_python::text {

using traverse::Text;

// After a path.
constexpr Text kPathOutsideGbk{": 路径含有GBK无法表示的字符",
                               ": the path holds a character GBK cannot hold"};

}  // namespace traverse_python::text

#endif
