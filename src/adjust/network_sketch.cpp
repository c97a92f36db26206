// The network as the adjustment would start from it: the known points and the points placed from
// them, as far as the observations determine them.
#include <algorithm>
#include <set>
#include <utility>
#include <vector>

#include "adjust/model/adjustment_failure.h"
#include "adjust/model/adjustment_settings.h"
#include "adjust/model/network_builder.h"
#include "adjust/solve/approximate_coordinates.h"
#include "traverse/adjust.h"

namespace traverse {
namespace {

// The settings only weigh the observations; options out of range give way to the defaults.
AdjustmentSettings SketchSettings(const AdjustmentOptions& options) {
    try {
        const AdjustmentSettings settings = ResolveSettings(options);
        ValidateSettings(settings);
        return settings;
    } catch (const AdjustmentFailure&) {
        return ResolveSettings(AdjustmentOptions());
    }
}

// Each line between two placed points once, in the order of the observations.
std::vector<SketchLine> PlacedLines(const Network& network, const std::vector<int>& placedIndex) {
    std::vector<std::pair<int, int>> pairs;
    for (const Direction& direction : network.directions) {
        pairs.emplace_back(network.sets[direction.set].station, direction.target);
    }
    for (const Distance& distance : network.distances)
        pairs.emplace_back(distance.from, distance.to);
    std::set<std::pair<int, int>> seen;
    std::vector<SketchLine> lines;
    for (const auto& [a, b] : pairs) {
        const int from = placedIndex[a], to = placedIndex[b];
        if (from < 0 || to < 0 || !seen.emplace(std::min(from, to), std::max(from, to)).second)
            continue;
        lines.push_back(SketchLine{from, to});
    }
    return lines;
}

}  // namespace

NetworkSketch SketchNetwork(const CImportXml& importer, const AdjustmentOptions& options) {
    Network network;
    try {
        BuildNetwork(importer, SketchSettings(options), network);
        ApproximateCoordinates(network);
    } catch (const AdjustmentFailure&) {
        // What was placed before the failure is drawn all the same.
    }
    NetworkSketch sketch;
    std::vector<int> placedIndex(network.points.size(), -1);
    for (std::size_t i = 0; i < network.points.size(); ++i) {
        const NetworkPoint& point = network.points[i];
        if (!point.hasPlane) continue;
        placedIndex[i] = static_cast<int>(sketch.points.size());
        sketch.points.push_back(SketchPoint{point.name, point.planeKnown, point.x, point.y});
    }
    sketch.lines = PlacedLines(network, placedIndex);
    return sketch;
}

}  // namespace traverse
