// The program where a user can lose data or be told what cannot be true, one fault per test: a
// record file overwritten, one output written by two jobs, a write cut short, options that make
// no sense, failures said only on stdout, reasons that name the wrong thing.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <utility>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/run_program.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

std::string Example(const char* name) { return std::string(TRAVERSE_EXAMPLES_DIR) + "/" + name; }

// The example as a UTF-8 record file with each of its texts replaced (first by second).
std::string ExampleWith(const char* name,
                        const std::vector<std::pair<std::string, std::string>>& changes) {
    std::string text = GbkToUtf8(ReadFileBytes(Example(name)));
    text.replace(text.find("encoding=\"GBK\""), 14, "encoding=\"UTF-8\"");
    for (const auto& [from, to] : changes) {
        for (std::size_t at = text.find(from); at != std::string::npos;
             at = text.find(from, at + to.size())) {
            text.replace(at, from.size(), to);
        }
    }
    return text;
}

// The names in dir, but for those given.
std::vector<std::string> OtherFiles(const TempDir& dir, const std::vector<std::string>& known) {
    std::vector<std::string> others;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        const std::string name = entry.path().filename().string();
        if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
    }
    return others;
}

TEST(CliFaults, NoCommandWritesOverARecordFileOrAnInput) {
    TempDir dir;
    const std::string records = ReadFileBytes(Example("traverse.xml"));
    const std::string a = dir.Write("a.xml", records);
    const std::string b = dir.Write("b.rec", records);
    ProgramRun run = RunTraverse({"export", a, b});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("traverse: " + b + " holds a record file"), std::string::npos)
        << run.err;
    // A record file in UTF-16 without a byte-order mark, blanks first, is one too.
    const std::string utf16 = dir.Write("c.rec", std::string("\n<\0r\0/\0>\0", 9));
    EXPECT_EQ(RunTraverse({"adjust", Example("connecting-traverse.xml"), "-o", utf16}).status, 2);
    EXPECT_EQ(RunTraverse({"run", a, "-o", b}).status, 2);
    EXPECT_EQ(RunTraverse({"run", a, dir.Path() + "/./a.txt"}).status, 2);  // a.txt: its own input
    EXPECT_EQ(RunTraverse({"run", b}).status, 0);                           // b.txt beside it: new
    EXPECT_EQ(ReadFileBytes(b), records);

    // Outputs the program wrote itself are written again.
    for (int time = 0; time < 2; ++time) {
        EXPECT_EQ(RunTraverse({"export", a, dir.File("out")}).status, 0);
        EXPECT_EQ(RunTraverse({"report", a, "-o", dir.File("page.html")}).status, 0);
        run = RunTraverse(
            {"adjust", Example("connecting-traverse.xml"), "--gama", dir.File("gama.xml")});
        EXPECT_EQ(run.status, 0) << run.err;
    }
    EXPECT_EQ(ReadFileBytes(dir.File("out")).rfind("<<\r\n", 0), 0u);
}

TEST(CliFaults, EachOutputHasOneWriterAndEachInputIsWorkedOnOnce) {
    TempDir dir;
    const std::string records = ReadFileBytes(Example("traverse.xml"));
    const std::string lower = dir.Write("a.xml", records);
    const std::string upper = dir.Write("a.XML", records);
    const std::string other = dir.Write("a.rec", records);
    ProgramRun run = RunTraverse({"-j", "2", "export", lower, upper});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(
        run.err.find(dir.File("a.txt") + " would be written 2 times: the adjustment file of " +
                     lower + " and the adjustment file of " + upper),
        std::string::npos)
        << run.err;
    EXPECT_EQ(RunTraverse({"-j", "2", "run", lower, other}).status, 2);
    EXPECT_EQ(RunTraverse({"-j", "2", "report", lower, upper}).status, 2);
    const std::string example = Example("connecting-traverse.xml");
    EXPECT_EQ(
        RunTraverse({"adjust", example, "-o", dir.File("x"), "--gama", dir.Path() + "/./x"}).status,
        2);
    EXPECT_EQ(OtherFiles(dir, {"a.xml", "a.XML", "a.rec"}), std::vector<std::string>());

    run = RunTraverse({"-j", "2", "run", lower, dir.Path() + "/./a.xml", lower});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "traverse: " + dir.Path() +
                           "/./a.xml is given more than once; it is worked on once\n");
    EXPECT_EQ(run.out.find("==>"), std::string::npos);
    run = RunTraverse({"repair", lower, lower});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(OtherFiles(dir, {"a.xml", "a.XML", "a.rec", "a.txt"}), std::vector<std::string>());
}

