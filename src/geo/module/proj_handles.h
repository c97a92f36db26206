// Owners of PROJ's objects: each is destroyed with the function PROJ names for it.
#ifndef TRAVERSE_GEO_MODULE_PROJ_HANDLES_H
#define TRAVERSE_GEO_MODULE_PROJ_HANDLES_H

#include <proj.h>

#include <memory>

namespace traverse {

struct ProjContextDeleter {
    void operator()(PJ_CONTEXT* context) const { proj_context_destroy(context); }
};
struct ProjObjectDeleter {
    void operator()(PJ* object) const { proj_destroy(object); }
};

using ProjContext = std::unique_ptr<PJ_CONTEXT, ProjContextDeleter>;
using ProjObject = std::unique_ptr<PJ, ProjObjectDeleter>;

}  // namespace traverse

#endif
