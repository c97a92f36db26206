// The words the page uses for a field-check value: its item, its value with unit, where it stands.
#ifndef TRAVERSE_REPORT_FIELD_VALUE_TEXT_H
#define TRAVERSE_REPORT_FIELD_VALUE_TEXT_H

#include <cstdint>
#include <string>

#include "traverse/field_checks.h"

namespace traverse {

// "1001 一测回2C较差", UTF-8, not escaped.
std::string FieldItemTitle(std::int16_t code);
// "12.3\"", "7.0 mm" or, for 1004, "6", UTF-8.
std::string FieldValueText(std::int16_t code, double value);
// "at 导1, round 2, target 北塔, face L", UTF-8, not escaped.
std::string FieldValuePlace(const FieldCheckValue& value);

}  // namespace traverse

#endif
