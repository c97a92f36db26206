#include "adjust/model/values_left_out.h"

#include <algorithm>
#include <utility>

#include "adjust/adjustment_texts.h"
#include "adjust/model/adjustment_failure.h"
#include "import/record_schema.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "records/station_ownership.h"
#include "traverse/import_contents.h"

namespace traverse {
namespace {

// What one station's copy loses: records by (set, round, record), whole horizontal rounds, target
// heights, its distances.
struct StationCuts {
    std::set<std::pair<int, std::size_t>> records[3];  // horizontal, zenith, distance
    std::set<int> horizontalRounds;
    std::set<std::size_t> targetHeights;
    bool distances = false;
};

int SetIndex(ValueKind kind) {
    return kind == ValueKind::Horizontal ? 0 : kind == ValueKind::Zenith ? 1 : 2;
}

// The kind of a record or round in the notes' words (GBK).
const std::string& KindWord(ValueKind kind) {
    switch (kind) {
        case ValueKind::Station: return GBK(text::kAdjustKindStation);
        case ValueKind::Horizontal: return GBK(text::kAdjustKindHorizontal);
        case ValueKind::Zenith: return GBK(text::kAdjustKindZenith);
        case ValueKind::Distance: return GBK(text::kAdjustKindDistance);
        case ValueKind::TargetHeight: break;
    }
    return GBK(text::kAdjustKindTargetHeight);
}

// Marks what depends on value in cuts and says what that is (GBK); empty when nothing does.
std::string Cut(const ValueNotNumber& value, const TAGStationObserve& block, StationCuts& cuts,
                UsableImport& usable) {
    const char* station = value.station.c_str();
    const std::string& attribute = value.attribute;
    switch (value.kind) {
    case ValueKind::Station:
        if (attribute == GBK(schema::kInstrumentHeight)) {
            usable.stationsWithoutHeights.insert(static_cast<int>(value.stationIndex));
            return FormatText(GBK(text::kAdjustLeftOutHeights), station);
        }
        if (attribute != GBK(schema::kAddConst) && attribute != GBK(schema::kMulConst)) {
            return std::string();
        }
        cuts.distances = true;
        return FormatText(GBK(text::kAdjustLeftOutDistances), station);
    case ValueKind::TargetHeight:
        cuts.targetHeights.insert(value.record);
        return FormatText(GBK(text::kAdjustLeftOutTargetHeight), value.element.c_str(), station);
    default: break;
    }
    const std::vector<CSurveyTurn>& rounds = value.kind == ValueKind::Horizontal ? block.m_arrHAngle
                                             : value.kind == ValueKind::Zenith
                                                 ? block.m_arrZenith
                                                 : block.m_arrDistance;
    if (value.round < 1 || static_cast<std::size_t>(value.round) > rounds.size()) {
        return std::string();
    }
    const std::vector<CBaseObserve>& records =
        rounds[static_cast<std::size_t>(value.round - 1)].m_arrObserve;
    // Every direction of a round is reduced to its opening target.
    if (value.kind == ValueKind::Horizontal && !records.empty() &&
        records.front().m_strName == value.element) {
        cuts.horizontalRounds.insert(value.round);
        return FormatText(GBK(text::kAdjustLeftOutRound), KindWord(value.kind).c_str(), value.round,
                          station);
    }
    cuts.records[SetIndex(value.kind)].emplace(value.round, value.record);
    return FormatText(GBK(text::kAdjustLeftOutRecord), value.element.c_str(),
                      KindWord(value.kind).c_str(), value.round, station);
}

// Keeps the items of items whose index (from 0, or from 1 for rounds) is not in gone.
template <typename T, typename Gone>
void KeepOthers(std::vector<T>& items, Gone gone) {
    std::vector<T> kept;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!gone(i)) kept.push_back(std::move(items[i]));
    }
    items = std::move(kept);
}

void ApplyCuts(const StationCuts& cuts, TAGStationObserve& block) {
    std::vector<CSurveyTurn>* sets[3] = {&block.m_arrHAngle, &block.m_arrZenith,
                                         &block.m_arrDistance};
    for (int s = 0; s < 3; ++s) {
        for (std::size_t r = 0; r < sets[s]->size(); ++r) {
            const int round = static_cast<int>(r) + 1;
            KeepOthers((*sets[s])[r].m_arrObserve, [&](std::size_t i) {
                return cuts.records[s].count({round, i}) != 0;
            });
        }
    }
    KeepOthers(block.m_arrHAngle, [&](std::size_t r) {
        return cuts.horizontalRounds.count(static_cast<int>(r) + 1) != 0;
    });
    if (cuts.distances) block.m_arrDistance.clear();
    for (CSurveyTurn& heights : block.m_arrTargetHeight) {
        KeepOthers(heights.m_arrObserve,
                   [&](std::size_t i) { return cuts.targetHeights.count(i) != 0; });
    }
}

}  // namespace

std::unique_ptr<UsableImport> LeaveOutValuesNotNumbers(const CImportXml& importer) {
    const std::vector<ValueNotNumber> values = FindValuesNotNumbers(importer);
    if (values.empty()) return nullptr;
    auto usable = std::make_unique<UsableImport>();
    usable->import.m_arrKnownPoint = importer.m_arrKnownPoint;
    std::vector<StationCuts> cuts(importer.m_arrStation.size());
    for (const CPoint3D* station : importer.m_arrStation) {
        CPoint3D& copy = *AppendNewStation(usable->import.m_arrStation);
        copy.m_strName = station->m_strName;
        if (StationBlock(*station) != nullptr) *StationBlock(copy) = *StationBlock(*station);
    }
    for (const ValueNotNumber& value : values) {
        if (value.stationIndex >= cuts.size()) continue;
        const TAGStationObserve* block = StationBlock(*importer.m_arrStation[value.stationIndex]);
        if (block == nullptr) continue;
        const std::string what = Cut(value, *block, cuts[value.stationIndex], *usable);
        if (what.empty()) continue;
        usable->notes.push_back(FormatText(GBK(text::kAdjustNoteValueLeftOut), what.c_str(),
                                           DescribeValueNotNumber(value).c_str()));
    }
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        ApplyCuts(cuts[i], *StationBlock(*usable->import.m_arrStation[i]));
    }
    return usable;
}

void DropHeightsOf(const UsableImport& usable, Network& network) {
    std::vector<HeightDifference>& heights = network.heights;
    heights.erase(std::remove_if(heights.begin(), heights.end(),
                                 [&](const HeightDifference& h) {
                                     return usable.stationsWithoutHeights.count(h.stationIndex) !=
                                            0;
                                 }),
                  heights.end());
    if (network.directions.empty() && network.distances.empty() && heights.empty()) {
        throw AdjustmentFailure(AdjustmentStatus::NoObservations, GBK(text::kAdjustNothingLeft));
    }
}

}  // namespace traverse
