#include <string>

#include "traverse/field_checks.h"

namespace traverse {

std::string FormatFieldChecks(const FieldCheckResult&) { return std::string(); }

}  // namespace traverse
