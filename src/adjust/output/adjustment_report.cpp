// The adjustment report for people: GBK, one entry per line, lines ending CR LF.
#include <string>
#include <vector>

#include "adjust/adjustment_texts.h"
#include "adjust/report_forms.h"
#include "platform/c_number.h"
#include "platform/gbk_literal.h"
#include "traverse/adjust.h"
#include "traverse/code_page.h"
#include "traverse/dms.h"

namespace traverse {
namespace {

class Report {
public:
    void Line(const std::string& line) {
        m_text += line;
        m_text += "\r\n";
    }
    // Written in place: a big network's report has a line per observation.
    template <typename... Args>
    void Format(const std::string& gbkFormat, Args... args) {
        AppendText(m_text, gbkFormat, args...);
        m_text += "\r\n";
    }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
};

const std::string& Verdict(bool passed) {
    return passed ? GBK(text::kAdjustPass) : GBK(text::kAdjustFail);
}

std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : "-") + name;
    return joined;
}

void Closure(const TraverseClosure& c, Report& report) {
    report.Format(c.shape == TraverseShape::Connecting ? GBK(text::kAdjustReportConnecting)
                                                       : GBK(text::kAdjustReportLoop),
                  Joined(c.stations).c_str(), c.startOrientation.c_str(), c.endOrientation.c_str());
    report.Format(GBK(text::kAdjustReportAngular), c.angleCount, c.angularMisclosure,
                  c.angularLimit, Verdict(c.angularWithinLimit).c_str());
    report.Format(GBK(text::kAdjustReportPosition), c.length, c.fx, c.fy, c.fs,
                  RelativeClosureText(c.relativeMisclosure).c_str(),
                  RelativeClosureText(c.relativeLimit).c_str(),
                  Verdict(c.relativeWithinLimit).c_str());
}

void Closures(const AdjustmentResult& result, Report& report) {
    report.Line("");
    report.Format(GBK(text::kAdjustReportClosures));
    if (result.traverses.empty()) report.Format(GBK(text::kAdjustReportNoTraverse));
    for (const TraverseClosure& closure : result.traverses) Closure(closure, report);
    for (const ReciprocalCheck& c : result.reciprocalChecks) {
        const bool distance = c.kind == ReciprocalKind::Distance;
        report.Format(distance ? GBK(text::kAdjustReportReciprocalDistance)
                               : GBK(text::kAdjustReportReciprocalHeight),
                      c.from.c_str(), c.to.c_str(), c.forward, c.backward, c.difference, c.limit,
                      Verdict(c.withinLimit).c_str());
    }
}

void Test(const std::string& label, const ModelTest& t, Report& report) {
    if (!t.applicable) {
        report.Format(GBK(text::kAdjustReportTestNone), label.c_str(), t.observations, t.unknowns,
                      t.redundancy);
        return;
    }
    const std::string better = t.weightedSquareSum < t.lowerBound
                                   ? FormatText(GBK(text::kAdjustReportTestBetter), t.lowerBound)
                                   : std::string();
    report.Line(FormatText(GBK(text::kAdjustReportTest), label.c_str(), t.observations, t.unknowns,
                           t.redundancy, t.weightedSquareSum, t.sigma0, t.upperBound,
                           Verdict(t.passed).c_str()) +
                better);
}

// The texts of a Text entry in GBK, in the current language.
std::string Gbk(const char* utf8) { return Utf8ToGbk(utf8); }

