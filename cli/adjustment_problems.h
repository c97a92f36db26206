// Why an adjustment fails its command, for stderr: the report on stdout says it among everything
// else, and a script or a person reading only the messages must learn it too.
#ifndef TRAVERSE_CLI_ADJUSTMENT_PROBLEMS_H
#define TRAVERSE_CLI_ADJUSTMENT_PROBLEMS_H

#include <string>

#include "traverse/adjust.h"

namespace traverse_cli {

// Lines (UTF-8) naming file: options the data shows to be unusable (as a usage error), the reason
// the network was not adjusted, a failed global test, the closures and reciprocal differences
// beyond their limits. Empty when the adjustment is within its limits.
std::string AdjustmentProblems(const std::string& file, const traverse::AdjustmentResult& result);

}  // namespace traverse_cli

#endif
