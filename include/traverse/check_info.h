// Tolerance items and their codes.
#ifndef TRAVERSE_CHECK_INFO_H
#define TRAVERSE_CHECK_INFO_H

#include <cstdint>
#include <string>

#include "traverse/export.h"

namespace traverse {

// One tolerance item: its code (GetCheckFlag's table, never 0 once stored) and its limit in the
// file's unit (arc seconds for the horizontal-angle items).
struct TAGCheckInfo {
    std::int16_t m_nFlag;
    double m_dLimit;
};

// The code of a tolerance item name (GBK, compared byte for byte), or 0 for an unknown name:
// 1001 to 1003 horizontal angle, 2001 to 2003 vertical angle, 3001 and 3002 distance.
TRAVERSE_API std::int16_t GetCheckFlag(const std::string& name);

}  // namespace traverse

#endif
