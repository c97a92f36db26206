#include "report/label_placement.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "platform/characters.h"

namespace traverse {
namespace {

double Overlap(const Box& a, const Box& b) {
    const double w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const double h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0.0;
}

double Area(const Box& box) { return (box.right - box.left) * (box.bottom - box.top); }

Box Bounds(const Segment& s) {
    return {std::min(s.x0, s.x1), std::min(s.y0, s.y1), std::max(s.x0, s.x1), std::max(s.y0, s.y1)};
}

// The length of s inside box (Liang-Barsky clipping).
double LengthInside(const Segment& s, const Box& box) {
    const double dx = s.x1 - s.x0;
    const double dy = s.y1 - s.y0;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {s.x0 - box.left, box.right - s.x0, s.y0 - box.top, box.bottom - s.y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return 0.0;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        if (p[i] > 0.0) t1 = std::min(t1, t);
        if (t0 > t1) return 0.0;
    }
    return (t1 - t0) * std::hypot(dx, dy);
}

// Items filed by the cells of a uniform grid over the area, so that a query looks at the few
// items near it; an item is visited once per query.
class Grid {
public:
    Grid(const Box& area, double cell)
        : m_area(area), m_cell(cell),
          m_columns(std::max(1, static_cast<int>(std::ceil((area.right - area.left) / cell)))),
          m_rows(std::max(1, static_cast<int>(std::ceil((area.bottom - area.top) / cell)))),
          m_cells(static_cast<std::size_t>(m_columns) * m_rows) {}

    void Insert(const Box& bounds, int item) {
        ForCells(bounds, [&](std::vector<int>& cell) { cell.push_back(item); });
        if (static_cast<std::size_t>(item) >= m_stamp.size()) m_stamp.resize(item + 1, 0);
    }

    template <typename Visit>
    void Query(const Box& bounds, Visit visit) {
        ++m_query;
        ForCells(bounds, [&](std::vector<int>& cell) {
            for (int item : cell) {
                if (m_stamp[item] == m_query) continue;
                m_stamp[item] = m_query;
                visit(item);
            }
        });
    }

private:
    int Clamp(double value, int count) const {
        return std::clamp(static_cast<int>(std::floor(value / m_cell)), 0, count - 1);
    }

    template <typename Each>
    void ForCells(const Box& b, Each each) {
        const int c0 = Clamp(b.left - m_area.left, m_columns),
                  c1 = Clamp(b.right - m_area.left, m_columns);
        const int r0 = Clamp(b.top - m_area.top, m_rows), r1 = Clamp(b.bottom - m_area.top, m_rows);
        for (int r = r0; r <= r1; ++r) {
            for (int c = c0; c <= c1; ++c)
                each(m_cells[static_cast<std::size_t>(r) * m_columns + c]);
        }
    }

    Box m_area;
    double m_cell;
    int m_columns, m_rows;
    std::vector<std::vector<int>> m_cells;
    std::vector<unsigned> m_stamp;
    unsigned m_query = 0;
};

// The spot of a label in direction (cx, cy), each -1, 0 or 1 (y down), at distance gap.
LabelSpot Candidate(const LabelRequest& label, int cx, int cy, double gap) {
    const double reach = cx != 0 && cy != 0 ? gap * 0.7 : gap;
    LabelSpot spot;
    spot.box.left = cx > 0   ? label.x + reach
                    : cx < 0 ? label.x - reach - label.width
                             : label.x - label.width / 2;
    spot.box.top = cy > 0   ? label.y + reach
                   : cy < 0 ? label.y - reach - label.height
                            : label.y - label.height / 2;
    spot.box.right = spot.box.left + label.width;
    spot.box.bottom = spot.box.top + label.height;
    spot.anchor = cx > 0 ? TextAnchor::Start : cx < 0 ? TextAnchor::End : TextAnchor::Middle;
    spot.x = cx > 0 ? spot.box.left : cx < 0 ? spot.box.right : label.x;
    spot.y = spot.box.top + 0.8 * label.height;  // the baseline under the ascenders
    return spot;
}

struct Obstacles {
    Grid labels, markers, lines;
    std::vector<Box> placed;
    const std::vector<Box>& markerBoxes;
    const std::vector<Segment>& segments;
    Box area;

    // Whether a label may stand there: inside the plot and clear of every label placed so far.
    bool Free(const Box& box) {
        const bool inside = box.left >= area.left && box.top >= area.top &&
                            box.right <= area.right && box.bottom <= area.bottom;
        if (!inside) return false;
        bool clear = true;
        labels.Query(box, [&](int i) { clear = clear && Overlap(box, placed[i]) <= 0; });
        return clear;
    }

    // What the box covers: markers count with their area three times over, lines with their
    // length inside it times the label's height.
    double Cost(const Box& box) {
        double cost = 0.0;
        markers.Query(box, [&](int i) { cost += 3 * Overlap(box, markerBoxes[i]); });
        lines.Query(
            box, [&](int i) { cost += LengthInside(segments[i], box) * (box.bottom - box.top); });
        return cost;
    }
};

}  // namespace

std::vector<LabelSpot> PlaceLabels(const std::vector<LabelRequest>& labels,
                                   const std::vector<Box>& markers,
                                   const std::vector<Segment>& lines, const Box& area) {
    double cell = 32.0;
    for (const LabelRequest& label : labels) cell = std::max(cell, 2 * label.height);
    Obstacles obstacles{
        Grid(area, cell), Grid(area, cell), Grid(area, cell), {}, markers, lines, area};
    for (std::size_t i = 0; i < markers.size(); ++i)
        obstacles.markers.Insert(markers[i], static_cast<int>(i));
    for (std::size_t i = 0; i < lines.size(); ++i)
        obstacles.lines.Insert(Bounds(lines[i]), static_cast<int>(i));
    static const int kDirections[8][2] = {{1, 0},   {1, -1}, {1, 1},  {-1, 0},
                                          {-1, -1}, {-1, 1}, {0, -1}, {0, 1}};
    std::vector<LabelSpot> spots;
    spots.reserve(labels.size());
    for (const LabelRequest& label : labels) {
        LabelSpot best;
        double bestCost = HUGE_VAL;
        for (int ring = 0; ring < 2 && bestCost > 0; ++ring) {
            const double gap = label.gap + ring * 1.2 * label.height;
            for (const auto& d : kDirections) {
                const LabelSpot spot = Candidate(label, d[0], d[1], gap);
                if (!obstacles.Free(spot.box)) continue;
                // The far ring costs a little more than a clear near spot would.
                const double cost = obstacles.Cost(spot.box) + ring * 0.1 * Area(spot.box);
                if (cost < bestCost) {
                    bestCost = cost;
                    best = spot;
                    best.placed = true;
                }
            }
        }
        if (best.placed) {
            obstacles.labels.Insert(best.box, static_cast<int>(obstacles.placed.size()));
            obstacles.placed.push_back(best.box);
        }
        spots.push_back(best);
    }
    return spots;
}

double TextWidthEm(std::string_view utf8) {
    double width = 0.0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const chars::Utf8Char c = chars::DecodeUtf8(utf8, pos);
        width += c.code >= 0x1100 ? 1.0 : 0.6;
        pos += c.length;
    }
    return width;
}

}  // namespace traverse
