// The horizontal-angle check report's texts, byte for byte as surveyors know the report.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_CHECK_CHECK_TEXTS_H
#define TRAVERSE_CHECK_CHECK_TEXTS_H

namespace traverse {
namespace text {

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

}  // namespace text
}  // namespace traverse

#endif
