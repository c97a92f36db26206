// GB 50026 judges a traverse survey by the precision it achieved, not by the instrument's promise:
// the 测角中误差 from the angular closures of its traverses, the 测距中误差 from its distances
// measured both ways (or, with redundancy, from the adjustment), each against table 3.3.1.
#include "adjust/assessment/grade_assessment.h"

#include <cmath>

#include "adjust/limit_judgement.h"
#include "adjust/model/grade_table.h"

namespace traverse {
namespace {

PrecisionJudgement Judged(PrecisionItem item, double value, double limit, bool confirmed) {
    PrecisionJudgement judgement;
    judgement.item = item;
    judgement.value = value;
    judgement.limit = limit;
    judgement.judged = confirmed;
    judgement.withinLimit = !confirmed || WithinLimit(value, limit);
    return judgement;
}

// m_beta = sqrt([f_beta f_beta / n] / N) over the traverses that carry an angular closure.
void AngleFromClosures(const AdjustmentResult& result, std::vector<PrecisionJudgement>& out) {
    double sum = 0.0;
    int traverses = 0;
    for (const TraverseClosure& t : result.traverses) {
        if (t.angleCount == 0) continue;
        sum += t.angularMisclosure * t.angularMisclosure / t.angleCount;
        ++traverses;
    }
    if (traverses == 0) return;
    const double limit = RequirementsOf(result.settings.grade).angleSigma;
    const double angleSigma = std::sqrt(sum / traverses);
    out.push_back(Judged(PrecisionItem::AngleFromClosures, angleSigma, limit, true));
    out.back().count = traverses;
}

// Sigma (in the observations' unit) of the kind's observations after the adjustment: their mean
// a-priori sigma times the factor sqrt([v v / sigma^2] / [r]) of that kind alone.
struct KindPrecision {
    int count = 0;
    double sigma = 0.0;     // root mean square of the a-priori sigmas
    double factor = 0.0;    // a posteriori over a priori
    double meanLength = 0.0;  // metres, horizontal
};

KindPrecision PrecisionOf(const std::vector<AdjustedObservation>& observations,
                          ObservationKind kind) {
    KindPrecision p;
    double squares = 0.0, redundancy = 0.0, sigmas = 0.0, lengths = 0.0;
    for (const AdjustedObservation& o : observations) {
        if (o.kind != kind) continue;
        ++p.count;
        sigmas += o.Errors().sigma * o.Errors().sigma;
        lengths += o.horizontalDistance;
        squares +=
            o.Errors().residual * o.Errors().residual / (o.Errors().sigma * o.Errors().sigma);
        redundancy += o.redundancy;
    }
    if (p.count == 0 || !(redundancy > 1e-9)) return KindPrecision();
    p.sigma = std::sqrt(sigmas / p.count);
    p.factor = std::sqrt(squares / redundancy);
    p.meanLength = lengths / p.count;
    return p;
}

// A distance sigma at the mean side and its relative size, against m_D and 测距相对中误差.
void DistanceFigures(const AdjustmentResult& result, PrecisionItem absolute, PrecisionItem relative,
                     double sigmaMm, double meanSide, int count,
                     std::vector<PrecisionJudgement>& out) {
    const TraverseGrade grade = result.settings.grade;
    out.push_back(Judged(absolute, sigmaMm, RequirementsOf(grade).distanceSigma, true));
    out.back().meanSide = meanSide;
    out.back().count = count;
    out.push_back(Judged(relative, sigmaMm * 1e-3 / meanSide,
                         TraverseRequirementsOf(grade).relativeDistanceSigma, true));
    out.back().meanSide = meanSide;
    out.back().count = count;
}

double DistanceSigmaMm(const AdjustmentSettings& s, double metres) {
    return s.distanceSigmaA + s.distanceSigmaB * metres * 1e-3;
}

// mu = sqrt([P d d] / 2n) with P = 1 / sigma^2 of each line; a line's m_D = mu sigma.
void DistanceFromReciprocals(const AdjustmentResult& result, std::vector<PrecisionJudgement>& out) {
    double weighted = 0.0, lengths = 0.0;
    int pairs = 0;
    for (const ReciprocalCheck& c : result.reciprocalChecks) {
        if (c.kind != ReciprocalKind::Distance) continue;
        const double sigma = DistanceSigmaMm(result.settings, c.distance);
        weighted += c.difference * c.difference / (sigma * sigma);
        lengths += c.distance;
        ++pairs;
    }
    if (pairs == 0) return;
    const double mu = std::sqrt(weighted / (2 * pairs));
    const double meanSide = lengths / pairs;
    DistanceFigures(result, PrecisionItem::DistanceFromReciprocals,
                    PrecisionItem::RelativeDistanceFromReciprocals,
                    mu * DistanceSigmaMm(result.settings, meanSide), meanSide, pairs, out);
}

void FromAdjustment(const AdjustmentResult& result, std::vector<PrecisionJudgement>& out) {
    const KindPrecision directions = PrecisionOf(result.observations, ObservationKind::Direction);
    if (directions.count > 0) {
        // An angle is the difference of two directions.
        out.push_back(Judged(PrecisionItem::AngleFromAdjustment,
                             std::sqrt(2.0) * directions.sigma * directions.factor,
                             RequirementsOf(result.settings.grade).angleSigma, true));
        out.back().count = directions.count;
    }
    const KindPrecision distances = PrecisionOf(result.observations, ObservationKind::Distance);
    if (distances.count > 0) {
        DistanceFigures(result, PrecisionItem::DistanceFromAdjustment,
                        PrecisionItem::RelativeDistanceFromAdjustment,
                        distances.factor * DistanceSigmaMm(result.settings, distances.meanLength),
                        distances.meanLength, distances.count, out);
    }
}

std::string Joined(const std::vector<std::string>& names) {
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : "-") + name;
    return joined;
}

// Clause 3.3.2: no more sides than 导线长度 / 平均边长 gives.
void TraverseSize(const AdjustmentResult& result, const TraverseClosure& t,
                   std::vector<PrecisionJudgement>& out) {
    const int sides = static_cast<int>(t.stations.size()) - 1;
    if (sides < 1) return;
    const TraverseRequirements& table = TraverseRequirementsOf(result.settings.grade);
    const std::string name = Joined(t.stations);
    out.push_back(Judged(PrecisionItem::TraverseLength, t.length, table.length.value,
                         table.length.confirmed));
    out.push_back(Judged(PrecisionItem::MeanSide, t.length / sides, table.meanSide.value,
                         table.meanSide.confirmed));
    out.push_back(Judged(PrecisionItem::SideCount, sides,
                         std::round(table.length.value / table.meanSide.value),
                         table.length.confirmed && table.meanSide.confirmed));
    for (std::size_t i = out.size() - 3; i < out.size(); ++i) {
        out[i].traverse = name;
        out[i].count = sides;
    }
}

}  // namespace

