#include "import/observation_stream.h"

#include <string_view>
#include <utility>

#include "import/record_readings.h"
#include "import/record_schema.h"
#include "platform/characters.h"
#include "records/station_ownership.h"
#include "traverse/exceptions.h"
#include "xml/xml_attribute_walk.h"

namespace traverse {
namespace {

constexpr std::string_view kAnyDepth = "//";

// The name a section path ends with.
std::string LastStep(std::string_view path) {
    return std::string(path.substr(path.rfind(kAnyDepth) + kAnyDepth.size()));
}

}  // namespace

ObservationStream::ObservationStream()
    : m_setNames{schema::kHorizontalSet, schema::kZenithSet, schema::kDistanceSet,
                 schema::kTargetHeights},
      m_otherSections{LastStep(schema::kToleranceSection), LastStep(schema::kKnownPointSection)} {
    const std::string_view path = schema::kObservationSection;
    m_section.root = std::string(path.substr(0, path.find(kAnyDepth)));
    m_section.section = LastStep(path);
    m_section.stream = this;
}

ObservationStream::~ObservationStream() { DeleteStations(m_stations); }

void ObservationStream::TakeInto(std::vector<CPoint3D*>& stations,
                                 std::vector<ValueNotNumber>& notNumbers) {
    for (ValueNotNumber& value : m_notNumbers) {
        value.stationIndex += stations.size();
        notNumbers.push_back(std::move(value));
    }
    m_notNumbers.clear();
    stations.insert(stations.end(), m_stations.begin(), m_stations.end());
    m_stations.clear();
}

ObservationStream::Set ObservationStream::SetNamed(const std::string& utf8) const {
    for (std::size_t set = 0; set < kSets; ++set) {
        if (utf8 == m_setNames[set]) return static_cast<Set>(set);
    }
    return kIgnored;
}

bool ObservationStream::NamesAnotherSection(const std::string& utf8) const {
    return utf8 == m_otherSections[0] || utf8 == m_otherSections[1];
}

// Depth 1 holds stations, 2 their sets, 3 the rounds (the target records of target heights),
// 4 the target records; the tree readers look no deeper.
void ObservationStream::StartElement(std::size_t depth, const detail::XmlName& name,
                                     const XmlStreamAttribute* attributes, std::size_t count,
                                     std::uint32_t line) {
    if (m_abandoned) return;
    // The other sections are searched for at any depth: one in here must be found in the tree.
    if (!name.convertible || NamesAnotherSection(name.utf8)) return Abandon();
    try {
        if (depth == 1) {
            StartStation(name, attributes, count, line);
        } else if (depth == 2) {
            StartSet(name);
        } else if (m_set == kTargetHeight && depth == 3) {
            ReadRecord(name, attributes, count, line);
        } else if (m_set < kTargetHeight && depth == 3) {
            m_turns->emplace_back();
        } else if (m_set < kTargetHeight && depth == 4) {
            ReadRecord(name, attributes, count, line);
        }
    } catch (const _com_error&) {
        Abandon();  // a value GBK cannot hold: the tree reader says where
    }
}

void ObservationStream::EndElement(std::size_t depth) {
    if (m_abandoned) return;
    if (depth == 1) EndStation();
    if (depth == 2) m_set = kIgnored;
}

void ObservationStream::StartStation(const detail::XmlName& name,
                                     const XmlStreamAttribute* attributes, std::size_t count,
                                     std::uint32_t line) {
    CPoint3D& station = *AppendNewStation(m_stations);
    TAGSurveyStationInfo& info = StationBlock(station)->m_info;
    m_stationValues.clear();
    for (std::vector<ValueNotNumber>& values : m_setValues) values.clear();
    m_setRead = {};
    m_set = kIgnored;
    for (std::size_t i = 0; i < count; ++i) {
        if (!attributes[i].name->convertible) return Abandon();
        const std::string parameter = chars::TrimCSpace(attributes[i].name->gbk);
        const std::string value = XmlTextToGbk(attributes[i].value);
        if (!ReadStationParameter(parameter, value, station, info)) {
            m_stationValues.push_back({ValueKind::Station, std::string(), 0, 0, 0, name.gbk,
                                       parameter, value, static_cast<long>(line)});
        }
    }
}

// The first set of each name counts, as a search for it among the station's children finds.
void ObservationStream::StartSet(const detail::XmlName& name) {
    const Set set = SetNamed(name.utf8);
    if (set == kIgnored || m_setRead[set]) {
        m_set = kIgnored;
        return;
    }
    m_setRead[set] = true;
    m_set = set;
    TAGStationObserve& block = *StationBlock(*m_stations.back());
    std::vector<CSurveyTurn>* const turns[kSets] = {&block.m_arrHAngle, &block.m_arrZenith,
                                                    &block.m_arrDistance, &block.m_arrTargetHeight};
    m_turns = turns[set];
    if (set == kTargetHeight) m_turns->emplace_back();
}

void ObservationStream::ReadRecord(const detail::XmlName& name,
                                   const XmlStreamAttribute* attributes, std::size_t count,
                                   std::uint32_t line) {
    static constexpr ValueKind kKinds[kSets] = {ValueKind::Horizontal, ValueKind::Zenith,
                                                ValueKind::Distance, ValueKind::TargetHeight};
    std::vector<CBaseObserve>& observes = m_turns->back().m_arrObserve;
    std::vector<ValueNotNumber>& values = m_setValues[m_set];
    const std::size_t first = values.size();
    CBaseObserve observe;
    observe.m_strName = name.gbk;
    TargetRecordReader reader(observe, observes.size(), static_cast<long>(line), values);
    for (std::size_t i = 0; i < count; ++i) {
        if (!attributes[i].name->convertible) return Abandon();
        reader.Attribute(chars::TrimmedCSpace(attributes[i].name->gbk), attributes[i].value);
    }
    reader.Finish();
    observes.push_back(std::move(observe));
    const int round = m_set == kTargetHeight ? 0 : static_cast<int>(m_turns->size());
    for (std::size_t i = first; i < values.size(); ++i) {
        values[i].kind = kKinds[m_set];
        values[i].round = round;
    }
}

// The station's values that are no number, in the order the tree reader finds them.
void ObservationStream::EndStation() {
    const CPoint3D& station = *m_stations.back();
    const auto keep = [&](std::vector<ValueNotNumber>& values) {
        for (ValueNotNumber& value : values) {
            value.station = station.m_strName;
            value.stationIndex = m_stations.size() - 1;
            m_notNumbers.push_back(std::move(value));
        }
        values.clear();
    };
    keep(m_stationValues);
    for (std::vector<ValueNotNumber>& values : m_setValues) keep(values);
}

}  // namespace traverse
