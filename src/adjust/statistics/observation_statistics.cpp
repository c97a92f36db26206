#include "adjust/statistics/observation_statistics.h"

#include <algorithm>
#include <cmath>

#include "adjust/statistics/chi_square.h"
#include "adjust/limit_judgement.h"

namespace traverse {
namespace {

// Below this redundancy number an observation is not controlled at all: no w, no MDB.
constexpr double kUncontrolled = 1e-9;
constexpr double kWeaklyControlled = 0.1;

ModelTest Judge(int observations, int unknowns, double sum, double alpha) {
    ModelTest test;
    test.observations = observations;
    test.unknowns = unknowns;
    test.redundancy = observations - unknowns;
    test.weightedSquareSum = sum;
    test.applicable = test.redundancy > 0;
    if (!test.applicable) return test;
    test.sigma0 = std::sqrt(sum / test.redundancy);
    test.lowerBound = ChiSquareQuantile(alpha, test.redundancy);
    test.upperBound = ChiSquareQuantile(1 - alpha, test.redundancy);
    test.passed = WithinLimit(sum, test.upperBound);
    return test;
}

}  // namespace

void FillStatistics(const AdjustedRows& adjusted, std::size_t row, double unitScale,
                    const AdjustmentSettings& settings, AdjustedObservation& out) {
    const DesignRow& design = adjusted.rows[row];
    const double sigma = design.sigma;
    const double residual = adjusted.residuals[row];
    const double cofactor = adjusted.normal->RowCofactor(design);
    const double redundancy = std::clamp(1.0 - cofactor / (sigma * sigma), 0.0, 1.0);
    ObservationErrors& errors =
        out.kind == ObservationKind::Direction ? out.arcSeconds : out.millimetres;
    errors.sigma = sigma * unitScale;
    errors.adjustedSigma = std::sqrt(std::max(cofactor, 0.0)) * unitScale;
    errors.residual = residual * unitScale;
    out.redundancy = redundancy;
    out.weaklyControlled = redundancy < kWeaklyControlled;
    if (redundancy < kUncontrolled) return;
    out.standardizedResidual = residual / (sigma * std::sqrt(redundancy));
    errors.mdb = settings.mdbDelta0 * sigma / std::sqrt(redundancy) * unitScale;
    out.outlier = std::fabs(out.standardizedResidual) > settings.wTestCritical;
}

ModelTest TestModel(const AdjustedRows& adjusted, double alpha) {
    double sum = 0.0;
    for (std::size_t i = 0; i < adjusted.rows.size(); ++i) {
        const double standardized = adjusted.residuals[i] / adjusted.rows[i].sigma;
        sum += standardized * standardized;
    }
    return Judge(static_cast<int>(adjusted.rows.size()), adjusted.unknowns, sum, alpha);
}

ModelTest CombineTests(const ModelTest& a, const ModelTest& b, double alpha) {
    return Judge(a.observations + b.observations, a.unknowns + b.unknowns,
                 a.weightedSquareSum + b.weightedSquareSum, alpha);
}

}  // namespace traverse
