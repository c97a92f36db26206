#include "platform/output_file.h"

#include "platform/gbk_literal.h"
#include "platform/messages.h"
#include "traverse/message_box.h"

namespace traverse {

bool WriteOutputFile(const std::string& path, const std::function<void(CStdioFile&)>& write) {
    CStdioFile file;
    if (!file.Open(path, CStdioFile::modeCreate)) {
        ShowMessageBox(GBK(text::kCannotOpenOutput));
        return false;
    }
    try {
        write(file);
    } catch (...) {
        // The first failure is the caller's; a close failing after it adds nothing.
        try {
            file.Close();
        } catch (const CFileException&) {}
        throw;
    }
    file.Close();
    return true;
}

}  // namespace traverse
