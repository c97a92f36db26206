// Forms that every report of the adjustment shares: the settings lines, the order of the
// observations and the way a relative closure is quoted.
#ifndef TRAVERSE_ADJUST_REPORT_FORMS_H
#define TRAVERSE_ADJUST_REPORT_FORMS_H

#include <string>
#include <vector>

#include "traverse/adjust.h"

namespace traverse {

// The settings the adjustment applied, one GBK line each: grade, sigmas, model, reduction, limits,
// tests.
std::vector<std::string> SettingsLines(const AdjustmentSettings& settings);

// Outliers first, the largest standardized residual first; the others in station order.
std::vector<const AdjustedObservation*> OutliersFirst(
    const std::vector<AdjustedObservation>& observations);

// The CSV columns of an error ellipse at the settings' confidence: "ellipse_a_mm,ellipse_b_mm,
// ellipse_azimuth_deg" for the standard ellipse, "ellipse_a_p95_mm,ellipse_b_p95_mm,..." at 0.95.
std::string EllipseCsvColumns(const AdjustmentSettings& settings);

// 1/T with T rounded to hundreds, the way the standard quotes it; no misclosure at all reads 1/inf.
std::string RelativeClosureText(double ratio);

}  // namespace traverse

#endif
