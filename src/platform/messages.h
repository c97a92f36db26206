// Every text the library shows to people: message boxes, report lines and headings, error formats.
// UTF-8 here; GBK("...") gives the GBK form at run time. printf formats say what fills each place.
#ifndef TRAVERSE_PLATFORM_MESSAGES_H
#define TRAVERSE_PLATFORM_MESSAGES_H

namespace traverse {
namespace text {

// ---- import --------------------------------------------------------------------------------------
// path, line, column, source text, reason
constexpr char kParseErrorReport[] =
    "打开文件(%s)错误。\n错误行号：%ld；错误列号：%ld。\n错误数据：%s。\n错误原因：%s";
constexpr char kUnexpectedError[] = "不可预知的异常错误！";
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

// ---- horizontal-angle check report ----------------------------------------------------------------
constexpr char kCheckBanner[] = "*** 水平角检查 ***";
// limit
constexpr char kCheck2CHeading[] = "\r\n2C互差检查(%.1f)\r\n";
constexpr char kCheckClosureHeading[] = "\r\n半测回归零差(%.1f)\r\n";
constexpr char kCheckBetweenRoundsHeading[] = "\r\n同一方向值各测回较差(%.1f)\r\n";
// followed directly by the station's name
constexpr char kCheckStation[] = "测站";
// round number
constexpr char kCheckRound[] = "第%ld测回";
// target, 2C value
constexpr char kCheck2CValue[] = "%s 2C=%.1lf";
constexpr char kCheckOverLimit[] = " *超限";
// round number, closure
constexpr char kCheckClosureValue[] = "第%ld测回，半测回归零差=%.1lf";
// station, round number, target
constexpr char kCheckMissingReading[] =
    "测站%s水平角观测第%ld测回中，目标点%s方向读数不够，即缺盘左或盘右数据！";
// station, round number
constexpr char kCheckRoundNotClosed[] = "测站%s水平角观测第%ld测回中，半测回方向读数没有归零！";

// ---- adjustment input file ------------------------------------------------------------------------
constexpr char kCannotOpenOutput[] = "打开文件错误！";
constexpr char kClosingTargetDiffers[] = "半测回归零方向与第一个定向点不一致！";
constexpr char kNoSecondOrientation[] = "右角观测没有跟第一个定向点一致的目标！";

// ---- framework exceptions -------------------------------------------------------------------------
constexpr char kOutOfMemory[] = "内存不足。";
// action (one of the four below), file name, the system's reason
constexpr char kFileError[] = "%s文件(%s)时出错：%s";
constexpr char kFileActionRead[] = "读";
constexpr char kFileActionWrite[] = "写";
constexpr char kFileActionSeek[] = "定位";
constexpr char kFileActionClose[] = "关闭";

// ---- XML access layer: the library's own limits on a record file ----------------------------------
// The parse reasons of the XML component are English; these stand beside them.
constexpr char kXmlFileTooLarge[] = "The file is larger than 512 MB, more than a record file can hold.";
constexpr char kXmlNestedTooDeep[] = "Elements are nested more than 1048576 levels deep.";
constexpr char kXmlNameTooLong[] = "A name is longer than 50000 characters.";
constexpr char kXmlEntitiesTooDeep[] = "Entity references are nested more than 40 levels deep.";
constexpr char kXmlEntityExpansionTooLarge[] = "Entity expansion exceeds the limit.";

}  // namespace text
}  // namespace traverse

#endif
