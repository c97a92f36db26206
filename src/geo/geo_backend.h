// What the geo module offers the library: PROJ and GDAL behind a table of functions over plain
// data. The module is a file of its own, loaded only by the commands that need it, and keeps no
// state of the library's (language, message boxes): the library words every message itself.
#ifndef TRAVERSE_GEO_GEO_BACKEND_H
#define TRAVERSE_GEO_GEO_BACKEND_H

#include <string>

#include "geo/geo_features.h"
#include "traverse/result_files.h"

namespace traverse {

// A plane point on the CRS's geographic base.
struct GeographicPosition {
    bool valid = false;        // false outside the projection's domain
    double latitude = 0.0;     // degrees
    double longitude = 0.0;    // degrees
    double convergence = 0.0;  // degrees: grid north from true north, clockwise positive
    double scale = 0.0;        // point scale factor of the projection
};

enum class CrsOpening { Opened, Unknown, NotProjected, NoGeographicBase };

// What the library keeps of a CRS the module opened.
struct CrsFacts {
    CrsOpening opening = CrsOpening::Unknown;
    std::string name;      // the CRS's own name, also when it is not projected
    std::string baseName;  // its geographic base's name
    std::string wkt;       // WKT 2, for GDAL
    double semiMajor = 0.0;      // the ellipsoid's, metres
    double eccentricity2 = 0.0;  // its first eccentricity squared
};

struct GeoCrs;  // the module's own, opaque to the library

struct GeoBackend {
    int version;
    // The CRS that code names (an EPSG code, or any PROJ string); null unless facts.opening is
    // Opened. Each one opened is closed by closeCrs; one CRS serves one thread at a time.
    GeoCrs* (*openCrs)(const std::string& code, CrsFacts& facts);
    void (*closeCrs)(GeoCrs* crs);
    GeographicPosition (*crsAt)(const GeoCrs& crs, double north, double east);
    // The bytes of a GeoPackage, GeoJSON or DXF file of features, in the CRS of crsWkt when it is
    // not empty; empty when GDAL could not build the file.
    std::string (*gisFileBytes)(const ResultFeatures& features, ResultFileFormat format,
                                const std::string& crsWkt);
};

// Raised whenever the table above changes, so that a stale module is refused, not called.
constexpr int kGeoBackendVersion = 1;
constexpr const char* kGeoModuleFile = "libtraverse_geo.so";
constexpr const char* kGeoBackendEntry = "traverse_geo_backend";

}  // namespace traverse

// The module's one exported function, named by kGeoBackendEntry.
extern "C" const traverse::GeoBackend* traverse_geo_backend();

#endif
