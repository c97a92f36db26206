// A projected coordinate reference system known to PROJ: where a point of the plane lies on the
// earth, and how the projection distorts there. x is north and y east, whatever the axis order
// of the CRS itself. PROJ is reached through the geo module.
#ifndef TRAVERSE_CRS_PROJECTED_CRS_H
#define TRAVERSE_CRS_PROJECTED_CRS_H

#include <memory>
#include <string>

#include "geo/geo_backend.h"

namespace traverse {

class ProjectedCrs {
public:
    // The CRS that code names (an EPSG code such as EPSG:4547, or any PROJ string); null, with the
    // reason in error (UTF-8, naming code), when PROJ does not know it or it is not projected, or
    // when the geo module cannot be loaded.
    static std::unique_ptr<ProjectedCrs> Open(const std::string& code, std::string& error);
    ~ProjectedCrs();
    ProjectedCrs(const ProjectedCrs&) = delete;
    ProjectedCrs& operator=(const ProjectedCrs&) = delete;

    GeographicPosition At(double north, double east) const;
    const std::string& Name() const { return m_facts.name; }          // the CRS's own name
    const std::string& BaseName() const { return m_facts.baseName; }  // its geographic base's
    const std::string& Wkt() const { return m_facts.wkt; }            // WKT 2, for GDAL
    // The ellipsoid's mean radius of curvature sqrt(M N) at latitude (degrees), metres.
    double GaussianRadius(double latitude) const;

private:
    ProjectedCrs(const GeoBackend& backend, GeoCrs* crs, CrsFacts facts);

    const GeoBackend& m_backend;
    GeoCrs* m_crs;
    CrsFacts m_facts;
};

}  // namespace traverse

#endif
