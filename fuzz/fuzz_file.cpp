#include "fuzz_file.h"

#include <unistd.h>

#include <cstdio>
#include <stdexcept>

#include "traverse/message_box.h"

namespace traverse {

std::string WriteFuzzFile(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/traverse-fuzz-" + std::to_string(getpid()) + ".xml";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) throw std::runtime_error("cannot write " + path);
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}

void SilenceMessageBoxes() {
    SetMessageBoxHandler([](const std::string&) {});
}

}  // namespace traverse
