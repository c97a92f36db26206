// The vocabulary of the observation record file: section paths, element and attribute names, and
// the names of the tolerance items. UTF-8 here; GBK("...") gives the GBK form the readers compare.
#ifndef TRAVERSE_IMPORT_RECORD_SCHEMA_H
#define TRAVERSE_IMPORT_RECORD_SCHEMA_H

namespace traverse {
namespace schema {

// Sections, below the root element "导线观测记录".
constexpr char kToleranceSection[] = "导线观测记录//检查限差";
constexpr char kKnownPointSection[] = "导线观测记录//起算点";
constexpr char kObservationSection[] = "导线观测记录//观测值";

// Groups of the tolerance section, appended to its path.
constexpr char kHorizontalTolerances[] = "//水平角";
constexpr char kVerticalTolerances[] = "//垂直角";
constexpr char kDistanceTolerances[] = "//距离";

// Tolerance items, in code order 1001 … 3002.
constexpr char k2CSpread[] = "一测回2C较差";
constexpr char kHalfRoundClosure[] = "半测回归零差";
constexpr char kDirectionBetweenRounds[] = "同一方向值各测回较差";
constexpr char kVerticalBetweenRounds[] = "垂直角测回差";
constexpr char kIndexError[] = "指标差";
constexpr char kIndexErrorSpread[] = "指标差较差";
constexpr char kDistanceReadings[] = "一测回读数较差";
constexpr char kDistanceBetweenRounds[] = "单程测回间较差";

// Station attributes.
constexpr char kStationName[] = "点名";
constexpr char kInstrumentHeight[] = "仪器高";
constexpr char kPressure[] = "气压";
constexpr char kTemperature[] = "温度";
constexpr char kAddConst[] = "加常数";
constexpr char kMulConst[] = "乘常数";

// Observation sets of a station.
constexpr char kHorizontalSet[] = "水平角";
constexpr char kZenithSet[] = "天顶距";
constexpr char kDistanceSet[] = "斜距";
constexpr char kTargetHeights[] = "目标高";

// Reading attributes of a target record.
constexpr char kFaceLeft[] = "盘左";
constexpr char kFaceRight[] = "盘右";
constexpr char kValues[] = "值";

// Coordinate attributes of a known point, compared without case and surrounding blanks.
constexpr char kCoordX[] = "x";
constexpr char kCoordY[] = "y";
constexpr char kCoordH[] = "h";

}  // namespace schema
}  // namespace traverse

#endif
