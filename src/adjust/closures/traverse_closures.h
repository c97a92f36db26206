// The classic closures of the traverses in a network: each connecting traverse (a known station
// oriented on a known point, new stations, a known station oriented on a known point) and each
// closed loop through a known station, found automatically.
#ifndef TRAVERSE_ADJUST_TRAVERSE_CLOSURES_H
#define TRAVERSE_ADJUST_TRAVERSE_CLOSURES_H

#include "adjust/model/network.h"
#include "traverse/adjust.h"

namespace traverse {

// Fills result.traverses and result.simpleTraverse from the observations and the known points
// alone; notes a network that is no simple traverse.
void FindTraverseClosures(const Network& network, const AdjustmentSettings& settings,
                          AdjustmentResult& result);

}  // namespace traverse

#endif
