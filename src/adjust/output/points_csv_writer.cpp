// The adjusted points as CSV: one header line, then name, coordinates, sigmas (mm) and whether the
// plane position and the height were fixed or adjusted.
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

std::string PointLine(const AdjustedPoint& p) {
    return p.name + "," + Value(p.hasPlane, "%.4f", p.x) + "," + Value(p.hasPlane, "%.4f", p.y) + "," +
           Value(p.hasHeight, "%.4f", p.h) + "," + Value(p.hasPlane, "%.2f", p.sigmaX) + "," +
           Value(p.hasPlane, "%.2f", p.sigmaY) + "," + Value(p.hasHeight, "%.2f", p.sigmaH) + "," +
           Status(p.hasPlane, p.planeFixed) + "," + Status(p.hasHeight, p.heightFixed) + "\n";
}

}  // namespace

std::uint32_t WriteAdjustedPointsCsv(const AdjustmentResult& result, const std::string& path) {
    const bool written = WriteOutputFile(path, [&](CStdioFile& file) {
        file.WriteString("name,x,y,h,sigma_x_mm,sigma_y_mm,sigma_h_mm,plane,height\n");
        for (const AdjustedPoint& point : result.points) file.WriteString(PointLine(point));
    });
    return written ? 0 : RESULT_FAILED;
}

}  // namespace traverse
