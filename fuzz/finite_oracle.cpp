#include "finite_oracle.h"

#include <cctype>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace traverse {
namespace {

bool Finite(std::initializer_list<double> values) {
    for (const double value : values) {
        if (!std::isfinite(value)) return false;
    }
    return true;
}

// inf or nan in any letter case, as printf writes them.
bool NamesNonFinite(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

std::string ClosureFault(const AdjustmentResult& a) {
    for (const TraverseClosure& c : a.traverses) {
        if (!Finite({c.angularMisclosure, c.angularLimit, c.length, c.fx, c.fy, c.fs,
                     c.relativeMisclosure, c.relativeLimit})) {
            return "closure";
        }
    }
    for (const ReciprocalCheck& r : a.reciprocalChecks) {
        if (!Finite({r.forward, r.backward, r.distance, r.difference, r.limit}))
            return "reciprocal";
    }
    return "";
}

std::string AdjustedFault(const AdjustmentResult& a) {
    for (const ModelTest* t : {&a.plane, &a.height, &a.global}) {
        if (!Finite({t->weightedSquareSum, t->sigma0, t->lowerBound, t->upperBound})) return "test";
    }
    for (const AdjustedPoint& p : a.points) {
        if (!Finite({p.x, p.y, p.h, p.sigmaX, p.sigmaY, p.sigmaPosition, p.ellipseMajor,
                     p.ellipseMinor, p.ellipseAzimuth, p.sigmaH})) {
            return "point";
        }
    }
    for (const AdjustedObservation& o : a.observations) {
        const ObservationErrors& e = o.Errors();
        if (!Finite({o.observedRadians, o.adjustedRadians, o.observedMetres, o.adjustedMetres,
                     o.horizontalDistance, e.sigma, e.adjustedSigma, e.residual, e.mdb,
                     o.redundancy, o.standardizedResidual})) {
            return "observation";
        }
    }
    for (const AdjustedSide& s : a.sides) {
        if (!Finite({s.azimuth, s.length, s.sigmaLength, s.sigmaAzimuth, s.relativeSigma,
                     s.ellipseMajor, s.ellipseMinor, s.ellipseAzimuth})) {
            return "side";
        }
    }
    for (const AdjustedOrientation& o : a.orientations) {
        if (!Finite({o.orientation, o.sigma})) return "orientation";
    }
    return "";
}

// Each value of attribute `name` in an XML or HTML text.
std::vector<std::string_view> AttributeValues(std::string_view text, std::string_view name) {
    std::vector<std::string_view> values;
    const std::string key = " " + std::string(name) + "=\"";
    for (std::size_t at = text.find(key); at != std::string_view::npos;
         at = text.find(key, at + 1)) {
        const std::size_t start = at + key.size();
        const std::size_t end = text.find('"', start);
        if (end == std::string_view::npos) break;
        values.push_back(text.substr(start, end - start));
    }
    return values;
}

std::string NonFiniteAttribute(std::string_view text,
                               std::initializer_list<std::string_view> names) {
    for (const std::string_view name : names) {
        for (const std::string_view value : AttributeValues(text, name)) {
            if (NamesNonFinite(value)) return std::string(name) + "=\"" + std::string(value) + "\"";
        }
    }
    return "";
}

}  // namespace

std::string NonFiniteResult(const HtmlReportInput& input) {
    for (const FieldCheckValue& v : input.fieldChecks.values) {
        if (!std::isfinite(v.value) && v.limitSource != LimitSource::None && !v.exceeded) {
            return "field-check value not finite yet within its limit";
        }
    }
    for (const SketchPoint& p : input.sketch.points) {
        if (!Finite({p.x, p.y})) return "sketch point";
    }
    std::string fault = ClosureFault(input.adjustment);
    if (fault.empty() && input.adjustment.status == AdjustmentStatus::Adjusted) {
        fault = AdjustedFault(input.adjustment);
    }
    return fault.empty() ? "" : "adjustment " + fault + " not finite";
}

std::string NonFiniteInPage(const std::string& page) {
    return NonFiniteAttribute(page, {"x", "y", "x1", "y1", "x2", "y2", "cx", "cy", "r", "rx", "ry",
                                     "width", "height", "d", "points", "transform", "viewBox",
                                     "stroke-width", "font-size"});
}

std::string NonFiniteInGama(const std::string& document) {
    return NonFiniteAttribute(document, {"x", "y", "z", "val", "stdev", "conf-pr", "sigma-apr"});
}

std::string NonFiniteInCsv(const std::string& csv) {
    // The last eight fields of a line are numbers and words; the name before them may hold commas.
    std::size_t start = 0;
    while (start < csv.size()) {
        std::size_t end = csv.find('\n', start);
        if (end == std::string::npos) end = csv.size();
        const std::string_view line(csv.data() + start, end - start);
        std::size_t cut = line.size();
        for (int field = 0; field < 8 && cut != std::string_view::npos && cut > 0; ++field) {
            cut = line.rfind(',', cut - 1);
        }
        if (cut != std::string_view::npos && NamesNonFinite(line.substr(cut))) {
            return "CSV line " + std::string(line);
        }
        start = end + 1;
    }
    return "";
}

}  // namespace traverse
