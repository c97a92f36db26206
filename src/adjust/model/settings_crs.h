// The coordinate reference system the settings name, opened through PROJ.
#ifndef TRAVERSE_ADJUST_SETTINGS_CRS_H
#define TRAVERSE_ADJUST_SETTINGS_CRS_H

#include <memory>

#include "crs/projected_crs.h"
#include "traverse/adjust.h"

namespace traverse {

// Null when settings name no CRS; else the CRS, with its names filled into settings. Raises
// AdjustmentFailure (InvalidOptions) for a CRS unknown to PROJ or not projected, and for a CRS
// given together with a y offset.
std::unique_ptr<ProjectedCrs> OpenSettingsCrs(AdjustmentSettings& settings);

}  // namespace traverse

#endif
