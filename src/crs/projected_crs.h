// A projected coordinate reference system known to PROJ: where a point of the plane lies on the
// earth, and how the projection distorts there. x is north and y east, whatever the axis order
// of the CRS itself.
#ifndef TRAVERSE_CRS_PROJECTED_CRS_H
#define TRAVERSE_CRS_PROJECTED_CRS_H

#include <memory>
#include <string>

#include "crs/proj_handles.h"

namespace traverse {

// A plane point on the CRS's geographic base.
struct GeographicPosition {
    bool valid = false;        // false outside the projection's domain
    double latitude = 0.0;     // degrees
    double longitude = 0.0;    // degrees
    double convergence = 0.0;  // degrees: grid north from true north, clockwise positive
    double scale = 0.0;        // point scale factor of the projection
};

class ProjectedCrs {
public:
    // The CRS that code names (an EPSG code such as EPSG:4547, or any PROJ string); null, with the
    // reason in error (UTF-8, naming code), when PROJ does not know it or it is not projected.
    static std::unique_ptr<ProjectedCrs> Open(const std::string& code, std::string& error);

    GeographicPosition At(double north, double east) const;
    const std::string& Name() const { return m_name; }            // the CRS's own name
    const std::string& BaseName() const { return m_baseName; }    // its geographic base's name
    std::string Wkt() const;                                       // WKT 2, for other libraries
    // The ellipsoid's mean radius of curvature sqrt(M N) at latitude (degrees), metres.
    double GaussianRadius(double latitude) const;

private:
    ProjectedCrs() = default;

    ProjContext m_context;
    ProjObject m_crs;
    ProjObject m_toGeographic;  // (east, north) to (longitude, latitude) in degrees
    ProjObject m_projection;    // longitude, latitude in radians to (east, north)
    std::string m_name;
    std::string m_baseName;
    double m_semiMajor = 0.0;
    double m_eccentricity2 = 0.0;
};

}  // namespace traverse

#endif
