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
void ObservationStream::StartElement(std::size_t depth, const XmlStreamTag& tag) {
    if (m_abandoned) return;
    // The other sections are searched for at any depth: one in here must be found in the tree.
    if (!tag.name->convertible || NamesAnotherSection(tag.name->utf8)) return Abandon();
    try {
        if (depth == 1) {
            StartStation(tag);
        } else if (depth == 2) {
            StartSet(*tag.name);
        } else if (m_set == kTargetHeight && depth == 3) {
            ReadRecord(tag);
        } else if (m_set < kTargetHeight && depth == 3) {
            m_turns->emplace_back();
        } else if (m_set < kTargetHeight && depth == 4) {
            ReadRecord(tag);
        }
    } catch (const _com_error&) {
        Abandon();  // a value GBK cannot hold: the tree reader says where
    }
}

void ObservationStream::EndElement(std::size_t depth) {
    if (m_abandoned) return;
    if (depth == 1) EndStation();
    const std::size_t recordsDepth = m_set == kTargetHeight ? 2 : 3;
    if (m_set != kIgnored && depth == recordsDepth) EndRound();
    if (depth == 2) m_set = kIgnored;
}

// The round's records go to it at once, each moved once into an array of their number.
void ObservationStream::EndRound() {
    std::vector<CBaseObserve>& observes = m_turns->back().m_arrObserve;
    observes.reserve(m_records.size());
    for (CBaseObserve& record : m_records) observes.push_back(std::move(record));
    m_records.clear();
}

void ObservationStream::StartStation(const XmlStreamTag& tag) {
    CPoint3D& station = *AppendNewStation(m_stations);
    TAGSurveyStationInfo& info = StationBlock(station)->m_info;
    m_stationValues.clear();
    for (std::vector<ValueNotNumber>& values : m_setValues) values.clear();
    m_setRead = {};
    m_set = kIgnored;
    for (std::size_t i = 0; i < tag.count; ++i) {
        const XmlStreamAttribute& attribute = tag.attributes[i];
        if (!attribute.name->convertible) return Abandon();
        const std::string parameter = chars::TrimCSpace(attribute.name->gbk);
        const std::string value = XmlTextToGbk(attribute.value);
        if (!ReadStationParameter(parameter, value, station, info)) {
            m_stationValues.push_back({ValueKind::Station, std::string(), 0, 0, 0, tag.name->gbk,
                                       parameter, value, static_cast<long>(tag.Line())});
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

void ObservationStream::ReadRecord(const XmlStreamTag& tag) {
    static constexpr ValueKind kKinds[kSets] = {ValueKind::Horizontal, ValueKind::Zenith,
                                                ValueKind::Distance, ValueKind::TargetHeight};
    std::vector<ValueNotNumber>& values = m_setValues[m_set];
    const std::size_t first = values.size();
    // Built in place: a record left half read abandons the stream, and all it read with it.
    CBaseObserve& observe = m_records.emplace_back();
    observe.m_strName = tag.name->gbk;
    TargetRecordReader reader(observe, m_records.size() - 1, 0, values);
    for (std::size_t i = 0; i < tag.count; ++i) {
        const XmlStreamAttribute& attribute = tag.attributes[i];
        if (!attribute.name->convertible) return Abandon();
        const AttributeName& name = Classify(*attribute.name);
        reader.Attribute(name.kind, name.trimmed, attribute.value);
    }
    reader.Finish();
    if (values.size() == first) return;
    const int round = m_set == kTargetHeight ? 0 : static_cast<int>(m_turns->size());
    const long line = static_cast<long>(tag.Line());
    for (std::size_t i = first; i < values.size(); ++i) {
        values[i].kind = kKinds[m_set];
        values[i].round = round;
        values[i].line = line;
    }
}

const ObservationStream::AttributeName& ObservationStream::Classify(const detail::XmlName& name) {
    for (const AttributeName& known : m_attributeNames) {
        if (known.name == &name) return known;
    }
    AttributeName& added = m_attributeNames[m_nextAttributeName++ % m_attributeNames.size()];
    added.name = &name;
    added.trimmed = chars::TrimmedCSpace(name.gbk);
    added.kind = ClassifyRecordAttribute(added.trimmed);
    return added;
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
