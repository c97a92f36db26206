#include "adjust/model/settings_crs.h"

#include "adjust/adjustment_texts.h"
#include "adjust/model/adjustment_failure.h"
#include "platform/c_number.h"
#include "traverse/code_page.h"

namespace traverse {

std::unique_ptr<ProjectedCrs> OpenSettingsCrs(AdjustmentSettings& settings) {
    if (!settings.reducedWithCrs) return nullptr;
    if (settings.yOffset) {
        throw AdjustmentFailure(AdjustmentStatus::InvalidOptions,
                                Utf8ToGbk(static_cast<const char*>(text::kAdjustCrsWithYOffset)));
    }
    std::string reason;
    std::unique_ptr<ProjectedCrs> crs = ProjectedCrs::Open(settings.crs, reason);
    if (crs == nullptr) {
        throw AdjustmentFailure(
            AdjustmentStatus::InvalidOptions,
            Utf8ToGbkLossy(FormatText(text::kAdjustCrsRefused, reason.c_str())));
    }
    settings.crsName = crs->Name();
    settings.crsBaseName = crs->BaseName();
    return crs;
}

}  // namespace traverse
