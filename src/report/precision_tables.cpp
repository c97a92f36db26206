#include "report/precision_tables.h"

#include "adjust/report_forms.h"
#include "report/html_text.h"
#include "report/long_table.h"
#include "report/page_texts.h"
#include "report/table_row.h"
#include "traverse/dms.h"

namespace traverse {
namespace {

// The text output that lists every row of a long table.
constexpr char kAdjustCommand[] = "traverse adjust";

TableRow SideRow(const AdjustedSide& s, double scale, bool weakest) {
    Row row;
    row.Gbk(s.from)
        .Gbk(s.to)
        .Num("%.6f", RadianToDms(s.azimuth))
        .Num("%.4f", s.length)
        .Num("%.1f", s.sigmaLength)
        .Text(RelativeClosureText(s.relativeSigma))
        .Num("%.2f", s.sigmaAzimuth)
        .Num("%.1f", s.ellipseMajor * scale)
        .Num("%.1f", s.ellipseMinor * scale)
        .Num("%.1f", s.ellipseAzimuth);
    return {row.Line(), weakest};
}

}  // namespace

void AppendSides(const AdjustmentResult& result, Html& page) {
    if (result.sides.empty()) return;
    AppendHeading(page, text::kHtmlSidesHeading.Get());
    std::vector<TableRow> rows;
    for (std::size_t s = 0; s < result.sides.size(); ++s) {
        const bool weakest = static_cast<int>(s) == result.weakestSide;
        rows.push_back(SideRow(result.sides[s], result.settings.ellipseScale, weakest));
    }
    AppendTable(page, {TextColumns(text::kHtmlSideColumns), "lead2", {}}, rows, kAdjustCommand);
}

void AppendOrientations(const AdjustmentResult& result, Html& page) {
    if (result.orientations.empty()) return;
    AppendHeading(page, text::kHtmlOrientationsHeading.Get());
    std::vector<TableRow> rows;
    for (const AdjustedOrientation& o : result.orientations) {
        rows.push_back({Row()
                            .Gbk(o.station)
                            .Num("%.6f", RadianToDms(o.orientation))
                            .Num("%.2f", o.sigma)
                            .Line(),
                        false});
    }
    AppendTable(page, {TextColumns(text::kHtmlOrientationColumns), "lead1", {}}, rows,
                kAdjustCommand);
}

}  // namespace traverse
