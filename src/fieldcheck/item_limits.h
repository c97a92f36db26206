// The limit each item is judged against: the record file's, else the standard's, else none.
#ifndef TRAVERSE_FIELDCHECK_ITEM_LIMITS_H
#define TRAVERSE_FIELDCHECK_ITEM_LIMITS_H

#include <array>
#include <string>

#include "fieldcheck/field_items.h"
#include "traverse/field_checks.h"
#include "traverse/import_xml.h"

namespace traverse {

struct ItemLimit {
    LimitSource source = LimitSource::None;
    double limit = 0.0;
    std::string origin;  // UTF-8; for None empty, or why the file's limit was left out
    bool least = false;  // a least value (1004): values below it exceed it
};

// Indexed like kFieldItems.
using ItemLimits = std::array<ItemLimit, kFieldItemCount>;

ItemLimits ResolveItemLimits(const CImportXml& importer, const FieldCheckOptions& options);

// True when value, of either sign, lies beyond limit (below it for a least value). Values are
// sums and differences of readings of a tenth of a second or millimetre: a difference of 1e-6 is
// noise, not an exceedance.
bool ExceedsLimit(const ItemLimit& limit, double value);

}  // namespace traverse

#endif
