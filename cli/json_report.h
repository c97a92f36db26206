// What an import holds, as the JSON "data" object of the traverse program.
#ifndef TRAVERSE_CLI_JSON_REPORT_H
#define TRAVERSE_CLI_JSON_REPORT_H

#include <nlohmann/json.hpp>

#include "traverse/adjust.h"
#include "traverse/field_checks.h"
#include "traverse/import_xml.h"

namespace traverse_cli {

using Json = nlohmann::ordered_json;

// The tolerance items, known points and stations of importer; text as UTF-8.
Json ImportData(const traverse::CImportXml& importer);
// The values of the import whose text is no number, one object each.
Json ImportWarnings(const traverse::CImportXml& importer);

// {"command": "field-checks", "result", "items", "summary"}: every value and every item's summary.
Json FieldChecksObject(const traverse::FieldCheckResult& result);

// {"command": "adjust", "result", "status", "error", "settings", "notes", "closures", "tests",
// "points", "observations"}.
Json AdjustmentObject(const traverse::AdjustmentResult& result);

}  // namespace traverse_cli

#endif
