// The zenith-distance items. With face left L = z + i and face right R = 360 - z + i (degrees),
// the index error is i = (L + R - 360) / 2 and the vertical angle 90 - z = (R - L - 180) / 2; both
// sums are wrapped into (-180, 180] before halving, so no reading near a seam misleads them.
// Vertical angles of one target are compared doubled, on the circle: +89°59'59" and -89°59'59"
// are the same sight a second either side of the zenith, 2" apart.
#include <cstddef>
#include <string>
#include <vector>

#include "fieldcheck/station_checks.h"
#include "fieldcheck/target_series.h"
#include "records/circle.h"
#include "traverse/angle.h"
#include "traverse/check_info.h"
#include "traverse/dms.h"

namespace traverse {
namespace {

// The spread of vertical angles given doubled (2α in (-pi, pi]): half the shortest arc that holds
// them.
double VerticalAngleSpread(const std::vector<double>& doubled) {
    return CircularSpread(doubled) / 2;
}

}  // namespace

void CheckZenithRounds(const std::vector<CSurveyTurn>& rounds, FieldValueSink& sink) {
    TargetSeries verticalAngles;
    for (std::size_t r = 0; r < rounds.size(); ++r) {
        std::vector<double> indexErrors;
        for (const CBaseObserve& record : rounds[r].m_arrObserve) {
            if (record.m_arrValue.size() < 2) continue;
            const double left = DmsToRadian(record.m_arrValue[0]);
            const double right = DmsToRadian(record.m_arrValue[1]);
            const double indexError = AngleDifference(0.0, left + right) / 2;
            indexErrors.push_back(indexError);
            sink.Add(CHECK_INDEX_ERROR, RoundNumber(r), record.m_strName, 0,
                     RadToSecond(indexError));
            verticalAngles.Add(record.m_strName, r, AngleDifference(left + PI, right));
        }
        if (indexErrors.size() >= 2) {
            sink.Add(CHECK_INDEX_ERROR_SPREAD, RoundNumber(r), "", 0,
                     RadToSecond(Spread(indexErrors)));
        }
    }
    AddSpreadsOverRounds(verticalAngles, CHECK_VERTICAL_BETWEEN_ROUNDS, VerticalAngleSpread,
                         SECONDS_PER_RAD, sink);
}

}  // namespace traverse
