// The one way the library writes a file: open, hand it to the writer, close; a file that cannot be
// opened is shown in a message box.
#ifndef TRAVERSE_PLATFORM_OUTPUT_FILE_H
#define TRAVERSE_PLATFORM_OUTPUT_FILE_H

#include <functional>
#include <string>

#include "platform/text_file.h"

namespace traverse {

// Creates (or truncates) path (GBK), hands the file to write, then closes it. False, with the
// message box "打开文件错误！" and nothing written, when it cannot be opened. Write failures raise
// CFileException after the file is closed.
bool WriteOutputFile(const std::string& path, const std::function<void(CStdioFile&)>& write);

}  // namespace traverse

#endif
