// What the network plot draws, from the adjustment or, when it did not run, from the network as
// placed before it: points with their tooltips and error ellipses, and sightlines with their flags.
#ifndef TRAVERSE_REPORT_PLOT_MODEL_H
#define TRAVERSE_REPORT_PLOT_MODEL_H

#include <optional>
#include <string>
#include <vector>

#include "traverse/html_report.h"

namespace traverse {

struct PlotPoint {
    std::string name;      // UTF-8, not escaped
    double east = 0.0;     // y, metres
    double north = 0.0;    // x, metres
    bool known = false;
    bool hasEllipse = false;
    double ellipseMajor = 0.0, ellipseMinor = 0.0;  // millimetres, at the model's confidence
    double ellipseAzimuth = 0.0;                    // degrees from north, clockwise
    std::string tooltip;   // UTF-8 lines after the name, not escaped
};

struct PlotLine {
    int from = 0;
    int to = 0;
    bool outlier = false;           // an observation of the line failed the w-test
    bool weaklyControlled = false;  // an observation of the line is weakly controlled
};

struct PlotModel {
    std::vector<PlotPoint> points;
    std::vector<PlotLine> lines;  // each pair of points once
    bool adjusted = false;
    std::optional<double> confidence;  // of the ellipses; empty: standard (1 sigma) ellipses
};

// Every adjusted point with plane coordinates, and one line per pair of points that a direction,
// distance or height difference joins.
PlotModel PlotFromAdjustment(const AdjustmentResult& result);

// The points and lines of the sketch, without ellipses.
PlotModel PlotFromSketch(const NetworkSketch& sketch);

}  // namespace traverse

#endif
