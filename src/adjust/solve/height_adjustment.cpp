#include "adjust/solve/height_adjustment.h"

#include <deque>

#include "adjust/adjustment_texts.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"

namespace traverse {
namespace {

// Breadth-first from the known heights: h(to) = h(from) + dh, or back along a height difference.
void CarryHeights(Network& network) {
    std::vector<std::vector<int>> incident(network.points.size());
    for (std::size_t i = 0; i < network.heights.size(); ++i) {
        incident[network.heights[i].from].push_back(static_cast<int>(i));
        incident[network.heights[i].to].push_back(static_cast<int>(i));
    }
    std::deque<int> reached;
    for (std::size_t p = 0; p < network.points.size(); ++p) {
        if (network.points[p].hasHeight) reached.push_back(static_cast<int>(p));
    }
    while (!reached.empty()) {
        const int p = reached.front();
        reached.pop_front();
        for (int i : incident[p]) {
            const HeightDifference& dh = network.heights[i];
            const int other = dh.from == p ? dh.to : dh.from;
            NetworkPoint& point = network.points[other];
            if (point.hasHeight) continue;
            point.h = network.points[p].h + (dh.from == p ? dh.value : -dh.value);
            point.hasHeight = true;
            reached.push_back(other);
        }
    }
}

void NoteUnreached(Network& network) {
    std::vector<bool> observed(network.points.size(), false);
    for (const HeightDifference& dh : network.heights) observed[dh.from] = observed[dh.to] = true;
    for (std::size_t p = 0; p < network.points.size(); ++p) {
        if (observed[p] && !network.points[p].hasHeight) {
            network.notes.push_back(
                FormatText(GBK(text::kAdjustNoteNoHeight), network.points[p].name.c_str()));
        }
    }
}

}  // namespace

HeightAdjustment AdjustHeights(Network& network) {
    CarryHeights(network);
    NoteUnreached(network);
    HeightAdjustment result;
    AdjustedRows& adjusted = result.adjusted;
    std::vector<int> owner;  // the point of each unknown
    for (std::size_t p = 0; p < network.points.size(); ++p) {
        const bool unknown = network.points[p].hasHeight && !network.points[p].heightKnown;
        result.unknown.push_back(unknown ? adjusted.unknowns++ : -1);
        if (unknown) owner.push_back(static_cast<int>(p));
    }
    for (std::size_t i = 0; i < network.heights.size(); ++i) {
        const HeightDifference& dh = network.heights[i];
        if (!network.points[dh.from].hasHeight || !network.points[dh.to].hasHeight) continue;
        DesignRow row;
        row.misclosure = dh.value - (network.points[dh.to].h - network.points[dh.from].h);
        row.sigma = dh.sigma;
        row.Add(result.unknown[dh.from], -1.0);
        row.Add(result.unknown[dh.to], 1.0);
        result.used.push_back(static_cast<int>(i));
        adjusted.rows.push_back(row);
    }
    // Linear: one solution from the carried heights, then the residuals at it.
    FactorizeOrFail(adjusted, [&](int unknown) {
        return FormatText(GBK(text::kAdjustSingularHeight),
                          network.points[owner[unknown]].name.c_str());
    });
    const std::vector<double> correction = adjusted.normal->Solve(adjusted.rows);
    for (std::size_t p = 0; p < network.points.size(); ++p) {
        if (result.unknown[p] >= 0) network.points[p].h += correction[result.unknown[p]];
    }
    adjusted.normal->InvertSelected();
    for (std::size_t r = 0; r < adjusted.rows.size(); ++r) {
        const HeightDifference& dh = network.heights[result.used[r]];
        adjusted.residuals.push_back(network.points[dh.to].h - network.points[dh.from].h -
                                     dh.value);
    }
    return result;
}

}  // namespace traverse
