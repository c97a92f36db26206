// The texts of the field checks' text report; the page shows the grade and the rounds left out
// with them.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_FIELDCHECK_FIELD_CHECK_TEXTS_H
#define TRAVERSE_FIELDCHECK_FIELD_CHECK_TEXTS_H

#include "platform/text.h"

namespace traverse {
namespace text {

constexpr char kFieldChecksBanner[] = "*** 外业检查 (field checks) ***";
constexpr char kFieldLimitsHeading[] = "Limits (arc seconds; millimetres for 3001 and 3002):";
constexpr char kFieldNoLimit[] = "-";
constexpr char kFieldNotJudged[] = "no limit: shown, not judged";
constexpr char kFieldMarkLegend[] = "* marks a value beyond its limit.";
// grade name
constexpr char kFieldDefaultGrade[] =
    "Grade %s, the default: an instrument class was given without a grade.";
constexpr char kFieldLeftOutHeading[] =
    "Rounds left out of 1003 (they open on another target than the zero direction):";
// station, round number, opening target, zero direction's target
constexpr char kFieldLeftOutRound[] = "Station %s round %d opens on %s, not on %s";
// station
constexpr char kFieldStation[] = "Station %s";
// Table headings, one per kind of observation, and the first cell of the limit row.
constexpr char kFieldHorizontalTable[] = "Horizontal angle (\")";
constexpr char kFieldVerticalTable[] = "Vertical angle (\")";
constexpr char kFieldDistanceTable[] = "Distance (mm)";
constexpr char kFieldLimitRow[] = "limit";
// Column headings: the item code, and the face for the closure.
constexpr char kFieldColumn[] = "%d";
constexpr char kFieldColumnFaceLeft[] = "%d L";
constexpr char kFieldColumnFaceRight[] = "%d R";
// round number
constexpr char kFieldRound[] = "round %d";
constexpr char kFieldFaceLeft[] = "face L";
constexpr char kFieldFaceRight[] = "face R";
// a value, arc seconds or millimetres
constexpr char kFieldValue[] = "%.1f";
constexpr char kFieldExceededMark[] = "*";
constexpr char kFieldSummaryHeading[] = "Summary:";
constexpr char kFieldSummaryItem[] = "item";
constexpr char kFieldSummaryCount[] = "values";
constexpr char kFieldSummaryExceeded[] = "exceeded";
constexpr char kFieldSummaryWorst[] = "worst";
constexpr char kFieldSummaryWhere[] = "at";
// a count
constexpr char kFieldCount[] = "%zu";
// number of values beyond their limits
constexpr char kFieldExceededTotal[] = "%zu value(s) beyond their limits.";
constexpr char kFieldAllWithin[] = "No value beyond its limit.";
constexpr char kFieldNothingChecked[] = "No observations to check.";

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
