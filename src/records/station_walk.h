// The one walk over the stations that carry an observation block.
#ifndef TRAVERSE_RECORDS_STATION_WALK_H
#define TRAVERSE_RECORDS_STATION_WALK_H

#include <vector>

#include "traverse/point3d.h"
#include "traverse/survey_records.h"

namespace traverse {

// Calls visit(station, block) for every station of stations that has a block, in array order, and
// skips the others. visit returns false to stop the walk; the walk then returns false, else true.
template <typename Station, typename Visit>
bool ForEachStationWithBlock(const std::vector<Station*>& stations, Visit visit) {
    for (Station* station : stations) {
        TAGStationObserve* block = StationBlock(*station);
        if (block != nullptr && !visit(*station, *block)) return false;
    }
    return true;
}

}  // namespace traverse

#endif
