#include "adjustment_problems.h"

#include <cstdio>

#include "traverse/code_page.h"

namespace traverse_cli {
namespace {

std::size_t ClosuresBeyondLimits(const traverse::AdjustmentResult& result) {
    std::size_t count = 0;
    for (const traverse::TraverseClosure& closure : result.traverses) {
        count += (closure.angularWithinLimit ? 0 : 1) + (closure.relativeWithinLimit ? 0 : 1);
    }
    for (const traverse::ReciprocalCheck& check : result.reciprocalChecks)
        count += check.withinLimit ? 0 : 1;
    return count;
}

}  // namespace

std::string AdjustmentProblems(const std::string& file, const traverse::AdjustmentResult& result) {
    const std::string head = "traverse: " + file + ": ";
    const std::string reason = traverse::GbkToUtf8(result.error);
    if (result.status == traverse::AdjustmentStatus::InvalidOptions) {
        return head + reason + "\nTry 'traverse --help' for more information.\n";
    }
    if (result.status != traverse::AdjustmentStatus::Adjusted)
        return head + "not adjusted: " + reason + "\n";
    std::string lines;
    if (!result.global.passed) {
        char line[128];
        std::snprintf(line, sizeof line, "the global test fails: v'Pv = %.2f, limit %.2f\n",
                      result.global.weightedSquareSum, result.global.upperBound);
        lines += head + line;
    }
    const std::size_t beyond = ClosuresBeyondLimits(result);
    if (beyond > 0) lines += head + std::to_string(beyond) + " closure(s) beyond their limits\n";
    return lines;
}

}  // namespace traverse_cli
