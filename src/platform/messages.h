// Every text the library shows to people: message boxes, report lines and headings, error formats.
// UTF-8 here; GBK("...") gives the GBK form at run time. printf formats say what fills each place.
#ifndef TRAVERSE_PLATFORM_MESSAGES_H
#define TRAVERSE_PLATFORM_MESSAGES_H

namespace traverse {
namespace text {

// ---- import --------------------------------------------------------------------------------------
// path, line, column, source text, reason
constexpr char kParseErrorReport[] =
    "打开文件(%s)错误。\n错误行号：%ld；错误列号：%ld。\n错误数据：%s。\n错误原因：%s";
constexpr char kUnexpectedError[] = "不可预知的异常错误！";
// line, attribute, text, number read; then station / element, round kind, round number, station
constexpr char kValueNotNumber[] = "line %ld: %s=\"%s\" of %s is no number; read as %.15g";
constexpr char kValueOfStation[] = "station %s";
constexpr char kValueOfRecord[] = "<%s> in %s round %d of station %s";
constexpr char kValueOfTargetHeight[] = "<%s> in the target heights of station %s";
// line, column, the text (cut short)
constexpr char kTextWhereRecordBelongs[] =
    "line %ld, column %ld: text \"%s\" where a record element was expected";
// station, round number, target
constexpr char kIncompleteHorizontal[] =
    "测站%s水平角观测第%ld测回中，目标点%s读数不够，即缺盘左或盘右数据！";
constexpr char kIncompleteZenith[] =
    "测站%s垂直角观测第%ld测回中，目标点%s读数不够，即缺盘左或盘右数据！";
constexpr char kIncompleteDistance[] = "测站%s距离观测第%ld测回中，缺目标点%s读数！";
// station, target
constexpr char kIncompleteTargetHeight[] = "测站%s，缺目标点%s的目标高！";
// Appended to the section path and item name of a rejected tolerance item.
constexpr char kUnknownToleranceItem[] = "键名错误！";
constexpr char kToleranceItemAttributes[] = "属性项目错误！";
// Appended to the section path and name of a rejected known point.
constexpr char kKnownPointWithoutX[] = "缺x项";
constexpr char kKnownPointWithoutY[] = "缺y项";
constexpr char kKnownPointWithoutData[] = "没有合法数据项!";

// ---- horizontal-angle check report ----------------------------------------------------------------
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

// ---- field checks --------------------------------------------------------------------------------
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

// ---- adjustment input file ------------------------------------------------------------------------
constexpr char kCannotOpenOutput[] = "打开文件错误！";
constexpr char kClosingTargetDiffers[] = "半测回归零方向与第一个定向点不一致！";
constexpr char kNoSecondOrientation[] = "右角观测没有跟第一个定向点一致的目标！";

// ---- framework exceptions -------------------------------------------------------------------------
constexpr char kOutOfMemory[] = "内存不足。";
// action (one of the four below), file name, the system's reason
constexpr char kFileError[] = "%s文件(%s)时出错：%s";
constexpr char kFileActionRead[] = "读";
constexpr char kFileActionWrite[] = "写";
constexpr char kFileActionSeek[] = "定位";
constexpr char kFileActionClose[] = "关闭";

// ---- XML access layer: the library's own limits on a record file ----------------------------------
// The parse reasons of the XML access layer are English; these stand beside them.
constexpr char kXmlFileTooLarge[] = "The file is larger than 512 MB, more than a record file can hold.";
constexpr char kXmlNestedTooDeep[] = "Elements are nested more than 1048576 levels deep.";
constexpr char kXmlNameTooLong[] = "A name is longer than 50000 characters.";
constexpr char kXmlEntitiesTooDeep[] = "Entity references are nested more than 40 levels deep.";
constexpr char kXmlEntityExpansionTooLarge[] = "Entity expansion exceeds the limit.";

// ---- adjustment -----------------------------------------------------------------------------------
// option name, condition, value given
constexpr char kAdjustInvalidOption[] = "Invalid option: %s must be %s (given %g).";
constexpr char kOptionDirectionSigma[] = "the direction sigma (arc seconds)";
constexpr char kOptionDistanceSigmaA[] = "the distance sigma a (mm)";
constexpr char kOptionDistanceSigmaB[] = "the distance sigma b (ppm)";
constexpr char kOptionHeightSigma[] = "the height-difference sigma (mm/km)";
constexpr char kOptionRefraction[] = "the refraction coefficient k";
constexpr char kOptionEarthRadius[] = "the earth radius R";
constexpr char kOptionSurfaceHeight[] = "the surface height H0";
constexpr char kOptionYOffset[] = "the y offset Ym";
constexpr char kOptionAlpha[] = "the significance level alpha";
constexpr char kOptionWTest[] = "the w-test critical value";
constexpr char kOptionDelta0[] = "the MDB non-centrality delta0";
constexpr char kOptionAbove0[] = "greater than 0";
constexpr char kOptionAtLeast0[] = "at least 0";
constexpr char kOptionUnitRange[] = "between -1 and 1";
constexpr char kOptionHeightRange[] = "between -10000 and 10000 m";
constexpr char kOptionYOffsetRange[] = "between -1000000 and 1000000 m";
constexpr char kOptionOpenUnit[] = "between 0 and 1";
constexpr char kAdjustNoStations[] = "No station carries observations: there is nothing to adjust.";
constexpr char kAdjustNothingLeft[] =
    "Nothing is left to adjust: every observation depends on a value that is no number "
    "(see the notes).";
constexpr char kAdjustNoKnownPoints[] = "No known point has x and y: the network has no datum.";
constexpr char kAdjustNoOrientation[] =
    "No station on a known point sights another known point: no station can be oriented.";
// point
constexpr char kAdjustDuplicateKnownPoint[] = "Known point \"%s\" is listed more than once.";
// station, target, round number
constexpr char kAdjustDuplicateTarget[] =
    "Station \"%s\": target \"%s\" is named more than once in horizontal round %d (duplicated "
    "target name).";
// station, target (the same name)
constexpr char kAdjustSelfObservation[] = "Station \"%s\" observes itself (target \"%s\").";
// station, target
constexpr char kAdjustNotANumber[] =
    "Station \"%s\": the observation of \"%s\" is not a usable number.";
constexpr char kAdjustDistanceTooShort[] =
    "Station \"%s\": the horizontal distance to \"%s\" is not positive or is shorter than 1 mm.";
// station, target, zenith distance (ddd.mmss), slope distance
constexpr char kAdjustVerticalSighting[] =
    "Station \"%s\": the zenith distance to \"%s\" is %.4f (ddd.mmss): the slope distance of %.3f "
    "m leaves no horizontal distance.";
// point
constexpr char kAdjustUnreachable[] =
    "Point \"%s\" cannot be reached: polar propagation needs a direction and a distance to it from "
    "an oriented station.";
constexpr char kAdjustSingularPoint[] =
    "The observations do not determine point \"%s\" (singular normal equations).";
constexpr char kAdjustSingularOrientation[] =
    "The observations do not determine the orientation of station \"%s\" (singular normal "
    "equations).";
constexpr char kAdjustSingularHeight[] =
    "The height differences do not determine the height of \"%s\".";
// point, point
constexpr char kAdjustCoincident[] =
    "Points \"%s\" and \"%s\" coincide: no direction or distance can join them.";
// iterations
constexpr char kAdjustNotConverged[] =
    "The adjustment did not converge in %d iterations (largest correction still 0.01 mm or more).";
// point
constexpr char kAdjustSurfaceNeedsHeight[] =
    "The reduction to the surface height needs the height of point \"%s\", which it has not.";
// from, to, factor
constexpr char kAdjustReductionFactor[] =
    "The reduction to the projection plane changes the distance \"%s\"-\"%s\" by the factor "
    "%.6f, outside 0.99 to 1.01: the surface height H0 or the y offset Ym does not suit the "
    "network.";
// station, what the reduction of its rounds said
constexpr char kAdjustNoteReduction[] = "Station \"%s\": %s";
// station, target
constexpr char kAdjustNoteNoZenith[] =
    "Station \"%s\": the distance to \"%s\" has no zenith distance and is taken as horizontal.";
constexpr char kAdjustNoteNoTargetHeight[] =
    "Station \"%s\": no target height for \"%s\", so that line gives no height difference.";
// what is left out, the value's description
constexpr char kAdjustNoteValueLeftOut[] = "Left out: %s, as %s.";
// target, kind, round, station
constexpr char kAdjustLeftOutRecord[] =
    "the record of \"%s\" in %s round %d of station \"%s\"";
constexpr char kAdjustLeftOutRound[] = "%s round %d of station \"%s\"";
constexpr char kAdjustLeftOutTargetHeight[] = "the target height of \"%s\" at station \"%s\"";
constexpr char kAdjustLeftOutDistances[] =
    "the distances and height differences of station \"%s\"";
constexpr char kAdjustLeftOutHeights[] = "the height differences of station \"%s\"";
constexpr char kAdjustNoteHeightsUnusable[] =
    "Station \"%s\": the instrument or target height for \"%s\" is not a usable number (within "
    "1e9 m), so that line gives no height difference.";
constexpr char kAdjustNoteLoneTarget[] =
    "Station \"%s\": \"%s\" is sighted by this one direction only and is left out.";
// point
constexpr char kAdjustNoteKnownPlaneUnusable[] =
    "Known point \"%s\": x and y are not both usable numbers (within 1e9 m); its position is left "
    "out.";
constexpr char kAdjustNoteKnownHeightUnusable[] =
    "Known point \"%s\": its height is not a usable number (within 1e9 m) and is left out.";
constexpr char kAdjustNoteNoHeight[] =
    "Point \"%s\": no known height reaches it; it has no height.";
constexpr char kAdjustNoteNotSimple[] =
    "The network is no simple traverse: closures are given for the traverses found; the adjustment "
    "covers the whole network.";
constexpr char kAdjustHeightOrder4[] = "四等";
constexpr char kAdjustHeightOrder5[] = "五等";
// report
constexpr char kAdjustReportBanner[] = "*** Traverse adjustment ***";
// grade name, where it came from
constexpr char kAdjustReportGrade[] = "Grade %s (%s).";
constexpr char kAdjustSourceDefault[] = "default";
constexpr char kAdjustSourceOption[] = "given";
constexpr char kAdjustSourceGrade[] = "grade";
// direction sigma, source, a, source, b, source, height sigma, source
constexpr char kAdjustReportSigmas[] =
    "A-priori sigma: direction %.2f\" (%s), distance %.1f mm (%s) + %.1f ppm (%s), height "
    "difference %.1f mm/km (%s).";
// k, R
constexpr char kAdjustReportModel[] =
    "Horizontal distance D = S sin Z; height difference S cos Z + i - v + (1 - k) D^2 / 2R with "
    "k = %.3f, R = %.0f m.";
constexpr char kAdjustReportNoReduction[] = "Distances are not reduced to a projection plane.";
// H0
constexpr char kAdjustReportSurface[] = "Distances reduced to the surface height H0 = %.3f m.";
// Ym
constexpr char kAdjustReportGaussPlane[] =
    "Distances reduced to the Gauss plane, y less the false easting Ym = %.3f m.";
// m, T, height factor, height class
constexpr char kAdjustReportLimits[] =
    "Limits: angular closure %.1f\" sqrt(n), relative closure 1/%.0f, reciprocal distances "
    "2 (a + b D), reciprocal height differences %.0f sqrt(D km) mm (%s).";
// alpha, critical w, delta0
constexpr char kAdjustReportTests[] =
    "Global test at alpha = %.3f (chi-square, one-sided); w-test critical value %.2f; MDB with "
    "delta0 = %.2f.";
constexpr char kAdjustReportNotes[] = "Notes:";
constexpr char kAdjustReportClosures[] = "Closures:";
constexpr char kAdjustReportNoTraverse[] = "  No connecting traverse or closed loop was found.";
// stations joined by '-', start orientation, end orientation
constexpr char kAdjustReportConnecting[] = "  Connecting traverse %s (oriented on %s and %s)";
constexpr char kAdjustReportLoop[] = "  Closed loop %s (oriented on %s; %s)";
// n, f_beta, limit, verdict
constexpr char kAdjustReportAngular[] = "    n = %d, f_beta = %+.1f\", limit +-%.1f\": %s";
// [D], fx, fy, fs, 1/T, limit 1/T, verdict
constexpr char kAdjustReportPosition[] =
    "    [D] = %.3f m, fx = %+.1f mm, fy = %+.1f mm, fs = %.1f mm, %s, limit %s: %s";
// from, to, forward, backward, difference, limit, verdict
constexpr char kAdjustReportReciprocalDistance[] =
    "  Reciprocal distance %s-%s: %.4f / %.4f m, difference %+.1f mm, limit +-%.1f mm: %s";
constexpr char kAdjustReportReciprocalHeight[] =
    "  Reciprocal height difference %s-%s: %+.4f / %+.4f m, sum %+.1f mm, limit +-%.1f mm: %s";
constexpr char kAdjustPass[] = "pass";
constexpr char kAdjustFail[] = "FAIL";
// the error
constexpr char kAdjustReportFailed[] = "Not adjusted: %s";
// iterations
constexpr char kAdjustReportIterations[] = "Adjusted in %d Gauss-Newton iterations.";
constexpr char kAdjustReportGlobal[] = "Global test";
constexpr char kAdjustReportPlane[] = "  plane";
constexpr char kAdjustReportHeights[] = "  heights";
// label, n, u, r, v'Pv, sigma0, upper bound, verdict
constexpr char kAdjustReportTest[] =
    "%s: n = %d, u = %d, r = %d, v'Pv = %.2f, sigma0 = %.3f, limit %.2f: %s";
constexpr char kAdjustReportTestBetter[] =
    " (v'Pv below %.2f: the observations are better than their a-priori sigmas)";
// label, n, u, r
constexpr char kAdjustReportTestNone[] = "%s: n = %d, u = %d, r = %d: no redundancy, no test";
constexpr char kAdjustReportPointsHeading[] =
    "Points (x north, y east, h in m; sigma x, sigma y, sigma p, ellipse a, b in mm, azimuth of a "
    "in degrees; sigma h in mm):";
// name, x, y, h, plane precision or fixed, height precision or fixed
constexpr char kAdjustReportPoint[] = "  %-12s %14s %14s %10s  %s  %s";
// sigma x, sigma y, sigma p, a, b, azimuth
constexpr char kAdjustReportPointPlane[] = "%5.1f %5.1f %5.1f  %5.1f %5.1f %5.1f";
constexpr char kAdjustReportFixed[] = "fixed";
constexpr char kAdjustReportNone[] = "-";
constexpr char kAdjustReportObservationsHeading[] =
    "Observations, outliers first (direction ddd.mmss and residuals in arc seconds; lengths in m "
    "and residuals in mm):";
// station, target, kind, value, residual, sigma, redundancy, w, MDB, flags
constexpr char kAdjustReportObservation[] =
    "  %-10s %-10s %-9s %14s v = %+8.2f  sigma %6.2f  r = %.2f  w = %+6.2f  MDB %s%s";
constexpr char kAdjustReportDirection[] = "direction";
constexpr char kAdjustReportDistance[] = "distance";
constexpr char kAdjustReportHeight[] = "height";
constexpr char kAdjustReportOutlier[] = "  OUTLIER";
constexpr char kAdjustReportWeak[] = "  weakly controlled";

// ---- HTML report ----------------------------------------------------------------------------------
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

}  // namespace text
}  // namespace traverse

#endif
