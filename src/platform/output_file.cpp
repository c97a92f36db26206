#include "platform/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "platform/gbk_literal.h"
#include "platform/messages.h"
#include "traverse/message_box.h"

namespace traverse {
namespace {

// Where the written file finally stands: a symbolic link is followed, so that the link stays a
// link.
std::string FinalPath(const std::string& systemPath) {
    struct stat link {};
    if (lstat(systemPath.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return systemPath;
    char resolved[PATH_MAX];
    return realpath(systemPath.c_str(), resolved) != nullptr ? std::string(resolved) : systemPath;
}

// A hidden file beside finalPath, created here and now, with the mode the file has or a new file
// would get; -1 when the folder takes no new file.
int CreateBeside(const std::string& finalPath, const struct stat* existing,
                 std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = finalPath.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : finalPath.substr(0, slash + 1);
    // Cut so that the longest name a folder takes still leaves room for the suffix.
    const std::string name =
        (slash == std::string::npos ? finalPath : finalPath.substr(slash + 1)).substr(0, 200);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + "." + name + "." + std::to_string(getpid()) + "-" +
                    std::to_string(counter++) + ".tmp";
        const int descriptor =
            open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            if (existing != nullptr) fchmod(descriptor, existing->st_mode & 07777);
            return descriptor;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

bool CannotOpen() {
    ShowMessageBox(GBK(text::kCannotOpenOutput));
    return false;
}

// A device, a pipe or a terminal cannot be replaced: it is written where it stands.
bool WriteInPlace(const std::string& path, const std::function<void(CStdioFile&)>& write) {
    CStdioFile file;
    if (!file.Open(path, CStdioFile::modeCreate)) return CannotOpen();
    try {
        write(file);
    } catch (...) {
        // The first failure is the caller's; a close failing after it adds nothing.
        try {
            file.Close();
        } catch (const CFileException&) {
        }
        throw;
    }
    file.Close();
    return true;
}

// Written whole into the temporary file, on the disk, then renamed over the final name; on any
// failure the temporary file goes and the final name keeps what it held.
void FillAndRename(int descriptor, const std::string& temporary, const std::string& finalPath,
                   const std::string& gbkPath, const std::function<void(CStdioFile&)>& write) {
    try {
        CStdioFile file;
        if (!file.Attach(descriptor, gbkPath))
            throw CFileException(CFileException::writeFault, gbkPath, errno);
        write(file);
        file.Sync();
        file.Close();
        if (std::rename(temporary.c_str(), finalPath.c_str()) != 0) {
            throw CFileException(CFileException::writeFault, gbkPath, errno);
        }
    } catch (...) {
        unlink(temporary.c_str());
        throw;
    }
}

}  // namespace

bool WriteOutputFile(const std::string& path, const std::function<void(CStdioFile&)>& write) {
    const std::string finalPath = FinalPath(SystemPath(path));
    struct stat status {};
    const bool exists = stat(finalPath.c_str(), &status) == 0;
    if (exists && S_ISDIR(status.st_mode)) return CannotOpen();
    if (exists && !S_ISREG(status.st_mode)) return WriteInPlace(path, write);
    // A file that may not be written is not replaced either.
    if (exists && access(finalPath.c_str(), W_OK) != 0) return CannotOpen();
    std::string temporary;
    const int descriptor = CreateBeside(finalPath, exists ? &status : nullptr, temporary);
    if (descriptor < 0) return CannotOpen();
    FillAndRename(descriptor, temporary, finalPath, path, write);
    return true;
}

}  // namespace traverse
