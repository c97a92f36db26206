// Approximate plane coordinates and orientations: every point that the observations determine is
// placed from the known points (see point_placement.h).
#ifndef TRAVERSE_ADJUST_APPROXIMATE_COORDINATES_H
#define TRAVERSE_ADJUST_APPROXIMATE_COORDINATES_H

#include "adjust/model/network.h"

namespace traverse {

// Places every plane point of the network and orients every direction set. Raises
// AdjustmentFailure: NoKnownPoints, NoOrientation (one known point only), or UnreachablePoint
// naming the point where the determination ends and why; the network is then left partly placed.
void ApproximateCoordinates(Network& network);

// Azimuth from a to b, radians in [0, 2 pi); x north, y east, clockwise.
double Azimuth(const NetworkPoint& a, const NetworkPoint& b);

// The orientation of a set from all its targets that are placed: the mean of azimuth - direction
// taken the short way round the first one. False when no target is placed.
bool OrientSet(const Network& network, DirectionSet& set);

}  // namespace traverse

#endif
