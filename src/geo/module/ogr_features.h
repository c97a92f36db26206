// Result features into an OGR layer: the plane coordinates as GIS draws them, x east and y north.
#ifndef TRAVERSE_GEO_MODULE_OGR_FEATURES_H
#define TRAVERSE_GEO_MODULE_OGR_FEATURES_H

#include <memory>
#include <string>

#include "geo/module/gdal_handles.h"
#include "geo/geo_features.h"

namespace traverse {

// GDAL's drivers, registered once per process.
void RegisterGdalDrivers();

// The feature's geometry, with heights as z when withHeights and the vertex has one.
std::unique_ptr<OGRGeometry> GeometryOf(const ResultFeature& feature, bool withHeights);

// Creates in layer the fields of feature that it lacks.
void AddFieldsOf(const ResultFeature& feature, OGRLayer& layer);

// Sets feature's attributes on target (its fields already in the layer).
void SetFieldsOf(const ResultFeature& feature, OGRFeature& target);

}  // namespace traverse

#endif
