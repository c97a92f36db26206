// What one least-squares adjustment leaves for its statistics: the design rows at the solution,
// the residuals, and the normal equations with the cofactors of the unknowns.
#ifndef TRAVERSE_ADJUST_ADJUSTED_ROWS_H
#define TRAVERSE_ADJUST_ADJUSTED_ROWS_H

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "adjust/solve/normal_equations.h"

namespace traverse {

struct AdjustedRows {
    std::vector<DesignRow> rows;              // one per observation, in the network's order
    std::vector<double> residuals;            // computed - observed at the solution, the rows' unit
    std::unique_ptr<NormalEquations> normal;  // factorized and inverted at the solution
    int unknowns = 0;
};

// Factorizes rows into adjusted.normal; raises AdjustmentFailure (Singular) with the GBK message
// that describe(i) gives for an undetermined unknown i.
void FactorizeOrFail(AdjustedRows& adjusted, const std::function<std::string(int)>& describe);

}  // namespace traverse

#endif
