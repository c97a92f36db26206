// Packed degrees.minutes-seconds (ddd.mmss...) and radians.
#ifndef TRAVERSE_DMS_H
#define TRAVERSE_DMS_H

#include "traverse/visibility.h"

namespace traverse {

// dms: packed degrees.minutes-seconds (123.4530 is 123 deg 45' 30"). Returns radians. The minute
// and second digits are read to within 1e-9" for every value with up to six decimals. A negative
// angle gives the negative of its absolute value; NaN and infinities pass through.
TRAVERSE_API double DmsToRadian(double dms);

// radians -> packed degrees.minutes-seconds. Seconds are rounded to 1e-5" and carried at 60, so the
// result never shows 60 seconds or 60 minutes; for |radians| < 2*pi, printed with "%.6f" (0.01"),
// RadianToDms(DmsToRadian(x)) gives back x's own six decimals. Negative in, negative out.
TRAVERSE_API double RadianToDms(double radians);

}  // namespace traverse

#endif
