// Owners of GDAL's objects: each is released with the function GDAL names for it.
#ifndef TRAVERSE_GEO_MODULE_GDAL_HANDLES_H
#define TRAVERSE_GEO_MODULE_GDAL_HANDLES_H

#include <gdal_priv.h>
#include <ogr_feature.h>
#include <ogrsf_frmts.h>
#include <ogr_spatialref.h>

#include <memory>
#include <string>

namespace traverse {

struct DatasetCloser {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
struct FeatureDestroyer {
    void operator()(OGRFeature* feature) const { OGRFeature::DestroyFeature(feature); }
};
struct ReferenceReleaser {
    void operator()(OGRSpatialReference* reference) const { reference->Release(); }
};
struct TransformationDestroyer {
    void operator()(OGRCoordinateTransformation* transformation) const {
        OGRCoordinateTransformation::DestroyCT(transformation);
    }
};

using GdalDataset = std::unique_ptr<GDALDataset, DatasetCloser>;
using OgrFeature = std::unique_ptr<OGRFeature, FeatureDestroyer>;
using SpatialReference = std::unique_ptr<OGRSpatialReference, ReferenceReleaser>;
using CoordinateTransformation =
    std::unique_ptr<OGRCoordinateTransformation, TransformationDestroyer>;

// A file in GDAL's memory file system, unlinked when it goes.
class MemoryFile {
public:
    explicit MemoryFile(const std::string& extension);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    const std::string& Path() const { return m_path; }
    // Its bytes, once the dataset written into it is closed.
    std::string Bytes() const;

private:
    std::string m_path;
};

}  // namespace traverse

#endif
