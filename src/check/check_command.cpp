#include "traverse/import_xml.h"

namespace traverse {
std::uint32_t CImportXml::OnButtonCheck() { return 0; }
int CImportXml::CheckHAngle(const TAGCheckInfo&, const std::vector<CPoint3D*>&) { return 1; }
std::uint32_t CImportXml::OnButtonRecord() { return 0; }
}  // namespace traverse
