#include <string>
#include <vector>

#include "platform/c_number.h"
#include "platform/characters.h"
#include "import/record_nodes.h"
#include "import/record_schema.h"
#include "platform/gbk_literal.h"
#include "platform/messages.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

// The attribute name with its ASCII capitals lowered and white space stripped from both ends.
std::string CoordinateKey(const std::string& name) {
    return chars::TrimCSpace(chars::AsciiLower(name));
}

}  // namespace

std::uint32_t CImportXml::ReadPoint(XmlDocument document, const std::string& path,
                                    std::vector<CPoint3D>& points) {
    const XmlNode section = document.selectSingleNode(path);
    if (section.IsEmpty()) return 0;
    const XmlNodeList children = section.childNodes();
    const long count = children.length();
    for (long i = 0; i < count; ++i) {
        const XmlNode child = children.item(i);
        if (!IsRecordNode(child)) continue;
        CPoint3D point;
        point.m_strName = child.nodeName();
        point.m_dX = point.m_dY = point.m_dZ = UNSET_COORD;

        const XmlNamedNodeMap attributes = child.attributes();
        const long attributeCount = attributes.length();
        for (long a = 0; a < attributeCount; ++a) {
            const XmlNode attribute = attributes.item(a);
            const std::string key = CoordinateKey(attribute.nodeName());
            const std::string value = attribute.nodeTypedValue();
            if (key == schema::kCoordX) point.m_dX = AToF(value);
            else if (key == schema::kCoordY) point.m_dY = AToF(value);
            else if (key == schema::kCoordH) point.m_dZ = AToF(value);
        }

        const std::string* rejection = nullptr;
        if (IsUnsetCoord(point.m_dX)) {
            if (!IsUnsetCoord(point.m_dY)) rejection = &GBK(text::kKnownPointWithoutX);
            else if (IsUnsetCoord(point.m_dZ)) rejection = &GBK(text::kKnownPointWithoutData);
        } else if (IsUnsetCoord(point.m_dY)) {
            rejection = &GBK(text::kKnownPointWithoutY);
        }
        if (rejection != nullptr) {
            AddText(path + "//" + point.m_strName + *rejection);
            return RESULT_FAILED;
        }
        points.push_back(point);
    }
    return 0;
}

}  // namespace traverse
