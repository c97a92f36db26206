// The lines the program itself writes: usage errors, summaries, warnings and progress. CLI11's
// own --help texts stay English.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_CLI_CLI_TEXTS_H
#define TRAVERSE_CLI_CLI_TEXTS_H

#include "platform/text.h"

namespace traverse_cli {
namespace text {

using traverse::text::Text;

// Usage errors. reason
constexpr Text kUsageError{"traverse: %s\n运行“traverse --help”查看用法。\n",
                           "traverse: %s\nTry 'traverse --help' for more information.\n"};
constexpr Text kExportOperands{"export需要FILE和OUT，或多个FILE",
                               "export takes FILE and OUT, or several FILEs"};
constexpr Text kLimitsWithAll{"--grade和--instrument只能与check --all同用",
                              "--grade and --instrument go with check --all only"};
// grade name
constexpr Text kNoSixSecondInstrument{
    "--instrument 6：规范不允许%s导线使用6″级仪器",
    "--instrument 6: the standard admits no 6\" instrument for a %s traverse"};
constexpr Text kOutputCommands{"-o只能与run、adjust和report同用",
                               "-o goes with run, adjust and report only"};
// the second page named
constexpr Text kOnePageOnly{"-o只能指定一个网页或平差文件，不能再指定%s",
                            "-o names one page or adjustment file, not %s"};
constexpr Text kOneFileOnly{"-o、--gama和--sides只能用于一个FILE",
                             "-o, --gama and --sides go with one FILE only"};
// the word given
constexpr Text kUnknownGrade{"未知的导线等级%s（三等、四等、一级、二级、三级）",
                             "unknown grade %s (三等, 四等, 一级, 二级, 三级)"};
constexpr Text kUnknownInstrument{"未知的仪器等级%s", "unknown instrument class %s"};
constexpr Text kJobsAtLeastOne{"--jobs应为1或更大", "--jobs takes 1 or more"};
// The adjustment's problems. file, reason
constexpr Text kNotAdjusted{"traverse: %s: 未平差：%s\n", "traverse: %s: not adjusted: %s\n"};
// file, v'Pv, limit
constexpr Text kGlobalTestFails{"traverse: %s: 整体检验未通过：v'Pv = %.2f，限值%.2f\n",
                                "traverse: %s: the global test fails: v'Pv = %.2f, limit %.2f\n"};
// file, count
constexpr Text kClosuresBeyondLimits{"traverse: %s: %zu个闭合差超限\n",
                                     "traverse: %s: %zu closure(s) beyond their limits\n"};
// What an import holds: file, then the four counts below.
constexpr Text kImportCounts{"%s：%s，%s，%s，%s\n", "%s: %s, %s, %s, %s\n"};
constexpr Text kKnownPoint{"已知点%zu个", "%zu known point"};
constexpr Text kKnownPoints{"已知点%zu个", "%zu known points"};
constexpr Text kStation{"测站%zu个", "%zu station"};
constexpr Text kStations{"测站%zu个", "%zu stations"};
constexpr Text kRound{"测回%zu个", "%zu round"};
constexpr Text kRounds{"测回%zu个", "%zu rounds"};
constexpr Text kRecord{"记录%zu条", "%zu record"};
constexpr Text kRecords{"记录%zu条", "%zu records"};
// Files. path
constexpr Text kPathOutsideGbk{"traverse: %s: 路径含有GBK无法表示的字符\n",
                               "traverse: %s: the path holds characters that GBK cannot hold\n"};
// path, reason
constexpr Text kCannotRead{"traverse: 无法读取%s：%s\n", "traverse: cannot read %s: %s\n"};
constexpr Text kNotRegularFile{"不是普通文件", "Not a regular file"};
constexpr Text kUnknownReason{"原因不明", "unknown reason"};
// path, line, column, element, code point
constexpr Text kCharacterOutsideGbk{
    "traverse: %s: 第%ld行第%ld列：<%s>含有U+%04X，该字符GBK无法表示\n",
    "traverse: %s: line %ld, column %ld: <%s> holds U+%04X, a character GBK cannot hold\n"};
// path
constexpr Text kReportWritten{"报告已写入%s\n", "report written to %s\n"};
constexpr Text kNoReport{"traverse: %s: 未写报告：文件无法读取\n",
                         "traverse: %s: no report written: the file could not be read\n"};
// Outputs, each of a record file.
constexpr Text kReportPageOf{"%s的报告页", "the report page of %s"};
constexpr Text kPointsOf{"%s的点坐标", "the points of %s"};
constexpr Text kAdjustmentFileOf{"%s的平差文件", "the adjustment file of %s"};
constexpr Text kGamaDocumentOf{"%s的Gama文件", "the Gama document of %s"};
constexpr Text kSidesOf{"%s的边长表", "the sides of %s"};
// Between the items of a list, and before its last.
constexpr Text kListComma{"、", ", "};
constexpr Text kListAnd{"和", " and "};
// path, times, the outputs listed
constexpr Text kWrittenTimes{"%s将被写%zu次：%s；请给每个输出各自的路径",
                             "%s would be written %zu times: %s; give each its own output"};
// path, the output
constexpr Text kIsRecordFile{
    "%s是交给命令的记录文件：%s将覆盖它；请另给输出路径",
    "%s is a record file given to the command: %s would replace it; give another output"};
constexpr Text kHoldsRecordFile{"%s存有记录文件：%s将覆盖它；请另给输出路径",
                                "%s holds a record file: %s would replace it; give another output"};
// path
constexpr Text kGivenTwice{"traverse: %s给出了多次，只处理一次\n",
                           "traverse: %s is given more than once; it is worked on once\n"};
// done, files
constexpr Text kProgress{"traverse: 已完成%zu个文件，共%zu个", "traverse: %zu of %zu files done"};
// The repair. line, column
constexpr Text kPosition{"第%ld行第%ld列", "line %ld, column %ld"};
// position, name written
constexpr Text kWrote{"  %s：写为“%s”\n", "  %s: wrote \"%s\"\n"};
constexpr Text kName{"名称%zu个", "%zu name"};
constexpr Text kNames{"名称%zu个", "%zu names"};
constexpr Text kLine{"第", "line "};
constexpr Text kLines{"第", "lines "};
constexpr Text kLinesAfter{"行", ""};
constexpr Text kLineSeparator{"、", ", "};
// file
constexpr Text kNoBadNames{"%s：无错误名称，文件可直接加载\n",
                           "%s: no bad names; the file loads as it is\n"};
// file, count of names
constexpr Text kMended{"%s：修复了%s，文件现可加载\n", "%s: mended %s; the file loads now\n"};
constexpr Text kCannotRepair{"traverse: 无法修复%s：", "traverse: cannot repair %s: "};
// position, reason
constexpr Text kOtherFault{"文件另有错误，位于%s：%s\n", "it has another fault, at %s: %s\n"};
constexpr Text kCannotOpenForWriting{"文件无法以写方式打开\n", "it cannot be opened for writing\n"};
// position
constexpr Text kCannotMend{"%s处的名称无法修复\n", "the name at %s cannot be mended\n"};
constexpr Text kUnexpectedError{"意外错误\n", "unexpected error\n"};
// count of names
constexpr Text kMendedBefore{"此前已修复%s：\n", "mended %s before that:\n"};
// file
constexpr Text kCollisions{
    "traverse: %s: 修复使不同名称变成同一名称，现为同一目标：\n",
    "traverse: %s: the repair gave different names the same name; they are one target now:\n"};
constexpr Text kCollisionFrom{"，来自", " from"};
constexpr Text kAlreadyNamed{"；已是%s处的名称", "; already the name at %s"};
// path, reason
constexpr Text kNoCopy{"traverse: 无法保留%s的副本：%s；未作修复\n",
                       "traverse: cannot keep a copy of %s: %s; nothing repaired\n"};
constexpr Text kOriginalKept{"原文件保留为%s\n", "the original is kept in %s\n"};

}  // namespace text
}  // namespace traverse_cli

#endif
