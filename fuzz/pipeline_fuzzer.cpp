// Arbitrary bytes as a record file through the whole pipeline: import, check, the field checks, the
// adjustment with its report, points CSV and Gama document, and the report page. Besides the
// sanitizers, the oracle: no number that is not finite in a result or in what is written, and none
// judged within its limit.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "finite_oracle.h"
#include "fuzz_file.h"
#include "traverse/adjust.h"
#include "traverse/field_checks.h"
#include "traverse/html_report.h"
#include "traverse/import_xml.h"

namespace {

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Expect(const std::string& fault, const char* where) {
    if (fault.empty()) return;
    std::fprintf(stderr, "pipeline_fuzzer: %s: %s\n", where, fault.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = (traverse::SilenceMessageBoxes(), true);
    (void)silenced;
    const std::string path = traverse::WriteFuzzFile(data, size);
    traverse::CImportXml importer;
    traverse::HtmlReportInput input;
    input.fileName = path;
    input.importResult = importer.OnButtonExchange(path);
    input.importReport = importer.m_strText;
    importer.OnButtonCheck();
    input.checkReport = importer.m_strText;
    traverse::CollectReportResults(importer, traverse::FieldCheckOptions(),
                                   traverse::AdjustmentOptions(), input);
    Expect(traverse::NonFiniteResult(input), "results");
    traverse::FormatFieldChecks(input.fieldChecks);
    traverse::FormatAdjustmentReport(input.adjustment);
    if (input.adjustment.status == traverse::AdjustmentStatus::Adjusted) {
        const std::string csv = path + ".csv", gama = path + ".gama.xml";
        traverse::WriteAdjustedPointsCsv(input.adjustment, csv);
        traverse::WriteGamaLocalInput(input.adjustment, gama);
        Expect(traverse::NonFiniteInCsv(Slurp(csv)), "points CSV");
        Expect(traverse::NonFiniteInGama(Slurp(gama)), "Gama document");
    }
    Expect(traverse::NonFiniteInPage(traverse::BuildHtmlReport(input)), "report page");
    return 0;
}
