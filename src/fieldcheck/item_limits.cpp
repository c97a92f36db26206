#include "fieldcheck/item_limits.h"

#include <cmath>
#include <vector>

#include "fieldcheck/field_check_texts.h"
#include "fieldcheck/limit_tables.h"

namespace traverse {
namespace {

constexpr double kRoundingNoise = 1e-6;

// The first item of code in the file's three groups, whatever group it stands in.
const TAGCheckInfo* FileItem(const CImportXml& importer, std::int16_t code) {
    for (const std::vector<TAGCheckInfo>* group :
         {&importer.m_arrHAngleCheck, &importer.m_arrVAngleCheck, &importer.m_arrDistCheck}) {
        for (const TAGCheckInfo& item : *group) {
            if (item.m_nFlag == code) return &item;
        }
    }
    return nullptr;
}

}  // namespace

ItemLimits ResolveItemLimits(const CImportXml& importer, const FieldCheckOptions& options) {
    ItemLimits limits;
    for (std::size_t i = 0; i < kFieldItemCount; ++i) {
        const std::int16_t code = kFieldItems[i].code;
        const TAGCheckInfo* item = FileItem(importer, code);
        // A limit beyond the double range judges nothing: the standard's takes its place.
        const bool usable = item == nullptr || std::isfinite(item->m_dLimit);
        if (item != nullptr && usable) {
            limits[i] = {LimitSource::File, item->m_dLimit, text::kFieldOriginFile};
        } else if (const StandardLimit standard = StandardLimitFor(code, options); standard.found) {
            const std::string leftOut =
                usable ? ""
                       : text::kFieldOriginSeparator + std::string(text::kFieldFileLimitLeftOut);
            limits[i] = {LimitSource::Standard, standard.limit, standard.origin + leftOut};
        } else if (!usable) {
            limits[i] = {LimitSource::None, 0.0, text::kFieldFileLimitLeftOut};
        }
        limits[i].least = kFieldItems[i].least;
    }
    return limits;
}

bool ExceedsLimit(const ItemLimit& limit, double value) {
    if (limit.source == LimitSource::None) return false;
    if (limit.least) return !(value >= limit.limit - kRoundingNoise);
    return !(std::fabs(value) <= limit.limit + kRoundingNoise);
}

}  // namespace traverse
