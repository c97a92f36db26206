#include <string>
#include <vector>

#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "traverse/check_info.h"
#include "traverse/import_xml.h"

namespace traverse {

std::int16_t GetCheckFlag(const std::string& name) {
    struct Item {
        const std::string& name;
        std::int16_t code;
    };
    static const Item items[] = {
        {GBK("一测回2C较差"), 1001},       {GBK("半测回归零差"), 1002},
        {GBK("同一方向值各测回较差"), 1003}, {GBK("垂直角测回差"), 2001},
        {GBK("指标差"), 2002},             {GBK("指标差较差"), 2003},
        {GBK("一测回读数较差"), 3001},     {GBK("单程测回间较差"), 3002},
    };
    for (const Item& item : items) {
        if (item.name == name) return item.code;
    }
    return 0;
}

std::uint32_t CImportXml::ReadSetup(XmlDocument document, const std::string& path) {
    if (ReadSetupEx(document, path + GBK("//水平角"), m_arrHAngleCheck) != 0) return RESULT_FAILED;
    if (ReadSetupEx(document, path + GBK("//垂直角"), m_arrVAngleCheck) != 0) return RESULT_FAILED;
    if (ReadSetupEx(document, path + GBK("//距离"), m_arrDistCheck) != 0) return RESULT_FAILED;
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
            AddText(path + "//" + names[i] + GBK("键名错误！"));
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
    const XmlNodeList items = section.childNodes();
    const long count = items.length();
    for (long i = 0; i < count; ++i) {
        const XmlNode item = items.item(i);
        const XmlNamedNodeMap attributes = item.attributes();
        const std::string name = item.nodeName();
        if (attributes.length() == 1) {
            names.push_back(name);
            values.push_back(attributes.item(0).nodeTypedValue());
        } else {
            AddText(path + name + GBK("属性项目错误！"));
            result = RESULT_FAILED;
        }
    }
    return result;
}

}  // namespace traverse
