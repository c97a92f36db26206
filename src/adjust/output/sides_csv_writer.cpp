// The sides as CSV, the side table of Chinese reports: from, to, azimuth, length, the sigma of the
// length and its relative sigma, then the sigma of the azimuth and the relative error ellipse.
#include "adjust/report_forms.h"
#include "platform/c_number.h"
#include "platform/output_file.h"
#include "traverse/adjust.h"
#include "traverse/dms.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

// One side's line, into line: a big network's file has a line per side.
void SideLine(const AdjustedSide& s, double scale, std::string& line) {
    line = s.from;
    line += ',';
    line += s.to;
    AppendText(line, ",%.6f,%.4f,%.2f,", RadianToDms(s.azimuth), s.length, s.sigmaLength);
    line += RelativeClosureText(s.relativeSigma);
    AppendText(line, ",%.2f,%.2f,%.2f,%.1f\n", s.sigmaAzimuth, s.ellipseMajor * scale,
               s.ellipseMinor * scale, s.ellipseAzimuth);
}

}  // namespace

std::uint32_t WriteAdjustedSidesCsv(const AdjustmentResult& result, const std::string& path) {
    const bool written = WriteOutputFile(path, [&](CStdioFile& file) {
        file.WriteString(
            "from,to,azimuth_dms,length,sigma_length_mm,relative_sigma,sigma_azimuth_sec," +
            EllipseCsvColumns(result.settings) + "\n");
        std::string line;
        for (const AdjustedSide& side : result.sides) {
            SideLine(side, result.settings.ellipseScale, line);
            file.WriteString(line);
        }
    });
    return written ? 0 : RESULT_FAILED;
}

}  // namespace traverse
