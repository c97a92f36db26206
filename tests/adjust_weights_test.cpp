// The instrument's nominal accuracy as the weights, and the precision judged against the grade,
// from true geometry: traverses with 70 m of relief read with a 2", 2 mm + 2 ppm instrument.
#include <cmath>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "adjust/assessment/grade_assessment.h"
#include "support/adjust_record.h"
#include "support/simulated_network.h"
#include "traverse/adjust.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

constexpr SimNoise kInstrument{2.0, 2.0, 2.0, 0.0, 2.0};  // directions and zenith 2", 2 mm + 2 ppm

AdjustmentOptions InstrumentOptions() {
    AdjustmentOptions options;
    options.instrument.directionSigmaSeconds = kInstrument.direction;
    options.instrument.distanceSigmaMm = kInstrument.distanceA;
    options.instrument.distanceSigmaPpm = kInstrument.distanceB;
    return options;
}

const PrecisionJudgement* Find(const std::vector<PrecisionJudgement>& all, PrecisionItem item) {
    for (const PrecisionJudgement& j : all) {
        if (j.item == item) return &j;
    }
    return nullptr;
}

// 200 traverses of 4 to 12 new points: the closures of all of them give m_beta = sqrt(2) x the
// direction sigma and m_D = the distance sigma at the mean side; the global test passes about
// 95 % of the time at alpha = 0.05, heights with relief included.
TEST(AdjustWeights, InstrumentSigmasAreWhatTheClosuresAndTheGlobalTestFind) {
    constexpr int kRuns = 200;
    AdjustmentResult pooled;
    pooled.settings.grade = TraverseGrade::Class1;
    pooled.settings.distanceSigmaA = kInstrument.distanceA;
    pooled.settings.distanceSigmaB = kInstrument.distanceB;
    int passed = 0;
    for (int run = 0; run < kRuns; ++run) {
        std::mt19937_64 rng(1000 + run);
        SimulatedNetwork net = run % 2 == 0 ? ConnectingTraverse(4 + run % 9, rng)
                                            : ClosedLoop(4 + run % 9, rng);
        std::uniform_real_distribution<double> relief(-35.0, 35.0);
        for (SimPoint& point : net.points) {
            point.h = std::round((point.h + relief(rng)) * 1e6) / 1e6;
        }
        const AdjustmentResult result = AdjustRecordBody(net.RecordBody(kInstrument, rng),
                                                         InstrumentOptions());
        ASSERT_EQ(result.status, AdjustmentStatus::Adjusted) << GbkToUtf8(result.error);
        ASSERT_EQ(result.settings.heightSigmaSource, SettingSource::Instrument);
        passed += result.global.passed ? 1 : 0;
        pooled.traverses.insert(pooled.traverses.end(), result.traverses.begin(),
                                result.traverses.end());
        pooled.reciprocalChecks.insert(pooled.reciprocalChecks.end(),
                                       result.reciprocalChecks.begin(),
                                       result.reciprocalChecks.end());
    }
    const std::vector<PrecisionJudgement> precision = AssessPrecision(pooled);
    const PrecisionJudgement* angle = Find(precision, PrecisionItem::AngleFromClosures);
    const PrecisionJudgement* distance = Find(precision, PrecisionItem::DistanceFromReciprocals);
    ASSERT_TRUE(angle != nullptr && distance != nullptr);
    EXPECT_EQ(angle->count, kRuns);
    EXPECT_NEAR(angle->value / (std::sqrt(2.0) * kInstrument.direction), 1.0, 0.1);
    const double distanceSigma =
        kInstrument.distanceA + kInstrument.distanceB * distance->meanSide * 1e-3;
    EXPECT_NEAR(distance->value / distanceSigma, 1.0, 0.1);
    EXPECT_NEAR(passed / double(kRuns), 0.95, 0.045) << passed << " of " << kRuns;
    std::printf("m_beta %.3f\" (expected %.3f\"), m_D %.3f mm (expected %.3f mm), global test "
                "passed %d of %d\n", angle->value, std::sqrt(2.0) * kInstrument.direction,
                distance->value, distanceSigma, passed, kRuns);
}

// The same network weighed by the grade (一级: 5"/sqrt 2, 15 mm) calls the instrument's readings
// better than their sigmas; the instrument's sigmas and the propagated heights fit them.
TEST(AdjustWeights, GradeSigmasAreLimitsNotWeights) {
    std::mt19937_64 rng(5);
    const SimulatedNetwork net = ConnectingTraverse(8, rng);
    const std::string body = net.RecordBody(kInstrument, rng);
    const AdjustmentResult byGrade = AdjustRecordBody(body, AdjustmentOptions());
    const AdjustmentResult byInstrument = AdjustRecordBody(body, InstrumentOptions());
    EXPECT_LT(byGrade.plane.sigma0, 0.6);
    EXPECT_GT(byInstrument.plane.sigma0, byGrade.plane.sigma0 * 1.5);
    EXPECT_EQ(byGrade.settings.directionSigmaSource, SettingSource::Grade);
    EXPECT_EQ(byInstrument.settings.directionSigmaSource, SettingSource::Instrument);
    // An option of its own outranks the instrument.
    AdjustmentOptions options = InstrumentOptions();
    options.directionSigma = 3.0;
    EXPECT_EQ(AdjustRecordBody(body, options).settings.directionSigmaSource, SettingSource::Option);
    // Reciprocal distances are held to 2 (a + b D) of the instrument.
    for (const ReciprocalCheck& c : byInstrument.reciprocalChecks) {
        if (c.kind != ReciprocalKind::Distance) continue;
        EXPECT_NEAR(c.limit, 2 * (2.0 + 2.0 * c.distance * 1e-3), 1e-9);
    }
}

}  // namespace
}  // namespace traverse
