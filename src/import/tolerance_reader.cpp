#include <string>
#include <vector>

#include "platform/c_number.h"
#include "import/record_nodes.h"
#include "import/record_schema.h"
#include "platform/gbk_literal.h"
#include "platform/messages.h"
#include "traverse/check_info.h"
#include "traverse/import_xml.h"

namespace traverse {

std::int16_t GetCheckFlag(const std::string& name) {
    struct Item {
        const std::string& name;
        std::int16_t code;
    };
    static const Item items[] = {
        {GBK(schema::k2CSpread), CHECK_2C_SPREAD},
        {GBK(schema::kHalfRoundClosure), CHECK_HALF_ROUND_CLOSURE},
        {GBK(schema::kDirectionBetweenRounds), CHECK_DIRECTION_BETWEEN_ROUNDS},
        {GBK(schema::kVerticalBetweenRounds), CHECK_VERTICAL_BETWEEN_ROUNDS},
        {GBK(schema::kIndexError), CHECK_INDEX_ERROR},
        {GBK(schema::kIndexErrorSpread), CHECK_INDEX_ERROR_SPREAD},
        {GBK(schema::kDistanceReadings), CHECK_DISTANCE_READINGS},
        {GBK(schema::kDistanceBetweenRounds), CHECK_DISTANCE_BETWEEN_ROUNDS},
    };
    for (const Item& item : items) {
        if (item.name == name) return item.code;
    }
    return 0;
}

std::uint32_t CImportXml::ReadSetup(XmlDocument document, const std::string& path) {
    const auto group = [&](const std::string& subPath, std::vector<TAGCheckInfo>& list) {
        return ReadSetupEx(document, path + subPath, list) == 0;
    };
    if (!group(GBK(schema::kHorizontalTolerances), m_arrHAngleCheck)) return RESULT_FAILED;
    if (!group(GBK(schema::kVerticalTolerances), m_arrVAngleCheck)) return RESULT_FAILED;
    if (!group(GBK(schema::kDistanceTolerances), m_arrDistCheck)) return RESULT_FAILED;
    return 0;
}

std::uint32_t CImportXml::ReadSetupEx(XmlDocument document, const std::string& path,
                                      std::vector<TAGCheckInfo>& list) {
    std::vector<std::string> names;
    std::vector<std::string> values;
    const std::uint32_t result = ReadSetupEx(document, path, names, values);
    if (result != 0) return result;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::int16_t code = GetCheckFlag(names[i]);
        if (code == 0) {
            AddText(path + "//" + names[i] + GBK(text::kUnknownToleranceItem));
            return RESULT_FAILED;
        }
        list.push_back(TAGCheckInfo{code, AToF(values[i])});
    }
    return 0;
}

std::uint32_t CImportXml::ReadSetupEx(XmlDocument document, const std::string& path,
                                      std::vector<std::string>& names,
                                      std::vector<std::string>& values) {
    names.clear();
    values.clear();
    std::uint32_t result = 0;
    const XmlNode section = document.selectSingleNode(path);
    if (section.IsEmpty()) return 0;
    ForEachRecordNode(section, [&](const XmlNode& item) {
        const XmlNamedNodeMap attributes = item.attributes();
        const std::string name = item.nodeName();
        if (attributes.length() == 1) {
            names.push_back(name);
            values.push_back(attributes.item(0).nodeTypedValue());
        } else {
            AddText(path + name + GBK(text::kToleranceItemAttributes));
            result = RESULT_FAILED;
        }
    });
    return result;
}

}  // namespace traverse
