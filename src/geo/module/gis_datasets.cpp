#include "geo/module/gis_datasets.h"

#include "geo/module/gdal_handles.h"
#include "geo/module/ogr_features.h"

namespace traverse {
namespace {

SpatialReference ReferenceOf(const std::string& crsWkt) {
    if (crsWkt.empty()) return nullptr;
    SpatialReference reference(new OGRSpatialReference());
    if (reference->importFromWkt(crsWkt.c_str()) != OGRERR_NONE) return nullptr;
    reference->SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
    return reference;
}

GdalDataset CreateDataset(const char* driverName, const MemoryFile& file) {
    RegisterGdalDrivers();
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName);
    if (driver == nullptr) return nullptr;
    return GdalDataset(driver->Create(file.Path().c_str(), 0, 0, 0, GDT_Unknown, nullptr));
}

// Adds every feature of source to layer; the feature gets layerField = source's name when given.
bool AddFeatures(const ResultLayer& source, OGRLayer& layer, const char* layerField) {
    for (const ResultFeature& feature : source.features) AddFieldsOf(feature, layer);
    for (const ResultFeature& feature : source.features) {
        OgrFeature target(OGRFeature::CreateFeature(layer.GetLayerDefn()));
        if (layerField != nullptr) target->SetField(layerField, source.name.c_str());
        SetFieldsOf(feature, *target);
        target->SetGeometryDirectly(GeometryOf(feature, false).release());
        if (layer.CreateFeature(target.get()) != OGRERR_NONE) return false;
    }
    return true;
}

std::string Finish(GdalDataset dataset, const MemoryFile& file, bool written) {
    if (!written || dataset == nullptr) return std::string();
    dataset.reset();
    return file.Bytes();
}

}  // namespace

std::string GeoPackageBytes(const ResultFeatures& features, const std::string& crsWkt) {
    MemoryFile file("gpkg");
    GdalDataset dataset = CreateDataset("GPKG", file);
    if (dataset == nullptr) return std::string();
    const SpatialReference reference = ReferenceOf(crsWkt);
    bool written = true;
    for (const ResultLayer& source : features.layers) {
        const OGRwkbGeometryType type = source.name == "points"     ? wkbPoint
                                        : source.name == "ellipses" ? wkbPolygon
                                                                    : wkbLineString;
        OGRLayer* layer = dataset->CreateLayer(source.name.c_str(), reference.get(), type);
        written = written && layer != nullptr && AddFeatures(source, *layer, nullptr);
    }
    return Finish(std::move(dataset), file, written);
}

std::string GeoJsonBytes(const ResultFeatures& features, const std::string& crsWkt) {
    MemoryFile file("geojson");
    GdalDataset dataset = CreateDataset("GeoJSON", file);
    if (dataset == nullptr) return std::string();
    const SpatialReference reference = ReferenceOf(crsWkt);
    // RFC 7946: WGS 84 longitude and latitude, here to 1e-9 degrees (0.1 mm).
    const char* options[] = {"RFC7946=YES", "COORDINATE_PRECISION=9", "WRITE_NAME=NO", nullptr};
    OGRLayer* layer = dataset->CreateLayer("adjustment", reference.get(), wkbUnknown,
                                           reference != nullptr ? const_cast<char**>(options)
                                                                : nullptr);
    if (layer == nullptr) return std::string();
    OGRFieldDefn layerField("layer", OFTString);
    layer->CreateField(&layerField);
    bool written = true;
    for (const ResultLayer& source : features.layers) {
        written = written && AddFeatures(source, *layer, "layer");
    }
    return Finish(std::move(dataset), file, written);
}

}  // namespace traverse
