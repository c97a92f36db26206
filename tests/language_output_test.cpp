// The program's two languages: the same JSON but for the texts for people, the Chinese report and
// page, and the environment's choice when --lang is absent.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/run_program.h"
#include "support/temp_dir.h"

namespace traverse {
namespace {

const std::string kExamples = TRAVERSE_EXAMPLES_DIR;
const std::string kConnecting = kExamples + "/connecting-traverse.xml";

// value with the texts written for people taken out, wherever they stand.
void EraseTexts(nlohmann::json& value) {
    if (value.is_object()) {
        for (const char* text : {"report", "error", "notes", "message", "limit_origin"})
            value.erase(text);
    }
    if (value.is_structured()) {
        for (nlohmann::json& inner : value) EraseTexts(inner);
    }
}

// The JSON lines of a run without their texts for people.
std::vector<std::string> JsonWithoutTexts(const std::string& out) {
    std::vector<std::string> objects;
    std::size_t start = 0;
    for (std::size_t end; (end = out.find('\n', start)) != std::string::npos; start = end + 1) {
        nlohmann::json object = nlohmann::json::parse(out.substr(start, end - start));
        EraseTexts(object);
        objects.push_back(object.dump());
    }
    return objects;
}

TEST(Language, JsonDiffersOnlyInTheTextsForPeople) {
    TempDir dir;
    const std::vector<std::vector<std::string>> commands = {{"import"},
                                                            {"check"},
                                                            {"check", "--all"},
                                                            {"adjust"},
                                                            {"report", "-o", dir.File("p.html")},
                                                            {"run", "-o", dir.File("a.txt")},
                                                            {"repair", "--no-backup"}};
    for (const char* name : {"traverse.xml", "connecting-traverse.xml", "field-checks.xml",
                             "round-not-closed.xml", "2c-over-limit.xml"}) {
        const std::string file = dir.Write(name, ReadFileBytes(kExamples + "/" + name));
        for (std::vector<std::string> command : commands) {
            command.insert(command.begin() + 1, file);
            std::vector<std::string> zh{"--lang", "zh", "--json"};
            std::vector<std::string> en{"--lang", "en", "--json"};
            zh.insert(zh.end(), command.begin(), command.end());
            en.insert(en.end(), command.begin(), command.end());
            const ProgramRun chinese = RunTraverse(zh);
            const ProgramRun english = RunTraverse(en);
            EXPECT_EQ(chinese.status, english.status) << name << " " << command[0];
            EXPECT_EQ(JsonWithoutTexts(chinese.out), JsonWithoutTexts(english.out))
                << name << " " << command[0];
        }
    }
}

TEST(Language, TheAdjustmentReadsAsAChineseSurveyReport) {
    const ProgramRun run = RunTraverse({"--lang", "zh", "adjust", kConnecting});
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* line :
         {"*** 导线平差 ***\r\n",
          "\n  附合导线东岭-导1-导2-导3-导4-导5-导6-南山（起算方向北塔和西桥）\r\n",
          "\n    n = 8，方位角闭合差fβ = -4.6″，限差±28.3″：合格\r\n",
          "全长相对闭合差1/195600，限差1/15000：合格\r\n", "单位权中误差σ0 = 0.284", "误差椭圆",
          "多余观测分量", "标准化残差"}) {
        EXPECT_NE(run.out.find(line), std::string::npos) << line;
    }
}

TEST(Language, ThePageAndTheProgramsOwnLinesFollowTheLanguage) {
    TempDir dir;
    const std::string page = dir.File("p.html");
    EXPECT_EQ(RunTraverse({"--lang", "zh", "report", kConnecting, "-o", page}).status, 0);
    const std::string chinese = ReadFileBytes(page);
    for (const char* part : {"<html lang=\"zh-CN\">", "<title>导线测量报告：", "<h2", ">平差</h2>",
                             "方位角闭合差fβ", "1/195600", "误差椭圆 ×", "✓ 合格"}) {
        EXPECT_NE(chinese.find(part), std::string::npos) << part;
    }
    RunTraverse({"report", kConnecting, "-o", page});
    EXPECT_NE(ReadFileBytes(page).find("<html lang=\"en\">"), std::string::npos);
    const ProgramRun run = RunTraverse({"--lang", "zh", "export", kConnecting});
    EXPECT_EQ(run.err,
              "traverse: export需要FILE和OUT，或多个FILE\n运行“traverse --help”查看用法。\n");
}

TEST(Language, WithoutLangTheEnvironmentChooses) {
    const std::vector<std::string> command{TRAVERSE_CLI_PATH, "adjust", kConnecting};
    EXPECT_EQ(RunCommand(command, {"LC_ALL=C"}).out.rfind("*** 导线平差 ***", 0), 0u);
    EXPECT_EQ(
        RunCommand(command, {"LC_ALL=en_US.UTF-8"}).out.rfind("*** Traverse adjustment ***", 0),
        0u);
}

}  // namespace
}  // namespace traverse
