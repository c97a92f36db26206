// Every limit the field checks take from GB 50026 (工程测量标准), table by table. A line that gives
// no limit for an item holds kNoLimit there.
#include "fieldcheck/limit_tables.h"

#include "traverse/check_info.h"

namespace traverse {
namespace {

constexpr double kNoLimit = -1.0;

// GB 50026, table of the horizontal direction method (水平角方向观测法的技术要求), arc seconds.
struct HorizontalLine {
    bool fourOrderAndAbove;  // the group "四等及以上", else "一级及以下"
    int angleClass;          // the instrument's class, arc seconds
    double closure;          // 半测回归零差 (1002)
    double twoCSpread;       // 一测回内2C互差 (1001)
    double betweenRounds;    // 同一方向值各测回较差 (1003)
    const char* origin;
};
constexpr HorizontalLine kHorizontalTable[] = {
    {true, 1, 6.0, 9.0, 6.0,
     "GB 50026 horizontal direction method table: four-order and above, 1\" instrument"},
    {true, 2, 8.0, 13.0, 9.0,
     "GB 50026 horizontal direction method table: four-order and above, 2\" instrument"},
    {false, 2, 12.0, 18.0, 12.0,
     "GB 50026 horizontal direction method table: first order and below, 2\" instrument"},
    {false, 6, 18.0, kNoLimit, 24.0,
     "GB 50026 horizontal direction method table: first order and below, 6\" instrument"},
};

// GB 50026, table of EDM trigonometric levelling (电磁波测距三角高程测量的主要技术要求), arc seconds.
struct VerticalLine {
    bool fourthOrder;         // "四等", else "五等"
    double indexErrorSpread;  // 指标差较差 (2003)
    double betweenRounds;     // 测回较差 (2001)
    const char* origin;
};
constexpr VerticalLine kVerticalTable[] = {
    {true, 7.0, 7.0, "GB 50026 EDM trigonometric levelling table: fourth order"},
    {false, 10.0, 10.0, "GB 50026 EDM trigonometric levelling table: fifth order"},
};

// GB 50026, table of distance measurement (测距的主要技术要求), millimetres.
struct DistanceLine {
    int distanceClass;     // the distance meter's class, millimetres
    double readings;       // 一测回读数较差 (3001)
    double betweenRounds;  // 单程各测回较差 (3002)
    const char* origin;
};
constexpr DistanceLine kDistanceTable[] = {
    {5, 5.0, 7.0, "GB 50026 distance measurement table: 5 mm class"},
    {10, 10.0, 15.0, "GB 50026 distance measurement table: 10 mm class"},
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
    return &kVerticalTable[UpperGroup(options.grade) ? 0 : 1];
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

StandardLimit Found(double limit, const char* origin) {
    if (limit == kNoLimit) return {};
    return {true, limit, origin};
}

}  // namespace

StandardLimit StandardLimitFor(std::int16_t code, const FieldCheckOptions& options) {
    const HorizontalLine* horizontal = FindHorizontalLine(options);
    const VerticalLine* vertical = FindVerticalLine(options);
    const DistanceLine* distance = FindDistanceLine(options);
    switch (code) {
    case CHECK_2C_SPREAD:
        return horizontal ? Found(horizontal->twoCSpread, horizontal->origin) : StandardLimit{};
    case CHECK_HALF_ROUND_CLOSURE:
        return horizontal ? Found(horizontal->closure, horizontal->origin) : StandardLimit{};
    case CHECK_DIRECTION_BETWEEN_ROUNDS:
        return horizontal ? Found(horizontal->betweenRounds, horizontal->origin) : StandardLimit{};
    case CHECK_VERTICAL_BETWEEN_ROUNDS:
        return vertical ? Found(vertical->betweenRounds, vertical->origin) : StandardLimit{};
    case CHECK_INDEX_ERROR_SPREAD:
        return vertical ? Found(vertical->indexErrorSpread, vertical->origin) : StandardLimit{};
    case CHECK_DISTANCE_READINGS:
        return distance ? Found(distance->readings, distance->origin) : StandardLimit{};
    case CHECK_DISTANCE_BETWEEN_ROUNDS:
        return distance ? Found(distance->betweenRounds, distance->origin) : StandardLimit{};
    default:  // the index error itself (2002) has no line in the standard
        return {};
    }
}

}  // namespace traverse
