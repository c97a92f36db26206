// Compiled twice: into the shared library with TRAVERSE_GEO_DLOPEN, which opens the module file
// beside itself, and into the static library, which is linked with the module's code.
#include "geo/geo_loader.h"

#include "geo/geo_texts.h"
#include "platform/c_number.h"

#ifdef TRAVERSE_GEO_DLOPEN
#include <dlfcn.h>

#include <mutex>
#endif

namespace traverse {
namespace {

#ifdef TRAVERSE_GEO_DLOPEN

// The module's path: the folder this library was loaded from, where it is installed beside it.
std::string ModulePath() {
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&GeoModule), &self) == 0 || self.dli_fname == nullptr) {
        return kGeoModuleFile;
    }
    const std::string library = self.dli_fname;
    const std::size_t slash = library.rfind('/');
    return slash == std::string::npos ? kGeoModuleFile
                                      : library.substr(0, slash + 1) + kGeoModuleFile;
}

struct LoadedModule {
    const GeoBackend* backend = nullptr;
    std::string path;
    std::string reason;  // dlerror's words; empty without a backend: a module of another version
};

// Loaded for the rest of the process: the CRS and files it made may live until exit.
LoadedModule Load() {
    LoadedModule loaded;
    loaded.path = ModulePath();
    void* handle = dlopen(loaded.path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        loaded.reason = dlerror();
        return loaded;
    }
    using Entry = const GeoBackend* (*)();
    const auto entry = reinterpret_cast<Entry>(dlsym(handle, kGeoBackendEntry));
    if (entry == nullptr) {
        loaded.reason = dlerror();
        return loaded;
    }
    const GeoBackend* backend = entry();
    if (backend != nullptr && backend->version == kGeoBackendVersion) loaded.backend = backend;
    return loaded;
}

#endif

}  // namespace

const GeoBackend* GeoModule(std::string& error) {
#ifdef TRAVERSE_GEO_DLOPEN
    static std::once_flag once;
    static LoadedModule loaded;
    std::call_once(once, [] { loaded = Load(); });
    if (loaded.backend == nullptr) {
        const char* reason = loaded.reason.empty() ? text::kGeoModuleOtherVersion.Get()
                                                   : loaded.reason.c_str();
        error = FormatText(text::kGeoModuleUnloadable, loaded.path.c_str(), reason);
    }
    return loaded.backend;
#else
    static_cast<void>(error);
    return traverse_geo_backend();
#endif
}

}  // namespace traverse
