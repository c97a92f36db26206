// The texts of the HTML page.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_REPORT_PAGE_TEXTS_H
#define TRAVERSE_REPORT_PAGE_TEXTS_H

#include "platform/text.h"

namespace traverse {
namespace text {

// The page is UTF-8: these texts are used as they stand, never through GBK(). Names from the record
// file fill the %s places after conversion to UTF-8 and escaping.
constexpr Text kHtmlTitle{"导线测量报告", "Traverse report"};
// file name
constexpr Text kHtmlPageTitle{"导线测量报告：%s", "Traverse report: %s"};
// version
constexpr Text kHtmlFooter{"由traverse %s生成。", "Written by traverse %s."};
// Section headings.
constexpr Text kHtmlSummary{"概要", "Summary"};
constexpr Text kHtmlPlot{"网图", "Network plot"};
constexpr Text kHtmlImport{"导入", "Import"};
constexpr Text kHtmlCheckReport{"水平角检查报告", "Horizontal-angle check report"};
constexpr Text kHtmlFieldChecks{"外业检查", "Field checks"};
constexpr Text kHtmlAdjustment{"平差", "Adjustment"};
// Summary facts.
constexpr Text kHtmlFile{"文件", "File"};
constexpr Text kHtmlKnownPoints{"已知点", "Known points"};
constexpr Text kHtmlStations{"测站", "Stations"};
constexpr Text kHtmlRounds{"测回", "Rounds"};
constexpr Text kHtmlObservations{"观测值", "Observations"};
constexpr Text kHtmlImportResult{"导入", "Import"};
constexpr Text kHtmlImportComplete{"完成", "complete"};
// result
constexpr Text kHtmlImportFailed{"失败（结果0x%08X）", "failed (result 0x%08X)"};
constexpr Text kHtmlGoodVerdict{"全部合格：各项检查均在限差之内。",
                                "Within limits: every check passed."};
constexpr Text kHtmlBadVerdict{"需要注意：", "Needs attention:"};
// count
constexpr Text kHtmlProblemIncomplete{"%zu个观测值不完整", "%zu incomplete observation(s)"};
constexpr Text kHtmlProblemImport{"导入失败", "the import failed"};
constexpr Text kHtmlProblemFieldChecks{"%zu个外业检查值超限",
                                       "%zu field-check value(s) beyond their limits"};
constexpr Text kHtmlProblemNotAdjusted{"网未平差", "the network was not adjusted"};
constexpr Text kHtmlProblemClosures{"%zu个闭合差超限", "%zu closure(s) beyond their limits"};
constexpr Text kHtmlProblemGlobalTest{"整体检验未通过", "the global test failed"};
constexpr Text kHtmlProblemOutliers{"%zu个粗差", "%zu outlier(s)"};
// The table of checks in the summary.
constexpr Text kHtmlCheckColumns[] = {
    {"检查项", "Check"}, {"最大值", "Worst value"}, {"限差", "Limit"}, {"结果", "Result"}};
constexpr Text kHtmlPass{"✓ 合格", "✓ pass"};
constexpr Text kHtmlFail{"✗ 超限", "✗ FAIL"};
constexpr Text kHtmlNotJudged{"– 不判定", "– not judged"};
constexpr char kHtmlNone[] = "–";
// code, item name
constexpr char kHtmlFieldItem[] = "%d %s";
constexpr Text kHtmlNoValues{"无值", "no values"};
// Units after a value: arc seconds, millimetres.
constexpr Text kHtmlUnitSeconds{"″", "\""};
constexpr char kHtmlUnitMillimetres[] = " mm";
// Where a value stands: station, then each part that applies.
constexpr Text kHtmlAtStation{"测站%s", "at %s"};
constexpr Text kHtmlAtRound{"，第%d测回", ", round %d"};
constexpr Text kHtmlAtTarget{"，目标%s", ", target %s"};
constexpr Text kHtmlFaceLeft{"，盘左", ", face L"};
constexpr Text kHtmlFaceRight{"，盘右", ", face R"};
// first station, last station, number of stations
constexpr Text kHtmlConnectingTraverse{"附合导线%s … %s（%zu个测站）",
                                       "Connecting traverse %s … %s (%zu stations)"};
constexpr Text kHtmlClosedLoop{"闭合导线，起于%s（%zu个测站）",
                               "Closed loop from %s (%zu stations)"};
constexpr Text kHtmlAngularClosure{"：方位角闭合差fβ", ": angular closure fβ"};
constexpr Text kHtmlRelativeClosure{"：全长相对闭合差1/T", ": relative closure 1/T"};
// value in arc seconds; limit
constexpr Text kHtmlSeconds{"%+.1f″", "%+.1f\""};
constexpr Text kHtmlSecondsLimit{"±%.1f″", "±%.1f\""};
constexpr Text kHtmlReciprocalDistances{"对向观测距离", "Reciprocal distances"};
constexpr Text kHtmlReciprocalHeights{"对向观测高差", "Reciprocal height differences"};
// difference, from, to
constexpr Text kHtmlReciprocalWorst{"%+.1f mm（%s–%s）", "%+.1f mm (%s–%s)"};
// limit
constexpr char kHtmlMillimetresLimit[] = "±%.1f mm";
// sigma0
constexpr Text kHtmlGlobalTest{"整体检验（单位权中误差σ₀ = %.3f）", "Global test (σ₀ = %.3f)"};
// v'Pv; the upper bound
constexpr char kHtmlWeightedSquares[] = "v′Pv = %.2f";
constexpr char kHtmlUpperBound[] = "≤ %.2f";
// critical value
constexpr Text kHtmlOutliers{"标准化残差（w检验，|w| > %.2f）",
                             "Standardized residuals (w-test, |w| > %.2f)"};
// w, station, target
constexpr char kHtmlWorstResidual[] = "w = %+.2f (%s → %s)";
constexpr Text kHtmlNotAdjusted{"平差", "Adjustment"};
// Import section.
constexpr Text kHtmlIncompleteHeading{"不完整的观测值", "Incomplete observations"};
constexpr Text kHtmlNoIncomplete{"无：每条记录都有所需的读数。",
                                 "None: every record has the readings it needs."};
constexpr Text kHtmlIncompleteColumns[] = {
    {"测站", "Station"}, {"类型", "Kind"}, {"目标", "Target"}, {"测回", "Round"}};
constexpr Text kHtmlValuesNotNumbersHeading{
    "不是数值的值（按其开头的数值读取，否则为0）",
    "Values that are no numbers (read as the number they begin with, else 0)"};
constexpr Text kHtmlValuesNotNumbersColumns[] = {
    {"测站", "Station"},   {"类型", "Kind"}, {"测回", "Round"}, {"元素", "Element"},
    {"属性", "Attribute"}, {"文本", "Text"}, {"行号", "Line"},  {"读作", "Read as"}};
constexpr Text kHtmlKindHorizontal{"水平角（需盘左、盘右读数）",
                                   "horizontal angle (both faces needed)"};
constexpr Text kHtmlKindZenith{"天顶距（需盘左、盘右读数）", "zenith distance (both faces needed)"};
constexpr Text kHtmlKindDistance{"距离（需一个读数）", "distance (a reading needed)"};
constexpr Text kHtmlKindTargetHeight{"目标高（需一个值）", "target height (a value needed)"};
constexpr Text kHtmlImportReportHeading{"导入报告", "Import report"};
constexpr Text kHtmlImportMessagesHeading{"导入信息", "Import messages"};
constexpr Text kHtmlEmptyReport{"（空）", "(empty)"};
// Field-check section.
constexpr Text kHtmlLimitsHeading{"检查项目与限差（角秒；3001、3002为毫米）",
                                  "Items and limits (arc seconds; millimetres for 3001 and 3002)"};
constexpr Text kHtmlItemColumns[] = {
    {"项目", "Item"},     {"限差", "Limit"},         {"限差来源", "Limit from"}, {"个数", "Values"},
    {"超限", "Exceeded"}, {"最大值", "Worst value"}, {"结果", "Result"}};
// The first columns of the tables per kind; a column per item follows.
constexpr Text kHtmlFieldColumns[] = {{"测站", "Station"}, {"测回", "Round"}, {"目标", "Target"}};
constexpr Text kHtmlHorizontalTable{"水平角（″）", "Horizontal angle (\")"};
constexpr Text kHtmlVerticalTable{"垂直角（″）", "Vertical angle (\")"};
constexpr Text kHtmlDistanceTable{"距离（mm）", "Distance (mm)"};
constexpr Text kHtmlLimitRow{"限差", "limit"};
// code; code with the face
constexpr char kHtmlColumn[] = "%d";
constexpr Text kHtmlColumnLeft{"%d 盘左", "%d L"};
constexpr Text kHtmlColumnRight{"%d 盘右", "%d R"};
constexpr char kHtmlValue[] = "%.1f";
constexpr Text kHtmlNoFieldValues{"无此类观测值。", "No values of this kind."};
constexpr Text kHtmlExceededLegend{"超限的值已标出。", "Values beyond their limits are marked."};
// Long tables and lists: the summary of what <details> holds, and how much of it the page shows.
// the rows of a table that carry no flag
constexpr Text kHtmlUnflaggedRows{"%zu行，无标记", "%zu rows, none flagged"};
// the flagged rows beyond those shown and the rest
constexpr Text kHtmlMoreRows{"另有%zu行", "%zu more rows"};
constexpr Text kHtmlListItems{"%zu项", "%zu items"};
constexpr Text kHtmlReportLines{"%zu行", "%zu lines"};
// shown, total, the command whose text output lists them all
constexpr Text kHtmlFirstShown{"此处列出前%zu个（共%zu个）；%s列出全部。",
                               "The first %zu of %zu are shown here; %s lists every one."};
// Adjustment section.
// the reason, as the adjustment gives it
constexpr Text kHtmlAdjustmentFailed{"未平差：%s", "Not adjusted: %s"};
constexpr Text kHtmlSettingsHeading{"设置", "Settings"};
constexpr Text kHtmlNotesHeading{"说明", "Notes"};
constexpr Text kHtmlClosuresHeading{"闭合差", "Closures"};
constexpr Text kHtmlNoTraverse{"未找到附合导线或闭合导线。",
                               "No connecting traverse or closed loop was found."};
// Between the stations of a line or a traverse.
constexpr char kHtmlChain[] = " – ";
constexpr Text kHtmlTraverseColumns[] = {{"导线", "Traverse"},
                                         {"起算方向", "Oriented on"},
                                         {"n", "n"},
                                         {"fβ", "fβ"},
                                         {"限差", "limit"},
                                         {"", ""},
                                         {"[D] m", "[D] m"},
                                         {"fx mm", "fx mm"},
                                         {"fy mm", "fy mm"},
                                         {"fs mm", "fs mm"},
                                         {"1/T", "1/T"},
                                         {"限差", "limit"},
                                         {"", ""}};
constexpr Text kHtmlReciprocalHeading{"对向观测", "Reciprocal observations"};
constexpr Text kHtmlReciprocalColumns[] = {{"边", "Line"},
                                           {"类型", "Kind"},
                                           {"往测 m", "Forward m"},
                                           {"返测 m", "Backward m"},
                                           {"较差 mm", "Difference mm"},
                                           {"限差", "Limit"},
                                           {"结果", "Result"}};
constexpr Text kHtmlReciprocalDistance{"距离", "distance"};
constexpr Text kHtmlReciprocalHeight{"高差（之和）", "height difference (sum)"};
constexpr Text kHtmlTestsHeading{"检验", "Tests"};
constexpr Text kHtmlTestColumns[] = {{"检验", "Test"},  {"n", "n"},        {"u", "u"},
                                     {"r", "r"},        {"v′Pv", "v′Pv"},  {"σ₀", "σ₀"},
                                     {"限值", "Limit"}, {"结果", "Result"}};
constexpr Text kHtmlGlobal{"整体", "global"};
constexpr Text kHtmlPlane{"平面", "plane"};
constexpr Text kHtmlHeights{"高程", "heights"};
constexpr Text kHtmlNoRedundancy{"无多余观测，不作检验", "no redundancy, no test"};
// iterations
constexpr Text kHtmlIterations{"经%d次高斯-牛顿迭代完成平差。",
                               "Adjusted in %d Gauss-Newton iterations."};
constexpr Text kHtmlPointsHeading{
    "点（x向北，y向东，h，单位m；中误差与误差椭圆半轴单位mm，a的方位角单位°）",
    "Points (x north, y east, h in m; σ and ellipse semi-axes in mm, azimuth of a in degrees)"};
constexpr Text kHtmlPointColumns[] = {{"点名", "Point"}, {"x", "x"},     {"y", "y"},   {"h", "h"},
                                      {"σx", "σx"},      {"σy", "σy"},   {"σp", "σp"}, {"a", "a"},
                                      {"b", "b"},        {"θ °", "θ °"}, {"σh", "σh"}};
constexpr Text kHtmlFixed{"已知", "fixed"};
constexpr Text kHtmlObservationsHeading{
    "观测值，粗差在前（方向ddd."
    "mmss，改正数单位″；长度单位m，改正数单位mm；r为多余观测分量，w为标准化残差）",
    "Observations, outliers first (directions ddd.mmss, residuals in arc seconds; lengths in m, "
    "residuals in mm)"};
constexpr Text kHtmlOutlier{"粗差", "outlier"};
constexpr Text kHtmlWeak{"控制弱", "weakly controlled"};
constexpr Text kHtmlDirection{"方向", "direction"};
constexpr Text kHtmlDistance{"距离", "distance"};
constexpr Text kHtmlHeightDifference{"高差", "height"};
// Network plot.
constexpr Text kHtmlPlotLabel{"网图：已知点、待定点与观测边",
                              "Plot of the network: known points, new points and sightlines"};
constexpr Text kHtmlNoPlot{"无法绘制网图：没有点具有平面坐标（已知的，或由已知点推算的）。",
                           "No plot can be drawn: no point has plane coordinates (known, or placed "
                           "from the known points)."};
constexpr Text kHtmlPlotApproximate{
    "平差未进行：网图显示已知点和由其按极坐标推算的点，不含误差椭圆。",
    "The adjustment did not run: the plot shows the known points and the points placed from them "
    "by "
    "polar propagation, without error ellipses."};
constexpr Text kHtmlLegendKnown{"已知点", "known point"};
constexpr Text kHtmlLegendNew{"待定点", "new point"};
constexpr Text kHtmlLegendSightline{"观测边", "sightline"};
constexpr Text kHtmlLegendOutlier{"粗差", "outlier"};
constexpr Text kHtmlLegendWeak{"控制弱", "weakly controlled"};
// magnification
constexpr Text kHtmlLegendEllipse{"误差椭圆 ×%s", "error ellipse ×%s"};
constexpr Text kHtmlNorth{"北", "N"};
// length and unit
constexpr char kHtmlScaleMetres[] = "%g m";
constexpr char kHtmlScaleKilometres[] = "%g km";
// Point tooltips: name first, then these lines.
constexpr char kHtmlTipPlane[] = "x = %.4f m, y = %.4f m";
constexpr Text kHtmlTipApproximate{"x ≈ %.3f m，y ≈ %.3f m（近似）",
                                   "x ≈ %.3f m, y ≈ %.3f m (approximate)"};
constexpr char kHtmlTipHeight[] = "h = %.4f m";
constexpr Text kHtmlTipKnown{"已知点（固定）", "known point (fixed)"};
constexpr Text kHtmlTipSigma{"σx = %.1f mm，σy = %.1f mm，点位中误差σp = %.1f mm",
                             "σx = %.1f mm, σy = %.1f mm, σp = %.1f mm"};
constexpr Text kHtmlTipEllipse{"误差椭圆a = %.1f mm，b = %.1f mm，方位角%.1f°",
                               "ellipse a = %.1f mm, b = %.1f mm, azimuth %.1f°"};
constexpr Text kHtmlTipSigmaH{"高程中误差σh = %.1f mm", "σh = %.1f mm"};
// The page's language, as <html lang> names it.
constexpr Text kHtmlLanguage{"zh-CN", "en"};


// A point's place on the earth in its tooltip, when the coordinate reference system is known.
// latitude, longitude, grid convergence (degrees)
constexpr Text kHtmlTipGeographic{"B = %.9f°，L = %.9f°，子午线收敛角 %.6f°",
                                         "latitude %.9f°, longitude %.9f°, grid convergence %.6f°"};

// The precision against the grade; the grade's name.
constexpr Text kHtmlPrecisionHeading{"按等级评定精度（%s，GB 50026 表 3.3.1）",
                                     "Precision against the grade (%s, GB 50026 table 3.3.1)"};
constexpr Text kHtmlPrecisionItem{"项目", "Item"};
constexpr Text kHtmlPrecisionValue{"实测", "Achieved"};
constexpr Text kHtmlPrecisionLimit{"限差", "Limit"};
constexpr Text kHtmlPrecisionResult{"结果", "Result"};
// figures beyond their limits
constexpr Text kHtmlProblemPrecision{"%zu 项精度指标超出等级限差",
                                            "%zu precision figure(s) beyond the grade's limits"};

// The precision a report gives: ellipses at a confidence, the weakest point and side, the sides
// and the orientations, the sigma of the adjusted observations.
// confidence ("95%"), magnification
constexpr Text kHtmlLegendConfidenceEllipse{"置信概率 %s 误差椭圆 ×%s",
                                                "%s confidence ellipse ×%s"};
// confidence in percent, scale of the standard ellipse
constexpr Text kHtmlConfidenceEllipses{
    "误差椭圆（点与边）为置信概率 %.1f%% 的椭圆，即标准误差椭圆的 %.3f 倍。",
    "The error ellipses (of points and sides) are at %.1f%% confidence: %.3f times the standard "
    "ellipse."};
constexpr Text kHtmlWeakestPointCheck{"最弱点点位中误差 M_p", "Weakest point, σp"};
// point, M_p
constexpr Text kHtmlWeakestPointValue{"%s：%.1f mm", "%s: %.1f mm"};
constexpr Text kHtmlWeakestSideCheck{"最弱边边长相对中误差", "Weakest side, σD/D"};
// from, to, 1/T
constexpr Text kHtmlWeakestSideValue{"%s – %s：%s", "%s – %s: %s"};
constexpr Text kHtmlNoLimit{"规范未规定（不作判定）", "none in the standard (not judged)"};
constexpr Text kHtmlSidesHeading{
    "边长与方位角（方位角 ddd.mmss，边长 m，边长中误差与相对误差椭圆 mm，方位角中误差 ″）",
    "Sides (azimuth ddd.mmss, length in m, σ of the length and relative ellipse in mm, σ of the "
    "azimuth in arc seconds)"};
constexpr Text kHtmlSideColumns[] = {
    {"起点", "From"},     {"终点", "To"},         {"方位角", "Azimuth"},  {"边长", "Length"},
    {"边长中误差", "σD"}, {"相对中误差", "σD/D"}, {"方位角中误差", "σα"}, {"E", "a"},
    {"F", "b"},           {"T °", "θ °"}};
constexpr Text kHtmlOrientationsHeading{
    "定向角（零方向的方位角 ddd.mmss，中误差 ″）",
    "Orientations (azimuth of the zero direction ddd.mmss, σ in arc seconds)"};
constexpr Text kHtmlOrientationColumns[] = {
    {"测站", "Station"}, {"定向角", "Orientation"}, {"中误差", "σ"}};
// The observations' columns with the sigma of the adjusted observation.
constexpr Text kHtmlAdjustedObservationColumns[] = {{"测站", "Station"},
                                                        {"照准点", "Target"},
                                                        {"类别", "Kind"},
                                                        {"观测值", "Observed"},
                                                        {"改正数 v", "v"},
                                                        {"中误差", "σ"},
                                                        {"平差值中误差", "σ adjusted"},
                                                        {"r", "r"},
                                                        {"w", "w"},
                                                        {"MDB", "MDB"},
                                                        {"标记", "Flags"}};

}  // namespace text
}  // namespace traverse

#endif
