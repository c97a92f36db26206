// The texts of the geo module's loading. The rule for every catalogue: docs/design.md.
#ifndef TRAVERSE_GEO_GEO_TEXTS_H
#define TRAVERSE_GEO_GEO_TEXTS_H

#include "platform/text.h"

namespace traverse {
namespace text {

// the module's file, the reason the system gives
constexpr Text kGeoModuleUnloadable{"无法加载坐标参考系与 GIS 文件所用的模块 %s：%s",
                                    "The module %s for coordinate reference systems and GIS "
                                    "files cannot be loaded: %s"};
// the reason for a module of another build
constexpr Text kGeoModuleOtherVersion{"模块版本与本库不符", "its version is not the library's"};

}  // namespace text
}  // namespace traverse

#endif
