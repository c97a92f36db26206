#include "fieldcheck/field_items.h"

#include <vector>

#include "import/record_schema.h"
#include "traverse/check_info.h"
#include "traverse/code_page.h"
#include "traverse/field_checks.h"

namespace traverse {

const FieldItem kFieldItems[kFieldItemCount] = {
    {CHECK_2C_SPREAD, schema::k2CSpread, FieldKind::Horizontal, false},
    {CHECK_HALF_ROUND_CLOSURE, schema::kHalfRoundClosure, FieldKind::Horizontal, false},
    {CHECK_DIRECTION_BETWEEN_ROUNDS, schema::kDirectionBetweenRounds, FieldKind::Horizontal, false},
    {CHECK_VERTICAL_BETWEEN_ROUNDS, schema::kVerticalBetweenRounds, FieldKind::Vertical, false},
    {CHECK_INDEX_ERROR, schema::kIndexError, FieldKind::Vertical, false},
    {CHECK_INDEX_ERROR_SPREAD, schema::kIndexErrorSpread, FieldKind::Vertical, false},
    {CHECK_DISTANCE_READINGS, schema::kDistanceReadings, FieldKind::Distance, false},
    {CHECK_DISTANCE_BETWEEN_ROUNDS, schema::kDistanceBetweenRounds, FieldKind::Distance, false},
    {CHECK_ROUND_COUNT, "测回数", FieldKind::Horizontal, true},
};

std::size_t FieldItemIndex(std::int16_t code) {
    std::size_t index = 0;
    while (index < kFieldItemCount && kFieldItems[index].code != code) ++index;
    return index;
}

const std::string& FieldItemGbkName(std::size_t index) {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> converted;
        for (const FieldItem& item : kFieldItems) converted.push_back(Utf8ToGbk(item.name));
        return converted;
    }();
    return names[index];
}

std::string FieldCheckItemName(std::int16_t code) {
    const std::size_t index = FieldItemIndex(code);
    return index < kFieldItemCount ? FieldItemGbkName(index) : std::string();
}

const char* LimitSourceName(LimitSource source) {
    switch (source) {
    case LimitSource::File:
        return "file";
    case LimitSource::Standard:
        return "standard";
    case LimitSource::None:
        break;
    }
    return "none";
}

}  // namespace traverse
