// The network of an import: its known points and the reduced mean observations of every station.
#ifndef TRAVERSE_ADJUST_NETWORK_BUILDER_H
#define TRAVERSE_ADJUST_NETWORK_BUILDER_H

#include "adjust/model/network.h"
#include "traverse/adjust.h"
#include "traverse/import_xml.h"

namespace traverse {

// Directions, horizontal distances D = S sin Z and height differences
// dh = S cos Z + i - v + (1 - k) D^2 / (2R), each with its sigma. Targets sighted by a single
// direction and nothing else are left out with a note. Raises AdjustmentFailure for a duplicated
// known point, a station observing itself, or a value that is not a usable number; network keeps
// what was read before, with its notes.
void BuildNetwork(const CImportXml& importer, const AdjustmentSettings& settings, Network& network);

}  // namespace traverse

#endif
