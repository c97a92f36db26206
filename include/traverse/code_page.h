// Conversions between the library's GBK text (code page 936) and UTF-8.
#ifndef TRAVERSE_CODE_PAGE_H
#define TRAVERSE_CODE_PAGE_H

#include <string>

#include "traverse/visibility.h"

namespace traverse {

// GBK bytes to UTF-8. Bytes that do not decode become U+FFFD each; never fails.
TRAVERSE_API std::string GbkToUtf8(const std::string& gbk);

// UTF-8 to GBK. Text that is not valid UTF-8 or holds a character GBK cannot hold raises
// _com_error with E_NO_UNICODE_TRANSLATION.
TRAVERSE_API std::string Utf8ToGbk(const std::string& utf8);

// UTF-8 to GBK for display only: each character that does not convert becomes '?'.
TRAVERSE_API std::string Utf8ToGbkLossy(const std::string& utf8);

}  // namespace traverse

#endif