std::vector<PrecisionJudgement> AssessPrecision(const AdjustmentResult& result) {
    std::vector<PrecisionJudgement> judgements;
    AngleFromClosures(result, judgements);
    DistanceFromReciprocals(result, judgements);
    if (result.status == AdjustmentStatus::Adjusted) FromAdjustment(result, judgements);
    for (const TraverseClosure& t : result.traverses) TraverseSize(result, t, judgements);
    return judgements;
}

const char* PrecisionItemName(PrecisionItem item) {
    switch (item) {
        case PrecisionItem::AngleFromClosures:
            return "angle_from_closures";
        case PrecisionItem::AngleFromAdjustment:
            return "angle_from_adjustment";
        case PrecisionItem::DistanceFromReciprocals:
            return "distance_from_reciprocals";
        case PrecisionItem::RelativeDistanceFromReciprocals:
            return "relative_distance_from_reciprocals";
        case PrecisionItem::DistanceFromAdjustment:
            return "distance_from_adjustment";
        case PrecisionItem::RelativeDistanceFromAdjustment:
            return "relative_distance_from_adjustment";
        case PrecisionItem::TraverseLength:
            return "traverse_length";
        case PrecisionItem::MeanSide:
            return "mean_side";
        case PrecisionItem::SideCount:
            break;
    }
    return "side_count";
}

}  // namespace traverse
