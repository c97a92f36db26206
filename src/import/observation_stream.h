// The observation section read while the parser reads it: stations, their rounds and target
// records, built as the tree readers build them, without a node of the tree for each record.
// Only the plain shape is read so; at anything else the stream abandons, and the importer loads
// the document whole and reads the section from its tree.
#ifndef TRAVERSE_IMPORT_OBSERVATION_STREAM_H
#define TRAVERSE_IMPORT_OBSERVATION_STREAM_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "import/record_readings.h"
#include "traverse/point3d.h"
#include "traverse/survey_records.h"
#include "xml/xml_element_stream.h"

namespace traverse {

class ObservationStream : public XmlElementStream {
public:
    ObservationStream();
    ~ObservationStream() override;
    ObservationStream(const ObservationStream&) = delete;
    ObservationStream& operator=(const ObservationStream&) = delete;

    // What a parse needs to stream the observation section here.
    XmlStreamedSection& Section() { return m_section; }
    // The section was streamed whole: its stations are here, and the tree has none.
    bool Complete() const { return m_section.streamed && !m_abandoned; }
    bool Abandoned() const { return m_abandoned; }
    // Moves the stations and the values that are no number to the end of the importer's arrays.
    void TakeInto(std::vector<CPoint3D*>& stations, std::vector<ValueNotNumber>& notNumbers);

    void StartElement(std::size_t depth, const XmlStreamTag& tag) override;
    void EndElement(std::size_t depth) override;
    void Abandon() override { m_abandoned = true; }

private:
    // The observation sets of a station, in the order the tree reader reads them.
    enum Set : std::uint8_t { kHorizontal, kZenith, kDistance, kTargetHeight, kSets, kIgnored };

    Set SetNamed(const std::string& utf8) const;
    void StartStation(const XmlStreamTag& tag);
    void StartSet(const detail::XmlName& name);
    void ReadRecord(const XmlStreamTag& tag);
    // A record attribute's name, trimmed, and what it holds.
    struct AttributeName {
        const detail::XmlName* name = nullptr;
        std::string_view trimmed;
        RecordAttribute kind = RecordAttribute::kOther;
    };
    const AttributeName& Classify(const detail::XmlName& name);
    void EndRound();
    void EndStation();
    // Whether name is one that another section's search could find inside this one.
    bool NamesAnotherSection(const std::string& utf8) const;

    XmlStreamedSection m_section;
    std::array<std::string, kSets> m_setNames;  // UTF-8
    std::array<std::string, 2> m_otherSections;
    bool m_abandoned = false;

    std::vector<CPoint3D*> m_stations;
    std::vector<ValueNotNumber> m_notNumbers;
    // The station being read: its parameters' values that are no number, then each set's.
    std::vector<ValueNotNumber> m_stationValues;
    std::array<std::vector<ValueNotNumber>, kSets> m_setValues;
    std::array<bool, kSets> m_setRead{};
    Set m_set = kIgnored;
    std::vector<CSurveyTurn>* m_turns = nullptr;  // of the open set; its last one is open
    std::vector<CBaseObserve> m_records;           // of the open round
    // Every record names the same few attributes: the last ones met, known by their address.
    std::array<AttributeName, 4> m_attributeNames{};
    std::size_t m_nextAttributeName = 0;
};

}  // namespace traverse

#endif
