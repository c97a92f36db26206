// The statistics of an adjustment: per observation the redundancy number, the standardized
// residual (w-test with the a-priori sigma) and the minimal detectable bias; the model test.
#ifndef TRAVERSE_ADJUST_OBSERVATION_STATISTICS_H
#define TRAVERSE_ADJUST_OBSERVATION_STATISTICS_H

#include <cstddef>

#include "adjust/solve/adjusted_rows.h"
#include "traverse/adjust.h"

namespace traverse {

// Fills sigma, residual, redundancy, standardized residual, MDB and the flags of out from row
// `row`; unitScale turns the row's unit into the reported one (arc seconds or millimetres).
void FillStatistics(const AdjustedRows& adjusted, std::size_t row, double unitScale,
                    const AdjustmentSettings& settings, AdjustedObservation& out);

// The test of v'Pv of one adjustment.
ModelTest TestModel(const AdjustedRows& adjusted, double alpha);

// The test of v'Pv of two independent adjustments together.
ModelTest CombineTests(const ModelTest& a, const ModelTest& b, double alpha);

}  // namespace traverse

#endif
