// The fuzz input as a file, since the library's commands take paths.
#ifndef TRAVERSE_FUZZ_FUZZ_FILE_H
#define TRAVERSE_FUZZ_FUZZ_FILE_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace traverse {

// Writes data to this process's scratch file and returns its path.
std::string WriteFuzzFile(const std::uint8_t* data, std::size_t size);

// Silences message boxes for the whole run.
void SilenceMessageBoxes();

}  // namespace traverse

#endif
