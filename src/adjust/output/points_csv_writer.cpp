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

std::string Status(bool has, bool fixed) {
    return has ? (fixed ? "fixed" : "adjusted") : "";
}

std::string Value(bool has, const char* format, double value) {
    return has ? FormatText(format, value) : "";
}

// Latitude, longitude and grid convergence in degrees, when a CRS is known.
std::string GeographicFields(const AdjustedPoint& p) {
    return "," + Value(p.hasGeographic, "%.10f", p.latitude) + "," +
           Value(p.hasGeographic, "%.10f", p.longitude) + "," +
           Value(p.hasGeographic, "%.8f", p.convergence);
}

std::string PointLine(const AdjustedPoint& p, double scale, bool geographic) {
    const bool adjusted = p.hasPlane && !p.planeFixed;
    return p.name + "," + Value(p.hasPlane, "%.4f", p.x) + "," + Value(p.hasPlane, "%.4f", p.y) +
           "," + Value(p.hasHeight, "%.4f", p.h) + "," + Value(p.hasPlane, "%.2f", p.sigmaX) + "," +
           Value(p.hasPlane, "%.2f", p.sigmaY) + "," + Value(p.hasHeight, "%.2f", p.sigmaH) + "," +
           Status(p.hasPlane, p.planeFixed) + "," + Status(p.hasHeight, p.heightFixed) + "," +
           Value(p.hasPlane, "%.2f", p.sigmaPosition) + "," +
           Value(adjusted, "%.2f", p.ellipseMajor * scale) + "," +
           Value(adjusted, "%.2f", p.ellipseMinor * scale) + "," +
           Value(adjusted, "%.1f", p.ellipseAzimuth) +
           (geographic ? GeographicFields(p) : std::string()) + "\n";
}

}  // namespace

std::uint32_t WriteAdjustedPointsCsv(const AdjustmentResult& result, const std::string& path) {
    const bool written = WriteOutputFile(path, [&](CStdioFile& file) {
        const bool geographic = result.settings.reducedWithCrs;
        file.WriteString("name,x,y,h,sigma_x_mm,sigma_y_mm,sigma_h_mm,plane,height,sigma_p_mm," +
                         EllipseCsvColumns(result.settings));
        file.WriteString(geographic ? ",latitude,longitude,convergence_deg\n" : "\n");
        for (const AdjustedPoint& point : result.points)
            file.WriteString(PointLine(point, result.settings.ellipseScale, geographic));
    });
    return written ? 0 : RESULT_FAILED;
}

}  // namespace traverse
