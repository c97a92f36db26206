// The precision achieved, and the traverses themselves, judged against the grade.
#ifndef TRAVERSE_ADJUST_ASSESSMENT_GRADE_ASSESSMENT_H
#define TRAVERSE_ADJUST_ASSESSMENT_GRADE_ASSESSMENT_H

#include <vector>

#include "traverse/adjust.h"

namespace traverse {

// The figures of result's closures, reciprocal distances and, when adjusted, observations, each
// with the limit of result.settings.grade.
std::vector<PrecisionJudgement> AssessPrecision(const AdjustmentResult& result);

}  // namespace traverse

#endif
