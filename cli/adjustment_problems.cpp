#include "adjustment_problems.h"

#include "cli_texts.h"
#include "text_for_people.h"
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
    const std::string reason = traverse::GbkToUtf8(result.error);
    if (result.status == traverse::AdjustmentStatus::InvalidOptions) {
        return Formatted(text::kUsageError, (file + ": " + reason).c_str());
    }
    if (result.status != traverse::AdjustmentStatus::Adjusted)
        return Formatted(text::kNotAdjusted, file.c_str(), reason.c_str());
    std::string lines;
    if (!result.global.passed) {
        lines += Formatted(text::kGlobalTestFails, file.c_str(), result.global.weightedSquareSum,
                           result.global.upperBound);
    }
    const std::size_t beyond = ClosuresBeyondLimits(result);
    if (beyond > 0) lines += Formatted(text::kClosuresBeyondLimits, file.c_str(), beyond);
    return lines;
}

}  // namespace traverse_cli
