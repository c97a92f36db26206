// Field checks: every tolerance item of the record file (codes 1001 to 3002) computed over the
// imported observations as the surveying standard GB 50026 defines it, and judged against the
// file's limit, or else a limit of the standard's tables chosen by the traverse grade and the
// instrument. Plain results for programs, and a report for people.
#ifndef TRAVERSE_FIELD_CHECKS_H
#define TRAVERSE_FIELD_CHECKS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "traverse/grade.h"
#include "traverse/instrument.h"
#include "traverse/visibility.h"

namespace traverse {

class CImportXml;

// 测回数: the horizontal rounds of a station, a least number that only the standard gives (table
// 3.3.1, by grade and angle class); a record file carries no such item.
constexpr std::int16_t CHECK_ROUND_COUNT = 1004;

// What chooses the limits of the items that the record file does not carry.
//
// Horizontal items (1001-1003) come from the standard's table of direction observation: its row
// "four-order and above" serves 三等 and 四等, its row "first order and below" 一级, 二级, 三级;
// within the row the instrument class picks the line (1" or 2" above, 2" or 6" below). Without an
// angle class the 2" line is taken. A 1" instrument on a grade below four-order takes the 2" line
// (its group names none finer); a 6" instrument on 三等 or 四等 has no line, so no limit.
// Vertical items (2001, 2003) come from the trigonometric-levelling table: "fourth order" for
// 三等 and 四等, "fifth order" for 一级 to 三级. The standard gives no limit for 2002 itself.
// Distance items (3001, 3002) come from the distance table's 5 mm or 10 mm class: distanceClass
// when given, else the grade's (三等, 四等: 5 mm; 一级 to 三级: 10 mm).
// Horizontal and vertical items need the grade; an instrument class without a grade takes
// kDefaultGrade.
struct FieldCheckOptions {
    bool hasGrade = false;
    TraverseGrade grade = TraverseGrade::Order4;  // when hasGrade
    int angleClass = 0;     // the instrument's direction class, arc seconds: 1, 2 or 6; 0 not given
    int distanceClass = 0;  // the distance meter's class, millimetres: 5 or 10; 0 not given
};

// Where the limit of an item came from.
enum class LimitSource {
    None,      // no limit from either source: the values are shown, not judged
    File,      // the record file's tolerance item
    Standard,  // a line of a table of GB 50026 (FieldCheckSummary::limitOrigin names it)
};

// One checked value.
struct FieldCheckValue {
    std::int16_t code = 0;  // the item, one of the CHECK_ constants of check_info.h
    std::string station;    // GBK
    // 1-based round number; 0 for a value over the rounds (1003, 2001, 3002).
    int round = 0;
    // GBK; empty for a value of a whole round (1001, 2003); for 1002 the round's closing target.
    std::string target;
    int face = 0;  // 1002: 1 face left, 2 face right; 0 for every other item
    // Arc seconds for the angle items, millimetres for 3001 and 3002. Spreads are >= 0; the
    // closure (1002, closing - opening) and the index error (2002) carry their sign.
    double value = 0.0;
    LimitSource limitSource = LimitSource::None;
    double limit = 0.0;  // in the value's unit; 0 when limitSource is None
    // |value| > limit (beyond a rounding noise of 1e-6); always false without a limit.
    bool exceeded = false;
};

// One item over the whole file.
struct FieldCheckSummary {
    std::int16_t code = 0;
    LimitSource limitSource = LimitSource::None;
    double limit = 0.0;
    // UTF-8, in the language of the texts: the record file, or the standard, its table and the
    // line; empty for None.
    std::string limitOrigin;
    std::size_t count = 0;          // values computed
    std::size_t exceededCount = 0;  // of them, values over the limit
    // The value of largest magnitude (the first of equals); code 0 when count is 0.
    FieldCheckValue worst;
};

// A horizontal round that 1003 leaves out: it opens on another target than the station's zero
// direction, so its directions have no common zero with the other rounds'.
struct LeftOutRound {
    std::string station;      // GBK
    int round = 0;            // 1-based
    std::string opening;      // the target it opens on, GBK
    std::string orientation;  // the zero direction's target, GBK
};

struct FieldCheckResult {
    // Station by station in file order (stations without an observation block give none); within
    // a station the horizontal, then the vertical, then the distance values. Within each kind,
    // round by round the values of that round (1001, 1002 face left, 1002 face right; 2002 per
    // record, 2003; 3001 per record), then the values over the rounds per target in order of first
    // appearance (1003, 2001, 3002).
    std::vector<FieldCheckValue> values;
    // Always nine entries: in code order 1001 ... 3002, then 1004.
    std::vector<FieldCheckSummary> summary;
    std::size_t exceededCount = 0;           // over all items
    std::vector<LeftOutRound> leftOutRounds; // station by station, round by round
    // The grade the limits came from, when the options named one or an instrument class implied
    // kDefaultGrade (gradeDefaulted).
    bool hasGrade = false;
    TraverseGrade grade = kDefaultGrade;
    bool gradeDefaulted = false;
};

// Computes every item over the stations of importer (read only) and judges each value against
// its limit: the file's item of that code first (the first such item in m_arrHAngleCheck,
// m_arrVAngleCheck, m_arrDistCheck, in this order, whatever group it stands in), else the
// standard's tables as options choose. Records without the readings an item needs (two for an
// angle, two for a distance spread, one for a distance mean) and spreads of fewer than two values
// give no value. Per station:
//   1001  per horizontal round, max - min of its records' 2C = L - (R +- 180 deg) in (-180, 180].
//   1002  per horizontal round that closes (three records or more, the last and no other but the
//         first naming the first target): closing - opening reading, face left and face right,
//         the short way round.
//   1003  per target but the first target of the first round (the zero), over the rounds that
//         open on that zero: the spread on the circle of the target's mean direction (its first
//         record in the round) minus the round's orientation (the opening record's mean
//         direction; with a closing record, the short-way mean of opening and closing).
//   2002  per zenith record, i = (L + R - 360 deg) / 2;  2003 per zenith round, max - min of i.
//   2001  per target over the zenith rounds, max - min of a = (R - L - 180 deg) / 2.
//   3001  per distance record, max - min of its readings;  3002 per target over the distance
//         rounds, max - min of its record means.
//   1004  per station with horizontal rounds, their number, after its other values: it exceeds
//         its limit when below it, and the worst is the least.
// A round that reads a target twice gives, for 1003, 2001 and 3002, its first record only.
TRAVERSE_API FieldCheckResult RunFieldChecks(const CImportXml& importer,
                                             const FieldCheckOptions& options);

// The report for people, GBK text with "\r\n" line ends: the limits and where they came from,
// per station a compact table per kind of observation with every value (exceedances marked),
// and a summary per item.
TRAVERSE_API std::string FormatFieldChecks(const FieldCheckResult& result);

// The instrument words of a command line as read: the classes that choose the standard's table
// lines and the nominal accuracy that weighs the adjustment.
struct InstrumentParse {
    ParseStatus status = ParseStatus::Unknown;
    std::string message;    // UTF-8, empty when read: the word that cannot be used, and why
    int angleClass = 0;     // 1, 2 or 6; 0 not given
    int distanceClass = 0;  // 5 or 10; 0 not given or beyond 10 mm at 1 km
    InstrumentAccuracy accuracy;
};

// Reads the instrument words of a command line (UTF-8): one or two words separated by a comma,
// at most one for the angles and one for the distances:
//   angle:    a direction sigma in arc seconds, optionally prefixed by "DJ" or "J" and/or followed
//             by '"', "″" or "秒" (e.g. 2, 2", DJ2, J6, 1″, 0.5"); it gives the accuracy and the
//             class of the standard's tables it fits in (1", 2" or 6"; above 6" none: OutOfRange)
//   distance: 5mm or 10mm, the distance class alone; or "a mm + b ppm" (e.g. 2mm+2ppm), the
//             nominal accuracy, whose class is 5 mm when a + b is at most 5, 10 mm when at most 10
// Either may end with "级"; letters compare without case; blanks are ignored.
// E.g. "2", "DJ2", "5mm", "2\",5mm", "DJ1,10mm", "2,2mm+2ppm".
TRAVERSE_API InstrumentParse ParseInstrumentClasses(const std::string& utf8Words);

// The item's name as the record file writes it (GBK), e.g. "一测回2C较差" for 1001; empty for a
// code that is not a tolerance item.
TRAVERSE_API std::string FieldCheckItemName(std::int16_t code);

// "none", "file" or "standard".
TRAVERSE_API const char* LimitSourceName(LimitSource source);

}  // namespace traverse

#endif
