#include "platform/gbk_literal.h"
#include "platform/messages.h"
#include "traverse/import_xml.h"

namespace traverse {

std::uint32_t CImportXml::OnButtonCheck() {
    m_strText.clear();
    AddText(GBK(text::kCheckBanner));
    // A check that stopped at an incomplete record has shown its message; the next item still runs.
    for (const TAGCheckInfo& item : m_arrHAngleCheck) CheckHAngle(item, m_arrStation);
    return 0;
}

}  // namespace traverse
