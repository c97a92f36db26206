// The network plot, inline SVG: north up, known points as triangles, new points as circles, every
// sightline (flagged ones on top, in colour and dashed), error ellipses magnified by a round factor
// named in the legend, a north arrow, a scale bar and the point names that find a place clear of
// each other.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/c_number.h"
#include "platform/messages.h"
#include "report/html_text.h"
#include "report/label_placement.h"
#include "report/page_sections.h"
#include "report/plot_model.h"

namespace traverse {
namespace {

constexpr double kWidth = 1000.0;      // the plot's width in its own units
constexpr double kMaxDrawing = 1300.0;  // the tallest the drawing of the network may be
constexpr double kMargin = 70.0;       // room for names, the north arrow and the scale bar
constexpr double kLegendHeight = 44.0;
constexpr double kFontSize = 13.0;
constexpr double kMarker = 6.0;        // half the size of a point marker

// World metres to plot units, north up.
struct Frame {
    double scale = 1.0;
    double minEast = 0.0, maxNorth = 0.0;
    double left = 0.0;
    double plotHeight = 0.0;  // without the legend
    double X(double east) const { return left + (east - minEast) * scale; }
    double Y(double north) const { return kMargin + (maxNorth - north) * scale; }
};

Frame MakeFrame(const std::vector<PlotPoint>& points) {
    double minE = HUGE_VAL, maxE = -HUGE_VAL, minN = HUGE_VAL, maxN = -HUGE_VAL;
    for (const PlotPoint& p : points) {
        minE = std::min(minE, p.east), maxE = std::max(maxE, p.east);
        minN = std::min(minN, p.north), maxN = std::max(maxN, p.north);
    }
    // A single point, or points on one line, still get a square metre to stand in.
    const double spanE = std::max(maxE - minE, 1.0);
    const double spanN = std::max(maxN - minN, 1.0);
    Frame frame;
    frame.scale = std::min((kWidth - 2 * kMargin) / spanE, kMaxDrawing / spanN);
    frame.minEast = minE - (spanE - (maxE - minE)) / 2;
    frame.maxNorth = maxN + (spanN - (maxN - minN)) / 2;
    frame.left = (kWidth - spanE * frame.scale) / 2;
    frame.plotHeight = spanN * frame.scale + 2 * kMargin;
    return frame;
}

// The largest of 1, 2, 5 times a power of ten not above value (value > 0).
double RoundDown125(double value) {
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {5.0, 2.0}) {
        if (step * power <= value) return step * power;
    }
    return power;
}

// The magnification that draws the largest ellipse about 25 units across its major semi-axis; 0
// when there is no ellipse to draw.
double EllipseFactor(const PlotModel& model, const Frame& frame) {
    double largest = 0.0;
    for (const PlotPoint& p : model.points) {
        if (p.hasEllipse) largest = std::max(largest, p.ellipseMajor);
    }
    if (!(largest > 0) || !std::isfinite(largest)) return 0.0;
    return RoundDown125(25.0 / (largest / 1000.0 * frame.scale));
}

std::string N(double value) { return FormatText("%.1f", value); }

void AppendLines(const PlotModel& model, const Frame& frame, std::string& svg) {
    std::vector<const PlotLine*> order;
    for (const PlotLine& line : model.lines) order.push_back(&line);
    // Flagged lines last, so that nothing covers them.
    std::stable_sort(order.begin(), order.end(), [](const PlotLine* a, const PlotLine* b) {
        return (a->outlier ? 2 : a->weaklyControlled) < (b->outlier ? 2 : b->weaklyControlled);
    });
    svg += "<g class=\"sightlines\">\n";
    for (const PlotLine* line : order) {
        const PlotPoint& a = model.points[line->from];
        const PlotPoint& b = model.points[line->to];
        const char* cls = line->outlier ? " class=\"outlier\"" : line->weaklyControlled ? " class=\"weak\"" : "";
        svg += std::string("<line") + cls + " x1=\"" + N(frame.X(a.east)) + "\" y1=\"" +
               N(frame.Y(a.north)) + "\" x2=\"" + N(frame.X(b.east)) + "\" y2=\"" + N(frame.Y(b.north)) + "\"/>\n";
    }
    svg += "</g>\n";
}

void AppendEllipses(const PlotModel& model, const Frame& frame, double factor, std::string& svg) {
    if (factor <= 0) return;
    svg += "<g class=\"ellipses\">\n";
    for (const PlotPoint& p : model.points) {
        if (!p.hasEllipse) continue;
        const double x = frame.X(p.east), y = frame.Y(p.north);
        const double perMillimetre = factor * frame.scale / 1000.0;
        // The azimuth runs clockwise from north; SVG's rotation clockwise from east.
        svg += "<ellipse cx=\"" + N(x) + "\" cy=\"" + N(y) + "\" rx=\"" + N(p.ellipseMajor * perMillimetre) +
               "\" ry=\"" + N(p.ellipseMinor * perMillimetre) + "\" transform=\"rotate(" +
               N(p.ellipseAzimuth - 90.0) + " " + N(x) + " " + N(y) + ")\"/>\n";
    }
    svg += "</g>\n";
}

std::string Marker(bool known, double x, double y) {
    if (known) {
        return "<polygon points=\"" + N(x) + "," + N(y - kMarker * 1.2) + " " + N(x - kMarker) + "," +
               N(y + kMarker * 0.8) + " " + N(x + kMarker) + "," + N(y + kMarker * 0.8) + "\"/>";
    }
    return "<circle cx=\"" + N(x) + "\" cy=\"" + N(y) + "\" r=\"" + N(kMarker * 0.8) + "\"/>";
}

void AppendPoints(const PlotModel& model, const Frame& frame, std::string& svg) {
    svg += "<g class=\"points\">\n";
    for (const PlotPoint& p : model.points) {
        svg += std::string("<g class=\"point ") + (p.known ? "known" : "new") + "\"><title>" +
               EscapeHtml(p.name + "\n" + p.tooltip) + "</title>" + Marker(p.known, frame.X(p.east), frame.Y(p.north)) +
               "</g>\n";
    }
    svg += "</g>\n";
}

void AppendLabels(const PlotModel& model, const Frame& frame, std::string& svg) {
    std::vector<LabelRequest> requests;
    std::vector<Box> markers;
    std::vector<Segment> segments;
    for (const PlotPoint& p : model.points) {
        const double x = frame.X(p.east), y = frame.Y(p.north);
        requests.push_back({x, y, TextWidthEm(p.name) * kFontSize, kFontSize, kMarker + 2});
        markers.push_back({x - kMarker, y - kMarker, x + kMarker, y + kMarker});
    }
    for (const PlotLine& line : model.lines) {
        const PlotPoint& a = model.points[line.from];
        const PlotPoint& b = model.points[line.to];
        segments.push_back({frame.X(a.east), frame.Y(a.north), frame.X(b.east), frame.Y(b.north)});
    }
    const std::vector<LabelSpot> spots = PlaceLabels(requests, markers, segments, {0, 0, kWidth, frame.plotHeight});
    static const char* const kAnchors[] = {"start", "middle", "end"};
    svg += "<g class=\"labels\">\n";
    for (std::size_t i = 0; i < spots.size(); ++i) {
        // A name with no free place is left out; its marker's tooltip still names the point.
        if (!spots[i].placed) continue;
        svg += "<text x=\"" + N(spots[i].x) + "\" y=\"" + N(spots[i].y) + "\" text-anchor=\"" +
               kAnchors[static_cast<int>(spots[i].anchor)] + "\">" + EscapeHtml(model.points[i].name) + "</text>\n";
    }
    svg += "</g>\n";
}

void AppendNorthArrow(std::string& svg) {
    const double x = kWidth - 32;
    svg += "<g class=\"north\"><polygon points=\"" + N(x) + ",12 " + N(x - 9) + ",44 " + N(x) + ",36 " + N(x + 9) +
           ",44\"/><text x=\"" + N(x) + "\" y=\"60\" text-anchor=\"middle\">" + text::kHtmlNorth + "</text></g>\n";
}

void AppendScaleBar(const Frame& frame, std::string& svg) {
    const double metres = RoundDown125(180.0 / frame.scale);
    const double length = metres * frame.scale;
    const double x = 20, y = frame.plotHeight - 18;
    const std::string label = metres >= 1000 ? FormatText(text::kHtmlScaleKilometres, metres / 1000)
                                             : FormatText(text::kHtmlScaleMetres, metres);
    svg += "<g class=\"scalebar\"><path d=\"M" + N(x) + " " + N(y - 6) + "V" + N(y) + "H" + N(x + length) + "V" +
           N(y - 6) + "\"/><text x=\"" + N(x + length / 2) + "\" y=\"" + N(y - 9) + "\" text-anchor=\"middle\">" +
           EscapeHtml(label) + "</text></g>\n";
}

// One row of symbols under the plot, each followed by its word.
void AppendLegend(const Frame& frame, double factor, std::string& svg) {
    const double y = frame.plotHeight + kLegendHeight / 2;
    double x = 20;
    svg += "<g class=\"legend\">\n";
    const auto item = [&](const std::string& symbol, const std::string& word) {
        svg += symbol + "<text x=\"" + N(x + 26) + "\" y=\"" + N(y + 4.5) + "\">" + EscapeHtml(word) + "</text>\n";
        x += 26 + TextWidthEm(word) * kFontSize + 22;
    };
    item("<g class=\"point known\">" + Marker(true, x + 10, y) + "</g>", text::kHtmlLegendKnown);
    item("<g class=\"point new\">" + Marker(false, x + 10, y) + "</g>", text::kHtmlLegendNew);
    const auto line = [&](const char* cls) {
        return std::string("<line class=\"") + cls + "\" x1=\"" + N(x) + "\" y1=\"" + N(y) + "\" x2=\"" + N(x + 20) +
               "\" y2=\"" + N(y) + "\"/>";
    };
    item(line("sight"), text::kHtmlLegendSightline);
    item(line("outlier"), text::kHtmlLegendOutlier);
    item(line("weak"), text::kHtmlLegendWeak);
    if (factor > 0) {
        item("<ellipse class=\"ellipse\" cx=\"" + N(x + 10) + "\" cy=\"" + N(y) + "\" rx=\"10\" ry=\"5\"/>",
             FormatText(text::kHtmlLegendEllipse, FormatText(factor >= 1 ? "%.0f" : "%g", factor).c_str()));
    }
    svg += "</g>\n";
}

void AppendSvg(const PlotModel& model, std::string& page) {
    const Frame frame = MakeFrame(model.points);
    const double factor = EllipseFactor(model, frame);
    const double height = frame.plotHeight + kLegendHeight;
    page += "<figure class=\"plot\"><svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + N(kWidth) + " " +
            N(height) + "\" role=\"img\" aria-label=\"" + EscapeHtml(text::kHtmlPlotLabel) + "\">\n";
    page += "<rect class=\"frame\" x=\"0.5\" y=\"0.5\" width=\"" + N(kWidth - 1) + "\" height=\"" +
            N(frame.plotHeight - 1) + "\"/>\n";
    AppendLines(model, frame, page);
    AppendEllipses(model, frame, factor, page);
    AppendPoints(model, frame, page);
    AppendLabels(model, frame, page);
    AppendNorthArrow(page);
    AppendScaleBar(frame, page);
    AppendLegend(frame, factor, page);
    page += "</svg></figure>\n";
}

}  // namespace

void AppendNetworkPlot(const HtmlReportInput& input, std::string& page) {
    OpenSection(page, "plot", text::kHtmlPlot);
    const bool adjusted = input.adjustment.status == AdjustmentStatus::Adjusted;
    const PlotModel model = adjusted ? PlotFromAdjustment(input.adjustment) : PlotFromSketch(input.sketch);
    if (model.points.empty()) {
        page += std::string("<p class=\"quiet\">") + text::kHtmlNoPlot + "</p>\n";
    } else {
        if (!adjusted) page += std::string("<p class=\"quiet\">") + text::kHtmlPlotApproximate + "</p>\n";
        AppendSvg(model, page);
    }
    CloseSection(page);
}

}  // namespace traverse
