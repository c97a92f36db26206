// The one place where stations and their observation blocks are allocated and freed.
#ifndef TRAVERSE_RECORDS_STATION_OWNERSHIP_H
#define TRAVERSE_RECORDS_STATION_OWNERSHIP_H

#include <vector>

#include "traverse/point3d.h"

namespace traverse {

// Allocates a station point with an empty block (parameters 0.0) and appends it to stations, which
// owns both from then on. Returns the new station.
CPoint3D* AppendNewStation(std::vector<CPoint3D*>& stations);

// Frees the last station of stations with its block and removes it from the array.
void DeleteLastStation(std::vector<CPoint3D*>& stations);

// Frees every station of stations with its block, in array order, and empties the array.
void DeleteStations(std::vector<CPoint3D*>& stations);

}  // namespace traverse

#endif
