// The geo module, reached once per process on first use: the shared library loads the file beside
// itself, the static one links it in.
#ifndef TRAVERSE_GEO_GEO_LOADER_H
#define TRAVERSE_GEO_GEO_LOADER_H

#include <string>

#include "geo/geo_backend.h"

namespace traverse {

// The module's table; null when it cannot be loaded, with the reason in error (UTF-8, in the
// current language, naming the module's file).
const GeoBackend* GeoModule(std::string& error);

}  // namespace traverse

#endif
