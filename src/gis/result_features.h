// The adjusted network as the features that the GIS and CAD files draw.
#ifndef TRAVERSE_GIS_RESULT_FEATURES_H
#define TRAVERSE_GIS_RESULT_FEATURES_H

#include "geo/geo_features.h"
#include "traverse/adjust.h"

namespace traverse {

// The features of an adjusted network. The ellipses are drawn magnified ellipseScale times, a
// round 1, 2 or 5 times a power of ten chosen so that the largest is about 1/40 of the network's
// extent (1 when there is none).
ResultFeatures CollectResultFeatures(const AdjustmentResult& result);

}  // namespace traverse

#endif
