// The geo module's table: the one symbol the module exports.
#include "geo/geo_backend.h"

#include "geo/module/gis_datasets.h"
#include "geo/module/proj_crs.h"

namespace traverse {
namespace {

std::string GisFileBytes(const ResultFeatures& features, ResultFileFormat format,
                         const std::string& crsWkt) {
    switch (format) {
    case ResultFileFormat::GeoPackage: return GeoPackageBytes(features, crsWkt);
    case ResultFileFormat::GeoJson: return GeoJsonBytes(features, crsWkt);
    case ResultFileFormat::Dxf: return DxfBytes(features);
    default: return std::string();
    }
}

constexpr GeoBackend kBackend{kGeoBackendVersion, OpenCrs, CloseCrs, CrsAt, GisFileBytes};

}  // namespace
}  // namespace traverse

extern "C" __attribute__((visibility("default"))) const traverse::GeoBackend*
traverse_geo_backend() {
    return &traverse::kBackend;
}
