#include "adjust/solve/adjusted_rows.h"

#include "adjust/model/adjustment_failure.h"

namespace traverse {

void FactorizeOrFail(AdjustedRows& adjusted, const std::function<std::string(int)>& describe) {
    if (!adjusted.normal) adjusted.normal.reset(new NormalEquations(adjusted.unknowns));
    const int undetermined = adjusted.normal->Factorize(adjusted.rows);
    if (undetermined >= 0)
        throw AdjustmentFailure(AdjustmentStatus::Singular, describe(undetermined));
}

}  // namespace traverse