// The result table of Chinese reports: 点名, X, Y, H, M_x, M_y, M_p, E, F, T, M_h, with the
// ellipses at the confidence the settings name.
void Points(const AdjustmentResult& result, Report& report) {
    const double scale = result.settings.ellipseScale;
    report.Line("");
    report.Format(GBK(text::kAdjustReportPointsHeading));
    const AdjustmentSettings& s = result.settings;
    report.Line(s.confidence ? FormatText(Gbk(text::kAdjustReportConfidenceEllipses),
                                          *s.confidence * 100, scale)
                             : Gbk(text::kAdjustReportStandardEllipses));
    report.Format("  %-12s %14s %14s %10s  %5s %5s %5s  %5s %5s %5s  %s",
                  Gbk(text::kAdjustReportPointName).c_str(), "X", "Y", "H", "M_x", "M_y", "M_p",
                  "E", "F", "T", "M_h");
    for (const AdjustedPoint& p : result.points) {
        const std::string x = p.hasPlane ? FormatText("%.4f", p.x) : "-";
        const std::string y = p.hasPlane ? FormatText("%.4f", p.y) : "-";
        const std::string h = p.hasHeight ? FormatText("%.4f", p.h) : "-";
        const bool planeAdjusted = p.hasPlane && !p.planeFixed;
        const std::string plane =
            planeAdjusted
                ? FormatText(GBK(text::kAdjustReportPointPlane), p.sigmaX, p.sigmaY,
                             p.sigmaPosition, p.ellipseMajor * scale, p.ellipseMinor * scale,
                             p.ellipseAzimuth)
                : (p.planeFixed ? GBK(text::kAdjustReportFixed) : GBK(text::kAdjustReportNone));
        const std::string height =
            p.hasHeight && !p.heightFixed
                ? FormatText("%.1f", p.sigmaH)
                : (p.heightFixed ? GBK(text::kAdjustReportFixed) : GBK(text::kAdjustReportNone));
        report.Format(GBK(text::kAdjustReportPoint), p.name.c_str(), x.c_str(), y.c_str(),
                      h.c_str(), plane.c_str(), height.c_str());
    }
    if (result.weakestPoint < 0) return;
    const AdjustedPoint& weakest = result.points[result.weakestPoint];
    report.Format(Gbk(text::kAdjustReportWeakestPoint), weakest.name.c_str(),
                  weakest.sigmaPosition);
}

// The side table of Chinese reports: 起点, 终点, 方位角, 边长, 边长中误差, 相对中误差, then the
// azimuth's sigma and the relative ellipse.
void Sides(const AdjustmentResult& result, Report& report) {
    if (result.sides.empty()) return;
    const double scale = result.settings.ellipseScale;
    report.Line("");
    report.Format(Gbk(text::kAdjustReportSidesHeading));
    report.Format(
        "  %-10s %-10s %14s %12s %10s %10s %12s  %5s %5s %5s",
        Gbk(text::kAdjustReportSideFrom).c_str(), Gbk(text::kAdjustReportSideTo).c_str(),
        Gbk(text::kAdjustReportSideAzimuth).c_str(), Gbk(text::kAdjustReportSideLength).c_str(),
        Gbk(text::kAdjustReportSideSigma).c_str(), Gbk(text::kAdjustReportSideRelative).c_str(),
        Gbk(text::kAdjustReportSideSigmaAzimuth).c_str(), "E", "F", "T");
    for (const AdjustedSide& side : result.sides) {
        report.Format("  %-10s %-10s %14.6f %12.4f %10.1f %10s %12.2f  %5.1f %5.1f %5.1f",
                      side.from.c_str(), side.to.c_str(), RadianToDms(side.azimuth), side.length,
                      side.sigmaLength, RelativeClosureText(side.relativeSigma).c_str(),
                      side.sigmaAzimuth, side.ellipseMajor * scale, side.ellipseMinor * scale,
                      side.ellipseAzimuth);
    }
    const AdjustedSide& weakest = result.sides[result.weakestSide];
    report.Format(Gbk(text::kAdjustReportWeakestSide), weakest.from.c_str(), weakest.to.c_str(),
                  RelativeClosureText(weakest.relativeSigma).c_str(), weakest.length,
                  weakest.sigmaLength);
}

void Orientations(const std::vector<AdjustedOrientation>& orientations, Report& report) {
    if (orientations.empty()) return;
    report.Line("");
    report.Format(Gbk(text::kAdjustReportOrientationsHeading));
    for (const AdjustedOrientation& o : orientations) {
        report.Format("  %-12s %14.6f %8.2f", o.station.c_str(), RadianToDms(o.orientation),
                      o.sigma);
    }
}

