#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/c_number.h"
#include "platform/characters.h"
#include "import/record_schema.h"
#include "platform/gbk_literal.h"
#include "records/station_ownership.h"
#include "traverse/split_string.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

// Stores one station parameter attribute into info; other attributes are ignored.
void ReadStationParameter(const std::string& name, const std::string& value, CPoint3D& station,
                          TAGSurveyStationInfo& info) {
    if (name == GBK(schema::kStationName)) station.m_strName = value;
    else if (name == GBK(schema::kInstrumentHeight)) info.m_fInstrumentHeight = static_cast<float>(AToF(value));
    else if (name == GBK(schema::kPressure)) info.m_fPressure = static_cast<float>(AToF(value));
    else if (name == GBK(schema::kTemperature)) info.m_fTemperature = static_cast<float>(AToF(value));
    else if (name == GBK(schema::kAddConst)) info.m_fAddConst = static_cast<float>(AToF(value));
    else if (name == GBK(schema::kMulConst)) info.m_fMulConst = static_cast<float>(AToF(value));
}

// Room for more elements, growing at least geometrically: readers may be called again on the
// same array, which an exact fit would copy every time.
template <typename T>
void ReserveMore(std::vector<T>& items, size_t more) {
    if (items.capacity() - items.size() >= more) return;
    items.reserve(std::max(items.size() + more, 2 * items.capacity()));
}

}  // namespace

// Reads one station element into station and its block.
void CImportXml::ReadStation(XmlNode node, CPoint3D& station) {
    TAGStationObserve& block = *StationBlock(station);
    const XmlNamedNodeMap attributes = node.attributes();
    const long attributeCount = attributes.length();
    for (long a = 0; a < attributeCount; ++a) {
        const XmlNode attribute = attributes.item(a);
        ReadStationParameter(chars::TrimCSpace(attribute.nodeName()), attribute.nodeTypedValue(),
                             station, block.m_info);
    }
    ReadObserveEx(node, GBK(schema::kHorizontalSet), block.m_arrHAngle);
    ReadObserveEx(node, GBK(schema::kZenithSet), block.m_arrZenith);
    ReadObserveEx(node, GBK(schema::kDistanceSet), block.m_arrDistance);
    const XmlNode heights = node.selectSingleNode(GBK(schema::kTargetHeights));
    if (!heights.IsEmpty()) {
        CSurveyTurn turn;
        ReadObjectValue(heights, turn.m_arrObserve);
        block.m_arrTargetHeight.push_back(std::move(turn));
    }
}

std::uint32_t CImportXml::ReadObserve(XmlDocument document, const std::string& path,
                                      std::vector<CPoint3D*>& stations) {
    const XmlNode section = document.selectSingleNode(path);
    if (section.IsEmpty()) return 0;
    const XmlNodeList children = section.childNodes();
    const long count = children.length();
    for (long i = 0; i < count; ++i) {
        // Owned by stations before anything of it is read, so a failure below leaks nothing.
        CPoint3D* station = AppendNewStation(stations);
        try {
            ReadStation(children.item(i), *station);
        } catch (...) {
            // A station whose name could not be read (a character GBK cannot hold, say) would
            // reach the checks and the export nameless: it goes; one with its name stays.
            if (station->m_strName.empty()) DeleteLastStation(stations);
            throw;
        }
    }
    return 0;
}

std::uint32_t CImportXml::ReadObserveEx(XmlNode node, const std::string& name,
                                        std::vector<CSurveyTurn>& turns) {
    const XmlNode set = node.selectSingleNode(name);
    if (set.IsEmpty()) return 0;
    const XmlNodeList rounds = set.childNodes();
    const long count = rounds.length();
    ReserveMore(turns, static_cast<size_t>(count));
    for (long i = 0; i < count; ++i) {
        CSurveyTurn turn;
        ReadObjectValue(rounds.item(i), turn.m_arrObserve);
        turns.push_back(std::move(turn));
    }
    return 0;
}

std::uint32_t CImportXml::ReadObjectValue(XmlNode node, std::vector<CBaseObserve>& observes) {
    const XmlNodeList children = node.childNodes();
    const long count = children.length();
    ReserveMore(observes, static_cast<size_t>(count));
    for (long i = 0; i < count; ++i) {
        const XmlNode child = children.item(i);
        CBaseObserve observe;
        observe.m_strName = child.nodeName();
        const XmlNamedNodeMap attributes = child.attributes();
        const long attributeCount = attributes.length();
        observe.m_arrValue.reserve(static_cast<size_t>(attributeCount));
        for (long a = 0; a < attributeCount; ++a) {
            const XmlNode attribute = attributes.item(a);
            const std::string name = chars::TrimCSpace(attribute.nodeName());
            if (name == GBK(schema::kFaceLeft) || name == GBK(schema::kFaceRight)) {
                observe.m_arrValue.push_back(AToF(attribute.nodeTypedValue()));
            } else if (name == GBK(schema::kValues)) {
                std::vector<std::string> pieces;
                SplitString(attribute.nodeTypedValue(), " ", pieces, 0);
                for (const std::string& piece : pieces) observe.m_arrValue.push_back(AToF(piece));
            }
        }
        observes.push_back(std::move(observe));
    }
    return 0;
}

}  // namespace traverse
