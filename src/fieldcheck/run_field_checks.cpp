#include <cmath>
#include <cstddef>

#include "fieldcheck/field_items.h"
#include "fieldcheck/field_value_sink.h"
#include "fieldcheck/item_limits.h"
#include "fieldcheck/station_checks.h"
#include "records/station_walk.h"
#include "traverse/field_checks.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

// The summaries, in the order of kFieldItems, with their limits.
std::vector<FieldCheckSummary> EmptySummary(const ItemLimits& limits) {
    std::vector<FieldCheckSummary> summary(kFieldItemCount);
    for (std::size_t i = 0; i < kFieldItemCount; ++i) {
        summary[i].code = kFieldItems[i].code;
        summary[i].limitSource = limits[i].source;
        summary[i].limit = limits[i].limit;
        summary[i].limitOrigin = limits[i].origin;
    }
    return summary;
}

void Summarize(FieldCheckResult& result) {
    for (const FieldCheckValue& value : result.values) {
        const std::size_t index = FieldItemIndex(value.code);
        FieldCheckSummary& item = result.summary[index];
        const bool worse = kFieldItems[index].least
                               ? value.value < item.worst.value
                               : std::fabs(value.value) > std::fabs(item.worst.value);
        if (item.count == 0 || worse) {
            item.worst = value;
        }
        ++item.count;
        if (value.exceeded) {
            ++item.exceededCount;
            ++result.exceededCount;
        }
    }
}

}  // namespace

FieldCheckResult RunFieldChecks(const CImportXml& importer, const FieldCheckOptions& given) {
    FieldCheckResult result;
    FieldCheckOptions options = given;
    if (!options.hasGrade && (options.angleClass != 0 || options.distanceClass != 0)) {
        options.hasGrade = result.gradeDefaulted = true;
        options.grade = kDefaultGrade;
    }
    result.hasGrade = options.hasGrade;
    result.grade = options.grade;
    const ItemLimits limits = ResolveItemLimits(importer, options);
    result.summary = EmptySummary(limits);
    ForEachStationWithBlock(importer.m_arrStation,
                            [&](const CPoint3D& station, const TAGStationObserve& block) {
                                FieldValueSink sink(limits, station.m_strName, result.values,
                                                    result.leftOutRounds);
                                CheckHorizontalRounds(block.m_arrHAngle, sink);
                                CheckZenithRounds(block.m_arrZenith, sink);
                                CheckDistanceRounds(block.m_arrDistance, sink);
                                CountHorizontalRounds(block.m_arrHAngle, sink);
                                return true;
                            });
    Summarize(result);
    return result;
}

}  // namespace traverse
