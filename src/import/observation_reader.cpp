#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/c_number.h"
#include "platform/characters.h"
#include "import/record_nodes.h"
#include "import/record_readings.h"
#include "import/record_schema.h"
#include "platform/gbk_literal.h"
#include "records/station_ownership.h"
#include "xml/xml_attribute_walk.h"
#include "traverse/split_string.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

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
    const std::size_t firstValue = m_arrValueNotNumber.size();
    const XmlNamedNodeMap attributes = node.attributes();
    const long attributeCount = attributes.length();
    for (long a = 0; a < attributeCount; ++a) {
        const XmlNode attribute = attributes.item(a);
        const std::string name = chars::TrimCSpace(attribute.nodeName());
        const std::string value = attribute.nodeTypedValue();
        if (!ReadStationParameter(name, value, station, block.m_info)) {
            m_arrValueNotNumber.push_back({ValueKind::Station, std::string(), 0, 0, 0,
                                           node.nodeName(), name, value, node.line()});
        }
    }
    const auto readSet = [&](const std::string& name, ValueKind kind,
                             std::vector<CSurveyTurn>& turns) {
        const std::size_t first = m_arrValueNotNumber.size();
        ReadObserveEx(node, name, turns);
        for (std::size_t i = first; i < m_arrValueNotNumber.size(); ++i) {
            m_arrValueNotNumber[i].kind = kind;
        }
    };
    readSet(GBK(schema::kHorizontalSet), ValueKind::Horizontal, block.m_arrHAngle);
    readSet(GBK(schema::kZenithSet), ValueKind::Zenith, block.m_arrZenith);
    readSet(GBK(schema::kDistanceSet), ValueKind::Distance, block.m_arrDistance);
    const XmlNode heights = node.selectSingleNode(GBK(schema::kTargetHeights));
    if (!heights.IsEmpty()) {
        const std::size_t first = m_arrValueNotNumber.size();
        CSurveyTurn turn;
        ReadObjectValue(heights, turn.m_arrObserve);
        block.m_arrTargetHeight.push_back(std::move(turn));
        for (std::size_t i = first; i < m_arrValueNotNumber.size(); ++i) {
            m_arrValueNotNumber[i].kind = ValueKind::TargetHeight;
        }
    }
    for (std::size_t i = firstValue; i < m_arrValueNotNumber.size(); ++i) {
        m_arrValueNotNumber[i].station = station.m_strName;
    }
}

std::uint32_t CImportXml::ReadObserve(XmlDocument document, const std::string& path,
                                      std::vector<CPoint3D*>& stations) {
    const XmlNode section = document.selectSingleNode(path);
    if (section.IsEmpty()) return 0;
    ForEachRecordNode(section, [&](const XmlNode& child) {
        // Owned by stations before anything of it is read, so a failure below leaks nothing.
        CPoint3D* station = AppendNewStation(stations);
        const std::size_t firstValue = m_arrValueNotNumber.size();
        try {
            ReadStation(child, *station);
        } catch (...) {
            // A station whose name could not be read (a character GBK cannot hold, say) would
            // reach the checks and the export nameless: it goes; one with its name stays.
            if (station->m_strName.empty()) {
                DeleteLastStation(stations);
                m_arrValueNotNumber.resize(firstValue);
            }
            throw;
        }
        for (std::size_t v = firstValue; v < m_arrValueNotNumber.size(); ++v) {
            m_arrValueNotNumber[v].stationIndex = stations.size() - 1;
        }
    });
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
        const XmlNode round = rounds.item(i);
        // Comments and processing instructions are no rounds; any other node is one.
        const XmlNodeType type = round.nodeType();
        if (type == NODE_COMMENT || type == NODE_PROCESSING_INSTRUCTION) continue;
        const std::size_t first = m_arrValueNotNumber.size();
        CSurveyTurn turn;
        ReadObjectValue(round, turn.m_arrObserve);
        turns.push_back(std::move(turn));
        for (std::size_t v = first; v < m_arrValueNotNumber.size(); ++v) {
            m_arrValueNotNumber[v].round = static_cast<int>(turns.size());
        }
    }
    return 0;
}

std::uint32_t CImportXml::ReadObjectValue(XmlNode node, std::vector<CBaseObserve>& observes) {
    ReserveMore(observes, CountChildNodes(node));
    ForEachChildNode(node, [&](const XmlNode& child) {
        if (!IsRecordNode(child)) return;
        CBaseObserve observe;
        observe.m_strName = child.nodeName();
        TargetRecordReader reader(observe, observes.size(), child.line(), m_arrValueNotNumber);
        ForEachAttribute(child, [&](const std::string& gbkName, std::string_view value) {
            reader.Attribute(chars::TrimmedCSpace(gbkName), value);
        });
        reader.Finish();
        observes.push_back(std::move(observe));
    });
    return 0;
}

}  // namespace traverse
