// The top of the page: whether the job is good, what the file holds, and one line per check with
// its worst value against its limit.
#include <cmath>
#include <string>
#include <vector>

#include "adjust/report_forms.h"
#include "platform/c_number.h"
#include "report/field_value_text.h"
#include "report/html_element.h"
#include "report/html_text.h"
#include "report/page_sections.h"
#include "report/page_texts.h"
#include "report/table_row.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

struct CheckRow {
    std::string check;  // UTF-8, escaped when written
    std::string worst;
    std::string limit;
    Judgement judgement;
};

std::size_t ClosuresOverLimit(const AdjustmentResult& adjustment) {
    std::size_t count = 0;
    for (const TraverseClosure& c : adjustment.traverses)
        count += !c.angularWithinLimit + !c.relativeWithinLimit;
    for (const ReciprocalCheck& c : adjustment.reciprocalChecks) count += !c.withinLimit;
    return count;
}

std::size_t Outliers(const AdjustmentResult& adjustment) {
    std::size_t count = 0;
    for (const AdjustedObservation& o : adjustment.observations) count += o.outlier;
    return count;
}

// What is wrong with the job, one phrase each; none when it is good.
std::vector<std::string> Problems(const HtmlReportInput& input) {
    std::vector<std::string> problems;
    const AdjustmentResult& adjustment = input.adjustment;
    if (input.importResult != 0) problems.push_back(text::kHtmlProblemImport);
    if (!input.incomplete.empty())
        problems.push_back(FormatText(text::kHtmlProblemIncomplete, input.incomplete.size()));
    if (input.fieldChecks.exceededCount > 0) {
        problems.push_back(
            FormatText(text::kHtmlProblemFieldChecks, input.fieldChecks.exceededCount));
    }
    if (adjustment.status != AdjustmentStatus::Adjusted)
        problems.push_back(text::kHtmlProblemNotAdjusted);
    if (const std::size_t closures = ClosuresOverLimit(adjustment)) {
        problems.push_back(FormatText(text::kHtmlProblemClosures, closures));
    }
    std::size_t precision = 0;
    for (const PrecisionJudgement& j : adjustment.precision) precision += !j.withinLimit;
    if (precision > 0) problems.push_back(FormatText(text::kHtmlProblemPrecision.Get(), precision));
    if (adjustment.status == AdjustmentStatus::Adjusted && !adjustment.global.passed) {
        problems.push_back(text::kHtmlProblemGlobalTest);
    }
    if (const std::size_t outliers = Outliers(adjustment))
        problems.push_back(FormatText(text::kHtmlProblemOutliers, outliers));
    return problems;
}

void AppendVerdict(const HtmlReportInput& input, Html& page) {
    const std::vector<std::string> problems = Problems(input);
    if (problems.empty()) {
        AppendParagraph(page, "verdict good", text::kHtmlGoodVerdict);
        return;
    }
    Html list;
    for (const std::string& problem : problems) list += Tag("li").Wrap(Text(problem));
    const Html verdict = Tag("p").Wrap(Text(text::kHtmlBadVerdict)) + Tag("ul").Wrap(list);
    page += Tag("div").Class("verdict bad").Wrap(verdict) + Markup("\n");
}

std::string ImportResultText(std::uint32_t result) {
    return result == 0 ? std::string(text::kHtmlImportComplete)
                       : FormatText(text::kHtmlImportFailed, result);
}

void AppendFacts(const HtmlReportInput& input, Html& page) {
    const auto fact = [&page](const char* term, const std::string& value) {
        page += Tag("div").Wrap(Tag("dt").Wrap(Text(term)) + Tag("dd").Wrap(Text(value)));
    };
    page += Markup("<dl class=\"facts\">");
    fact(text::kHtmlFile, input.fileName);
    fact(text::kHtmlKnownPoints, FormatText("%zu", input.counts.knownPoints));
    fact(text::kHtmlStations, FormatText("%zu", input.counts.stations));
    fact(text::kHtmlRounds, FormatText("%zu", input.counts.rounds));
    fact(text::kHtmlObservations, FormatText("%zu", input.counts.observations));
    fact(text::kHtmlImportResult, ImportResultText(input.importResult));
    page += Markup("</dl>\n");
}

