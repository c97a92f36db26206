// The pipeline fuzzer's oracle: no number that is not finite in a result or in what is written,
// and no such number judged within its limit.
#ifndef TRAVERSE_FUZZ_FINITE_ORACLE_H
#define TRAVERSE_FUZZ_FINITE_ORACLE_H

#include <string>

#include "traverse/adjust.h"
#include "traverse/field_checks.h"
#include "traverse/html_report.h"

namespace traverse {

// The first fault found, or empty: a number of the adjustment, its closures or the sketch that is
// not finite, or a field-check value that is not finite yet within its limit.
std::string NonFiniteResult(const HtmlReportInput& input);

// The first fault found, or empty: inf or nan in a numeric attribute of the page's SVG or of the
// Gama document, or in a number field of the points CSV.
std::string NonFiniteInPage(const std::string& page);
std::string NonFiniteInGama(const std::string& document);
std::string NonFiniteInCsv(const std::string& csv);

}  // namespace traverse

#endif
