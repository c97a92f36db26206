// The statistics of an adjustment: per observation the redundancy number, the standardized
// residual (w-test with the a-priori sigma) and the minimal detectable bias; the model test.
#ifndef TRAVERSE_ADJUST_OBSERVATION_STATISTICS_H
#define TRAVERSE_ADJUST_OBSERVATION_STATISTICS_H

#include <cstddef>

#include "adjust/solve/adjusted_rows.h"
#include "traverse/adjust.h"

namespace traverse {

// Fills the errors of out's kind, its redundancy, standardized residual and flags from row `row`;
// unitScale turns the row's unit into that of the errors (arc seconds or millimetres).
void FillStatistics(const AdjustedRows& adjusted, std::size_t row, double unitScale,
                    const AdjustmentSettings& settings, AdjustedObservation& out);

// The test of v'Pv of one adjustment.
ModelTest TestModel(const AdjustedRows& adjusted, double alpha);

// The test of v'Pv of two independent adjustments together.
ModelTest CombineTests(const ModelTest& a, const ModelTest& b, double alpha);

}  // namespace traverse

#endif
