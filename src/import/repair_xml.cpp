#include "traverse/import_xml.h"

namespace traverse {
int CImportXml::RepairXML(const std::string&) { return 0; }
}  // namespace traverse
