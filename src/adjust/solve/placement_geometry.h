// The plane constructions that place a point from points already placed: two rays, two circles,
// a resection from three sighted points, and the similarity that carries a local frame onto the
// placed points. x north, y east; azimuths in radians, atan2(dy, dx).
#ifndef TRAVERSE_ADJUST_PLACEMENT_GEOMETRY_H
#define TRAVERSE_ADJUST_PLACEMENT_GEOMETRY_H

namespace traverse {

struct PlanePosition {
    double x = 0.0, y = 0.0;
};

// A sightline from a placed, oriented station.
struct Ray {
    PlanePosition from;
    double azimuth = 0.0;
};

// A direction read at the unknown station to a placed point.
struct Sighting {
    PlanePosition target;
    double direction = 0.0;
};

double PlaneDistance(const PlanePosition& a, const PlanePosition& b);

// |sin| of the angle at which two rays cross: 0 for parallel rays.
double CutSine(const Ray& a, const Ray& b);

// Where two rays meet; false when they are parallel or meet behind either station.
bool IntersectRays(const Ray& a, const Ray& b, PlanePosition& at);

// The two points at ra from a and rb from b, mirrored about the line ab. Circles that miss each
// other by less than a thousandth of their radii touch; false when they miss by more.
bool IntersectCircles(const PlanePosition& a, double ra, const PlanePosition& b, double rb,
                      PlanePosition (&at)[2]);

// The station that reads these directions to three placed points, and how well they determine it
// (0 on the circle through the three points, where every point of the circle reads them).
struct Resection {
    PlanePosition station;
    double strength = 0.0;
};
Resection Resect(const Sighting (&sightings)[3]);

// The similarity (rotation, scale, shift) that carries localFrom and localTo onto globalFrom and
// globalTo, applied to local. The two local points must differ.
PlanePosition CarryOver(const PlanePosition& local, const PlanePosition& localFrom,
                        const PlanePosition& localTo, const PlanePosition& globalFrom,
                        const PlanePosition& globalTo);

}  // namespace traverse

#endif