void AddFieldRows(const FieldCheckResult& result, std::vector<CheckRow>& rows) {
    for (const FieldCheckSummary& item : result.summary) {
        CheckRow row{FieldItemTitle(item.code), text::kHtmlNoValues, text::kHtmlNone,
                     Judgement::NotJudged};
        if (item.count > 0)
            row.worst =
                FieldValueText(item.code, item.worst.value) + " " + FieldValuePlace(item.worst);
        if (item.limitSource != LimitSource::None)
            row.limit = FieldValueText(item.code, item.limit);
        row.judgement =
            Judge(item.limitSource != LimitSource::None && item.count > 0, item.exceededCount == 0);
        rows.push_back(row);
    }
}

std::string TraverseTitle(const TraverseClosure& c) {
    const std::string first = c.stations.empty() ? std::string() : GbkToUtf8(c.stations.front());
    const std::string last = c.stations.empty() ? std::string() : GbkToUtf8(c.stations.back());
    if (c.shape == TraverseShape::ClosedLoop)
        return FormatText(text::kHtmlClosedLoop, first.c_str(), c.stations.size());
    return FormatText(text::kHtmlConnectingTraverse, first.c_str(), last.c_str(),
                      c.stations.size());
}

void AddClosureRows(const AdjustmentResult& adjustment, std::vector<CheckRow>& rows) {
    for (const TraverseClosure& c : adjustment.traverses) {
        const std::string title = TraverseTitle(c);
        rows.push_back({title + text::kHtmlAngularClosure,
                        FormatText(text::kHtmlSeconds, c.angularMisclosure),
                        FormatText(text::kHtmlSecondsLimit, c.angularLimit),
                        Judge(true, c.angularWithinLimit)});
        rows.push_back({title + text::kHtmlRelativeClosure,
                        RelativeClosureText(c.relativeMisclosure),
                        RelativeClosureText(c.relativeLimit), Judge(true, c.relativeWithinLimit)});
    }
}

// How much of its limit a reciprocal difference takes.
double ShareOfLimit(const ReciprocalCheck& c) {
    return c.limit > 0 ? std::fabs(c.difference) / c.limit : HUGE_VAL;
}

// One row per kind of reciprocal observation: the difference nearest its limit.
void AddReciprocalRows(const AdjustmentResult& adjustment, std::vector<CheckRow>& rows) {
    for (const ReciprocalKind kind : {ReciprocalKind::Distance, ReciprocalKind::HeightDifference}) {
        const ReciprocalCheck* worst = nullptr;
        bool passed = true;
        for (const ReciprocalCheck& c : adjustment.reciprocalChecks) {
            if (c.kind != kind) continue;
            passed = passed && c.withinLimit;
            if (worst == nullptr || ShareOfLimit(c) > ShareOfLimit(*worst)) worst = &c;
        }
        if (worst == nullptr) continue;
        const std::string from = GbkToUtf8(worst->from);
        const std::string to = GbkToUtf8(worst->to);
        rows.push_back(
            {kind == ReciprocalKind::Distance ? text::kHtmlReciprocalDistances
                                              : text::kHtmlReciprocalHeights,
             FormatText(text::kHtmlReciprocalWorst, worst->difference, from.c_str(), to.c_str()),
             FormatText(text::kHtmlMillimetresLimit, worst->limit), Judge(true, passed)});
    }
}

// The precision against the grade, a row per figure (one not judged is shown as such).
// The precision achieved against the grade.
void AddGradePrecisionRows(const AdjustmentResult& adjustment, std::vector<CheckRow>& rows) {
    for (const PrecisionJudgement& j : adjustment.precision) {
        rows.push_back(
            {GbkToUtf8(PrecisionItemLabel(j)), GbkToUtf8(PrecisionFigureText(j, j.value)),
             GbkToUtf8(PrecisionFigureText(j, j.limit)), Judge(j.judged, j.withinLimit)});
    }
}

