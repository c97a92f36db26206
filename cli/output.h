// What the program prints for one record file: at once, or kept in order until the file's work is
// done, so that the outputs of files worked on in parallel come out whole and in file order.
#ifndef TRAVERSE_CLI_OUTPUT_H
#define TRAVERSE_CLI_OUTPUT_H

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace traverse_cli {

class Output {
public:
    // held: keep everything until Release; otherwise write at once.
    explicit Output(bool held) : m_held(held) {}

    void Out(const std::string& utf8) { Write(stdout, utf8); }
    void Err(const std::string& utf8) { Write(stderr, utf8); }

    // Writes what was held, headed by heading (a line, on each stream that gets text), in the order
    // it came.
    void Release(const std::string& heading);

private:
    void Write(std::FILE* stream, const std::string& utf8);

    bool m_held;
    std::vector<std::pair<std::FILE*, std::string>> m_chunks;
};

}  // namespace traverse_cli

#endif
