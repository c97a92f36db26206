#include "support/comma_locale.h"

#include <cstdlib>
#include <memory>

#include "support/temp_dir.h"

namespace traverse {

const char* const kCommaLocaleName = "de_DE.UTF-8";

const std::string& CommaLocaleDir() {
    static const std::unique_ptr<TempDir> dir = std::make_unique<TempDir>();
    static const std::string path = [] {
        const std::string command = "localedef -i de_DE -f UTF-8 " + dir->File(kCommaLocaleName) +
                                    " >/dev/null 2>&1";
        return std::system(command.c_str()) == 0 ? dir->Path() : std::string();
    }();
    return path;
}

}  // namespace traverse
