// Every limit the field checks take from GB 50026 (工程测量标准), table by table, and the choice of
// a table's line by grade and instrument. A line that gives no limit for an item holds kNoLimit.
// The traverse's own figures of table 3.3.1 (length, mean side, 测角 and 测距中误差, 测距相对中误差)
// judge the adjustment: adjust/model/grade_table.cpp, which says which of them were confirmed.
#include "fieldcheck/limit_tables.h"

#include "fieldcheck/field_check_texts.h"

#include "traverse/check_info.h"

namespace traverse {
namespace {

constexpr double kNoLimit = -1.0;

// One limit of a table line: the item and its value.
struct LineLimit {
    std::int16_t code;
    double limit;  // kNoLimit where the line gives none
};

// GB 50026, table of the horizontal direction method (水平角方向观测法的技术要求), arc seconds:
// 半测回归零差, 一测回内2C互差, 同一方向值各测回较差.
struct HorizontalLine {
    bool fourOrderAndAbove;  // the group "四等及以上", else "一级及以下"
    int angleClass;          // the instrument's class, arc seconds
    LineLimit limits[3];
    const Text* origin;
};
constexpr HorizontalLine kHorizontalTable[] = {
    {true,
     1,
     {{CHECK_HALF_ROUND_CLOSURE, 6.0},
      {CHECK_2C_SPREAD, 9.0},
      {CHECK_DIRECTION_BETWEEN_ROUNDS, 6.0}},
     &text::kFieldOriginHorizontalUpper1},
    {true,
     2,
     {{CHECK_HALF_ROUND_CLOSURE, 8.0},
      {CHECK_2C_SPREAD, 13.0},
      {CHECK_DIRECTION_BETWEEN_ROUNDS, 9.0}},
     &text::kFieldOriginHorizontalUpper2},
    {false,
     2,
     {{CHECK_HALF_ROUND_CLOSURE, 12.0},
      {CHECK_2C_SPREAD, 18.0},
      {CHECK_DIRECTION_BETWEEN_ROUNDS, 12.0}},
     &text::kFieldOriginHorizontalLower2},
    {false,
     6,
     {{CHECK_HALF_ROUND_CLOSURE, 18.0},
      {CHECK_2C_SPREAD, kNoLimit},
      {CHECK_DIRECTION_BETWEEN_ROUNDS, 24.0}},
     &text::kFieldOriginHorizontalLower6},
};

// GB 50026, table of EDM trigonometric levelling (电磁波测距三角高程测量的主要技术要求), arc
// seconds: 指标差较差, 测回较差.
struct VerticalLine {
    bool fourthOrder;  // "四等", else "五等"
    LineLimit limits[2];
    const Text* origin;
};
constexpr VerticalLine kVerticalTable[] = {
    {true,
     {{CHECK_INDEX_ERROR_SPREAD, 7.0}, {CHECK_VERTICAL_BETWEEN_ROUNDS, 7.0}},
     &text::kFieldOriginVertical4},
    {false,
     {{CHECK_INDEX_ERROR_SPREAD, 10.0}, {CHECK_VERTICAL_BETWEEN_ROUNDS, 10.0}},
     &text::kFieldOriginVertical5},
};

// GB 50026, table of distance measurement (测距的主要技术要求), millimetres: 一测回读数较差,
// 单程各测回较差.
struct DistanceLine {
    int distanceClass;  // the distance meter's class, millimetres
    LineLimit limits[2];
    const Text* origin;
};
constexpr DistanceLine kDistanceTable[] = {
    {5,
     {{CHECK_DISTANCE_READINGS, 5.0}, {CHECK_DISTANCE_BETWEEN_ROUNDS, 7.0}},
     &text::kFieldOriginDistance5},
    {10,
     {{CHECK_DISTANCE_READINGS, 10.0}, {CHECK_DISTANCE_BETWEEN_ROUNDS, 15.0}},
     &text::kFieldOriginDistance10},
};

// GB 50026, table 3.3.1 (导线测量的主要技术要求), its 测回数 columns: the least number of
// horizontal rounds per station by grade and instrument class. Confirmed against the standard's
// text: 三等 6 and 10, 四等 4 and 6 (1" and 2" instruments); 一级 2 and 4, 二级 1 and 3, 三级 1 and 2
// (2" and 6"); the table names no 1" instrument below 四等 and no 6" instrument above 一级.
struct RoundsLine {
    TraverseGrade grade;
    int angleClass;
    double rounds;
    const char* origin;
};
constexpr RoundsLine kRoundsTable[] = {
    {TraverseGrade::Order3, 1, 6, "GB 50026 table 3.3.1: 三等, 1\" instrument"},
    {TraverseGrade::Order3, 2, 10, "GB 50026 table 3.3.1: 三等, 2\" instrument"},
    {TraverseGrade::Order4, 1, 4, "GB 50026 table 3.3.1: 四等, 1\" instrument"},
    {TraverseGrade::Order4, 2, 6, "GB 50026 table 3.3.1: 四等, 2\" instrument"},
    {TraverseGrade::Class1, 2, 2, "GB 50026 table 3.3.1: 一级, 2\" instrument"},
    {TraverseGrade::Class1, 6, 4, "GB 50026 table 3.3.1: 一级, 6\" instrument"},
    {TraverseGrade::Class2, 2, 1, "GB 50026 table 3.3.1: 二级, 2\" instrument"},
    {TraverseGrade::Class2, 6, 3, "GB 50026 table 3.3.1: 二级, 6\" instrument"},
    {TraverseGrade::Class3, 2, 1, "GB 50026 table 3.3.1: 三级, 2\" instrument"},
    {TraverseGrade::Class3, 6, 2, "GB 50026 table 3.3.1: 三级, 6\" instrument"},
};

// 三等 and 四等 stand in the upper group of every table; 一级, 二级 and 三级 in the lower one.
bool UpperGroup(TraverseGrade grade) {
    return grade == TraverseGrade::Order3 || grade == TraverseGrade::Order4;
}

// The line of the grade's group for the instrument: the 2" line when no class is given, and for a
// 1" instrument in the lower group, which names nothing finer than 2".
const HorizontalLine* FindHorizontalLine(const FieldCheckOptions& options) {
    if (!options.hasGrade) return nullptr;
    const bool upper = UpperGroup(options.grade);
    int angleClass = options.angleClass == 0 ? 2 : options.angleClass;
    if (!upper && angleClass == 1) angleClass = 2;
    for (const HorizontalLine& line : kHorizontalTable) {
        if (line.fourOrderAndAbove == upper && line.angleClass == angleClass) return &line;
    }
    return nullptr;
}

const VerticalLine* FindVerticalLine(const FieldCheckOptions& options) {
    if (!options.hasGrade) return nullptr;
    for (const VerticalLine& line : kVerticalTable) {
        if (line.fourthOrder == UpperGroup(options.grade)) return &line;
    }
    return nullptr;
}

// The distance class given, else the grade's: 5 mm for the upper group, 10 mm for the lower.
const DistanceLine* FindDistanceLine(const FieldCheckOptions& options) {
    int distanceClass = options.distanceClass;
    if (distanceClass == 0 && options.hasGrade) distanceClass = UpperGroup(options.grade) ? 5 : 10;
    for (const DistanceLine& line : kDistanceTable) {
        if (line.distanceClass == distanceClass) return &line;
    }
    return nullptr;
}

// The grade's line for the instrument, as FindHorizontalLine chooses it.
StandardLimit RoundsLimit(const FieldCheckOptions& options) {
    if (!options.hasGrade) return {};
    int angleClass = options.angleClass == 0 ? 2 : options.angleClass;
    if (!UpperGroup(options.grade) && angleClass == 1) angleClass = 2;
    for (const RoundsLine& line : kRoundsTable) {
        if (line.grade == options.grade && line.angleClass == angleClass) {
            return {true, line.rounds, line.origin};
        }
    }
    return {};
}

// The limit of code on line, if line is chosen and gives one.
template <typename Line>
StandardLimit FromLine(const Line* line, std::int16_t code) {
    if (line == nullptr) return {};
    for (const LineLimit& entry : line->limits) {
        if (entry.code == code && entry.limit != kNoLimit)
            return {true, entry.limit, *line->origin};
    }
    return {};
}

}  // namespace

// The index error itself (2002) stands in no table.
StandardLimit StandardLimitFor(std::int16_t code, const FieldCheckOptions& options) {
    if (code == CHECK_ROUND_COUNT) return RoundsLimit(options);
    if (const StandardLimit limit = FromLine(FindHorizontalLine(options), code); limit.found) {
        return limit;
    }
    if (const StandardLimit limit = FromLine(FindVerticalLine(options), code); limit.found) {
        return limit;
    }
    return FromLine(FindDistanceLine(options), code);
}

}  // namespace traverse
