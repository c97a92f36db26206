// The texts of the HTML page.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_REPORT_PAGE_TEXTS_H
#define TRAVERSE_REPORT_PAGE_TEXTS_H

#include "platform/text.h"

namespace traverse {
namespace text {

// The page is UTF-8: these texts are used as they stand, never through GBK(). Names from the record
// file fill the %s places after conversion to UTF-8 and escaping.
constexpr char kHtmlTitle[] = "Traverse report";
// file name
constexpr char kHtmlPageTitle[] = "Traverse report: %s";
// version
constexpr char kHtmlFooter[] = "Written by traverse %s.";
// Section headings.
constexpr char kHtmlSummary[] = "Summary";
constexpr char kHtmlPlot[] = "Network plot";
constexpr char kHtmlImport[] = "Import";
constexpr char kHtmlCheckReport[] = "Horizontal-angle check report";
constexpr char kHtmlFieldChecks[] = "Field checks";
constexpr char kHtmlAdjustment[] = "Adjustment";
// Summary facts.
constexpr char kHtmlFile[] = "File";
constexpr char kHtmlKnownPoints[] = "Known points";
constexpr char kHtmlStations[] = "Stations";
constexpr char kHtmlRounds[] = "Rounds";
constexpr char kHtmlObservations[] = "Observations";
constexpr char kHtmlImportResult[] = "Import";
constexpr char kHtmlImportComplete[] = "complete";
// result
constexpr char kHtmlImportFailed[] = "failed (result 0x%08X)";
constexpr char kHtmlGoodVerdict[] = "Within limits: every check passed.";
constexpr char kHtmlBadVerdict[] = "Needs attention:";
// count
constexpr char kHtmlProblemIncomplete[] = "%zu incomplete observation(s)";
constexpr char kHtmlProblemImport[] = "the import failed";
constexpr char kHtmlProblemFieldChecks[] = "%zu field-check value(s) beyond their limits";
constexpr char kHtmlProblemNotAdjusted[] = "the network was not adjusted";
constexpr char kHtmlProblemClosures[] = "%zu closure(s) beyond their limits";
constexpr char kHtmlProblemGlobalTest[] = "the global test failed";
constexpr char kHtmlProblemOutliers[] = "%zu outlier(s)";
// The table of checks in the summary.
constexpr const char* kHtmlCheckColumns[] = {"Check", "Worst value", "Limit", "Result"};
constexpr char kHtmlPass[] = "✓ pass";
constexpr char kHtmlFail[] = "✗ FAIL";
constexpr char kHtmlNotJudged[] = "– not judged";
constexpr char kHtmlNone[] = "–";
// code, item name
constexpr char kHtmlFieldItem[] = "%d %s";
constexpr char kHtmlNoValues[] = "no values";
// Units after a value: arc seconds, millimetres.
constexpr char kHtmlUnitSeconds[] = "\"";
constexpr char kHtmlUnitMillimetres[] = " mm";
// Where a value stands: station, then each part that applies.
constexpr char kHtmlAtStation[] = "at %s";
constexpr char kHtmlAtRound[] = ", round %d";
constexpr char kHtmlAtTarget[] = ", target %s";
constexpr char kHtmlFaceLeft[] = ", face L";
constexpr char kHtmlFaceRight[] = ", face R";
// first station, last station, number of stations
constexpr char kHtmlConnectingTraverse[] = "Connecting traverse %s … %s (%zu stations)";
constexpr char kHtmlClosedLoop[] = "Closed loop from %s (%zu stations)";
constexpr char kHtmlAngularClosure[] = ": angular closure fβ";
constexpr char kHtmlRelativeClosure[] = ": relative closure 1/T";
// value in arc seconds; limit
constexpr char kHtmlSeconds[] = "%+.1f\"";
constexpr char kHtmlSecondsLimit[] = "±%.1f\"";
constexpr char kHtmlReciprocalDistances[] = "Reciprocal distances";
constexpr char kHtmlReciprocalHeights[] = "Reciprocal height differences";
// difference, from, to
constexpr char kHtmlReciprocalWorst[] = "%+.1f mm (%s–%s)";
// limit
constexpr char kHtmlMillimetresLimit[] = "±%.1f mm";
// sigma0
constexpr char kHtmlGlobalTest[] = "Global test (σ₀ = %.3f)";
// v'Pv; the upper bound
constexpr char kHtmlWeightedSquares[] = "v′Pv = %.2f";
constexpr char kHtmlUpperBound[] = "≤ %.2f";
// critical value
constexpr char kHtmlOutliers[] = "Standardized residuals (w-test, |w| > %.2f)";
// w, station, target
constexpr char kHtmlWorstResidual[] = "w = %+.2f (%s → %s)";
constexpr char kHtmlNotAdjusted[] = "Adjustment";
// Import section.
constexpr char kHtmlIncompleteHeading[] = "Incomplete observations";
constexpr char kHtmlNoIncomplete[] = "None: every record has the readings it needs.";
constexpr const char* kHtmlIncompleteColumns[] = {"Station", "Kind", "Target", "Round"};
constexpr char kHtmlValuesNotNumbersHeading[] =
    "Values that are no numbers (read as the number they begin with, else 0)";
constexpr const char* kHtmlValuesNotNumbersColumns[] = {"Station", "Kind",      "Round", "Element",
                                                        "Attribute", "Text", "Line", "Read as"};
constexpr char kHtmlKindHorizontal[] = "horizontal angle (both faces needed)";
constexpr char kHtmlKindZenith[] = "zenith distance (both faces needed)";
constexpr char kHtmlKindDistance[] = "distance (a reading needed)";
constexpr char kHtmlKindTargetHeight[] = "target height (a value needed)";
constexpr char kHtmlImportReportHeading[] = "Import report";
constexpr char kHtmlImportMessagesHeading[] = "Import messages";
constexpr char kHtmlEmptyReport[] = "(empty)";
// Field-check section.
constexpr char kHtmlLimitsHeading[] = "Items and limits (arc seconds; millimetres for 3001 and 3002)";
constexpr const char* kHtmlItemColumns[] = {
    "Item", "Limit", "Limit from", "Values", "Exceeded", "Worst value", "Result"};
// The first columns of the tables per kind; a column per item follows.
constexpr const char* kHtmlFieldColumns[] = {"Station", "Round", "Target"};
constexpr char kHtmlHorizontalTable[] = "Horizontal angle (\")";
constexpr char kHtmlVerticalTable[] = "Vertical angle (\")";
constexpr char kHtmlDistanceTable[] = "Distance (mm)";
constexpr char kHtmlLimitRow[] = "limit";
// code; code with the face
constexpr char kHtmlColumn[] = "%d";
constexpr char kHtmlColumnLeft[] = "%d L";
constexpr char kHtmlColumnRight[] = "%d R";
constexpr char kHtmlValue[] = "%.1f";
constexpr char kHtmlNoFieldValues[] = "No values of this kind.";
constexpr char kHtmlExceededLegend[] = "Values beyond their limits are marked.";
// Long tables and lists: the summary of what <details> holds, and how much of it the page shows.
// the rows of a table that carry no flag
constexpr char kHtmlUnflaggedRows[] = "%zu rows, none flagged";
// the flagged rows beyond those shown and the rest
constexpr char kHtmlMoreRows[] = "%zu more rows";
constexpr char kHtmlListItems[] = "%zu items";
constexpr char kHtmlReportLines[] = "%zu lines";
// shown, total, the command whose text output lists them all
constexpr char kHtmlFirstShown[] = "The first %zu of %zu are shown here; %s lists every one.";
// Adjustment section.
// the reason, as the adjustment gives it
constexpr char kHtmlAdjustmentFailed[] = "Not adjusted: %s";
constexpr char kHtmlSettingsHeading[] = "Settings";
constexpr char kHtmlNotesHeading[] = "Notes";
constexpr char kHtmlClosuresHeading[] = "Closures";
constexpr char kHtmlNoTraverse[] = "No connecting traverse or closed loop was found.";
// Between the stations of a line or a traverse.
constexpr char kHtmlChain[] = " – ";
constexpr const char* kHtmlTraverseColumns[] = {
    "Traverse", "Oriented on", "n", "fβ", "limit", "", "[D] m", "fx mm", "fy mm", "fs mm", "1/T", "limit", ""};
constexpr char kHtmlReciprocalHeading[] = "Reciprocal observations";
constexpr const char* kHtmlReciprocalColumns[] = {
    "Line", "Kind", "Forward m", "Backward m", "Difference mm", "Limit", "Result"};
constexpr char kHtmlReciprocalDistance[] = "distance";
constexpr char kHtmlReciprocalHeight[] = "height difference (sum)";
constexpr char kHtmlTestsHeading[] = "Tests";
constexpr const char* kHtmlTestColumns[] = {"Test", "n", "u", "r", "v′Pv", "σ₀", "Limit", "Result"};
constexpr char kHtmlGlobal[] = "global";
constexpr char kHtmlPlane[] = "plane";
constexpr char kHtmlHeights[] = "heights";
constexpr char kHtmlNoRedundancy[] = "no redundancy, no test";
// iterations
constexpr char kHtmlIterations[] = "Adjusted in %d Gauss-Newton iterations.";
constexpr char kHtmlPointsHeading[] =
    "Points (x north, y east, h in m; σ and ellipse semi-axes in mm, azimuth of a in degrees)";
constexpr const char* kHtmlPointColumns[] = {"Point", "x", "y", "h", "σx", "σy", "σp", "a", "b", "θ °", "σh"};
constexpr char kHtmlFixed[] = "fixed";
constexpr char kHtmlObservationsHeading[] =
    "Observations, outliers first (directions ddd.mmss, residuals in arc seconds; lengths in m, "
    "residuals in mm)";
constexpr const char* kHtmlObservationColumns[] = {
    "Station", "Target", "Kind", "Observed", "v", "σ", "r", "w", "MDB", "Flags"};
constexpr char kHtmlOutlier[] = "outlier";
constexpr char kHtmlWeak[] = "weakly controlled";
constexpr char kHtmlDirection[] = "direction";
constexpr char kHtmlDistance[] = "distance";
constexpr char kHtmlHeightDifference[] = "height";
// Network plot.
constexpr char kHtmlPlotLabel[] = "Plot of the network: known points, new points and sightlines";
constexpr char kHtmlNoPlot[] =
    "No plot can be drawn: no point has plane coordinates (known, or placed from the known points).";
constexpr char kHtmlPlotApproximate[] =
    "The adjustment did not run: the plot shows the known points and the points placed from them by "
    "polar propagation, without error ellipses.";
constexpr char kHtmlLegendKnown[] = "known point";
constexpr char kHtmlLegendNew[] = "new point";
constexpr char kHtmlLegendSightline[] = "sightline";
constexpr char kHtmlLegendOutlier[] = "outlier";
constexpr char kHtmlLegendWeak[] = "weakly controlled";
// magnification
constexpr char kHtmlLegendEllipse[] = "error ellipse ×%s";
constexpr char kHtmlNorth[] = "N";
// length and unit
constexpr char kHtmlScaleMetres[] = "%g m";
constexpr char kHtmlScaleKilometres[] = "%g km";
// Point tooltips: name first, then these lines.
constexpr char kHtmlTipPlane[] = "x = %.4f m, y = %.4f m";
constexpr char kHtmlTipApproximate[] = "x ≈ %.3f m, y ≈ %.3f m (approximate)";
constexpr char kHtmlTipHeight[] = "h = %.4f m";
constexpr char kHtmlTipKnown[] = "known point (fixed)";
constexpr char kHtmlTipSigma[] = "σx = %.1f mm, σy = %.1f mm, σp = %.1f mm";
constexpr char kHtmlTipEllipse[] = "ellipse a = %.1f mm, b = %.1f mm, azimuth %.1f°";
constexpr char kHtmlTipSigmaH[] = "σh = %.1f mm";


// A point's place on the earth in its tooltip, when the coordinate reference system is known.
// latitude, longitude, grid convergence (degrees)
// "struct": the page builder has a function Text of its own.
constexpr struct Text kHtmlTipGeographic{"B = %.9f°，L = %.9f°，子午线收敛角 %.6f°",
                                         "latitude %.9f°, longitude %.9f°, grid convergence %.6f°"};

// The precision against the grade; the grade's name.
// (struct: the page builder's Text() hides the type name.)
constexpr struct Text kHtmlPrecisionHeading{"按等级评定精度（%s，GB 50026 表 3.3.1）",
                                     "Precision against the grade (%s, GB 50026 table 3.3.1)"};
constexpr struct Text kHtmlPrecisionItem{"项目", "Item"};
constexpr struct Text kHtmlPrecisionValue{"实测", "Achieved"};
constexpr struct Text kHtmlPrecisionLimit{"限差", "Limit"};
constexpr struct Text kHtmlPrecisionResult{"结果", "Result"};
// figures beyond their limits
constexpr struct Text kHtmlProblemPrecision{"%zu 项精度指标超出等级限差",
                                            "%zu precision figure(s) beyond the grade's limits"};

// The precision a report gives: ellipses at a confidence, the weakest point and side, the sides
// and the orientations, the sigma of the adjusted observations.
// The page's function Text (report/html.h) hides the name of the catalogue's type.
using PageText = struct Text;
// confidence ("95%"), magnification
constexpr PageText kHtmlLegendConfidenceEllipse{"置信概率 %s 误差椭圆 ×%s",
                                                "%s confidence ellipse ×%s"};
// confidence in percent, scale of the standard ellipse
constexpr PageText kHtmlConfidenceEllipses{
    "误差椭圆（点与边）为置信概率 %.1f%% 的椭圆，即标准误差椭圆的 %.3f 倍。",
    "The error ellipses (of points and sides) are at %.1f%% confidence: %.3f times the standard "
    "ellipse."};
constexpr PageText kHtmlWeakestPointCheck{"最弱点点位中误差 M_p", "Weakest point, σp"};
// point, M_p
constexpr PageText kHtmlWeakestPointValue{"%s：%.1f mm", "%s: %.1f mm"};
constexpr PageText kHtmlWeakestSideCheck{"最弱边边长相对中误差", "Weakest side, σD/D"};
// from, to, 1/T
constexpr PageText kHtmlWeakestSideValue{"%s – %s：%s", "%s – %s: %s"};
constexpr PageText kHtmlNoLimit{"规范未规定（不作判定）", "none in the standard (not judged)"};
constexpr PageText kHtmlSidesHeading{
    "边长与方位角（方位角 ddd.mmss，边长 m，边长中误差与相对误差椭圆 mm，方位角中误差 ″）",
    "Sides (azimuth ddd.mmss, length in m, σ of the length and relative ellipse in mm, σ of the "
    "azimuth in arc seconds)"};
constexpr PageText kHtmlSideColumns[] = {
    {"起点", "From"},     {"终点", "To"},         {"方位角", "Azimuth"},  {"边长", "Length"},
    {"边长中误差", "σD"}, {"相对中误差", "σD/D"}, {"方位角中误差", "σα"}, {"E", "a"},
    {"F", "b"},           {"T °", "θ °"}};
constexpr PageText kHtmlOrientationsHeading{
    "定向角（零方向的方位角 ddd.mmss，中误差 ″）",
    "Orientations (azimuth of the zero direction ddd.mmss, σ in arc seconds)"};
constexpr PageText kHtmlOrientationColumns[] = {
    {"测站", "Station"}, {"定向角", "Orientation"}, {"中误差", "σ"}};
// The observations' columns with the sigma of the adjusted observation.
constexpr PageText kHtmlAdjustedObservationColumns[] = {{"测站", "Station"},
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
