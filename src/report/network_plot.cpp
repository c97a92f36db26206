// The network plot, inline SVG: north up, known points as triangles, new points as circles, every
// sightline (flagged ones on top, in colour and dashed), error ellipses magnified by a round factor
// named in the legend, a north arrow, a scale bar and the point names that find a place clear of
// each other.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/c_number.h"
#include "report/html_element.h"
#include "report/html_text.h"
#include "report/label_placement.h"
#include "report/page_sections.h"
#include "report/page_texts.h"
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

// A group of SVG elements: <g class="cssClass">, a line each.
void AppendGroup(Literal cssClass, const Html& elements, Html& svg) {
    svg += Svg("g").Attr("class", cssClass.c_str()).Wrap(Markup("\n") + elements) + Markup("\n");
}

Html Sightline(const char* cssClass, const PlotPoint& a, const PlotPoint& b, const Frame& frame) {
    return Svg("line")
        .Class(cssClass)
        .Attr("x1", frame.X(a.east))
        .Attr("y1", frame.Y(a.north))
        .Attr("x2", frame.X(b.east))
        .Attr("y2", frame.Y(b.north))
        .Empty();
}

void AppendLines(const PlotModel& model, const Frame& frame, Html& svg) {
    std::vector<const PlotLine*> order;
    for (const PlotLine& line : model.lines) order.push_back(&line);
    // Flagged lines last, so that nothing covers them.
    std::stable_sort(order.begin(), order.end(), [](const PlotLine* a, const PlotLine* b) {
        return (a->outlier ? 2 : a->weaklyControlled) < (b->outlier ? 2 : b->weaklyControlled);
    });
    Html lines;
    for (const PlotLine* line : order) {
        const char* cssClass = line->outlier ? "outlier" : line->weaklyControlled ? "weak" : "";
        lines += Sightline(cssClass, model.points[line->from], model.points[line->to], frame) +
                 Markup("\n");
    }
    AppendGroup("sightlines", lines, svg);
}

Html Ellipse(const PlotPoint& p, const Frame& frame, double factor) {
    const double x = frame.X(p.east), y = frame.Y(p.north);
    const double perMillimetre = factor * frame.scale / 1000.0;
    // The azimuth runs clockwise from north; SVG's rotation clockwise from east.
    const std::string rotation =
        FormatText("rotate(%.1f %.1f %.1f)", p.ellipseAzimuth - 90.0, x, y);
    return Svg("ellipse")
        .Attr("cx", x)
        .Attr("cy", y)
        .Attr("rx", p.ellipseMajor * perMillimetre)
        .Attr("ry", p.ellipseMinor * perMillimetre)
        .Attr("transform", rotation)
        .Empty();
}

void AppendEllipses(const PlotModel& model, const Frame& frame, double factor, Html& svg) {
    if (factor <= 0) return;
    Html ellipses;
    for (const PlotPoint& p : model.points) {
        if (p.hasEllipse) ellipses += Ellipse(p, frame, factor) + Markup("\n");
    }
    AppendGroup("ellipses", ellipses, svg);
}

Html Marker(bool known, double x, double y) {
    if (known) {
        const double top = y - kMarker * 1.2, base = y + kMarker * 0.8;
        const std::string corners = FormatText("%.1f,%.1f %.1f,%.1f %.1f,%.1f", x, top, x - kMarker,
                                               base, x + kMarker, base);
        return Svg("polygon").Attr("points", corners).Empty();
    }
    return Svg("circle").Attr("cx", x).Attr("cy", y).Attr("r", kMarker * 0.8).Empty();
}

void AppendPoints(const PlotModel& model, const Frame& frame, Html& svg) {
    Html points;
    for (const PlotPoint& p : model.points) {
        const Html title = Svg("title").Wrap(Text(p.name + "\n" + p.tooltip));
        const Html marker = Marker(p.known, frame.X(p.east), frame.Y(p.north));
        points += Svg("g").Class(p.known ? "point known" : "point new").Wrap(title + marker) +
                  Markup("\n");
    }
    AppendGroup("points", points, svg);
}

// A word of the plot at x, y; anchor is start, middle or end.
Html Label(double x, double y, const char* anchor, std::string_view utf8) {
    Element text = Svg("text");
    text.Attr("x", x).Attr("y", y);
    if (anchor != nullptr) text.Attr("text-anchor", anchor);
    return text.Wrap(Text(utf8));
}

void AppendLabels(const PlotModel& model, const Frame& frame, Html& svg) {
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
    const Box area{0, 0, kWidth, frame.plotHeight};
    const std::vector<LabelSpot> spots = PlaceLabels(requests, markers, segments, area);
    static const char* const kAnchors[] = {"start", "middle", "end"};
    Html labels;
    for (std::size_t i = 0; i < spots.size(); ++i) {
        // A name with no free place is left out; its marker's tooltip still names the point.
        if (!spots[i].placed) continue;
        const char* anchor = kAnchors[static_cast<int>(spots[i].anchor)];
        labels += Label(spots[i].x, spots[i].y, anchor, model.points[i].name) + Markup("\n");
    }
    AppendGroup("labels", labels, svg);
}

