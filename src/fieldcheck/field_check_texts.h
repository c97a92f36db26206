// The texts of the field checks' text report; the page shows the grade and the rounds left out
// with them.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_FIELDCHECK_FIELD_CHECK_TEXTS_H
#define TRAVERSE_FIELDCHECK_FIELD_CHECK_TEXTS_H

#include "platform/text.h"

namespace traverse {
namespace text {

constexpr Text kFieldChecksBanner{"*** 外业检查 ***", "*** 外业检查 (field checks) ***"};
constexpr Text kFieldLimitsHeading{"限差（角秒；3001、3002为毫米）：",
                                   "Limits (arc seconds; millimetres for 3001 and 3002):"};
constexpr char kFieldNoLimit[] = "-";
constexpr Text kFieldNotJudged{"无限差：列出，不判定", "no limit: shown, not judged"};
constexpr Text kFieldMarkLegend{"* 表示超限。", "* marks a value beyond its limit."};
// grade name
constexpr Text kFieldDefaultGrade{
    "等级取默认的%s：给出了仪器等级而未给出导线等级。",
    "Grade %s, the default: an instrument class was given without a grade."};
constexpr Text kFieldLeftOutHeading{
    "未计入1003的测回（起始方向不是零方向）：",
    "Rounds left out of 1003 (they open on another target than the zero direction):"};
// station, round number, opening target, zero direction's target
constexpr Text kFieldLeftOutRound{"测站%s第%d测回起始方向为%s，不是%s",
                                  "Station %s round %d opens on %s, not on %s"};
// station
constexpr Text kFieldStation{"测站%s", "Station %s"};
// Table headings, one per kind of observation, and the first cell of the limit row.
constexpr Text kFieldHorizontalTable{"水平角（″）", "Horizontal angle (\")"};
constexpr Text kFieldVerticalTable{"垂直角（″）", "Vertical angle (\")"};
constexpr Text kFieldDistanceTable{"距离（mm）", "Distance (mm)"};
constexpr Text kFieldLimitRow{"限差", "limit"};
// Column headings: the item code, and the face for the closure.
constexpr char kFieldColumn[] = "%d";
constexpr Text kFieldColumnFaceLeft{"%d 盘左", "%d L"};
constexpr Text kFieldColumnFaceRight{"%d 盘右", "%d R"};
// round number
constexpr Text kFieldRound{"第%d测回", "round %d"};
constexpr Text kFieldFaceLeft{"盘左", "face L"};
constexpr Text kFieldFaceRight{"盘右", "face R"};
// a value, arc seconds or millimetres
constexpr char kFieldValue[] = "%.1f";
constexpr char kFieldExceededMark[] = "*";
constexpr Text kFieldSummaryHeading{"统计：", "Summary:"};
constexpr Text kFieldSummaryItem{"项目", "item"};
constexpr Text kFieldSummaryCount{"个数", "values"};
constexpr Text kFieldSummaryExceeded{"超限", "exceeded"};
constexpr Text kFieldSummaryWorst{"最大值", "worst"};
constexpr Text kFieldSummaryWhere{"位置", "at"};
// a count
constexpr char kFieldCount[] = "%zu";
// number of values beyond their limits
constexpr Text kFieldExceededTotal{"%zu个值超限。", "%zu value(s) beyond their limits."};
constexpr Text kFieldAllWithin{"无超限值。", "No value beyond its limit."};
constexpr Text kFieldNothingChecked{"无可检查的观测值。", "No observations to check."};

// Where a limit came from: the record file, or a line of a table of GB 50026.
constexpr Text kFieldOriginFile{"记录文件", "record file"};
constexpr Text kFieldFileLimitLeftOut{"记录文件的限差不是有限数值",
                                      "the record file's limit is not a finite number"};
// Between the origin and why the file's limit was left out.
constexpr Text kFieldOriginSeparator{"；", "; "};
constexpr Text kFieldOriginHorizontalUpper1{
    "GB 50026 水平角方向观测法技术要求表：四等及以上，1″级仪器",
    "GB 50026 horizontal direction method table: four-order and above, 1\" instrument"};
constexpr Text kFieldOriginHorizontalUpper2{
    "GB 50026 水平角方向观测法技术要求表：四等及以上，2″级仪器",
    "GB 50026 horizontal direction method table: four-order and above, 2\" instrument"};
constexpr Text kFieldOriginHorizontalLower2{
    "GB 50026 水平角方向观测法技术要求表：一级及以下，2″级仪器",
    "GB 50026 horizontal direction method table: first order and below, 2\" instrument"};
constexpr Text kFieldOriginHorizontalLower6{
    "GB 50026 水平角方向观测法技术要求表：一级及以下，6″级仪器",
    "GB 50026 horizontal direction method table: first order and below, 6\" instrument"};
constexpr Text kFieldOriginVertical4{"GB 50026 电磁波测距三角高程测量技术要求表：四等",
                                     "GB 50026 EDM trigonometric levelling table: fourth order"};
constexpr Text kFieldOriginVertical5{"GB 50026 电磁波测距三角高程测量技术要求表：五等",
                                     "GB 50026 EDM trigonometric levelling table: fifth order"};
constexpr Text kFieldOriginDistance5{"GB 50026 测距技术要求表：5 mm级仪器",
                                     "GB 50026 distance measurement table: 5 mm class"};
constexpr Text kFieldOriginDistance10{"GB 50026 测距技术要求表：10 mm级仪器",
                                      "GB 50026 distance measurement table: 10 mm class"};

// The instrument words (--instrument); the word as given.
constexpr Text kInstrumentUnknown{
    "无法识别的仪器等级或标称精度 %s（例如 2、DJ2、5mm、2mm+2ppm）",
    "unknown instrument class or nominal accuracy %s (e.g. 2, DJ2, 5mm, 2mm+2ppm)"};
constexpr Text kInstrumentRepeated{"仪器的测角或测距精度给了两次：%s",
                                   "the angle or the distance accuracy given twice: %s"};
constexpr Text kInstrumentNoClass{"%s：规范的仪器等级只到 6″级",
                                  "%s: the standard's instrument classes go to 6\" only"};

}  // namespace text
}  // namespace traverse

#endif
