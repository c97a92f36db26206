// The texts of the adjustment: its options, failures, notes and text report.
// A text catalogue: its rule is in docs/design.md, "Texts: one catalogue per folder".
#ifndef TRAVERSE_ADJUST_ADJUSTMENT_TEXTS_H
#define TRAVERSE_ADJUST_ADJUSTMENT_TEXTS_H

#include "platform/text.h"

namespace traverse {
namespace text {

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
