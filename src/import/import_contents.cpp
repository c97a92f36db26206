#include "traverse/import_contents.h"

#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "platform/messages.h"
#include "records/station_walk.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

void FindInRounds(IncompleteKind kind, const CPoint3D& station,
                  const std::vector<CSurveyTurn>& rounds, std::size_t required,
                  std::vector<IncompleteObservation>& found) {
    for (std::size_t r = 0; r < rounds.size(); ++r) {
        for (const CBaseObserve& observe : rounds[r].m_arrObserve) {
            if (observe.m_arrValue.size() >= required) continue;
            found.push_back({kind, station.m_strName, static_cast<int>(r + 1), observe.m_strName});
        }
    }
}

}  // namespace

ImportCounts CountImport(const CImportXml& importer) {
    ImportCounts counts;
    counts.knownPoints = importer.m_arrKnownPoint.size();
    counts.stations = importer.m_arrStation.size();
    ForEachStationWithBlock(
        importer.m_arrStation, [&](const CPoint3D&, const TAGStationObserve& block) {
            for (const auto* set : {&block.m_arrHAngle, &block.m_arrZenith, &block.m_arrDistance}) {
                counts.rounds += set->size();
                for (const CSurveyTurn& round : *set)
                    counts.observations += round.m_arrObserve.size();
            }
            return true;
        });
    return counts;
}

std::vector<IncompleteObservation> FindIncompleteObservations(const CImportXml& importer) {
    std::vector<IncompleteObservation> found;
    ForEachStationWithBlock(
        importer.m_arrStation, [&](const CPoint3D& station, const TAGStationObserve& block) {
            FindInRounds(IncompleteKind::Horizontal, station, block.m_arrHAngle, 2, found);
            FindInRounds(IncompleteKind::Zenith, station, block.m_arrZenith, 2, found);
            FindInRounds(IncompleteKind::Distance, station, block.m_arrDistance, 1, found);
            for (const CSurveyTurn& entry : block.m_arrTargetHeight) {
                for (const CBaseObserve& observe : entry.m_arrObserve) {
                    if (observe.m_arrValue.empty()) {
                        found.push_back({IncompleteKind::TargetHeight, station.m_strName, 0,
                                         observe.m_strName});
                    }
                }
            }
            return true;
        });
    return found;
}

std::vector<ValueNotNumber> FindValuesNotNumbers(const CImportXml& importer) {
    return importer.m_arrValueNotNumber;
}

std::string DescribeValueNotNumber(const ValueNotNumber& value) {
    std::string owner;
    if (value.kind == ValueKind::Station) {
        owner = FormatText(GBK(text::kValueOfStation), value.station.c_str());
    } else if (value.kind == ValueKind::TargetHeight) {
        owner = FormatText(GBK(text::kValueOfTargetHeight), value.element.c_str(),
                           value.station.c_str());
    } else {
        owner = FormatText(GBK(text::kValueOfRecord), value.element.c_str(),
                           ValueKindName(value.kind), value.round, value.station.c_str());
    }
    return FormatText(GBK(text::kValueNotNumber), value.line, value.attribute.c_str(),
                      value.text.c_str(), owner.c_str(), AToF(value.text));
}

const char* ValueKindName(ValueKind kind) {
    switch (kind) {
        case ValueKind::Station: return "station";
        case ValueKind::Horizontal: return "horizontal";
        case ValueKind::Zenith: return "zenith";
        case ValueKind::Distance: return "distance";
        case ValueKind::TargetHeight: break;
    }
    return "target_height";
}

const char* IncompleteKindName(IncompleteKind kind) {
    switch (kind) {
        case IncompleteKind::Horizontal: return "horizontal";
        case IncompleteKind::Zenith: return "zenith";
        case IncompleteKind::Distance: return "distance";
        case IncompleteKind::TargetHeight: break;
    }
    return "target_height";
}

}  // namespace traverse
