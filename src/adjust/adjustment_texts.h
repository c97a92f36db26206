// The texts of the adjustment: its options, failures, notes and text report.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_ADJUST_ADJUSTMENT_TEXTS_H
#define TRAVERSE_ADJUST_ADJUSTMENT_TEXTS_H

#include "platform/text.h"

namespace traverse {
namespace text {

// option name, condition, value given
constexpr Text kAdjustInvalidOption{"选项无效：%s应%s（给定值%g）。",
                                    "Invalid option: %s must be %s (given %g)."};
constexpr Text kOptionDirectionSigma{"方向观测中误差（角秒）", "the direction sigma (arc seconds)"};
constexpr Text kOptionDistanceSigmaA{"测距中误差固定部分a（mm）", "the distance sigma a (mm)"};
constexpr Text kOptionDistanceSigmaB{"测距中误差比例部分b（ppm）", "the distance sigma b (ppm)"};
constexpr Text kOptionHeightSigma{"高差中误差（mm/km）", "the height-difference sigma (mm/km)"};
constexpr Text kOptionRefraction{"大气折光系数k", "the refraction coefficient k"};
constexpr Text kOptionEarthRadius{"地球半径R", "the earth radius R"};
constexpr Text kOptionSurfaceHeight{"投影面高程H0", "the surface height H0"};
constexpr Text kOptionYOffset{"横坐标加常数Ym", "the y offset Ym"};
constexpr Text kOptionAlpha{"显著水平α", "the significance level alpha"};
constexpr Text kOptionWTest{"w检验临界值", "the w-test critical value"};
constexpr Text kOptionDelta0{"最小可探测粗差的非中心参数δ0", "the MDB non-centrality delta0"};
constexpr Text kOptionAbove0{"大于0", "greater than 0"};
constexpr Text kOptionAtLeast0{"不小于0", "at least 0"};
constexpr Text kOptionUnitRange{"在-1与1之间", "between -1 and 1"};
constexpr Text kOptionHeightRange{"在-10000 m与10000 m之间", "between -10000 and 10000 m"};
constexpr Text kOptionYOffsetRange{"在-1000000 m与1000000 m之间", "between -1000000 and 1000000 m"};
constexpr Text kOptionOpenUnit{"在0与1之间", "between 0 and 1"};
constexpr Text kAdjustNoStations{"没有测站带有观测值：无可平差。",
                                 "No station carries observations: there is nothing to adjust."};
constexpr Text kAdjustNothingLeft{
    "没有可平差的观测值：每个观测值都依赖于一个不是数值的值（见说明）。",
    "Nothing is left to adjust: every observation depends on a value that is no number "
    "(see the notes)."};
constexpr Text kAdjustNoKnownPoints{"没有同时具有x、y坐标的已知点：网中无起算数据。",
                                    "No known point has x and y: the network has no datum."};
constexpr Text kAdjustNoOrientation{
    "没有设在已知点上并照准另一已知点的测站：无测站可以定向。",
    "No station on a known point sights another known point: no station can be oriented."};
// point
constexpr Text kAdjustDuplicateKnownPoint{"已知点“%s”重复列出。",
                                          "Known point \"%s\" is listed more than once."};
// station, target, round number
constexpr Text kAdjustDuplicateTarget{
    "测站“%s”：目标“%s”在水平角第%d测回中出现多次（目标点名重复）。",
    "Station \"%s\": target \"%s\" is named more than once in horizontal round %d (duplicated "
    "target name)."};
// station, target (the same name)
constexpr Text kAdjustSelfObservation{"测站“%s”照准自身（目标“%s”）。",
                                      "Station \"%s\" observes itself (target \"%s\")."};
// station, target
constexpr Text kAdjustNotANumber{
    "测站“%s”：至“%s”的观测值不是可用的数值。",
    "Station \"%s\": the observation of \"%s\" is not a usable number."};
constexpr Text kAdjustDistanceTooShort{
    "测站“%s”：至“%s”的平距不为正或短于1 mm。",
    "Station \"%s\": the horizontal distance to \"%s\" is not positive or is shorter than 1 mm."};
// station, target, zenith distance (ddd.mmss), slope distance
constexpr Text kAdjustVerticalSighting{
    "测站“%s”：至“%s”的天顶距为%.4f（ddd.mmss）：斜距%.3f m不含平距。",
    "Station \"%s\": the zenith distance to \"%s\" is %.4f (ddd.mmss): the slope distance of %.3f "
    "m leaves no horizontal distance."};
constexpr Text kAdjustSingularPoint{
    "观测值不能确定点“%s”（法方程奇异）。",
    "The observations do not determine point \"%s\" (singular normal equations)."};
constexpr Text kAdjustSingularOrientation{
    "观测值不能确定测站“%s”的定向角（法方程奇异）。",
    "The observations do not determine the orientation of station \"%s\" (singular normal "
    "equations)."};
constexpr Text kAdjustSingularHeight{
    "高差不能确定“%s”的高程。", "The height differences do not determine the height of \"%s\"."};
// point, point
constexpr Text kAdjustCoincident{
    "点“%s”与“%s”重合：两点间无方向或距离。",
    "Points \"%s\" and \"%s\" coincide: no direction or distance can join them."};
// iterations
constexpr Text kAdjustNotConverged{
    "平差迭代%d次未收敛（最大改正数仍不小于0.01 mm）。",
    "The adjustment did not converge in %d iterations (largest correction still 0.01 mm or more)."};
// point
constexpr Text kAdjustSurfaceNeedsHeight{
    "归算至投影面高程需要点“%s”的高程，而该点无高程。",
    "The reduction to the surface height needs the height of point \"%s\", which it has not."};
// from, to, factor
constexpr Text kAdjustReductionFactor{
    "归算至投影面使距离“%s”-“%s”改变了%.6f倍，超出0.99至1."
    "01：投影面高程H0或横坐标加常数Ym不适合本网。",
    "The reduction to the projection plane changes the distance \"%s\"-\"%s\" by the factor "
    "%.6f, outside 0.99 to 1.01: the surface height H0 or the y offset Ym does not suit the "
    "network."};
// station, what the reduction of its rounds said
constexpr Text kAdjustNoteReduction{"测站“%s”：%s", "Station \"%s\": %s"};
// station, target
constexpr Text kAdjustNoteNoZenith{
    "测站“%s”：至“%s”的距离无天顶距，按平距处理。",
    "Station \"%s\": the distance to \"%s\" has no zenith distance and is taken as horizontal."};
constexpr Text kAdjustNoteNoTargetHeight{
    "测站“%s”：“%s”无目标高，该边不计算高差。",
    "Station \"%s\": no target height for \"%s\", so that line gives no height difference."};
// what is left out, the value's description
constexpr Text kAdjustNoteValueLeftOut{"舍去：%s，因%s。", "Left out: %s, as %s."};
// target, kind, round, station
constexpr Text kAdjustLeftOutRecord{"“%s”在%s第%d测回（测站“%s”）中的记录",
                                    "the record of \"%s\" in %s round %d of station \"%s\""};
constexpr Text kAdjustLeftOutRound{"%s第%d测回（测站“%s”）", "%s round %d of station \"%s\""};
constexpr Text kAdjustLeftOutTargetHeight{"“%s”的目标高（测站“%s”）",
                                          "the target height of \"%s\" at station \"%s\""};
constexpr Text kAdjustLeftOutDistances{"测站“%s”的距离和高差",
                                       "the distances and height differences of station \"%s\""};
constexpr Text kAdjustLeftOutHeights{"测站“%s”的高差", "the height differences of station \"%s\""};
constexpr Text kAdjustNoteHeightsUnusable{
    "测站“%s”：至“%s”的仪器高或目标高不是可用数值（1e9 m以内），该边不计算高差。",
    "Station \"%s\": the instrument or target height for \"%s\" is not a usable number (within "
    "1e9 m), so that line gives no height difference."};
constexpr Text kAdjustNoteLoneTarget{
    "测站“%s”：“%s”仅由这一个方向照准，已舍去。",
    "Station \"%s\": \"%s\" is sighted by this one direction only and is left out."};
// point
constexpr Text kAdjustNoteKnownPlaneUnusable{
    "已知点“%s”：x、y不都是可用数值（1e9 m以内），不用其坐标。",
    "Known point \"%s\": x and y are not both usable numbers (within 1e9 m); its position is left "
    "out."};
constexpr Text kAdjustNoteKnownHeightUnusable{
    "已知点“%s”：高程不是可用数值（1e9 m以内），已舍去。",
    "Known point \"%s\": its height is not a usable number (within 1e9 m) and is left out."};
constexpr Text kAdjustNoteNoHeight{"点“%s”：无已知高程推算至该点，该点无高程。",
                                   "Point \"%s\": no known height reaches it; it has no height."};
constexpr Text kAdjustNoteNotSimple{
    "本网不是单一导线：对找到的各条导线给出闭合差，平差针对整个网。",
    "The network is no simple traverse: closures are given for the traverses found; the adjustment "
    "covers the whole network."};
constexpr char kAdjustHeightOrder4[] = "四等";
constexpr char kAdjustHeightOrder5[] = "五等";
// report
constexpr Text kAdjustReportBanner{"*** 导线平差 ***", "*** Traverse adjustment ***"};
// grade name, where it came from
constexpr Text kAdjustReportGrade{"导线等级%s（%s）。", "Grade %s (%s)."};
constexpr Text kAdjustSourceDefault{"默认", "default"};
constexpr Text kAdjustSourceOption{"给定", "given"};
constexpr Text kAdjustSourceGrade{"按等级", "grade"};
// direction sigma, source, a, source, b, source, height sigma, source
constexpr Text kAdjustReportSigmas{
    "先验中误差：方向%.2f″（%s），测距%.1f mm（%s）+ %.1f ppm（%s），高差%.1f mm/km（%s）。",
    "A-priori sigma: direction %.2f\" (%s), distance %.1f mm (%s) + %.1f ppm (%s), height "
    "difference %.1f mm/km (%s)."};
// k, R
constexpr Text kAdjustReportModel{
    "平距D = S sin Z；高差 = S cos Z + i - v + (1 - k) D^2 / 2R，k = %.3f，R = %.0f m。",
    "Horizontal distance D = S sin Z; height difference S cos Z + i - v + (1 - k) D^2 / 2R with "
    "k = %.3f, R = %.0f m."};
constexpr Text kAdjustReportNoReduction{"距离未归算至投影面。",
                                        "Distances are not reduced to a projection plane."};
// H0
constexpr Text kAdjustReportSurface{"距离归算至投影面高程H0 = %.3f m。",
                                    "Distances reduced to the surface height H0 = %.3f m."};
// Ym
constexpr Text kAdjustReportGaussPlane{
    "距离归算至高斯平面，y减去横坐标加常数Ym = %.3f m。",
    "Distances reduced to the Gauss plane, y less the false easting Ym = %.3f m."};
// m, T, height factor, height class
constexpr Text kAdjustReportLimits{
    "限差：方位角闭合差%.1f″√n，全长相对闭合差1/%.0f，对向观测距离较差2(a + b "
    "D)，对向观测高差较差%.0f√D mm（D以km计，%s）。",
    "Limits: angular closure %.1f\" sqrt(n), relative closure 1/%.0f, reciprocal distances "
    "2 (a + b D), reciprocal height differences %.0f sqrt(D km) mm (%s)."};
// alpha, critical w, delta0
constexpr Text kAdjustReportTests{
    "整体检验：显著水平α = %.3f（卡方检验，单侧）；w检验临界值%.2f；最小可探测粗差δ0 = %.2f。",
    "Global test at alpha = %.3f (chi-square, one-sided); w-test critical value %.2f; MDB with "
    "delta0 = %.2f."};
constexpr Text kAdjustReportNotes{"说明：", "Notes:"};
constexpr Text kAdjustReportClosures{"闭合差：", "Closures:"};
constexpr Text kAdjustReportNoTraverse{"  未找到附合导线或闭合导线。",
                                       "  No connecting traverse or closed loop was found."};
// stations joined by '-', start orientation, end orientation
constexpr Text kAdjustReportConnecting{"  附合导线%s（起算方向%s和%s）",
                                       "  Connecting traverse %s (oriented on %s and %s)"};
constexpr Text kAdjustReportLoop{"  闭合导线%s（起算方向%s；%s）",
                                 "  Closed loop %s (oriented on %s; %s)"};
// n, f_beta, limit, verdict
constexpr Text kAdjustReportAngular{"    n = %d，方位角闭合差fβ = %+.1f″，限差±%.1f″：%s",
                                    "    n = %d, f_beta = %+.1f\", limit +-%.1f\": %s"};
// [D], fx, fy, fs, 1/T, limit 1/T, verdict
constexpr Text kAdjustReportPosition{
    "    [D] = %.3f m，坐标增量闭合差fx = %+.1f mm，fy = %+.1f mm，全长闭合差fs = %.1f "
    "mm，全长相对闭合差%s，限差%s：%s",
    "    [D] = %.3f m, fx = %+.1f mm, fy = %+.1f mm, fs = %.1f mm, %s, limit %s: %s"};
// from, to, forward, backward, difference, limit, verdict
constexpr Text kAdjustReportReciprocalDistance{
    "  对向观测距离%s-%s：%.4f / %.4f m，较差%+.1f mm，限差±%.1f mm：%s",
    "  Reciprocal distance %s-%s: %.4f / %.4f m, difference %+.1f mm, limit +-%.1f mm: %s"};
constexpr Text kAdjustReportReciprocalHeight{
    "  对向观测高差%s-%s：%+.4f / %+.4f m，之和%+.1f mm，限差±%.1f mm：%s",
    "  Reciprocal height difference %s-%s: %+.4f / %+.4f m, sum %+.1f mm, limit +-%.1f mm: %s"};
constexpr Text kAdjustPass{"合格", "pass"};
constexpr Text kAdjustFail{"超限", "FAIL"};
// the error
constexpr Text kAdjustReportFailed{"未平差：%s", "Not adjusted: %s"};
// iterations
constexpr Text kAdjustReportIterations{"经%d次高斯-牛顿迭代完成平差。",
                                       "Adjusted in %d Gauss-Newton iterations."};
constexpr Text kAdjustReportGlobal{"整体检验", "Global test"};
constexpr Text kAdjustReportPlane{"  平面", "  plane"};
constexpr Text kAdjustReportHeights{"  高程", "  heights"};
// label, n, u, r, v'Pv, sigma0, upper bound, verdict
constexpr Text kAdjustReportTest{
    "%s：n = %d，u = %d，r = %d，v'Pv = %.2f，单位权中误差σ0 = %.3f，限值%.2f：%s",
    "%s: n = %d, u = %d, r = %d, v'Pv = %.2f, sigma0 = %.3f, limit %.2f: %s"};
constexpr Text kAdjustReportTestBetter{
    "（v'Pv小于%.2f：观测精度优于先验中误差）",
    " (v'Pv below %.2f: the observations are better than their a-priori sigmas)"};
// label, n, u, r
constexpr Text kAdjustReportTestNone{"%s：n = %d，u = %d，r = %d：无多余观测，不作检验",
                                     "%s: n = %d, u = %d, r = %d: no redundancy, no test"};
constexpr Text kAdjustReportPointsHeading{
    "点（x向北，y向东，h，单位m；σx、σy、点位中误差σp、误差椭圆长半轴a、短半轴b，单位mm，a的方位角"
    "单位°；高程中误差σh，单位mm）：",
    "Points (x north, y east, h in m; sigma x, sigma y, sigma p, ellipse a, b in mm, azimuth of a "
    "in degrees; sigma h in mm):"};
// name, x, y, h, plane precision or fixed, height precision or fixed
constexpr char kAdjustReportPoint[] = "  %-12s %14s %14s %10s  %s  %s";
// sigma x, sigma y, sigma p, a, b, azimuth
constexpr char kAdjustReportPointPlane[] = "%5.1f %5.1f %5.1f  %5.1f %5.1f %5.1f";
constexpr Text kAdjustReportFixed{"已知", "fixed"};
constexpr char kAdjustReportNone[] = "-";
constexpr Text kAdjustReportObservationsHeading{
    "观测值，粗差在前（方向ddd."
    "mmss，改正数v单位″；长度单位m，v单位mm；r为多余观测分量，w为标准化残差，MDB为最小可探测粗差）"
    "：",
    "Observations, outliers first (direction ddd.mmss and residuals in arc seconds; lengths in m "
    "and residuals in mm):"};
constexpr Text kAdjustReportDirection{"方向", "direction"};
constexpr Text kAdjustReportDistance{"距离", "distance"};
constexpr Text kAdjustReportHeight{"高差", "height"};
constexpr Text kAdjustReportOutlier{"  粗差", "  OUTLIER"};
constexpr Text kAdjustReportWeak{"  控制弱", "  weakly controlled"};

// The kind of a record or round in the notes; in English the JSON's names of the kinds.
constexpr Text kAdjustKindStation{"测站", "station"};
constexpr Text kAdjustKindHorizontal{"水平角", "horizontal"};
constexpr Text kAdjustKindZenith{"天顶距", "zenith"};
constexpr Text kAdjustKindDistance{"距离", "distance"};
constexpr Text kAdjustKindTargetHeight{"目标高", "target_height"};

// Why a point of the network is not determined by its observations.
// point, directions from oriented stations, distances, placed points it sights
constexpr Text kAdjustNotDetermined{
    "点“%s”无法确定：已定位的点只有%d个已定向方向和%d条边长与其相连，它照准%d个已定位的点；"
    "定位需要一个测站的方向和边长、两个测站的方向（前方交会）、两条边长和第三个观测值、"
    "或它照准三个已定位点的方向（后方交会）。",
    "Point \"%s\" is not determined: the placed points reach it by %d direction(s) from oriented "
    "stations and %d distance(s), and it sights %d placed point(s); it needs a direction and a "
    "distance from one station, directions from two (intersection), two distances and a third "
    "observation, or its own directions to three placed points (resection)."};
// point
constexpr Text kAdjustNotJoined{
    "点“%s”无法确定：没有观测值将它与已知点或已定位的点相连。",
    "Point \"%s\" is not determined: no observation joins it to the known points or to a point "
    "placed from them."};
// point, station, station, angle in degrees
constexpr Text kAdjustParallelDirections{
    "点“%s”无法确定：测站“%s”和“%s”至该点的方向交会角仅%.2f°，前方交会无解。",
    "Point \"%s\" is not determined: the directions to it from \"%s\" and \"%s\" cross at "
    "%.2f degrees only, too little for an intersection."};
// point, station, station
constexpr Text kAdjustDirectionsMiss{
    "点“%s”无法确定：测站“%s”和“%s”至该点的方向在测站前方不相交。",
    "Point \"%s\" is not determined: the directions to it from \"%s\" and \"%s\" do not meet "
    "ahead of both stations."};
// point, point, point
constexpr Text kAdjustDistancesMiss{
    "点“%s”无法确定：它至“%s”和“%s”的边长所画的圆不相交。",
    "Point \"%s\" is not determined: its distances from \"%s\" and \"%s\" do not meet (the "
    "circles they draw miss each other)."};
constexpr Text kAdjustTwoPositions{
    "点“%s”无法确定：它至“%s”和“%s”的边长给出关于两点连线对称的两个位置，"
    "没有其他观测值可以选定其一。",
    "Point \"%s\" is not determined: its distances from \"%s\" and \"%s\" allow two "
    "positions, mirrored about the line between them, and no other observation chooses one."};
// point, three sighted points
constexpr Text kAdjustDangerCircle{
    "点“%s”无法确定：它位于所照准的“%s”、“%s”、“%s”三点的外接圆（危险圆）上，"
    "后方交会无唯一解。",
    "Point \"%s\" is not determined: it lies on the circle through the points it sights "
    "(\"%s\", \"%s\", \"%s\"), where a resection has no single solution."};

// point, point
constexpr Text kAdjustNamesDifferInBlanks{
    "点名“%s”和“%s”仅首尾空格不同：同一个点写成了两个点名。",
    "Point names \"%s\" and \"%s\" differ only in blanks at their ends: one point written two "
    "ways."};

// The reduction with a coordinate reference system and the points on its geographic base.
// the reason PROJ gives, UTF-8
constexpr Text kAdjustCrsRefused{"无效选项：%s", "Invalid option: %s."};
constexpr Text kAdjustCrsWithYOffset{
    "无效选项：--crs 与 y 偏移 Ym 都将距离归算到投影面，只能给出其一。",
    "Invalid option: --crs and the y offset Ym both reduce the distances onto a projection plane; "
    "give one of them."};
// point name
constexpr Text kAdjustCrsOutsideDomain{
    "点“%s”不在坐标参考系的定义域内，无法求其投影比例因子。",
    "Point \"%s\" lies outside the domain of the coordinate reference system: it has no scale "
    "factor."};
// H0, CRS name
constexpr Text kAdjustReportCrs{
    "距离先归算到参考椭球面（H0 = %.3f m），再按 PROJ 的点比例因子沿每条边归算到 %s 的投影面。",
    "Distances reduced to the reference ellipsoid (H0 = %.3f m), then onto the plane of %s by "
    "PROJ's point scale factor along each line."};
// geographic base name
constexpr Text kAdjustReportGeographicHeading{
    "点的大地坐标（%s；纬度、经度、子午线收敛角以度计；投影比例因子）：",
    "Points on %s (latitude, longitude and grid convergence in degrees; point scale factor):"};
// name, latitude, longitude, convergence, scale
constexpr Text kAdjustReportGeographic{"  %-12s %15.9f %15.9f %12.6f %.9f",
                                       "  %-12s %15.9f %15.9f %12.6f %.9f"};

// The instrument's nominal accuracy as the weights.
constexpr Text kAdjustSourceInstrument{"仪器", "instrument"};
// direction sigma, source, a, source, b, source
constexpr Text kAdjustReportSigmasPropagated{
    "先验中误差：方向 %.2f\"（%s），测距 %.1f mm（%s）+ %.1f ppm（%s），高差由仪器精度传播 "
    "sqrt((cos Z m_S)^2 + (S sin Z m_Z)^2)。",
    "A-priori sigma: direction %.2f\" (%s), distance %.1f mm (%s) + %.1f ppm (%s), height "
    "difference propagated from the instrument, sqrt((cos Z sigma_S)^2 + (S sin Z sigma_Z)^2)."};
constexpr Text kAdjustReportPerRound{
    "仪器的方向中误差为一测回值：各测站的方向（天顶距）取其除以测回数的平方根。",
    "The instrument's direction sigma is that of one round: a station's directions (zenith "
    "distances) take it divided by the square root of its rounds."};

// The precision against the grade; the grade's name.
constexpr Text kAdjustReportPrecision{"按等级评定精度（%s，GB 50026 表 3.3.1）：",
                                      "Precision against the grade (%s, GB 50026 table 3.3.1):"};
// item, value, limit, verdict
constexpr Text kAdjustReportPrecisionLine{"  %s：%s，限差 %s：%s", "  %s: %s, limit %s: %s"};
constexpr Text kAdjustNotJudged{"限差未经核实，仅列出", "limit not confirmed: shown, not judged"};
// traverses N
constexpr Text kPrecisionAngleClosures{"测角中误差（按方位角闭合差，N = %d）",
                                       "angle sigma m_beta from the angular closures (N = %d)"};
// directions
constexpr Text kPrecisionAngleAdjustment{"测角中误差（按平差，%d 个方向）",
                                         "angle sigma m_beta from the adjustment (%d directions)"};
// pairs n, mean side
constexpr Text kPrecisionDistanceReciprocal{
    "测距中误差（按往返测距，n = %d，平均边长 %.0f m）",
    "distance sigma m_D from reciprocal distances (n = %d, mean side %.0f m)"};
constexpr Text kPrecisionRelativeReciprocal{
    "测距相对中误差（按往返测距，n = %d，平均边长 %.0f m）",
    "relative distance sigma from reciprocal distances (n = %d, mean side %.0f m)"};
// distances, mean side
constexpr Text kPrecisionDistanceAdjustment{
    "测距中误差（按平差，%d 条边，平均边长 %.0f m）",
    "distance sigma m_D from the adjustment (%d distances, mean side %.0f m)"};
constexpr Text kPrecisionRelativeAdjustment{
    "测距相对中误差（按平差，%d 条边，平均边长 %.0f m）",
    "relative distance sigma from the adjustment (%d distances, mean side %.0f m)"};
// traverse
// arc seconds
constexpr Text kPrecisionSeconds{"%.1f″", "%.1f\""};
constexpr Text kPrecisionLength{"导线 %s 长度", "traverse %s: length"};
constexpr Text kPrecisionMeanSide{"导线 %s 平均边长", "traverse %s: mean side"};
constexpr Text kPrecisionSides{"导线 %s 边数", "traverse %s: number of sides"};

// The precision a report gives: confidence ellipses, the weakest point and side, the sides and the
// orientations.
constexpr Text kOptionConfidence{"误差椭圆的置信概率",
                                 "the confidence level of the error ellipses"};
constexpr Text kAdjustReportPointName{"点名", "Point"};
constexpr Text kAdjustReportStandardEllipses{
    "误差椭圆 E、F 为标准误差椭圆（1σ），T 为 E 的方位角。",
    "Error ellipses E, F are standard (1 sigma) ellipses; T is the azimuth of E."};
// confidence in percent, scale of the standard ellipse
constexpr Text kAdjustReportConfidenceEllipses{
    "误差椭圆 E、F 为置信概率 %.1f%% 的椭圆（标准误差椭圆的 %.3f 倍），T 为 E 的方位角。",
    "Error ellipses E, F at %.1f%% confidence (%.3f times the standard ellipse); T is the azimuth "
    "of E."};
// point, M_p
constexpr Text kAdjustReportWeakestPoint{
    "最弱点 %s：点位中误差 M_p = %.1f mm"
    "（规范对导线未规定最弱点点位中误差的限差：列出，不作判定）。",
    "Weakest point %s: M_p = %.1f mm (the standard sets no limit on it for a traverse: shown, not "
    "judged)."};
// from, to, 1/T, length, sigma of the length
constexpr Text kAdjustReportWeakestSide{
    "最弱边 %s-%s：边长相对中误差 %s（边长 %.3f m，边长中误差 %.1f mm；"
    "规范对导线未规定其限差：列出，不作判定）。",
    "Weakest side %s-%s: relative sigma %s (length %.3f m, sigma %.1f mm; the standard sets no "
    "limit on it for a traverse: shown, not judged)."};
constexpr Text kAdjustReportSidesHeading{
    "边长与方位角（方位角 ddd.mmss，边长 m；"
    "边长中误差及相对误差椭圆 E、F 单位 mm，方位角中误差单位 ″，T 单位 °）：",
    "Sides (azimuth ddd.mmss, length in m; sigma of the length and relative ellipse E, F in mm, "
    "sigma of the azimuth in arc seconds, T in degrees):"};
// The column names of the sides, in the order of the row.
constexpr Text kAdjustReportSideFrom{"起点", "From"};
constexpr Text kAdjustReportSideTo{"终点", "To"};
constexpr Text kAdjustReportSideAzimuth{"方位角", "Azimuth"};
constexpr Text kAdjustReportSideLength{"边长", "Length"};
constexpr Text kAdjustReportSideSigma{"边长中误差", "sigma D"};
constexpr Text kAdjustReportSideRelative{"相对中误差", "sigma D/D"};
constexpr Text kAdjustReportSideSigmaAzimuth{"方位角中误差", "sigma az"};
constexpr Text kAdjustReportOrientationsHeading{
    "定向角（测站，零方向的方位角 ddd.mmss，中误差单位 ″）：",
    "Orientations (station, azimuth of the zero direction ddd.mmss, sigma in arc seconds):"};
// station, target, kind, value, residual, sigma, sigma of the adjusted value, redundancy, w, MDB,
// flags
constexpr Text kAdjustReportObservationRow{
    "  %-10s %-10s %-9s %14s v = %+8.2f  中误差 %6.2f  平差值中误差 %6.2f  r = %.2f  w = %+6.2f  "
    "MDB %s%s",
    "  %-10s %-10s %-9s %14s v = %+8.2f  sigma %6.2f  adjusted %6.2f  r = %.2f  w = %+6.2f  MDB "
    "%s%s"};

}  // namespace text
}  // namespace traverse

#endif
