#include "traverse/import_xml.h"

namespace traverse {
std::uint32_t CImportXml::OnButtonTonbq(const std::string&) { return RESULT_FAILED; }
}  // namespace traverse