// traverse with the largest file it may write limited to limit bytes: a write beyond it kills the
// program halfway through (SIGXFSZ), or, with the signal ignored, fails as a full disk does.
int RunWithFileLimit(const std::vector<std::string>& arguments, rlim_t limit, bool killed) {
    const pid_t pid = fork();
    if (pid == 0) {
        const rlimit fileSize{limit, limit};
        setrlimit(RLIMIT_FSIZE, &fileSize);
        signal(SIGXFSZ, killed ? SIG_DFL : SIG_IGN);
        std::vector<char*> argv{const_cast<char*>(TRAVERSE_CLI_PATH)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        // The report and the messages go nowhere: only the output file is limited.
        if (freopen("/dev/null", "w", stdout) == nullptr ||
            freopen("/dev/null", "w", stderr) == nullptr)
            _exit(126);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

TEST(CliFaults, AWriteCutShortLeavesTheOldFileWhole) {
    TempDir dir;
    const std::string out = dir.Write("out.txt", "the old adjustment file\n");
    for (const bool killed : {true, false}) {
        const int status =
            RunWithFileLimit({"run", Example("connecting-traverse.xml"), "-o", out}, 1000, killed);
        EXPECT_EQ(status, killed ? 128 + SIGXFSZ : 1);
        EXPECT_EQ(ReadFileBytes(out), "the old adjustment file\n");
    }
    // Only the killed program leaves its unfinished temporary file; the failed one removes its own.
    EXPECT_EQ(OtherFiles(dir, {"out.txt"}).size(), 1u);
    const ProgramRun run = RunTraverse({"run", Example("connecting-traverse.xml"), "-o", out});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_GT(ReadFileBytes(out).size(), 1000u);
}

TEST(CliFaults, OptionsThatMakeNoSenseAreUsageErrors) {
    const std::string example = Example("connecting-traverse.xml");
    for (const std::vector<std::string>& options :
         std::vector<std::vector<std::string>>{{"--surface-height", "-7000000"},
                                               {"--surface-height", "10001"},
                                               {"--y-offset", "2e6"},
                                               {"--sigma-direction", "0"},
                                               {"--refraction", "nan"}}) {
        for (const char* command : {"adjust", "report"}) {
            std::vector<std::string> arguments{command, example};
            arguments.insert(arguments.end(), options.begin(), options.end());
            const ProgramRun run = RunTraverse(arguments);
            EXPECT_EQ(run.status, 2) << options[0];
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find("Invalid option"), std::string::npos) << run.err;
        }
    }
    // Within range, but a reduction this network cannot take: y lies 1 500 km from Ym.
    ProgramRun run = RunTraverse({"adjust", example, "--y-offset", "-1000000"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("by the factor 1.02"), std::string::npos) << run.err;
    EXPECT_EQ(run.out.find(": pass"), std::string::npos) << run.out;

    run = RunTraverse({"--jobs", "0", "import", example});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "traverse: --jobs takes 1 or more\nTry 'traverse --help' for more information.\n");
}

TEST(CliFaults, EveryFailureIsSaidOnStderr) {
    const std::string example = Example("connecting-traverse.xml");
    ProgramRun run = RunTraverse({"adjust", example, "--sigma-direction", "0.1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("traverse: " + example + ": the global test fails: v'Pv = "),
              std::string::npos);
    run = RunTraverse({"adjust", Example("round-not-closed.xml")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(": not adjusted: "), std::string::npos) << run.err;

    TempDir dir;
    run = RunTraverse({"--json", "report", dir.File("missing.xml")});
    EXPECT_EQ(nlohmann::json::parse(run.out)["path"], nullptr);
    run = RunTraverse({"--json", "report", example, "-o", dir.File("page.html")});
    EXPECT_EQ(nlohmann::json::parse(run.out)["path"], dir.File("page.html"));
}

TEST(CliFaults, ReasonsNameWhatIsWrongAndQuoteNames) {
    TempDir dir;
    // Zenith readings of 0 (Z = 180 degrees) on a 304 m line.
    const std::string vertical = dir.Write(
        "vertical.xml",
        ExampleWith(
            "connecting-traverse.xml",
            {{"<导1 盘左=\"90.31064\" 盘右=\"269.29126\"/>", "<导1 盘左=\"0\" 盘右=\"0\"/>"},
             {"<导1 盘左=\"90.31093\" 盘右=\"269.29099\"/>", "<导1 盘左=\"0\" 盘右=\"0\"/>"}}));
    ProgramRun run = RunTraverse({"adjust", vertical});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(
        run.err.find("not adjusted: Station \"东岭\": the zenith distance to \"导1\" is 180.0000 "
                     "(ddd.mmss): the slope distance of 304."),
        std::string::npos)
        << run.err;
    // A station name with a trailing blank is another point than the target it should be.
    const std::string blank = dir.Write(
        "blank.xml", ExampleWith("connecting-traverse.xml", {{"点名=\"导3\"", "点名=\"导3 \""}}));
    run = RunTraverse({"adjust", blank});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("\"导3 \""), std::string::npos) << run.err;
    // So is one with a leading blank.
    const std::string leading = dir.Write(
        "leading.xml", ExampleWith("connecting-traverse.xml", {{"点名=\"导3\"", "点名=\" 导3\""}}));
    run = RunTraverse({"adjust", leading});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("\" 导3\""), std::string::npos) << run.err;
}

}  // namespace
}  // namespace traverse
