// Opening the files the adjustment writes, the way the adjustment input file is opened.
#ifndef TRAVERSE_ADJUST_OUTPUT_FILE_H
#define TRAVERSE_ADJUST_OUTPUT_FILE_H

#include <cstdint>
#include <functional>
#include <string>

#include "platform/text_file.h"

namespace traverse {

// Opens path (GBK) for writing and hands the file to write, then closes it: 0, or RESULT_FAILED
// with the message box "打开文件错误！" when it cannot be opened. Write failures raise
// CFileException after the file is closed.
std::uint32_t WriteOutputFile(const std::string& path, const std::function<void(CStdioFile&)>& write);

}  // namespace traverse

#endif
