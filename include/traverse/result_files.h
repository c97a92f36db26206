// The adjusted network as files for CAD and GIS, the format chosen by the file's extension.
#ifndef TRAVERSE_RESULT_FILES_H
#define TRAVERSE_RESULT_FILES_H

#include <cstdint>
#include <string>

#include "traverse/adjust.h"
#include "traverse/visibility.h"

namespace traverse {

enum class ResultFileFormat {
    Csv,         // .csv and any other extension: WriteAdjustedPointsCsv
    GeoPackage,  // .gpkg: layers points, observations, ellipses, traverses; the CRS when known
    GeoJson,     // .geojson: the same features in one collection, property "layer" naming each's;
                 // WGS 84 longitude, latitude when a CRS is known, else plane x east, y north
    Dxf,         // .dxf: layers known_points, new_points, names (TEXT), sightlines, ellipses,
                 // closures; X east, Y north, heights as Z
    Dat,         // .dat: "name,code,Y,X,H" per point (east before north), GBK, CR LF
};

// The format of path by its extension, in any case.
TRAVERSE_API ResultFileFormat ResultFileFormatOf(const std::string& path);

// Whether path's extension names one of the formats above (.csv, .gpkg, .geojson, .dxf, .dat).
TRAVERSE_API bool HasResultFileExtension(const std::string& path);

// Writes result (adjusted) into path (GBK) in the format of its extension, whole or not at all.
// 0, or RESULT_FAILED when the file cannot be opened (message box "打开文件错误！") or a GIS or CAD
// file is asked for and the geo module cannot be loaded (message box naming it); a failing write
// raises CFileException.
TRAVERSE_API std::uint32_t WriteAdjustmentResultFile(const AdjustmentResult& result,
                                                     const std::string& path);

}  // namespace traverse

#endif
