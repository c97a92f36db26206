// Text files get CR LF for every line feed, whatever the lengths of the lines and of the texts;
// an output replaces its file whole, and keeps what the file was: a link stays a link, a mode
// stays.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

#include "platform/output_file.h"
#include "platform/text_file.h"
#include "support/temp_dir.h"

namespace traverse {
namespace {

std::string WithCrLf(const std::string& text) {
    std::string expected;
    for (char c : text) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return expected;
}

TEST(CStdioFile, WriteStringEndsEveryLineWithCrLf) {
    TempDir dir;
    std::mt19937 random(20261208);
    // Lines of every length around the write buffer's (4 kB) and far beyond, empty texts, texts
    // without a line feed, line feeds in a row, a CR already there.
    const std::size_t lengths[] = {0, 1, 2, 4093, 4094, 4095, 4096, 4097, 8190, 20000};
    std::string expected;
    CStdioFile file;
    ASSERT_TRUE(file.Open(dir.File("lines.txt"), CStdioFile::modeCreate));
    for (int i = 0; i < 400; ++i) {
        std::string text;
        const int lines = static_cast<int>(random() % 5);
        for (int l = 0; l < lines; ++l) {
            const std::size_t length =
                i % 3 ? random() % 120 : lengths[random() % std::size(lengths)];
            text += std::string(length, static_cast<char>('a' + l));
            text += random() % 7 ? "\n" : "\r\n\n";
        }
        if (random() % 2) text += "no line feed";
        file.WriteString(text);
        expected += WithCrLf(text);
    }
    file.Close();
    EXPECT_EQ(ReadFileBytes(dir.File("lines.txt")), expected);
}

TEST(WriteOutputFile, ReplacesWholeThroughLinksKeepingTheModeAndNothingOnFailure) {
    TempDir dir;
    const std::string target = dir.Write("target.txt", "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(symlink("target.txt", dir.File("link.txt").c_str()), 0);
    const auto writeNew = [](CStdioFile& file) { file.WriteString("new\n"); };
    ASSERT_TRUE(WriteOutputFile(dir.File("link.txt"), writeNew));
    EXPECT_EQ(ReadFileBytes(target), "new\r\n");
    struct stat status {};
    ASSERT_EQ(lstat(dir.File("link.txt").c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
    ASSERT_EQ(stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);

    // A writer that fails halfway leaves the file as it was, and no temporary file.
    const auto failHalfway = [](CStdioFile& file) {
        file.WriteString("half");
        throw std::runtime_error("stopped");
    };
    EXPECT_THROW(WriteOutputFile(target, failHalfway), std::runtime_error);
    EXPECT_EQ(ReadFileBytes(target), "new\r\n");
    const auto entries = std::filesystem::directory_iterator(dir.Path());
    EXPECT_EQ(std::distance(std::filesystem::begin(entries), std::filesystem::end(entries)), 2);
}

}  // namespace
}  // namespace traverse
