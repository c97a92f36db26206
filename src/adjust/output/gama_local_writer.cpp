// The adjusted network as a gama-local input document, so that another engine can solve the same
// problem: x north, y east, clockwise directions in gon with sigmas in cc, horizontal distances and
// height differences in metres with sigmas in mm, one <obs> per station record (one orientation
// unknown each), sigma-apr 1 and the a-priori sigma0 for the precision. Every number with all its
// digits (17 significant), so that both engines solve exactly the same problem.
#include <string>
#include <vector>

#include "platform/c_number.h"
#include "platform/output_file.h"
#include "traverse/adjust.h"
#include "traverse/angle.h"
#include "traverse/code_page.h"
#include "traverse/import_xml.h"

namespace traverse {
namespace {

constexpr double kGonPerRadian = 200.0 / PI;
constexpr double kSecondsPerCc = 0.324;

// A name as an XML attribute value, UTF-8.
std::string Attribute(const std::string& gbk) {
    std::string escaped;
    for (const char c : GbkToUtf8(gbk)) {
        switch (c) {
            case '&':
                escaped += "&amp;";
                break;
            case '<':
                escaped += "&lt;";
                break;
            case '>':
                escaped += "&gt;";
                break;
            case '"':
                escaped += "&quot;";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

std::string Point(const AdjustedPoint& p) {
    std::string line = "<point id=\"" + Attribute(p.name) + "\"";
    if (p.hasPlane) line += FormatText(" x=\"%.17g\" y=\"%.17g\"", p.x, p.y);
    if (p.hasHeight) line += FormatText(" z=\"%.17g\"", p.h);
    const std::string fixed = std::string(p.hasPlane && p.planeFixed ? "xy" : "") +
                              (p.hasHeight && p.heightFixed ? "z" : "");
    const std::string adjusted = std::string(p.hasPlane && !p.planeFixed ? "xy" : "") +
                                 (p.hasHeight && !p.heightFixed ? "z" : "");
    if (!fixed.empty()) line += " fix=\"" + fixed + "\"";
    if (!adjusted.empty()) line += " adj=\"" + adjusted + "\"";
    return line + "/>\n";
}

std::string PlaneObservation(const AdjustedObservation& o) {
    if (o.kind == ObservationKind::Direction) {
        return FormatText("  <direction to=\"%s\" val=\"%.17g\" stdev=\"%.17g\"/>\n",
                          Attribute(o.target).c_str(), o.observedRadians * kGonPerRadian,
                          o.arcSeconds.sigma / kSecondsPerCc);
    }
    return FormatText("  <distance to=\"%s\" val=\"%.17g\" stdev=\"%.17g\"/>\n",
                      Attribute(o.target).c_str(), o.observedMetres, o.millimetres.sigma);
}

// One <obs> per station record with its directions and distances, in the result's order.
void WriteClusters(CStdioFile& file, const std::vector<AdjustedObservation>& observations) {
    int open = -1;
    for (const AdjustedObservation& o : observations) {
        if (o.kind == ObservationKind::HeightDifference) continue;
        if (o.stationIndex != open) {
            if (open >= 0) file.WriteString("</obs>\n");
            file.WriteString("<obs from=\"" + Attribute(o.station) + "\">\n");
            open = o.stationIndex;
        }
        file.WriteString(PlaneObservation(o));
    }
    if (open >= 0) file.WriteString("</obs>\n");
}

void WriteHeightDifferences(CStdioFile& file,
                            const std::vector<AdjustedObservation>& observations) {
    std::string lines;
    for (const AdjustedObservation& o : observations) {
        if (o.kind != ObservationKind::HeightDifference) continue;
        lines += FormatText("  <dh from=\"%s\" to=\"%s\" val=\"%.17g\" stdev=\"%.17g\"/>\n",
                            Attribute(o.station).c_str(), Attribute(o.target).c_str(),
                            o.observedMetres, o.millimetres.sigma);
    }
    if (!lines.empty())
        file.WriteString("<height-differences>\n" + lines + "</height-differences>\n");
}

}  // namespace

std::uint32_t WriteGamaLocalInput(const AdjustmentResult& result, const std::string& path) {
    const bool written = WriteOutputFile(path, [&](CStdioFile& file) {
        file.WriteString(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<gama-local xmlns=\"http://www.gnu.org/software/gama/gama-local\">\n"
            "<network axes-xy=\"ne\" angles=\"left-handed\">\n"
            "<description>traverse adjust</description>\n");
        file.WriteString(
            FormatText("<parameters sigma-apr=\"1\" conf-pr=\"%.15g\" sigma-act=\"apriori\"/>\n",
                       1 - result.settings.alpha));
        file.WriteString("<points-observations>\n");
        for (const AdjustedPoint& point : result.points) file.WriteString(Point(point));
        WriteClusters(file, result.observations);
        WriteHeightDifferences(file, result.observations);
        file.WriteString("</points-observations>\n</network>\n</gama-local>\n");
    });
    return written ? 0 : RESULT_FAILED;
}

}  // namespace traverse
