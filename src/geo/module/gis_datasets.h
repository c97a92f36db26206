// The result features as a GeoPackage, a GeoJSON document or a DXF drawing, built by GDAL in
// memory: the bytes of the file, empty when GDAL could not build it.
#ifndef TRAVERSE_GEO_MODULE_GIS_DATASETS_H
#define TRAVERSE_GEO_MODULE_GIS_DATASETS_H

#include <string>

#include "geo/geo_features.h"

namespace traverse {

// One table per layer, in the CRS of crsWkt (WKT 2) when it is not empty.
std::string GeoPackageBytes(const ResultFeatures& features, const std::string& crsWkt);

// One feature collection, each feature's layer in its property "layer"; in WGS 84 longitude and
// latitude when crsWkt names a CRS, else in plane coordinates (x east, y north).
std::string GeoJsonBytes(const ResultFeatures& features, const std::string& crsWkt);

// CAD layers known_points, new_points, names, sightlines, ellipses and closures; X east, Y north,
// heights as Z, names as TEXT.
std::string DxfBytes(const ResultFeatures& features);

}  // namespace traverse

#endif
