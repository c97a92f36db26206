// Whether a figure lies within its limit: a figure that is not a finite number never does.
#ifndef TRAVERSE_ADJUST_LIMIT_JUDGEMENT_H
#define TRAVERSE_ADJUST_LIMIT_JUDGEMENT_H

#include <cmath>

namespace traverse {

// magnitude <= limit, both finite; false for inf and nan on either side.
inline bool WithinLimit(double magnitude, double limit) {
    return std::isfinite(magnitude) && std::isfinite(limit) && magnitude <= limit;
}

}  // namespace traverse

#endif
