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

// The value given, or else the default; given tells which.
double Pick(const std::optional<double>& option, double fallback, bool& given) {
    given = option.has_value();
    return given ? *option : fallback;
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
    Require(std::isfinite(s.heightSigma) && s.heightSigma > 0, text::kOptionHeightSigma, text::kOptionAbove0,
            s.heightSigma);
    Require(s.refraction >= -1 && s.refraction <= 1, text::kOptionRefraction, text::kOptionUnitRange,
            s.refraction);
    Require(std::isfinite(s.earthRadius) && s.earthRadius > 0, text::kOptionEarthRadius, text::kOptionAbove0,
            s.earthRadius);
    // Beyond these the reduction says nothing about a survey on the earth.
    Require(std::fabs(s.surfaceHeight) <= 10000, text::kOptionSurfaceHeight,
            text::kOptionHeightRange, s.surfaceHeight);
    Require(std::fabs(s.yOffset) <= 1000000, text::kOptionYOffset, text::kOptionYOffsetRange,
            s.yOffset);
    Require(s.alpha > 0 && s.alpha < 1, text::kOptionAlpha, text::kOptionOpenUnit, s.alpha);
    Require(std::isfinite(s.wTestCritical) && s.wTestCritical > 0, text::kOptionWTest, text::kOptionAbove0,
            s.wTestCritical);
    Require(std::isfinite(s.mdbDelta0) && s.mdbDelta0 > 0, text::kOptionDelta0, text::kOptionAbove0,
            s.mdbDelta0);
    if (s.confidence) {
        Require(*s.confidence > 0 && *s.confidence < 1, text::kOptionConfidence,
                text::kOptionOpenUnit, *s.confidence);
    }
}

AdjustmentSettings ResolveSettings(const AdjustmentOptions& options) {
    AdjustmentSettings s;
    s.gradeGiven = options.grade.has_value();
    s.grade = options.grade.value_or(kDefaultGrade);
    const GradeRequirements& grade = RequirementsOf(s.grade);
    s.directionSigma = Pick(options.directionSigma, grade.angleSigma / std::sqrt(2.0), s.directionSigmaGiven);
    s.distanceSigmaA = Pick(options.distanceSigmaA, grade.distanceSigma, s.distanceSigmaAGiven);
    s.distanceSigmaB = Pick(options.distanceSigmaB, 0.0, s.distanceSigmaBGiven);
    s.heightSigma = Pick(options.heightSigma, grade.heightSigma, s.heightSigmaGiven);
    s.angularClosureFactor = grade.angularClosureFactor;
    s.relativeClosureLimit = grade.relativeClosureLimit;
    s.heightOrder = grade.heightOrder;
    s.reciprocalHeightFactor = grade.reciprocalHeightFactor;
    s.refraction = options.refraction;
    s.earthRadius = options.earthRadius;
    s.surfaceHeight = Pick(options.surfaceHeight, 0.0, s.reducedToSurface);
    s.yOffset = Pick(options.yOffset, 0.0, s.reducedToGaussPlane);
    s.alpha = options.alpha;
    s.wTestCritical = options.wTestCritical;
    s.mdbDelta0 = options.mdbDelta0;
    s.confidence = options.confidence;
    if (s.confidence && *s.confidence > 0 && *s.confidence < 1)
        s.ellipseScale = EllipseScale(*s.confidence);
    return s;
}

double DirectionSigma(const AdjustmentSettings& settings) {
    return SecondToRad(settings.directionSigma);
}

double DistanceSigma(const AdjustmentSettings& settings, double horizontalDistance) {
    return (settings.distanceSigmaA + settings.distanceSigmaB * horizontalDistance * 1e-3) * 1e-3;
}

double HeightDifferenceSigma(const AdjustmentSettings& settings, double horizontalDistance) {
    return settings.heightSigma * horizontalDistance * 1e-6;
}

}  // namespace traverse