void AddAdjustmentRows(const AdjustmentResult& adjustment, std::vector<CheckRow>& rows) {
    if (adjustment.status != AdjustmentStatus::Adjusted) {
        rows.push_back({text::kHtmlNotAdjusted, GbkToUtf8(adjustment.error), text::kHtmlNone,
                        Judgement::Fail});
        return;
    }
    const ModelTest& global = adjustment.global;
    rows.push_back(
        {FormatText(text::kHtmlGlobalTest, global.sigma0),
         FormatText(text::kHtmlWeightedSquares, global.weightedSquareSum),
         global.applicable ? FormatText(text::kHtmlUpperBound, global.upperBound) : text::kHtmlNone,
         Judge(global.applicable, global.passed)});
    const AdjustedObservation* worst = nullptr;
    for (const AdjustedObservation& o : adjustment.observations) {
        if (worst == nullptr ||
            std::fabs(o.standardizedResidual) > std::fabs(worst->standardizedResidual))
            worst = &o;
    }
    if (worst == nullptr) return;
    const double critical = adjustment.settings.wTestCritical;
    rows.push_back({FormatText(text::kHtmlOutliers, critical),
                    FormatText(text::kHtmlWorstResidual, worst->standardizedResidual,
                               GbkToUtf8(worst->station).c_str(), GbkToUtf8(worst->target).c_str()),
                    FormatText("%.2f", critical), Judge(true, !worst->outlier)});
}

// The weakest point and side, shown without a verdict: the standard sets no limit on them for a
// traverse.
// The weakest point and side, which the standard gives no limit.
void AddWeakestRows(const AdjustmentResult& adjustment, std::vector<CheckRow>& rows) {
    if (adjustment.status != AdjustmentStatus::Adjusted) return;
    if (adjustment.weakestPoint >= 0) {
        const AdjustedPoint& p = adjustment.points[adjustment.weakestPoint];
        rows.push_back(
            {std::string(text::kHtmlWeakestPointCheck),
             FormatText(text::kHtmlWeakestPointValue, GbkToUtf8(p.name).c_str(), p.sigmaPosition),
             std::string(text::kHtmlNoLimit), Judgement::NotJudged});
    }
    if (adjustment.weakestSide >= 0) {
        const AdjustedSide& s = adjustment.sides[adjustment.weakestSide];
        rows.push_back(
            {std::string(text::kHtmlWeakestSideCheck),
             FormatText(text::kHtmlWeakestSideValue, GbkToUtf8(s.from).c_str(),
                        GbkToUtf8(s.to).c_str(), RelativeClosureText(s.relativeSigma).c_str()),
             std::string(text::kHtmlNoLimit), Judgement::NotJudged});
    }
}

void AppendCheckTable(const HtmlReportInput& input, Html& page) {
    std::vector<CheckRow> rows;
    rows.push_back({text::kHtmlImportResult, ImportResultText(input.importResult), text::kHtmlNone,
                    Judge(true, input.importResult == 0)});
    AddFieldRows(input.fieldChecks, rows);
    AddClosureRows(input.adjustment, rows);
    AddReciprocalRows(input.adjustment, rows);
    AddGradePrecisionRows(input.adjustment, rows);
    AddAdjustmentRows(input.adjustment, rows);
    AddWeakestRows(input.adjustment, rows);
    OpenTable(page, Columns(text::kHtmlCheckColumns), "checks lead2");
    for (const CheckRow& row : rows) {
        page += Row(JudgementClass(row.judgement))
                    .Text(row.check)
                    .Text(row.worst)
                    .Text(row.limit)
                    .Cell(Mark(row.judgement))
                    .Line();
    }
    CloseTable(page);
}

}  // namespace

void AppendSummary(const HtmlReportInput& input, Html& page) {
    OpenSection(page, "summary", text::kHtmlSummary);
    AppendVerdict(input, page);
    AppendFacts(input, page);
    AppendCheckTable(input, page);
    CloseSection(page);
}

}  // namespace traverse
