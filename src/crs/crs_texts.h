// The texts of the coordinate reference systems. The rule for every catalogue: docs/design.md.
#ifndef TRAVERSE_CRS_CRS_TEXTS_H
#define TRAVERSE_CRS_CRS_TEXTS_H

#include "platform/text.h"

namespace traverse {
namespace text {

// the code as given
constexpr Text kCrsUnknown{"坐标参考系 %s 不为 PROJ 所知",
                           "The coordinate reference system %s is unknown to PROJ"};
// the code as given, the CRS's name
constexpr Text kCrsNotProjected{"坐标参考系 %s（%s）不是投影坐标系：平面坐标须为投影坐标",
                                "The coordinate reference system %s (%s) is not projected: the "
                                "plane coordinates must be projected ones"};
// the code as given, the CRS's name
constexpr Text kCrsNoGeographicBase{"坐标参考系 %s（%s）没有可换算的大地坐标系",
                                    "The coordinate reference system %s (%s) has no geographic "
                                    "base to convert to"};

}  // namespace text
}  // namespace traverse

#endif
