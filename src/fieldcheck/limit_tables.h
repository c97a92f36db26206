// The limits of the surveying standard GB 50026 for the tolerance items, chosen by the traverse
// grade and the instrument classes (FieldCheckOptions says how).
#ifndef TRAVERSE_FIELDCHECK_LIMIT_TABLES_H
#define TRAVERSE_FIELDCHECK_LIMIT_TABLES_H

#include <cstdint>

#include "traverse/field_checks.h"

namespace traverse {

// A limit of the standard: found or not, its value (arc seconds or millimetres) and the table line
// it comes from (ASCII).
struct StandardLimit {
    bool found = false;
    double limit = 0.0;
    const char* origin = "";
};

// The standard's limit of item code under options; not found where the tables give none.
StandardLimit StandardLimitFor(std::int16_t code, const FieldCheckOptions& options);

}  // namespace traverse

#endif
