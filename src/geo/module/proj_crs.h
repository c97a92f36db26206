// The geo module's CRS functions through PROJ: the entries of the table in geo/geo_backend.h.
#ifndef TRAVERSE_GEO_MODULE_PROJ_CRS_H
#define TRAVERSE_GEO_MODULE_PROJ_CRS_H

#include <string>

#include "geo/geo_backend.h"

namespace traverse {

GeoCrs* OpenCrs(const std::string& code, CrsFacts& facts);
void CloseCrs(GeoCrs* crs);
GeographicPosition CrsAt(const GeoCrs& crs, double north, double east);

}  // namespace traverse

#endif
