#include "file_diagnosis.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "cli_texts.h"
#include "text_for_people.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"
#include "traverse/record_diagnosis.h"

namespace traverse_cli {

std::string WhyUnreadable(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0) return std::strerror(errno);
    if (S_ISDIR(status.st_mode)) return std::strerror(EISDIR);
    if (!S_ISREG(status.st_mode)) return text::kNotRegularFile;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::strerror(errno);
    std::fclose(file);
    return std::string();
}

std::string WhyUnwritable(const std::string& path) {
    struct stat status {};
    const bool existed = stat(path.c_str(), &status) == 0;
    if (existed && S_ISDIR(status.st_mode)) return std::strerror(EISDIR);
    if (existed && access(path.c_str(), W_OK) != 0) return std::strerror(errno);
    // The new content is written beside the file first, so the folder must take a new file.
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    if (access(folder.c_str(), W_OK | X_OK) != 0) return std::strerror(errno);
    return text::kUnknownReason;
}

std::string WhereTextOutsideGbk(const std::string& path) {
    std::string gbkPath;
    try {
        gbkPath = traverse::Utf8ToGbk(path);
    } catch (const traverse::_com_error&) {
        return std::string();
    }
    const traverse::TextOutsideGbk found = traverse::FindTextOutsideGbk(gbkPath);
    if (found.status != traverse::TextOutsideGbkStatus::Found) return std::string();
    return Formatted(text::kCharacterOutsideGbk, path.c_str(), found.line, found.column,
                     traverse::GbkToUtf8(found.element).c_str(),
                     static_cast<unsigned>(found.codePoint));
}

}  // namespace traverse_cli
