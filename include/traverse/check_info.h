// Tolerance items and their codes.
#ifndef TRAVERSE_CHECK_INFO_H
#define TRAVERSE_CHECK_INFO_H

#include <cstdint>
#include <string>

#include "traverse/visibility.h"

namespace traverse {

// Tolerance item codes, as GetCheckFlag gives them for the item names of the record file.
constexpr std::int16_t CHECK_2C_SPREAD = 1001;                // 一测回2C较差, arc seconds
constexpr std::int16_t CHECK_HALF_ROUND_CLOSURE = 1002;       // 半测回归零差, arc seconds
constexpr std::int16_t CHECK_DIRECTION_BETWEEN_ROUNDS = 1003; // 同一方向值各测回较差, arc seconds
constexpr std::int16_t CHECK_VERTICAL_BETWEEN_ROUNDS = 2001;  // 垂直角测回差, arc seconds
constexpr std::int16_t CHECK_INDEX_ERROR = 2002;              // 指标差, arc seconds
constexpr std::int16_t CHECK_INDEX_ERROR_SPREAD = 2003;       // 指标差较差, arc seconds
constexpr std::int16_t CHECK_DISTANCE_READINGS = 3001;        // 一测回读数较差, millimetres
constexpr std::int16_t CHECK_DISTANCE_BETWEEN_ROUNDS = 3002;  // 单程测回间较差, millimetres

// One tolerance item: its code (GetCheckFlag's table, never 0 once stored) and its limit in the
// file's unit (arc seconds for the horizontal-angle items).
struct TAGCheckInfo {
    std::int16_t m_nFlag;
    double m_dLimit;
};

// The code of a tolerance item name (GBK, compared byte for byte), one of the CHECK_ constants, or
// 0 for an unknown name.
TRAVERSE_API std::int16_t GetCheckFlag(const std::string& name);

}  // namespace traverse

#endif
