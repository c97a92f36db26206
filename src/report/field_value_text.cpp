#include "report/field_value_text.h"

#include "platform/c_number.h"
#include "report/page_texts.h"
#include "traverse/check_info.h"
#include "traverse/code_page.h"

namespace traverse {

std::string FieldItemTitle(std::int16_t code) {
    return FormatText(text::kHtmlFieldItem, static_cast<int>(code),
                      GbkToUtf8(FieldCheckItemName(code)).c_str());
}

std::string FieldValueText(std::int16_t code, double value) {
    if (code == CHECK_ROUND_COUNT) return FormatText("%.0f", value);  // a number of rounds
    const bool distance = code == CHECK_DISTANCE_READINGS || code == CHECK_DISTANCE_BETWEEN_ROUNDS;
    return FormatText(text::kHtmlValue, value) +
           (distance ? text::kHtmlUnitMillimetres : text::kHtmlUnitSeconds);
}

std::string FieldValuePlace(const FieldCheckValue& value) {
    std::string place = FormatText(text::kHtmlAtStation, GbkToUtf8(value.station).c_str());
    if (value.round > 0) place += FormatText(text::kHtmlAtRound, value.round);
    if (!value.target.empty())
        place += FormatText(text::kHtmlAtTarget, GbkToUtf8(value.target).c_str());
    if (value.face == 1) place += text::kHtmlFaceLeft;
    if (value.face == 2) place += text::kHtmlFaceRight;
    return place;
}

}  // namespace traverse
