// The result features as a GeoPackage, a GeoJSON document or a DXF drawing, built by GDAL in
// memory: the bytes of the file, empty when GDAL could not build it.
#ifndef TRAVERSE_GIS_GIS_DATASETS_H
#define TRAVERSE_GIS_GIS_DATASETS_H

#include <string>

#include "crs/projected_crs.h"
#include "gis/result_features.h"

namespace traverse {

// One table per layer, in the CRS when one is known.
std::string GeoPackageBytes(const ResultFeatures& features, const ProjectedCrs* crs);

// One feature collection, each feature's layer in its property "layer"; in WGS 84 longitude and
// latitude when a CRS is known, else in plane coordinates (x east, y north).
std::string GeoJsonBytes(const ResultFeatures& features, const ProjectedCrs* crs);

// CAD layers known_points, new_points, names, sightlines, ellipses and closures; X east, Y north,
// heights as Z, names as TEXT.
std::string DxfBytes(const ResultFeatures& features);

}  // namespace traverse

#endif
