// The adjusted points as CSV: one header line, then name, coordinates, sigmas (mm), whether the
// plane position and the height were fixed or adjusted, then sigma p and the error ellipse: the
// result table of Chinese reports.
#include "adjust/report_forms.h"
#include "platform/c_number.h"
#include "platform/output_file.h"
#include "traverse/adjust.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

// A comma, then the status of the plane position or the height.
void AppendStatus(std::string& line, bool has, bool fixed) {
    line += ',';
    if (has) line += fixed ? "fixed" : "adjusted";
}

// A comma, then the value when there is one.
void AppendValue(std::string& line, bool has, const char* format, double value) {
    line += ',';
    if (has) AppendText(line, format, value);
}

// One point's line, into line: a big network's file has a line per point.
void PointLine(const AdjustedPoint& p, double scale, bool geographic, std::string& line) {
    const bool adjusted = p.hasPlane && !p.planeFixed;
    line = p.name;
    AppendValue(line, p.hasPlane, "%.4f", p.x);
    AppendValue(line, p.hasPlane, "%.4f", p.y);
    AppendValue(line, p.hasHeight, "%.4f", p.h);
    AppendValue(line, p.hasPlane, "%.2f", p.sigmaX);
    AppendValue(line, p.hasPlane, "%.2f", p.sigmaY);
    AppendValue(line, p.hasHeight, "%.2f", p.sigmaH);
    AppendStatus(line, p.hasPlane, p.planeFixed);
    AppendStatus(line, p.hasHeight, p.heightFixed);
    AppendValue(line, p.hasPlane, "%.2f", p.sigmaPosition);
    AppendValue(line, adjusted, "%.2f", p.ellipseMajor * scale);
    AppendValue(line, adjusted, "%.2f", p.ellipseMinor * scale);
    AppendValue(line, adjusted, "%.1f", p.ellipseAzimuth);
    if (geographic) {  // latitude, longitude and grid convergence in degrees
        AppendValue(line, p.hasGeographic, "%.10f", p.latitude);
        AppendValue(line, p.hasGeographic, "%.10f", p.longitude);
        AppendValue(line, p.hasGeographic, "%.8f", p.convergence);
    }
    line += '\n';
}

}  // namespace

std::uint32_t WriteAdjustedPointsCsv(const AdjustmentResult& result, const std::string& path) {
    const bool written = WriteOutputFile(path, [&](CStdioFile& file) {
        const bool geographic = result.settings.reducedWithCrs;
        file.WriteString("name,x,y,h,sigma_x_mm,sigma_y_mm,sigma_h_mm,plane,height,sigma_p_mm," +
                         EllipseCsvColumns(result.settings));
        file.WriteString(geographic ? ",latitude,longitude,convergence_deg\n" : "\n");
        std::string line;
        for (const AdjustedPoint& point : result.points) {
            PointLine(point, result.settings.ellipseScale, geographic, line);
            file.WriteString(line);
        }
    });
    return written ? 0 : RESULT_FAILED;
}

}  // namespace traverse
