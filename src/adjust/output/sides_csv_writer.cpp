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

std::string SideLine(const AdjustedSide& s, double scale) {
    return s.from + "," + s.to + "," + FormatText("%.6f", RadianToDms(s.azimuth)) + "," +
           FormatText("%.4f,%.2f,", s.length, s.sigmaLength) +
           RelativeClosureText(s.relativeSigma) +
           FormatText(",%.2f,%.2f,%.2f,%.1f\n", s.sigmaAzimuth, s.ellipseMajor * scale,
                      s.ellipseMinor * scale, s.ellipseAzimuth);
}

}  // namespace

std::uint32_t WriteAdjustedSidesCsv(const AdjustmentResult& result, const std::string& path) {
    const bool written = WriteOutputFile(path, [&](CStdioFile& file) {
        file.WriteString(
            "from,to,azimuth_dms,length,sigma_length_mm,relative_sigma,sigma_azimuth_sec," +
            EllipseCsvColumns(result.settings) + "\n");
        for (const AdjustedSide& side : result.sides)
            file.WriteString(SideLine(side, result.settings.ellipseScale));
    });
    return written ? 0 : RESULT_FAILED;
}

}  // namespace traverse
