#include "adjust/report_forms.h"

#include <algorithm>
#include <cmath>

#include "adjust/adjustment_texts.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

const std::string& Source(bool given) {
    return given ? GBK(text::kAdjustSourceOption) : GBK(text::kAdjustSourceGrade);
}

}  // namespace

std::vector<std::string> SettingsLines(const AdjustmentSettings& s) {
    std::vector<std::string> lines;
    const std::string grade = Utf8ToGbk(TraverseGradeName(s.grade));
    lines.push_back(FormatText(GBK(text::kAdjustReportGrade), grade.c_str(),
                               (s.gradeGiven ? GBK(text::kAdjustSourceOption) : GBK(text::kAdjustSourceDefault)).c_str()));
    lines.push_back(FormatText(GBK(text::kAdjustReportSigmas), s.directionSigma, Source(s.directionSigmaGiven).c_str(),
                               s.distanceSigmaA, Source(s.distanceSigmaAGiven).c_str(), s.distanceSigmaB,
                               Source(s.distanceSigmaBGiven).c_str(), s.heightSigma,
                               Source(s.heightSigmaGiven).c_str()));
    lines.push_back(FormatText(GBK(text::kAdjustReportModel), s.refraction, s.earthRadius));
    if (!s.reducedToSurface && !s.reducedToGaussPlane) lines.push_back(GBK(text::kAdjustReportNoReduction));
    if (s.reducedToSurface) lines.push_back(FormatText(GBK(text::kAdjustReportSurface), s.surfaceHeight));
    if (s.reducedToGaussPlane) lines.push_back(FormatText(GBK(text::kAdjustReportGaussPlane), s.yOffset));
    const std::string& heightClass =
        s.heightOrder == 4 ? GBK(text::kAdjustHeightOrder4) : GBK(text::kAdjustHeightOrder5);
    lines.push_back(FormatText(GBK(text::kAdjustReportLimits), s.angularClosureFactor, 1.0 / s.relativeClosureLimit,
                               s.reciprocalHeightFactor, heightClass.c_str()));
    lines.push_back(FormatText(GBK(text::kAdjustReportTests), s.alpha, s.wTestCritical, s.mdbDelta0));
    return lines;
}

std::vector<const AdjustedObservation*> OutliersFirst(const std::vector<AdjustedObservation>& observations) {
    std::vector<const AdjustedObservation*> order;
    order.reserve(observations.size());
    for (const AdjustedObservation& o : observations) order.push_back(&o);
    std::stable_sort(order.begin(), order.end(), [](const AdjustedObservation* a, const AdjustedObservation* b) {
        if (a->outlier != b->outlier) return a->outlier;
        return a->outlier && std::fabs(a->standardizedResidual) > std::fabs(b->standardizedResidual);
    });
    return order;
}

std::string EllipseCsvColumns(const AdjustmentSettings& settings) {
    const std::string level =
        settings.confidence ? FormatText("_p%g", *settings.confidence * 100) : "";
    return "ellipse_a" + level + "_mm,ellipse_b" + level + "_mm,ellipse_azimuth_deg";
}

std::string RelativeClosureText(double ratio) {
    if (!(ratio > 0)) return "1/inf";
    return FormatText("1/%.0f", std::round(1.0 / ratio / 100) * 100);
}

}  // namespace traverse
