// Every file in examples/ does what the README's table of examples says of it.
#include <algorithm>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace traverse {
namespace {

const std::string kExamples = TRAVERSE_EXAMPLES_DIR;

struct ExampleRow {
    std::string file;
    int checkStatus = -1;
    int adjustStatus = -1;
    std::string adjustment;  // the adjustment's JSON status
};

std::vector<std::string> Cells(const std::string& line) {
    std::vector<std::string> cells;
    std::stringstream row(line.substr(1));
    for (std::string cell; std::getline(row, cell, '|');) {
        cell.erase(std::remove(cell.begin(), cell.end(), '`'), cell.end());
        const size_t first = cell.find_first_not_of(' ');
        cells.push_back(first == std::string::npos
                            ? ""
                            : cell.substr(first, cell.find_last_not_of(' ') - first + 1));
    }
    return cells;
}

// The rows of the README's table headed "| file | what it is | `check --all` | `adjust` | ...".
std::vector<ExampleRow> ReadmeExamples() {
    std::stringstream readme(ReadFileBytes(kExamples + "/../README.md"));
    std::vector<ExampleRow> rows;
    bool inTable = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.rfind("| file | what it is |", 0) == 0) {
            inTable = true;
        } else if (inTable && line.rfind("|---", 0) != 0) {
            if (line.rfind('|', 0) != 0) break;
            const std::vector<std::string> cells = Cells(line);
            if (cells.size() < 5) break;
            rows.push_back({cells[0], std::stoi(cells[2]), std::stoi(cells[3]), cells[4]});
        }
    }
    return rows;
}

TEST(Examples, TheReadmeTableNamesEveryExampleOnce) {
    std::multiset<std::string> listed;
    for (const ExampleRow& row : ReadmeExamples()) listed.insert(row.file);
    std::multiset<std::string> present;
    for (const auto& entry : std::filesystem::directory_iterator(kExamples))
        if (entry.path().extension() == ".xml") present.insert(entry.path().filename().string());
    EXPECT_EQ(listed, present);
}

// A file that adjusts cleanly passes every closure, reciprocal check and the global test; a file
// there to show a fault fails its field checks and stops the adjustment with the stated reason.
TEST(Examples, EachAdjustsAsTheReadmeSays) {
    for (const ExampleRow& row : ReadmeExamples()) {
        SCOPED_TRACE(row.file);
        const std::string path = kExamples + "/" + row.file;
        EXPECT_EQ(RunTraverse({"check", "--all", path}).status, row.checkStatus);
        const ProgramRun run = RunTraverse({"--json", "adjust", path});
        EXPECT_EQ(run.status, row.adjustStatus);
        // The import's object, then the adjustment's on the last line.
        const nlohmann::json adjust = nlohmann::json::parse(run.out.substr(run.out.find("\n{")));
        EXPECT_EQ(adjust["status"], row.adjustment);
        if (row.adjustStatus != 0) continue;
        EXPECT_EQ(row.checkStatus, 0);
        EXPECT_TRUE(adjust["tests"]["global"]["passed"].get<bool>());
        EXPECT_FALSE(adjust["closures"]["traverses"].empty());
        for (const nlohmann::json& traverse : adjust["closures"]["traverses"]) {
            EXPECT_TRUE(traverse["f_beta_within_limit"].get<bool>());
            EXPECT_TRUE(traverse["relative_within_limit"].get<bool>());
        }
        for (const nlohmann::json& reciprocal : adjust["closures"]["reciprocal"])
            EXPECT_TRUE(reciprocal["within_limit"].get<bool>()) << reciprocal.dump();
    }
}

}  // namespace
}  // namespace traverse
