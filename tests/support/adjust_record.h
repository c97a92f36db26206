// Writes a record body as a GBK record file, imports it and adjusts it.
#ifndef TRAVERSE_TESTS_ADJUST_RECORD_H
#define TRAVERSE_TESTS_ADJUST_RECORD_H

#include <string>

#include "traverse/adjust.h"

namespace traverse {

// The adjustment of the record file made of utf8Body (the import must succeed).
AdjustmentResult AdjustRecordBody(const std::string& utf8Body, const AdjustmentOptions& options);

// The point of that UTF-8 name in result, or null.
const AdjustedPoint* FindPoint(const AdjustmentResult& result, const std::string& utf8Name);

}  // namespace traverse

#endif
