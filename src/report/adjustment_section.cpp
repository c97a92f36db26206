// The adjustment: the settings it applied, its notes, the closures with their limits, the tests,
// the points with their precision and the observations with their statistics, outliers first.
// When it did not run, why, and the closures that could still be computed.
#include <string>
#include <vector>

#include "adjust/report_forms.h"
#include "platform/c_number.h"
#include "platform/messages.h"
#include "report/html_text.h"
#include "report/page_sections.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"

namespace traverse {
namespace {

std::string Number(const char* format, double value) { return FormatText(format, value); }

void AppendSettings(const AdjustmentResult& result, std::string& page) {
    page += std::string("<h3>") + text::kHtmlSettingsHeading + "</h3>\n<ul class=\"settings\">";
    for (const std::string& line : SettingsLines(result.settings)) page += "<li>" + EscapeGbk(line) + "</li>";
    page += "</ul>\n";
    if (result.notes.empty()) return;
    page += std::string("<h3>") + text::kHtmlNotesHeading + "</h3>\n<ul class=\"notes\">";
    for (const std::string& note : result.notes) page += "<li>" + EscapeGbk(note) + "</li>";
    page += "</ul>\n";
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
    OpenTable(page, Columns(text::kHtmlTraverseColumns));
    for (const TraverseClosure& c : result.traverses) {
        const Judgement angular = Judge(true, c.angularWithinLimit);
        const Judgement relative = Judge(true, c.relativeWithinLimit);
        const bool passed = c.angularWithinLimit && c.relativeWithinLimit;
        page += std::string("<tr class=\"") + (passed ? "pass" : "fail") + "\">" + Cell(StationChain(c.stations)) +
                Cell(StationChain({c.startOrientation, c.endOrientation})) +
                Cell(FormatText("%d", c.angleCount), "num") + Cell(EscapeHtml(Number(text::kHtmlSeconds, c.angularMisclosure)), "num") +
                Cell(EscapeHtml(Number(text::kHtmlSecondsLimit, c.angularLimit)), "num") + Cell(MarkHtml(angular)) +
                Cell(Number("%.3f", c.length), "num") + Cell(Number("%+.1f", c.fx), "num") +
                Cell(Number("%+.1f", c.fy), "num") + Cell(Number("%.1f", c.fs), "num") +
                Cell(RelativeClosureText(c.relativeMisclosure), "num") +
                Cell(RelativeClosureText(c.relativeLimit), "num") + Cell(MarkHtml(relative)) + "</tr>\n";
    }
    CloseTable(page);
}

void AppendReciprocals(const AdjustmentResult& result, std::string& page) {
    if (result.reciprocalChecks.empty()) return;
    page += std::string("<h3>") + text::kHtmlReciprocalHeading + "</h3>\n";
    OpenTable(page, Columns(text::kHtmlReciprocalColumns));
    for (const ReciprocalCheck& c : result.reciprocalChecks) {
        const bool distance = c.kind == ReciprocalKind::Distance;
        const char* format = distance ? "%.4f" : "%+.4f";
        const Judgement judgement = Judge(true, c.withinLimit);
        page += std::string("<tr class=\"") + JudgementClass(judgement) + "\">" +
                Cell(StationChain({c.from, c.to})) +
                Cell(distance ? text::kHtmlReciprocalDistance : text::kHtmlReciprocalHeight) +
                Cell(Number(format, c.forward), "num") + Cell(Number(format, c.backward), "num") +
                Cell(Number("%+.1f", c.difference), "num") + Cell(Number(text::kHtmlMillimetresLimit, c.limit), "num") +
                Cell(MarkHtml(judgement)) + "</tr>\n";
    }
    CloseTable(page);
}

void AppendTests(const AdjustmentResult& result, std::string& page) {
    page += std::string("<h3>") + text::kHtmlTestsHeading + "</h3>\n";
    page += "<p>" + FormatText(text::kHtmlIterations, result.iterations) + "</p>\n";
    OpenTable(page, Columns(text::kHtmlTestColumns));
    const std::pair<const char*, const ModelTest*> tests[] = {
        {text::kHtmlGlobal, &result.global}, {text::kHtmlPlane, &result.plane}, {text::kHtmlHeights, &result.height}};
    for (const auto& [label, test] : tests) {
        const Judgement judgement = Judge(test->applicable, test->passed);
        page += std::string("<tr class=\"") + JudgementClass(judgement) + "\">" + Cell(label) +
                Cell(FormatText("%d", test->observations), "num") + Cell(FormatText("%d", test->unknowns), "num") +
                Cell(FormatText("%d", test->redundancy), "num");
        if (!test->applicable) {
            page += "<td colspan=\"4\">" + EscapeHtml(text::kHtmlNoRedundancy) + "</td></tr>\n";
            continue;
        }
        page += Cell(Number("%.2f", test->weightedSquareSum), "num") + Cell(Number("%.3f", test->sigma0), "num") +
                Cell(Number(text::kHtmlUpperBound, test->upperBound), "num") + Cell(MarkHtml(judgement)) + "</tr>\n";
    }
    CloseTable(page);
}

std::string Sigma(bool has, bool fixed, double value) {
    if (!has) return text::kHtmlNone;
    return fixed ? std::string(text::kHtmlFixed) : Number("%.1f", value);
}

void AppendPoints(const std::vector<AdjustedPoint>& points, std::string& page) {
    page += std::string("<h3>") + EscapeHtml(text::kHtmlPointsHeading) + "</h3>\n";
    OpenTable(page, Columns(text::kHtmlPointColumns));
    for (const AdjustedPoint& p : points) {
        const bool adjusted = p.hasPlane && !p.planeFixed;
        const auto plane = [&](double value, const char* format) {
            return Cell(adjusted ? Number(format, value) : std::string(), "num");
        };
        page += std::string(p.planeFixed ? "<tr class=\"known\">" : "<tr>") + Cell(EscapeGbk(p.name)) +
                Cell(p.hasPlane ? Number("%.4f", p.x) : text::kHtmlNone, "num") +
                Cell(p.hasPlane ? Number("%.4f", p.y) : text::kHtmlNone, "num") +
                Cell(p.hasHeight ? Number("%.4f", p.h) : text::kHtmlNone, "num") +
                Cell(Sigma(p.hasPlane, p.planeFixed, p.sigmaX), "num") + plane(p.sigmaY, "%.1f") +
                plane(p.sigmaPosition, "%.1f") + plane(p.ellipseMajor, "%.1f") + plane(p.ellipseMinor, "%.1f") +
                plane(p.ellipseAzimuth, "%.1f") + Cell(Sigma(p.hasHeight, p.heightFixed, p.sigmaH), "num") +
                "</tr>\n";
    }
    CloseTable(page);
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
           Cell(value, "num") + Cell(Number("%+.2f", o.residual), "num") + Cell(Number("%.2f", o.sigma), "num") +
           Cell(Number("%.2f", o.redundancy), "num") +
           Cell(Number("%+.2f", o.standardizedResidual), o.outlier ? "num over" : "num") +
           Cell(o.redundancy > 0 && o.mdb > 0 ? Number("%.1f", o.mdb) : text::kHtmlNone, "num") + Cell(flags) +
           "</tr>\n";
}

void AppendObservations(const std::vector<AdjustedObservation>& observations, std::string& page) {
    page += std::string("<h3>") + EscapeHtml(text::kHtmlObservationsHeading) + "</h3>\n";
    OpenTable(page, Columns(text::kHtmlObservationColumns));
    for (const AdjustedObservation* o : OutliersFirst(observations)) page += ObservationRow(*o);
    CloseTable(page);
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
