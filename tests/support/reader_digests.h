// What the two readers of the observation section read of one file, as text: they agree when their
// texts do. Header only: the fuzz targets use it too.
#ifndef TRAVERSE_TESTS_SUPPORT_READER_DIGESTS_H
#define TRAVERSE_TESTS_SUPPORT_READER_DIGESTS_H

#include <cstdio>
#include <string>
#include <vector>

#include "import/observation_stream.h"
#include "import/record_schema.h"
#include "platform/gbk_literal.h"
#include "traverse/exceptions.h"
#include "traverse/import_xml.h"
#include "traverse/point3d.h"
#include "traverse/survey_records.h"

namespace traverse {

inline std::string HexDouble(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%a", value);
    return text;
}

// One line per station, set, round, record and value that is no number; numbers bit for bit.
inline std::string RecordsDigest(const std::vector<CPoint3D*>& stations,
                                 const std::vector<ValueNotNumber>& notNumbers) {
    std::string out;
    for (const CPoint3D* station : stations) {
        const TAGStationObserve& block = *StationBlock(*station);
        const TAGSurveyStationInfo& info = block.m_info;
        out += "station " + station->m_strName + " " + HexDouble(info.m_fInstrumentHeight) + " " +
               HexDouble(info.m_fPressure) + " " + HexDouble(info.m_fTemperature) + " " +
               HexDouble(info.m_fAddConst) + " " + HexDouble(info.m_fMulConst) + "\n";
        for (const auto* set : {&block.m_arrHAngle, &block.m_arrZenith, &block.m_arrDistance,
                                &block.m_arrTargetHeight}) {
            out += " set\n";
            for (const CSurveyTurn& turn : *set) {
                out += "  round\n";
                for (const CBaseObserve& observe : turn.m_arrObserve) {
                    out += "   " + observe.m_strName;
                    for (const double value : observe.m_arrValue) out += " " + HexDouble(value);
                    out += "\n";
                }
            }
        }
    }
    for (const ValueNotNumber& v : notNumbers) {
        out += "value " + std::to_string(static_cast<int>(v.kind)) + " " + v.station + " " +
               std::to_string(v.stationIndex) + " " + std::to_string(v.round) + " " +
               std::to_string(v.record) + " " + v.element + " " + v.attribute + " [" + v.text +
               "] " + std::to_string(v.line) + "\n";
    }
    return out;
}

struct ReaderDigests {
    bool loaded = false;
    std::string tree;  // "failed" when the tree reader raised
    std::string streamed;
    bool complete = false;  // the stream read the section whole: streamed is what it read
    bool abandoned = false;
};

// The observation section of the file at path read from the whole tree, and read as it is parsed.
inline ReaderDigests ReadBothWays(const std::string& path) {
    ReaderDigests digests;
    XmlDocument whole = XmlDocument::Create();
    digests.loaded = whole.load(path);
    if (!digests.loaded) return digests;
    CImportXml reader;
    std::vector<CPoint3D*> stations;
    try {
        reader.ReadObserve(whole, GBK(schema::kObservationSection), stations);
        digests.tree = RecordsDigest(stations, reader.m_arrValueNotNumber);
    } catch (const _com_error&) {
        digests.tree = "failed";
    }
    reader.m_arrStation = stations;  // freed with the reader

    ObservationStream stream;
    XmlDocument document = XmlDocument::Create();
    detail::XmlDocumentAccess::Load(document, path, stream.Section());
    digests.abandoned = stream.Abandoned();
    digests.complete = stream.Complete();
    if (!digests.complete) return digests;
    CImportXml owner;
    std::vector<ValueNotNumber> notNumbers;
    stream.TakeInto(owner.m_arrStation, notNumbers);
    digests.streamed = RecordsDigest(owner.m_arrStation, notNumbers);
    return digests;
}

}  // namespace traverse

#endif
