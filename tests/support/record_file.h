// Record files written in a test: XML text in UTF-8 turned into the bytes of a GBK file.
#ifndef TRAVERSE_TESTS_RECORD_FILE_H
#define TRAVERSE_TESTS_RECORD_FILE_H

#include <string>

namespace traverse {

// The bytes of a GBK record file: an XML declaration naming GBK, then body converted to GBK.
std::string GbkRecordFile(const std::string& utf8Body);

// The bytes of a UTF-8 record file: an XML declaration naming UTF-8, then body.
std::string Utf8RecordFile(const std::string& utf8Body);

}  // namespace traverse

#endif
