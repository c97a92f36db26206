// Places the point names of the plot: each label tries positions around its point and takes, of
// those clear of the labels placed before it and inside the plot, the one that covers the least of
// the point markers and the lines; a label with no such position is left out.
#ifndef TRAVERSE_REPORT_LABEL_PLACEMENT_H
#define TRAVERSE_REPORT_LABEL_PLACEMENT_H

#include <string_view>
#include <vector>

namespace traverse {

// A rectangle in the plot's units, y pointing down.
struct Box {
    double left = 0.0, top = 0.0, right = 0.0, bottom = 0.0;
};

struct Segment {
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;
};

struct LabelRequest {
    double x = 0.0, y = 0.0;          // the point
    double width = 0.0, height = 0.0;  // the label's estimated size
    double gap = 0.0;                 // from the point to the nearest edge of the label
};

enum class TextAnchor { Start, Middle, End };

struct LabelSpot {
    double x = 0.0, y = 0.0;  // where the text goes: x as the anchor says, y its baseline
    TextAnchor anchor = TextAnchor::Start;
    Box box;
    bool placed = false;  // false: every position overlapped a label or left the plot
};

// Labels are placed in the order given, each at the least covering of 16 positions (8 directions,
// two distances; right of the point first) that overlaps no label placed before it and stays
// within area. Markers and lines are obstacles. One spot per label, placed or not.
std::vector<LabelSpot> PlaceLabels(const std::vector<LabelRequest>& labels,
                                   const std::vector<Box>& markers,
                                   const std::vector<Segment>& lines, const Box& area);

// The width of utf8 in ems as a sans-serif face sets it: wide (CJK) characters 1, others about 0.6.
double TextWidthEm(std::string_view utf8);

}  // namespace traverse

#endif
