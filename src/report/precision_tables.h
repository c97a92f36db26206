// The precision tables of the adjustment section: the sides with their relative precision and the
// orientation unknowns, and the column headings of a catalogue's Text array.
#ifndef TRAVERSE_REPORT_PRECISION_TABLES_H
#define TRAVERSE_REPORT_PRECISION_TABLES_H

#include <string>
#include <vector>

#include "platform/text.h"
#include "report/html.h"
#include "traverse/adjust.h"

namespace traverse {

// "struct Text": the page's function Text (report/html.h) hides the name.
template <std::size_t N>
std::vector<std::string> TextColumns(const struct Text (&headings)[N]) {
    std::vector<std::string> columns;
    for (const struct Text& heading : headings) columns.emplace_back(heading);
    return columns;
}

// The sides, the side table of Chinese reports with the relative ellipse; nothing without sides.
void AppendSides(const AdjustmentResult& result, Html& page);

// The orientation of every set of directions with its sigma.
void AppendOrientations(const AdjustmentResult& result, Html& page);

}  // namespace traverse

#endif
