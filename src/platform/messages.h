// The texts of the import, the files and the message boxes, byte for byte as surveyors know them;
// every other folder keeps its texts in its own catalogue beside its code
// (adjust/adjustment_texts.h, report/page_texts.h, ...). UTF-8 here; GBK("...") gives the GBK form.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_PLATFORM_MESSAGES_H
#define TRAVERSE_PLATFORM_MESSAGES_H

namespace traverse {
namespace text {

// ---- import -------------------------------------------------------------------------------------
// path, line, column, source text, reason
constexpr char kParseErrorReport[] =
    "打开文件(%s)错误。\n错误行号：%ld；错误列号：%ld。\n错误数据：%s。\n错误原因：%s";
constexpr char kUnexpectedError[] = "不可预知的异常错误！";
// line, attribute, text, number read; then station / element, round kind, round number, station
constexpr char kValueNotNumber[] = "line %ld: %s=\"%s\" of %s is no number; read as %.15g";
constexpr char kValueOfStation[] = "station %s";
constexpr char kValueOfRecord[] = "<%s> in %s round %d of station %s";
constexpr char kValueOfTargetHeight[] = "<%s> in the target heights of station %s";
// line, column, the text (cut short)
constexpr char kTextWhereRecordBelongs[] =
    "line %ld, column %ld: text \"%s\" where a record element was expected";
// station, round number, target
constexpr char kIncompleteHorizontal[] =
    "测站%s水平角观测第%ld测回中，目标点%s读数不够，即缺盘左或盘右数据！";
constexpr char kIncompleteZenith[] =
    "测站%s垂直角观测第%ld测回中，目标点%s读数不够，即缺盘左或盘右数据！";
constexpr char kIncompleteDistance[] = "测站%s距离观测第%ld测回中，缺目标点%s读数！";
// station, target
constexpr char kIncompleteTargetHeight[] = "测站%s，缺目标点%s的目标高！";
// Appended to the section path and item name of a rejected tolerance item.
constexpr char kUnknownToleranceItem[] = "键名错误！";
constexpr char kToleranceItemAttributes[] = "属性项目错误！";
// Appended to the section path and name of a rejected known point.
constexpr char kKnownPointWithoutX[] = "缺x项";
constexpr char kKnownPointWithoutY[] = "缺y项";
constexpr char kKnownPointWithoutData[] = "没有合法数据项!";

// ---- files --------------------------------------------------------------------------------------
constexpr char kCannotOpenOutput[] = "打开文件错误！";

// ---- framework exceptions -----------------------------------------------------------------------
constexpr char kOutOfMemory[] = "内存不足。";
// action (one of the four below), file name, the system's reason
constexpr char kFileError[] = "%s文件(%s)时出错：%s";
constexpr char kFileActionRead[] = "读";
constexpr char kFileActionWrite[] = "写";
constexpr char kFileActionSeek[] = "定位";
constexpr char kFileActionClose[] = "关闭";

}  // namespace text
}  // namespace traverse

#endif
