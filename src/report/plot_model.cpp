#include "report/plot_model.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>
#include <utility>

#include "platform/c_number.h"
#include "report/page_texts.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

// Only finite numbers reach the drawing: anything else would be no SVG.
bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// The ellipse at the confidence the plot draws (scale times the standard one).
std::string AdjustedTooltip(const AdjustedPoint& p, double scale) {
    std::string tip = FormatText(text::kHtmlTipPlane, p.x, p.y);
    if (p.hasGeographic) {
        tip += "\n" + FormatText(text::kHtmlTipGeographic, p.latitude, p.longitude, p.convergence);
    }
    if (p.hasHeight) tip += "\n" + FormatText(text::kHtmlTipHeight, p.h);
    if (p.planeFixed) return tip + "\n" + text::kHtmlTipKnown;
    tip += "\n" + FormatText(text::kHtmlTipSigma, p.sigmaX, p.sigmaY, p.sigmaPosition);
    tip += "\n" + FormatText(text::kHtmlTipEllipse, p.ellipseMajor * scale, p.ellipseMinor * scale,
                             p.ellipseAzimuth);
    if (p.hasHeight && !p.heightFixed) tip += "\n" + FormatText(text::kHtmlTipSigmaH, p.sigmaH);
    return tip;
}

// Adds the line between a and b once, whichever end observed it, keeping every flag seen.
class LineSet {
public:
    void Add(int a, int b, bool outlier, bool weak) {
        const std::pair<int, int> key{std::min(a, b), std::max(a, b)};
        const auto [found, added] = m_index.emplace(key, m_lines.size());
        if (added) m_lines.push_back(PlotLine{a, b, false, false});
        PlotLine& line = m_lines[found->second];
        line.outlier = line.outlier || outlier;
        line.weaklyControlled = line.weaklyControlled || weak;
    }
    std::vector<PlotLine> Take() { return std::move(m_lines); }

private:
    std::map<std::pair<int, int>, std::size_t> m_index;
    std::vector<PlotLine> m_lines;
};

}  // namespace

PlotModel PlotFromAdjustment(const AdjustmentResult& result) {
    PlotModel model;
    model.adjusted = true;
    model.confidence = result.settings.confidence;
    const double scale = result.settings.ellipseScale;
    std::unordered_map<std::string, int> byName;
    for (const AdjustedPoint& p : result.points) {
        if (!p.hasPlane || !Finite(p.x, p.y)) continue;
        byName.emplace(p.name, static_cast<int>(model.points.size()));
        const bool ellipse = !p.planeFixed && Finite(p.ellipseMajor, p.ellipseMinor) &&
                             std::isfinite(p.ellipseAzimuth);
        PlotPoint point{GbkToUtf8(p.name),
                        p.y,
                        p.x,
                        p.planeFixed,
                        ellipse,
                        p.ellipseMajor * scale,
                        p.ellipseMinor * scale,
                        p.ellipseAzimuth,
                        AdjustedTooltip(p, scale)};
        model.points.push_back(std::move(point));
    }
    LineSet lines;
    for (const AdjustedObservation& o : result.observations) {
        const auto from = byName.find(o.station);
        const auto to = byName.find(o.target);
        if (from == byName.end() || to == byName.end()) continue;
        lines.Add(from->second, to->second, o.outlier, o.weaklyControlled);
    }
    model.lines = lines.Take();
    return model;
}

PlotModel PlotFromSketch(const NetworkSketch& sketch) {
    PlotModel model;
    std::vector<int> drawn(sketch.points.size(), -1);
    for (std::size_t i = 0; i < sketch.points.size(); ++i) {
        const SketchPoint& p = sketch.points[i];
        if (!Finite(p.x, p.y)) continue;
        drawn[i] = static_cast<int>(model.points.size());
        PlotPoint point;
        point.name = GbkToUtf8(p.name);
        point.east = p.y;
        point.north = p.x;
        point.known = p.known;
        point.tooltip = p.known
                            ? FormatText(text::kHtmlTipPlane, p.x, p.y) + "\n" + text::kHtmlTipKnown
                            : FormatText(text::kHtmlTipApproximate, p.x, p.y);
        model.points.push_back(std::move(point));
    }
    const int count = static_cast<int>(drawn.size());
    for (const SketchLine& line : sketch.lines) {
        if (line.from < 0 || line.from >= count || line.to < 0 || line.to >= count) continue;
        if (drawn[line.from] >= 0 && drawn[line.to] >= 0) {
            model.lines.push_back(PlotLine{drawn[line.from], drawn[line.to], false, false});
        }
    }
    return model;
}

}  // namespace traverse
