// The nine tolerance items that the field checks compute: code, name and kind, in code order.
#ifndef TRAVERSE_FIELDCHECK_FIELD_ITEMS_H
#define TRAVERSE_FIELDCHECK_FIELD_ITEMS_H

#include <cstddef>
#include <cstdint>
#include <string>

namespace traverse {

// The kind of observation an item checks; the report has one table per kind.
enum class FieldKind { Horizontal, Vertical, Distance };

struct FieldItem {
    std::int16_t code;  // CHECK_*
    const char* name;   // the record file's item name, UTF-8 (record_schema.h); the standard's
    FieldKind kind;
    bool least;  // the limit is a least value (1004), not a largest magnitude
};

constexpr std::size_t kFieldItemCount = 9;

// The items in code order 1001 ... 3002, then 1004, which no record file carries.
extern const FieldItem kFieldItems[kFieldItemCount];

// The position of code in kFieldItems, or kFieldItemCount for a code that is no item.
std::size_t FieldItemIndex(std::int16_t code);

// The item's name as GBK, converted once.
const std::string& FieldItemGbkName(std::size_t index);

}  // namespace traverse

#endif
