#include "reduce/direction_mean.h"

#include "records/circle.h"
#include "traverse/angle.h"
#include "traverse/dms.h"

namespace traverse {

double MeanDirection(const CBaseObserve& observe) {
    const double left = DmsToRadian(observe.m_arrValue[0]);
    const double right = RightAngleToLeftAngle(DmsToRadian(observe.m_arrValue[1]));
    return ShortWayMean(left, right);
}

}  // namespace traverse
