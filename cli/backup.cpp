#include "backup.h"

#include <filesystem>
#include <system_error>

namespace traverse_cli {

std::string KeepBackup(const std::string& path, std::string& error) {
    namespace fs = std::filesystem;
    for (int number = 0;; ++number) {
        const std::string backup =
            path + ".orig" + (number == 0 ? "" : "." + std::to_string(number));
        std::error_code code;
        // skip_existing: an existing file is never overwritten, and a race loses nothing.
        if (fs::exists(backup, code)) continue;
        if (fs::copy_file(path, backup, fs::copy_options::skip_existing, code)) return backup;
        if (code) {
            error = code.message();
            return std::string();
        }
    }
}

}  // namespace traverse_cli
