#include "adjust/adjusted_rows.h"

#include "adjust/adjustment_failure.h"

namespace traverse {

void FactorizeOrFail(AdjustedRows& adjusted, const std::vector<std::string>& owners) {
    if (!adjusted.normal) adjusted.normal.reset(new NormalEquations(adjusted.unknowns));
    const int undetermined = adjusted.normal->Factorize(adjusted.rows);
    if (undetermined >= 0) throw AdjustmentFailure(AdjustmentStatus::Singular, owners[undetermined]);
}

}  // namespace traverse
