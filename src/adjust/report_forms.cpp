#include "adjust/report_forms.h"

#include <algorithm>
#include <cmath>

#include "adjust/adjustment_texts.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

std::string Source(SettingSource source) {
    switch (source) {
        case SettingSource::Default:
            return GBK(text::kAdjustSourceDefault);
        case SettingSource::Grade:
            return GBK(text::kAdjustSourceGrade);
        case SettingSource::Instrument:
            return Utf8ToGbk(text::kAdjustSourceInstrument.Get());
        case SettingSource::Option:
            break;
    }
    return GBK(text::kAdjustSourceOption);
}

std::string SigmasLine(const AdjustmentSettings& s) {
    if (s.heightSigmaSource == SettingSource::Instrument) {
        return FormatText(Utf8ToGbk(text::kAdjustReportSigmasPropagated.Get()), s.directionSigma,
                          Source(s.directionSigmaSource).c_str(), s.distanceSigmaA,
                          Source(s.distanceSigmaASource).c_str(), s.distanceSigmaB,
                          Source(s.distanceSigmaBSource).c_str());
    }
    return FormatText(GBK(text::kAdjustReportSigmas), s.directionSigma,
                      Source(s.directionSigmaSource).c_str(), s.distanceSigmaA,
                      Source(s.distanceSigmaASource).c_str(), s.distanceSigmaB,
                      Source(s.distanceSigmaBSource).c_str(), s.heightSigma,
                      Source(s.heightSigmaSource).c_str());
}

}  // namespace

std::vector<std::string> SettingsLines(const AdjustmentSettings& s) {
    std::vector<std::string> lines;
    const std::string grade = Utf8ToGbk(TraverseGradeName(s.grade));
    const std::string& gradeSource = s.gradeSource == SettingSource::Option
                                         ? GBK(text::kAdjustSourceOption)
                                         : GBK(text::kAdjustSourceDefault);
    lines.push_back(FormatText(GBK(text::kAdjustReportGrade), grade.c_str(), gradeSource.c_str()));
    lines.push_back(SigmasLine(s));
    if (s.directionSigmaSource == SettingSource::Instrument) {
        lines.push_back(Utf8ToGbk(text::kAdjustReportPerRound.Get()));
    }
    lines.push_back(FormatText(GBK(text::kAdjustReportModel), s.refraction, s.earthRadius));
    if (!s.surfaceHeight && !s.yOffset) lines.push_back(GBK(text::kAdjustReportNoReduction));
    if (s.reducedWithCrs) {
        const std::string utf8 =
            FormatText(text::kAdjustReportCrs, *s.surfaceHeight, s.crsName.c_str());
        lines.push_back(Utf8ToGbkLossy(utf8));
    } else if (s.surfaceHeight) {
        lines.push_back(FormatText(GBK(text::kAdjustReportSurface), *s.surfaceHeight));
    }
    if (s.yOffset) lines.push_back(FormatText(GBK(text::kAdjustReportGaussPlane), *s.yOffset));
    const std::string& heightClass =
        s.heightOrder == 4 ? GBK(text::kAdjustHeightOrder4) : GBK(text::kAdjustHeightOrder5);
    lines.push_back(FormatText(GBK(text::kAdjustReportLimits), s.angularClosureFactor,
                               1.0 / s.relativeClosureLimit, s.reciprocalHeightFactor,
                               heightClass.c_str()));
    lines.push_back(
        FormatText(GBK(text::kAdjustReportTests), s.alpha, s.wTestCritical, s.mdbDelta0));
    return lines;
}

std::vector<const AdjustedObservation*> OutliersFirst(
    const std::vector<AdjustedObservation>& observations) {
    std::vector<const AdjustedObservation*> order;
    order.reserve(observations.size());
    for (const AdjustedObservation& o : observations) order.push_back(&o);
    std::stable_sort(
        order.begin(), order.end(), [](const AdjustedObservation* a, const AdjustedObservation* b) {
            if (a->outlier != b->outlier) return a->outlier;
            return a->outlier &&
                   std::fabs(a->standardizedResidual) > std::fabs(b->standardizedResidual);
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
