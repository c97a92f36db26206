// The adjustment: the settings it applied, its notes, the closures with their limits, the tests,
// the points with their precision and the observations with their statistics, outliers first.
// When it did not run, why, and the closures that could still be computed.
#include <string>
#include <vector>

#include "adjust/report_forms.h"
#include "platform/c_number.h"
#include "platform/messages.h"
#include "report/html_text.h"
#include "report/long_table.h"
#include "report/page_sections.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"

namespace traverse {
namespace {

// The text output that lists every row of a long table.
constexpr char kAdjustCommand[] = "traverse adjust";

std::string Number(const char* format, double value) { return FormatText(format, value); }

void AppendSettings(const AdjustmentResult& result, std::string& page) {
    page += std::string("<h3>") + text::kHtmlSettingsHeading + "</h3>\n<ul class=\"settings\">";
    for (const std::string& line : SettingsLines(result.settings)) page += "<li>" + EscapeGbk(line) + "</li>";
    page += "</ul>\n";
    if (result.notes.empty()) return;
    page += std::string("<h3>") + text::kHtmlNotesHeading + "</h3>\n";
    std::vector<std::string> notes;
    for (const std::string& note : result.notes) notes.push_back(EscapeGbk(note));
    AppendList(page, "notes", notes, kAdjustCommand);
}

std::string StationChain(const std::vector<std::string>& stations) {
    std::string chain;
    for (const std::string& name : stations) chain += (chain.empty() ? "" : text::kHtmlChain) + EscapeGbk(name);
    return chain;
}

void AppendTraverses(const AdjustmentResult& result, std::string& page) {
    page += std::string("<h3>") + text::kHtmlClosuresHeading + "</h3>\n";
    if (result.traverses.empty()) {
        page += std::string("<p class=\"quiet\">") + text::kHtmlNoTraverse + "</p>\n";
        return;
    }
    std::vector<TableRow> rows;
    for (const TraverseClosure& c : result.traverses) {
        const Judgement angular = Judge(true, c.angularWithinLimit);
        const Judgement relative = Judge(true, c.relativeWithinLimit);
        const bool passed = c.angularWithinLimit && c.relativeWithinLimit;
        const std::string row = std::string("<tr class=\"") + (passed ? "pass" : "fail") + "\">" +
                Cell(StationChain(c.stations)) +
                Cell(StationChain({c.startOrientation, c.endOrientation})) +
                Cell(FormatText("%d", c.angleCount)) + Cell(EscapeHtml(Number(text::kHtmlSeconds, c.angularMisclosure))) +
                Cell(EscapeHtml(Number(text::kHtmlSecondsLimit, c.angularLimit))) + Cell(MarkHtml(angular)) +
                Cell(Number("%.3f", c.length)) + Cell(Number("%+.1f", c.fx)) +
                Cell(Number("%+.1f", c.fy)) + Cell(Number("%.1f", c.fs)) +
                Cell(RelativeClosureText(c.relativeMisclosure)) +
                Cell(RelativeClosureText(c.relativeLimit)) + Cell(MarkHtml(relative)) + "\n";
        rows.push_back({row, !passed});
    }
    AppendTable(page, {Columns(text::kHtmlTraverseColumns), "lead2", {}}, rows, kAdjustCommand);
}

void AppendReciprocals(const AdjustmentResult& result, std::string& page) {
    if (result.reciprocalChecks.empty()) return;
    page += std::string("<h3>") + text::kHtmlReciprocalHeading + "</h3>\n";
    std::vector<TableRow> rows;
    for (const ReciprocalCheck& c : result.reciprocalChecks) {
        const bool distance = c.kind == ReciprocalKind::Distance;
        const char* format = distance ? "%.4f" : "%+.4f";
        const Judgement judgement = Judge(true, c.withinLimit);
        const std::string row = std::string(c.withinLimit ? "<tr>" : "<tr class=\"fail\">") +
                Cell(StationChain({c.from, c.to})) +
                Cell(distance ? text::kHtmlReciprocalDistance : text::kHtmlReciprocalHeight) +
                Cell(Number(format, c.forward)) + Cell(Number(format, c.backward)) +
                Cell(Number("%+.1f", c.difference)) + Cell(Number(text::kHtmlMillimetresLimit, c.limit)) +
                Cell(MarkHtml(judgement)) + "\n";
        rows.push_back({row, !c.withinLimit});
    }
    AppendTable(page, {Columns(text::kHtmlReciprocalColumns), "lead2", {}}, rows, kAdjustCommand);
}

void AppendTests(const AdjustmentResult& result, std::string& page) {
    page += std::string("<h3>") + text::kHtmlTestsHeading + "</h3>\n";
    page += "<p>" + FormatText(text::kHtmlIterations, result.iterations) + "</p>\n";
    OpenTable(page, Columns(text::kHtmlTestColumns), "lead1");
    const std::pair<const char*, const ModelTest*> tests[] = {
        {text::kHtmlGlobal, &result.global}, {text::kHtmlPlane, &result.plane}, {text::kHtmlHeights, &result.height}};
    for (const auto& [label, test] : tests) {
        const Judgement judgement = Judge(test->applicable, test->passed);
        page += std::string("<tr class=\"") + JudgementClass(judgement) + "\">" + Cell(label) +
                Cell(FormatText("%d", test->observations)) + Cell(FormatText("%d", test->unknowns)) +
                Cell(FormatText("%d", test->redundancy));
        if (!test->applicable) {
            page += "<td colspan=\"4\" class=\"t\">" + EscapeHtml(text::kHtmlNoRedundancy) + "\n";
            continue;
        }
        page += Cell(Number("%.2f", test->weightedSquareSum)) + Cell(Number("%.3f", test->sigma0)) +
                Cell(Number(text::kHtmlUpperBound, test->upperBound)) + Cell(MarkHtml(judgement)) + "\n";
    }
    CloseTable(page);
}

std::string Sigma(bool has, bool fixed, double value) {
    if (!has) return text::kHtmlNone;
    return fixed ? std::string(text::kHtmlFixed) : Number("%.1f", value);
}

void AppendPoints(const std::vector<AdjustedPoint>& points, std::string& page) {
    page += std::string("<h3>") + EscapeHtml(text::kHtmlPointsHeading) + "</h3>\n";
    std::vector<TableRow> rows;
    for (const AdjustedPoint& p : points) {
        const bool adjusted = p.hasPlane && !p.planeFixed;
        const auto plane = [&](double value, const char* format) {
            return Cell(adjusted ? Number(format, value) : std::string());
        };
        const std::string row = std::string(p.planeFixed ? "<tr class=\"known\">" : "<tr>") +
                Cell(EscapeGbk(p.name)) +
                Cell(p.hasPlane ? Number("%.4f", p.x) : text::kHtmlNone) +
                Cell(p.hasPlane ? Number("%.4f", p.y) : text::kHtmlNone) +
                Cell(p.hasHeight ? Number("%.4f", p.h) : text::kHtmlNone) +
                Cell(Sigma(p.hasPlane, p.planeFixed, p.sigmaX)) + plane(p.sigmaY, "%.1f") +
                plane(p.sigmaPosition, "%.1f") + plane(p.ellipseMajor, "%.1f") + plane(p.ellipseMinor, "%.1f") +
                plane(p.ellipseAzimuth, "%.1f") + Cell(Sigma(p.hasHeight, p.heightFixed, p.sigmaH)) +
                "\n";
        rows.push_back({row, false});
    }
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

std::string ObservationRow(const AdjustedObservation& o) {
    std::string flags = o.outlier ? text::kHtmlOutlier : "";
    if (o.weaklyControlled) flags += std::string(flags.empty() ? "" : ", ") + text::kHtmlWeak;
    const std::string value =
        o.kind == ObservationKind::Direction ? Number("%.6f", RadianToDms(o.value)) : Number("%.4f", o.value);
    const char* rowClass = o.outlier ? "<tr class=\"fail\">" : (o.weaklyControlled ? "<tr class=\"weak\">" : "<tr>");
    return rowClass + Cell(EscapeGbk(o.station)) + Cell(EscapeGbk(o.target)) + Cell(KindText(o.kind)) +
           Cell(value) + Cell(Number("%+.2f", o.residual)) + Cell(Number("%.2f", o.sigma)) +
           Cell(Number("%.2f", o.redundancy)) +
           Cell(Number("%+.2f", o.standardizedResidual), o.outlier ? "over" : "") +
           Cell(o.redundancy > 0 && o.mdb > 0 ? Number("%.1f", o.mdb) : text::kHtmlNone) + Cell(flags) +
           "\n";
}

void AppendObservations(const std::vector<AdjustedObservation>& observations, std::string& page) {
    page += std::string("<h3>") + EscapeHtml(text::kHtmlObservationsHeading) + "</h3>\n";
    std::vector<TableRow> rows;
    for (const AdjustedObservation* o : OutliersFirst(observations)) {
        rows.push_back({ObservationRow(*o), o->outlier || o->weaklyControlled});
    }
    AppendTable(page, {Columns(text::kHtmlObservationColumns), "lead3", {}}, rows, kAdjustCommand);
}

}  // namespace

void AppendAdjustmentSection(const AdjustmentResult& result, std::string& page) {
    OpenSection(page, "adjustment", text::kHtmlAdjustment);
    const bool adjusted = result.status == AdjustmentStatus::Adjusted;
    if (!adjusted) {
        page += "<p class=\"verdict bad\">" +
                EscapeHtml(FormatText(text::kHtmlAdjustmentFailed, GbkToUtf8(result.error).c_str())) + "</p>\n";
    }
    AppendSettings(result, page);
    AppendTraverses(result, page);
    AppendReciprocals(result, page);
    if (adjusted) {
        AppendTests(result, page);
        AppendPoints(result.points, page);
        AppendObservations(result.observations, page);
    }
    CloseSection(page);
}

}  // namespace traverse
