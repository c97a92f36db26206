// The result file by its extension: the points CSV of the adjustment, the GIS and CAD files from
// GDAL's bytes, and the coordinate list of Chinese survey CAD; each written whole or not at all.
#include "traverse/result_files.h"

#include <cerrno>
#include <memory>

#include "crs/projected_crs.h"
#include "geo/geo_loader.h"
#include "gis/result_features.h"
#include "platform/c_number.h"
#include "platform/output_file.h"
#include "traverse/code_page.h"
#include "traverse/exceptions.h"
#include "traverse/import_xml.h"
#include "traverse/message_box.h"

namespace traverse {
namespace {

std::string LowerExtension(const std::string& path) {
    const std::size_t dot = path.rfind('.'), slash = path.rfind('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    return extension;
}

std::string Field(bool has, double value) {
    return has ? FormatText("%.4f", value) : std::string();
}

// 点名,编码,Y,X,H: no code, east before north.
std::uint32_t WriteDat(const AdjustmentResult& result, const std::string& path) {
    const bool written = WriteOutputFile(path, [&](CStdioFile& file) {
        for (const AdjustedPoint& p : result.points) {
            if (!p.hasPlane) continue;
            file.WriteString(p.name + ",," + Field(true, p.y) + "," + Field(true, p.x) + "," +
                             Field(p.hasHeight, p.h) + "\n");
        }
    });
    return written ? 0 : RESULT_FAILED;
}

std::string GisBytes(const GeoBackend& backend, const AdjustmentResult& result,
                     ResultFileFormat format) {
    std::string ignored;
    const std::unique_ptr<ProjectedCrs> crs =
        result.settings.reducedWithCrs ? ProjectedCrs::Open(result.settings.crs, ignored) : nullptr;
    return backend.gisFileBytes(CollectResultFeatures(result), format,
                                crs != nullptr ? crs->Wkt() : std::string());
}

}  // namespace

ResultFileFormat ResultFileFormatOf(const std::string& path) {
    const std::string extension = LowerExtension(path);
    if (extension == "gpkg") return ResultFileFormat::GeoPackage;
    if (extension == "geojson") return ResultFileFormat::GeoJson;
    if (extension == "dxf") return ResultFileFormat::Dxf;
    if (extension == "dat") return ResultFileFormat::Dat;
    return ResultFileFormat::Csv;
}

bool HasResultFileExtension(const std::string& path) {
    return ResultFileFormatOf(path) != ResultFileFormat::Csv || LowerExtension(path) == "csv";
}

std::uint32_t WriteAdjustmentResultFile(const AdjustmentResult& result, const std::string& path) {
    const ResultFileFormat format = ResultFileFormatOf(path);
    if (format == ResultFileFormat::Csv) return WriteAdjustedPointsCsv(result, path);
    if (format == ResultFileFormat::Dat) return WriteDat(result, path);
    std::string unloadable;
    const GeoBackend* backend = GeoModule(unloadable);
    if (backend == nullptr) {
        ShowMessageBox(Utf8ToGbkLossy(unloadable));
        return RESULT_FAILED;
    }
    const std::string bytes = GisBytes(*backend, result, format);
    // GDAL builds the file in memory first: a failure there is a write that did not happen.
    if (bytes.empty()) throw CFileException(CFileException::writeFault, path, EIO);
    const bool written = WriteOutputFile(
        path, [&](CStdioFile& file) { file.Write(bytes.data(), bytes.size()); });
    return written ? 0 : RESULT_FAILED;
}

}  // namespace traverse
