// The one way the library writes a file: whole or not at all. The writer fills a temporary file in
// the same folder, which then takes the file's name; a file that cannot be opened is shown in a
// message box.
#ifndef TRAVERSE_PLATFORM_OUTPUT_FILE_H
#define TRAVERSE_PLATFORM_OUTPUT_FILE_H

#include <functional>
#include <string>

#include "platform/text_file.h"

namespace traverse {

// Writes path (GBK) through write: into a new file beside it, flushed to the disk and renamed over
// path, so that path holds its old content or the new one and never a part (a device or a pipe is
// written where it stands). A symbolic link is written through; a new file keeps the mode of the
// one it replaces. False, with the message box "打开文件错误！" and nothing written, when path is a
// folder, a file that may not be written, or in a folder that takes no new file. Write failures
// raise CFileException naming path, after the temporary file is removed.
bool WriteOutputFile(const std::string& path, const std::function<void(CStdioFile&)>& write);

}  // namespace traverse

#endif
