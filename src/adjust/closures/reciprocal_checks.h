// Lines observed from both ends: the difference of the two horizontal distances against
// 2 (a + b D), and the sum of the two height differences against 40 or 60 sqrt(D) mm.
#ifndef TRAVERSE_ADJUST_RECIPROCAL_CHECKS_H
#define TRAVERSE_ADJUST_RECIPROCAL_CHECKS_H

#include "adjust/model/network.h"
#include "traverse/adjust.h"

namespace traverse {

// Appends one check per line and kind to result.reciprocalChecks, in the order of the first
// observation of each line.
void CheckReciprocals(const Network& network, const AdjustmentSettings& settings,
                      AdjustmentResult& result);

}  // namespace traverse

#endif
