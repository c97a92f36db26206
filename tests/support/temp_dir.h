// A fresh directory for one test's files, removed with everything in it when the object dies.
#ifndef TRAVERSE_TESTS_TEMP_DIR_H
#define TRAVERSE_TESTS_TEMP_DIR_H

#include <string>

namespace traverse {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_path; }
    // The path of name inside the directory.
    std::string File(const std::string& name) const { return m_path + "/" + name; }
    // Writes bytes to name inside the directory and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string m_path;
};

// The whole content of the file at path; empty if it cannot be read.
std::string ReadFileBytes(const std::string& path);

}  // namespace traverse

#endif
