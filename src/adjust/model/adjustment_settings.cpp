#include "adjust/model/adjustment_settings.h"

#include <cmath>

#include "adjust/adjustment_texts.h"
#include "adjust/model/adjustment_failure.h"
#include "adjust/model/grade_table.h"
#include "adjust/statistics/error_ellipse.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "traverse/angle.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

// The option given, else the instrument's value, else the grade's; source tells which.
double Pick(const std::optional<double>& option, const std::optional<double>& instrument,
            double grade, SettingSource& source) {
    source = option ? SettingSource::Option
                    : instrument ? SettingSource::Instrument : SettingSource::Grade;
    return option.value_or(instrument.value_or(grade));
}

void Require(bool holds, const char* utf8Name, const char* utf8Condition, double value) {
    if (holds) return;
    throw AdjustmentFailure(AdjustmentStatus::InvalidOptions,
                            FormatText(GBK(text::kAdjustInvalidOption), Utf8ToGbk(utf8Name).c_str(),
                                       Utf8ToGbk(utf8Condition).c_str(), value));
}

}  // namespace

void ValidateSettings(const AdjustmentSettings& s) {
    Require(std::isfinite(s.directionSigma) && s.directionSigma > 0, text::kOptionDirectionSigma,
            text::kOptionAbove0, s.directionSigma);
    Require(std::isfinite(s.distanceSigmaA) && s.distanceSigmaA > 0, text::kOptionDistanceSigmaA,
            text::kOptionAbove0, s.distanceSigmaA);
    Require(std::isfinite(s.distanceSigmaB) && s.distanceSigmaB >= 0, text::kOptionDistanceSigmaB,
            text::kOptionAtLeast0, s.distanceSigmaB);
    const bool propagated = s.heightSigmaSource == SettingSource::Instrument;
    Require(propagated || (std::isfinite(s.heightSigma) && s.heightSigma > 0),
            text::kOptionHeightSigma, text::kOptionAbove0, s.heightSigma);
    Require(s.refraction >= -1 && s.refraction <= 1, text::kOptionRefraction,
            text::kOptionUnitRange, s.refraction);
    Require(std::isfinite(s.earthRadius) && s.earthRadius > 0, text::kOptionEarthRadius,
            text::kOptionAbove0, s.earthRadius);
    // Beyond these the reduction says nothing about a survey on the earth.
    Require(std::fabs(s.surfaceHeight.value_or(0)) <= 10000, text::kOptionSurfaceHeight,
            text::kOptionHeightRange, s.surfaceHeight.value_or(0));
    Require(std::fabs(s.yOffset.value_or(0)) <= 1000000, text::kOptionYOffset,
            text::kOptionYOffsetRange, s.yOffset.value_or(0));
    Require(s.alpha > 0 && s.alpha < 1, text::kOptionAlpha, text::kOptionOpenUnit, s.alpha);
    Require(std::isfinite(s.wTestCritical) && s.wTestCritical > 0, text::kOptionWTest,
            text::kOptionAbove0, s.wTestCritical);
    Require(std::isfinite(s.mdbDelta0) && s.mdbDelta0 > 0, text::kOptionDelta0, text::kOptionAbove0,
            s.mdbDelta0);
    if (s.confidence) {
        Require(*s.confidence > 0 && *s.confidence < 1, text::kOptionConfidence,
                text::kOptionOpenUnit, *s.confidence);
    }
}

AdjustmentSettings ResolveSettings(const AdjustmentOptions& options) {
    AdjustmentSettings s;
    s.gradeSource = options.grade ? SettingSource::Option : SettingSource::Default;
    s.grade = options.grade.value_or(kDefaultGrade);
    const GradeRequirements& grade = RequirementsOf(s.grade);
    const InstrumentAccuracy& instrument = options.instrument;
    s.directionSigma = Pick(options.directionSigma, instrument.directionSigmaSeconds,
                            grade.angleSigma / std::sqrt(2.0), s.directionSigmaSource);
    s.distanceSigmaA = Pick(options.distanceSigmaA, instrument.distanceSigmaMm, grade.distanceSigma,
                            s.distanceSigmaASource);
    s.distanceSigmaB = Pick(options.distanceSigmaB, instrument.distanceSigmaPpm, 0.0,
                            s.distanceSigmaBSource);
    // The zenith distances are read with the instrument's angle accuracy too.
    const std::optional<double> propagated =
        instrument.directionSigmaSeconds ? std::optional<double>(0.0) : std::nullopt;
    s.heightSigma = Pick(options.heightSigma, propagated, grade.heightSigma, s.heightSigmaSource);
    s.angularClosureFactor = grade.angularClosureFactor;
    s.relativeClosureLimit = grade.relativeClosureLimit;
    s.heightOrder = grade.heightOrder;
    s.reciprocalHeightFactor = grade.reciprocalHeightFactor;
    s.refraction = options.refraction;
    s.earthRadius = options.earthRadius;
    s.surfaceHeight = options.surfaceHeight;
    s.yOffset = options.yOffset;
    s.crs = options.crs;
    s.reducedWithCrs = !options.crs.empty();
    // A CRS projects from its ellipsoid: the distances go there first.
    if (s.reducedWithCrs && !s.surfaceHeight) s.surfaceHeight = 0.0;
    s.alpha = options.alpha;
    s.wTestCritical = options.wTestCritical;
    s.mdbDelta0 = options.mdbDelta0;
    s.confidence = options.confidence;
    if (s.confidence && *s.confidence > 0 && *s.confidence < 1)
        s.ellipseScale = EllipseScale(*s.confidence);
    return s;
}

double DirectionSigma(const AdjustmentSettings& settings, int rounds) {
    const bool perRound = settings.directionSigmaSource == SettingSource::Instrument && rounds > 1;
    return SecondToRad(settings.directionSigma) / (perRound ? std::sqrt(rounds) : 1.0);
}

double DistanceSigma(const AdjustmentSettings& settings, double horizontalDistance) {
    return (settings.distanceSigmaA + settings.distanceSigmaB * horizontalDistance * 1e-3) * 1e-3;
}

double HeightDifferenceSigma(const AdjustmentSettings& settings, const SightedLine& line) {
    if (settings.heightSigmaSource != SettingSource::Instrument) {
        return settings.heightSigma * line.horizontal * 1e-6;
    }
    const double slope = std::cos(line.zenith) * DistanceSigma(settings, line.slope);
    const double zenith =
        line.slope * std::sin(line.zenith) * DirectionSigma(settings, line.zenithRounds);
    return std::hypot(slope, zenith);
}

const char* SettingSourceName(SettingSource source) {
    switch (source) {
        case SettingSource::Default:
            return "default";
        case SettingSource::Grade:
            return "grade";
        case SettingSource::Instrument:
            return "instrument";
        case SettingSource::Option:
            break;
    }
    return "option";
}

}  // namespace traverse
