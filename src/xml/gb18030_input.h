// The decoder libxml2 reads GBK, GB2312 and GB18030 record files through: one- and two-byte
// characters from a table (platform/two_byte_table.h), everything else handed to iconv, so that
// the parser sees the very bytes, counts and results libxml2's iconv handler would give it.
#ifndef TRAVERSE_XML_GB18030_INPUT_H
#define TRAVERSE_XML_GB18030_INPUT_H

#include <libxml/encoding.h>

namespace traverse {

// A handler for xmlSwitchToEncoding that libxml2 never frees; it may serve parses on any thread.
xmlCharEncodingHandlerPtr Gb18030InputHandler();

}  // namespace traverse

#endif
