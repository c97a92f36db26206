// The adjustment from an import: settings, network, heights, reductions, closures, approximate
// coordinates, the plane adjustment, the statistics and the relative precision, in that order. Any
// step may stop it with a message; nothing is then adjusted.
#include "adjust/assessment/grade_assessment.h"
#include "adjust/closures/reciprocal_checks.h"
#include "adjust/closures/traverse_closures.h"
#include "adjust/model/adjustment_failure.h"
#include "adjust/model/adjustment_settings.h"
#include "adjust/model/distance_reduction.h"
#include "adjust/model/network_builder.h"
#include "adjust/model/settings_crs.h"
#include "adjust/model/values_left_out.h"
#include "adjust/solve/approximate_coordinates.h"
#include "adjust/solve/height_adjustment.h"
#include "adjust/solve/plane_adjustment.h"
#include "adjust/statistics/adjustment_results.h"
#include "adjust/statistics/observation_statistics.h"
#include "adjust/statistics/relative_precision.h"
#include "traverse/adjust.h"

namespace traverse {
namespace {

// The closures come from the observations as they stand: when the coordinates cannot be
// approximated they are computed all the same, without the reduction to the Gauss plane.
void PlaceAndClose(Network& network, AdjustmentResult& result, const ProjectedCrs* crs) {
    try {
        ApproximateCoordinates(network);
    } catch (const AdjustmentFailure&) {
        FindTraverseClosures(network, result.settings, result);
        CheckReciprocals(network, result.settings, result);
        throw;
    }
    if (result.settings.yOffset) ReduceToGaussPlane(network, result.settings);
    if (crs != nullptr) ReduceToProjection(network, *crs);
    FindTraverseClosures(network, result.settings, result);
    CheckReciprocals(network, result.settings, result);
}

// Each adjusted point on the geographic base of crs, where it lies in its domain.
void PlaceOnEarth(const ProjectedCrs& crs, std::vector<AdjustedPoint>& points) {
    for (AdjustedPoint& point : points) {
        if (!point.hasPlane) continue;
        const GeographicPosition position = crs.At(point.x, point.y);
        point.hasGeographic = position.valid;
        point.latitude = position.latitude;
        point.longitude = position.longitude;
        point.convergence = position.convergence;
        point.scaleFactor = position.scale;
    }
}

void Adjust(Network& network, AdjustmentResult& result, const ProjectedCrs* crs) {
    const HeightAdjustment heights = AdjustHeights(network);
    if (result.settings.surfaceHeight) ReduceToSurface(network, result.settings);
    PlaceAndClose(network, result, crs);
    const PlaneAdjustment plane = AdjustPlane(network);
    result.iterations = plane.iterations;
    result.plane = TestModel(plane.adjusted, result.settings.alpha);
    result.height = TestModel(heights.adjusted, result.settings.alpha);
    result.global = CombineTests(result.plane, result.height, result.settings.alpha);
    result.points = PointResults(network, plane, heights);
    result.observations = ObservationResults(network, plane, heights, result.settings);
    if (crs != nullptr) PlaceOnEarth(*crs, result.points);
    result.sides = SideResults(network, plane);
    result.orientations = OrientationResults(network, plane);
    FindWeakest(result);
}

}  // namespace

AdjustmentResult AdjustNetwork(const CImportXml& importer, const AdjustmentOptions& options) {
    AdjustmentResult result;
    Network network;
    const std::unique_ptr<UsableImport> usable = LeaveOutValuesNotNumbers(importer);
    try {
        result.settings = ResolveSettings(options);
        ValidateSettings(result.settings);
        const std::unique_ptr<ProjectedCrs> crs = OpenSettingsCrs(result.settings);
        BuildNetwork(usable != nullptr ? usable->import : importer, result.settings, network);
        if (usable != nullptr) DropHeightsOf(*usable, network);
        Adjust(network, result, crs.get());
    } catch (const AdjustmentFailure& failure) {
        // The tests, points and observations are only set once nothing can fail any more.
        result.status = failure.Status();
        result.error = failure.Message();
    }
    result.precision = AssessPrecision(result);
    result.notes.insert(result.notes.begin(), network.notes.begin(), network.notes.end());
    if (usable != nullptr) {
        result.notes.insert(result.notes.begin(), usable->notes.begin(), usable->notes.end());
    }
    return result;
}

std::string CheckAdjustmentOptions(const AdjustmentOptions& options) {
    try {
        AdjustmentSettings settings = ResolveSettings(options);
        ValidateSettings(settings);
        OpenSettingsCrs(settings);
    } catch (const AdjustmentFailure& failure) {
        return failure.Message();
    }
    return std::string();
}

bool AdjustmentWithinLimits(const AdjustmentResult& result) {
    if (result.status != AdjustmentStatus::Adjusted || !result.global.passed) return false;
    for (const TraverseClosure& closure : result.traverses) {
        if (!closure.angularWithinLimit || !closure.relativeWithinLimit) return false;
    }
    for (const ReciprocalCheck& check : result.reciprocalChecks) {
        if (!check.withinLimit) return false;
    }
    for (const PrecisionJudgement& judgement : result.precision) {
        if (!judgement.withinLimit) return false;
    }
    return true;
}

const char* AdjustmentStatusName(AdjustmentStatus status) {
    switch (status) {
        case AdjustmentStatus::Adjusted:
            return "adjusted";
        case AdjustmentStatus::InvalidOptions:
            return "invalid_options";
        case AdjustmentStatus::NoObservations:
            return "no_observations";
        case AdjustmentStatus::NoKnownPoints:
            return "no_known_points";
        case AdjustmentStatus::NoOrientation:
            return "no_orientation";
        case AdjustmentStatus::DuplicateName:
            return "duplicate_name";
        case AdjustmentStatus::SelfObservation:
            return "self_observation";
        case AdjustmentStatus::InvalidObservation:
            return "invalid_observation";
        case AdjustmentStatus::UnreachablePoint:
            return "unreachable_point";
        case AdjustmentStatus::Singular:
            return "singular";
        case AdjustmentStatus::NotConverged:
            break;
    }
    return "not_converged";
}

const char* ObservationKindName(ObservationKind kind) {
    switch (kind) {
        case ObservationKind::Direction:
            return "direction";
        case ObservationKind::Distance:
            return "distance";
        case ObservationKind::HeightDifference:
            break;
    }
    return "height_difference";
}

const char* TraverseShapeName(TraverseShape shape) {
    return shape == TraverseShape::Connecting ? "connecting" : "closed_loop";
}

const char* ReciprocalKindName(ReciprocalKind kind) {
    return kind == ReciprocalKind::Distance ? "distance" : "height_difference";
}

}  // namespace traverse
