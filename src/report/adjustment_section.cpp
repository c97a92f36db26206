// The adjustment: the settings it applied, its notes, the closures with their limits, the tests,
// the points with their precision, the sides and orientations, and the observations with their
// statistics, outliers first.
// When it did not run, why, and the closures that could still be computed.
#include <string>
#include <vector>

#include "adjust/report_forms.h"
#include "platform/c_number.h"
#include "report/html_element.h"
#include "report/html_text.h"
#include "report/long_table.h"
#include "report/page_sections.h"
#include "report/page_texts.h"
#include "report/precision_tables.h"
#include "report/table_row.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"

namespace traverse {
namespace {

// The text output that lists every row of a long table.
constexpr char kAdjustCommand[] = "traverse adjust";

void AppendSettings(const AdjustmentResult& result, Html& page) {
    AppendHeading(page, text::kHtmlSettingsHeading);
    AppendGbkList(page, "settings", SettingsLines(result.settings));
    if (result.notes.empty()) return;
    AppendHeading(page, text::kHtmlNotesHeading);
    std::vector<Html> notes;
    for (const std::string& note : result.notes) notes.push_back(GbkText(note));
    AppendList(page, "notes", notes, kAdjustCommand);
}

Html StationChain(const std::vector<std::string>& gbkStations) {
    Html chain;
    for (const std::string& name : gbkStations) {
        if (!chain.empty()) chain += Text(text::kHtmlChain);
        chain += GbkText(name);
    }
    return chain;
}

TableRow TraverseRow(const TraverseClosure& c) {
    const bool passed = c.angularWithinLimit && c.relativeWithinLimit;
    Row row(passed ? "pass" : "fail");
    row.Cell(StationChain(c.stations))
        .Cell(StationChain({c.startOrientation, c.endOrientation}))
        .Num("%d", c.angleCount)
        .Num(text::kHtmlSeconds, c.angularMisclosure)
        .Num(text::kHtmlSecondsLimit, c.angularLimit)
        .Cell(Mark(Judge(true, c.angularWithinLimit)))
        .Num("%.3f", c.length)
        .Num("%+.1f", c.fx)
        .Num("%+.1f", c.fy)
        .Num("%.1f", c.fs)
        .Text(RelativeClosureText(c.relativeMisclosure))
        .Text(RelativeClosureText(c.relativeLimit))
        .Cell(Mark(Judge(true, c.relativeWithinLimit)));
    return {row.Line(), !passed};
}

void AppendTraverses(const AdjustmentResult& result, Html& page) {
    AppendHeading(page, text::kHtmlClosuresHeading);
    if (result.traverses.empty()) {
        AppendParagraph(page, "quiet", text::kHtmlNoTraverse);
        return;
    }
    std::vector<TableRow> rows;
    for (const TraverseClosure& c : result.traverses) rows.push_back(TraverseRow(c));
    AppendTable(page, {Columns(text::kHtmlTraverseColumns), "lead2", {}}, rows, kAdjustCommand);
}

TableRow ReciprocalRow(const ReciprocalCheck& c) {
    const bool distance = c.kind == ReciprocalKind::Distance;
    const char* format = distance ? "%.4f" : "%+.4f";
    Row row(c.withinLimit ? "" : "fail");
    row.Cell(StationChain({c.from, c.to}))
        .Text(distance ? text::kHtmlReciprocalDistance : text::kHtmlReciprocalHeight)
        .Num(format, c.forward)
        .Num(format, c.backward)
        .Num("%+.1f", c.difference)
        .Num(text::kHtmlMillimetresLimit, c.limit)
        .Cell(Mark(Judge(true, c.withinLimit)));
    return {row.Line(), !c.withinLimit};
}

void AppendReciprocals(const AdjustmentResult& result, Html& page) {
    if (result.reciprocalChecks.empty()) return;
    AppendHeading(page, text::kHtmlReciprocalHeading);
    std::vector<TableRow> rows;
    for (const ReciprocalCheck& c : result.reciprocalChecks) rows.push_back(ReciprocalRow(c));
    AppendTable(page, {Columns(text::kHtmlReciprocalColumns), "lead2", {}}, rows, kAdjustCommand);
}

// A limit not confirmed against the standard's text is shown, not judged.
TableRow PrecisionRow(const PrecisionJudgement& j) {
    const Judgement judgement = Judge(j.judged, j.withinLimit);
    Row row(JudgementClass(judgement));
    row.Cell(GbkText(PrecisionItemLabel(j)))
        .Cell(GbkText(PrecisionFigureText(j, j.value)))
        .Cell(GbkText(PrecisionFigureText(j, j.limit)))
        .Cell(Mark(judgement));
    return {row.Line(), judgement == Judgement::Fail};
}

void AppendPrecision(const AdjustmentResult& result, Html& page) {
    if (result.precision.empty()) return;
    AppendHeading(page, FormatText(text::kHtmlPrecisionHeading.Get(),
                                   TraverseGradeName(result.settings.grade)));
    std::vector<TableRow> rows;
    for (const PrecisionJudgement& j : result.precision) rows.push_back(PrecisionRow(j));
    const std::vector<std::string> columns = {text::kHtmlPrecisionItem.Get(),
                                              text::kHtmlPrecisionValue.Get(),
                                              text::kHtmlPrecisionLimit.Get(),
                                              text::kHtmlPrecisionResult.Get()};
    AppendTable(page, {columns, "lead1", {}}, rows, kAdjustCommand);
}

Html TestRow(const char* label, const ModelTest& test) {
    const Judgement judgement = Judge(test.applicable, test.passed);
    Row row(JudgementClass(judgement));
    row.Text(label)
        .Num("%d", test.observations)
        .Num("%d", test.unknowns)
        .Num("%d", test.redundancy);
    if (!test.applicable) return row.Span(4, Text(text::kHtmlNoRedundancy), "t").Line();
    return row.Num("%.2f", test.weightedSquareSum)
        .Num("%.3f", test.sigma0)
        .Num(text::kHtmlUpperBound, test.upperBound)
        .Cell(Mark(judgement))
        .Line();
}

void AppendTests(const AdjustmentResult& result, Html& page) {
    AppendHeading(page, text::kHtmlTestsHeading);
    page += Tag("p").Wrap(Num(text::kHtmlIterations, result.iterations)) + Markup("\n");
    OpenTable(page, Columns(text::kHtmlTestColumns), "lead1");
    page += TestRow(text::kHtmlGlobal, result.global) + TestRow(text::kHtmlPlane, result.plane) +
            TestRow(text::kHtmlHeights, result.height);
    CloseTable(page);
}

Html Sigma(bool has, bool fixed, double value) {
    if (!has) return Text(text::kHtmlNone);
    return fixed ? Text(text::kHtmlFixed) : Num("%.1f", value);
}

// A coordinate in metres, or a dash when the point has none.
Html Coordinate(bool has, double metres) {
    return has ? Num("%.4f", metres) : Text(text::kHtmlNone);
}

TableRow PointRow(const AdjustedPoint& p, double scale) {
    const bool adjusted = p.hasPlane && !p.planeFixed;
    const auto plane = [adjusted](double value) { return adjusted ? Num("%.1f", value) : Html(); };
    Row row(p.planeFixed ? "known" : "");
    row.Gbk(p.name)
        .Cell(Coordinate(p.hasPlane, p.x))
        .Cell(Coordinate(p.hasPlane, p.y))
        .Cell(Coordinate(p.hasHeight, p.h))
        .Cell(Sigma(p.hasPlane, p.planeFixed, p.sigmaX))
        .Cell(plane(p.sigmaY))
        .Cell(plane(p.sigmaPosition))
        .Cell(plane(p.ellipseMajor * scale))
        .Cell(plane(p.ellipseMinor * scale))
        .Cell(plane(p.ellipseAzimuth))
        .Cell(Sigma(p.hasHeight, p.heightFixed, p.sigmaH));
    return {row.Line(), false};
}

void AppendPoints(const AdjustmentResult& result, Html& page) {
    AppendHeading(page, text::kHtmlPointsHeading);
    const AdjustmentSettings& s = result.settings;
    if (s.confidence) {
        AppendParagraph(
            page, "quiet",
            FormatText(text::kHtmlConfidenceEllipses, *s.confidence * 100, s.ellipseScale));
    }
    std::vector<TableRow> rows;
    for (const AdjustedPoint& p : result.points) rows.push_back(PointRow(p, s.ellipseScale));
    AppendTable(page, {Columns(text::kHtmlPointColumns), "lead1", {}}, rows, kAdjustCommand);
}

const char* KindText(ObservationKind kind) {
    switch (kind) {
        case ObservationKind::Direction: return text::kHtmlDirection;
        case ObservationKind::Distance: return text::kHtmlDistance;
        case ObservationKind::HeightDifference: break;
    }
    return text::kHtmlHeightDifference;
}

Html ObservationRow(const AdjustedObservation& o) {
    std::string flags = o.outlier ? text::kHtmlOutlier : "";
    if (o.weaklyControlled) flags += std::string(flags.empty() ? "" : ", ") + text::kHtmlWeak;
    const bool direction = o.kind == ObservationKind::Direction;
    const ObservationErrors& errors = o.Errors();
    const bool hasMdb = o.redundancy > 0 && errors.mdb > 0;
    Row row(o.outlier ? "fail" : (o.weaklyControlled ? "weak" : ""));
    return row.Gbk(o.station)
        .Gbk(o.target)
        .Text(KindText(o.kind))
        .Cell(direction ? Num("%.6f", RadianToDms(o.observedRadians))
                        : Num("%.4f", o.observedMetres))
        .Num("%+.2f", errors.residual)
        .Num("%.2f", errors.sigma)
        .Num("%.2f", errors.adjustedSigma)
        .Num("%.2f", o.redundancy)
        .Cell(Num("%+.2f", o.standardizedResidual), o.outlier ? "over" : "")
        .Cell(hasMdb ? Num("%.1f", errors.mdb) : Text(text::kHtmlNone))
        .Text(flags)
        .Line();
}

void AppendObservations(const std::vector<AdjustedObservation>& observations, Html& page) {
    AppendHeading(page, text::kHtmlObservationsHeading);
    std::vector<TableRow> rows;
    for (const AdjustedObservation* o : OutliersFirst(observations)) {
        rows.push_back({ObservationRow(*o), o->outlier || o->weaklyControlled});
    }
    AppendTable(page, {TextColumns(text::kHtmlAdjustedObservationColumns), "lead3", {}}, rows,
                kAdjustCommand);
}

}  // namespace

void AppendAdjustmentSection(const AdjustmentResult& result, Html& page) {
    OpenSection(page, "adjustment", text::kHtmlAdjustment);
    const bool adjusted = result.status == AdjustmentStatus::Adjusted;
    if (!adjusted) {
        const std::string error = GbkToUtf8(result.error);
        AppendParagraph(page, "verdict bad",
                        FormatText(text::kHtmlAdjustmentFailed, error.c_str()));
    }
    AppendSettings(result, page);
    AppendTraverses(result, page);
    AppendReciprocals(result, page);
    AppendPrecision(result, page);
    if (adjusted) {
        AppendTests(result, page);
        AppendPoints(result, page);
        AppendSides(result, page);
        AppendOrientations(result, page);
        AppendObservations(result.observations, page);
    }
    CloseSection(page);
}

}  // namespace traverse