void AppendNorthArrow(Html& svg) {
    const double x = kWidth - 32;
    const std::string arrow = FormatText("%.1f,12 %.1f,44 %.1f,36 %.1f,44", x, x - 9, x, x + 9);
    const Html word = Svg("text")
                          .Attr("x", x)
                          .Attr("y", "60")
                          .Attr("text-anchor", "middle")
                          .Wrap(Text(text::kHtmlNorth));
    svg += Svg("g").Class("north").Wrap(Svg("polygon").Attr("points", arrow).Empty() + word) +
           Markup("\n");
}

void AppendScaleBar(const Frame& frame, Html& svg) {
    const double metres = RoundDown125(180.0 / frame.scale);
    const double length = metres * frame.scale;
    const double x = 20, y = frame.plotHeight - 18;
    const std::string label = metres >= 1000 ? FormatText(text::kHtmlScaleKilometres, metres / 1000)
                                             : FormatText(text::kHtmlScaleMetres, metres);
    const std::string bar = FormatText("M%.1f %.1fV%.1fH%.1fV%.1f", x, y - 6, y, x + length, y - 6);
    const Html bars =
        Svg("path").Attr("d", bar).Empty() + Label(x + length / 2, y - 9, "middle", label);
    svg += Svg("g").Class("scalebar").Wrap(bars) + Markup("\n");
}

Html LegendLine(const char* cssClass, double x, double y) {
    return Svg("line")
        .Class(cssClass)
        .Attr("x1", x)
        .Attr("y1", y)
        .Attr("x2", x + 20)
        .Attr("y2", y)
        .Empty();
}

// One row of symbols under the plot, each followed by its word.
void AppendLegend(const PlotModel& model, const Frame& frame, double factor, Html& svg) {
    const double y = frame.plotHeight + kLegendHeight / 2;
    double x = 20;
    Html legend;
    const auto item = [&](const Html& symbol, std::string_view word) {
        legend += symbol + Label(x + 26, y + 4.5, nullptr, word) + Markup("\n");
        x += 26 + TextWidthEm(word) * kFontSize + 22;
    };
    item(Svg("g").Class("point known").Wrap(Marker(true, x + 10, y)), text::kHtmlLegendKnown);
    item(Svg("g").Class("point new").Wrap(Marker(false, x + 10, y)), text::kHtmlLegendNew);
    item(LegendLine("sight", x, y), text::kHtmlLegendSightline);
    item(LegendLine("outlier", x, y), text::kHtmlLegendOutlier);
    item(LegendLine("weak", x, y), text::kHtmlLegendWeak);
    if (factor > 0) {
        const std::string times = FormatText(factor >= 1 ? "%.0f" : "%g", factor);
        const Html ellipse = Svg("ellipse")
                                 .Class("ellipse")
                                 .Attr("cx", x + 10)
                                 .Attr("cy", y)
                                 .Attr("rx", "10")
                                 .Attr("ry", "5")
                                 .Empty();
        const std::string level =
            model.confidence ? FormatText("%g%%", *model.confidence * 100) : std::string();
        item(ellipse, model.confidence ? FormatText(text::kHtmlLegendConfidenceEllipse,
                                                    level.c_str(), times.c_str())
                                       : FormatText(text::kHtmlLegendEllipse, times.c_str()));
    }
    AppendGroup("legend", legend, svg);
}

void AppendSvg(const PlotModel& model, Html& page) {
    const Frame frame = MakeFrame(model.points);
    const double factor = EllipseFactor(model, frame);
    const double height = frame.plotHeight + kLegendHeight;
    page += Markup("<figure class=\"plot\">") +
            Svg("svg")
                .Attr("xmlns", "http://www.w3.org/2000/svg")
                .Attr("viewBox", FormatText("0 0 %.1f %.1f", kWidth, height))
                .Attr("role", "img")
                .Attr("aria-label", text::kHtmlPlotLabel)
                .Open() +
            Markup("\n");
    page += Svg("rect")
                .Class("frame")
                .Attr("x", 0.5)
                .Attr("y", 0.5)
                .Attr("width", kWidth - 1)
                .Attr("height", frame.plotHeight - 1)
                .Empty() +
            Markup("\n");
    AppendLines(model, frame, page);
    AppendEllipses(model, frame, factor, page);
    AppendPoints(model, frame, page);
    AppendLabels(model, frame, page);
    AppendNorthArrow(page);
    AppendScaleBar(frame, page);
    AppendLegend(model, frame, factor, page);
    page += Markup("</svg></figure>\n");
}

}  // namespace

void AppendNetworkPlot(const HtmlReportInput& input, Html& page) {
    OpenSection(page, "plot", text::kHtmlPlot);
    const bool adjusted = input.adjustment.status == AdjustmentStatus::Adjusted;
    const PlotModel model =
        adjusted ? PlotFromAdjustment(input.adjustment) : PlotFromSketch(input.sketch);
    if (model.points.empty()) {
        AppendParagraph(page, "quiet", text::kHtmlNoPlot);
    } else {
        if (!adjusted) AppendParagraph(page, "quiet", text::kHtmlPlotApproximate);
        AppendSvg(model, page);
    }
    CloseSection(page);
}

}  // namespace traverse