// Latitude, longitude and grid convergence of every point the CRS places.
void GeographicPositions(const AdjustmentResult& result, Report& report) {
    if (!result.settings.reducedWithCrs) return;
    report.Line("");
    report.Line(Utf8ToGbkLossy(
        FormatText(text::kAdjustReportGeographicHeading, result.settings.crsBaseName.c_str())));
    for (const AdjustedPoint& p : result.points) {
        if (!p.hasGeographic) continue;
        report.Line(FormatText(text::kAdjustReportGeographic, p.name.c_str(), p.latitude,
                               p.longitude, p.convergence, p.scaleFactor));
    }
}

// The observed value into value, which is reused row after row.
void ObservedValue(const AdjustedObservation& o, std::string& value) {
    value.clear();
    if (o.kind == ObservationKind::Direction) {
        AppendText(value, "%.6f", RadianToDms(o.observedRadians));
    } else {
        AppendText(value, "%.4f", o.observedMetres);
    }
}

void Observations(const std::vector<AdjustedObservation>& observations, Report& report) {
    const std::vector<const AdjustedObservation*> order = OutliersFirst(observations);
    report.Line("");
    report.Format(GBK(text::kAdjustReportObservationsHeading));
    const std::string* kinds[] = {&GBK(text::kAdjustReportDirection),
                                  &GBK(text::kAdjustReportDistance),
                                  &GBK(text::kAdjustReportHeight)};
    const std::string rowFormat = Gbk(text::kAdjustReportObservationRow);
    std::string flags;
    std::string value;
    std::string mdb;
    for (const AdjustedObservation* o : order) {
        flags.clear();
        if (o->outlier) flags += GBK(text::kAdjustReportOutlier);
        if (o->weaklyControlled) flags += GBK(text::kAdjustReportWeak);
        const ObservationErrors& errors = o->Errors();
        mdb.clear();
        if (o->redundancy > 0 && errors.mdb > 0) {
            AppendText(mdb, "%.1f", errors.mdb);
        } else {
            mdb += '-';
        }
        ObservedValue(*o, value);
        report.Format(rowFormat, o->station.c_str(), o->target.c_str(),
                      kinds[static_cast<int>(o->kind)]->c_str(), value.c_str(), errors.residual,
                      errors.sigma, errors.adjustedSigma, o->redundancy, o->standardizedResidual,
                      mdb.c_str(), flags.c_str());
    }
}

void Precision(const AdjustmentResult& result, Report& report) {
    if (result.precision.empty()) return;
    report.Line("");
    const std::string grade = Utf8ToGbk(TraverseGradeName(result.settings.grade));
    report.Format(Utf8ToGbk(text::kAdjustReportPrecision.Get()), grade.c_str());
    const std::string notJudged = Utf8ToGbk(text::kAdjustNotJudged.Get());
    for (const PrecisionJudgement& j : result.precision) {
        report.Format(Utf8ToGbk(text::kAdjustReportPrecisionLine.Get()),
                      PrecisionItemLabel(j).c_str(), PrecisionFigureText(j, j.value).c_str(),
                      PrecisionFigureText(j, j.limit).c_str(),
                      j.judged ? Verdict(j.withinLimit).c_str() : notJudged.c_str());
    }
}

}  // namespace

std::string FormatAdjustmentReport(const AdjustmentResult& result) {
    Report report;
    report.Format(GBK(text::kAdjustReportBanner));
    for (const std::string& line : SettingsLines(result.settings)) report.Line(line);
    if (!result.notes.empty()) {
        report.Line("");
        report.Format(GBK(text::kAdjustReportNotes));
        for (const std::string& note : result.notes) report.Line("  " + note);
    }
    Closures(result, report);
    Precision(result, report);
    report.Line("");
    if (result.status != AdjustmentStatus::Adjusted) {
        report.Format(GBK(text::kAdjustReportFailed), result.error.c_str());
        return report.Text();
    }
    report.Format(GBK(text::kAdjustReportIterations), result.iterations);
    Test(GBK(text::kAdjustReportGlobal), result.global, report);
    Test(GBK(text::kAdjustReportPlane), result.plane, report);
    Test(GBK(text::kAdjustReportHeights), result.height, report);
    Points(result, report);
    GeographicPositions(result, report);
    Sides(result, report);
    Orientations(result.orientations, report);
    Observations(result.observations, report);
    return report.Text();
}

}  // namespace traverse
