// Traverse closures and the least-squares adjustment of the imported network: plain result values
// for a host, a report for people, a CSV of the points and a GNU Gama (gama-local) input document.
//
// Conventions: x north, y east, metres; directions clockwise; heights h. Every text is GBK. Small
// quantities are in the surveyor's units: arc seconds for angles, millimetres for lengths.
#ifndef TRAVERSE_ADJUST_H
#define TRAVERSE_ADJUST_H

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "traverse/grade.h"
#include "traverse/instrument.h"
#include "traverse/visibility.h"

namespace traverse {

class CImportXml;

// What the adjustment is asked to use. Each a-priori sigma left empty comes from the instrument's
// nominal accuracy, else from the grade; the grade left empty is 一级. Every sigma given must be
// greater than 0 (distanceSigmaB: at least 0).
struct AdjustmentOptions {
    std::optional<TraverseGrade> grade;
    // The instrument's nominal accuracy: a direction sigma per round (divided by the square root
    // of the station's rounds), a + b D for the distances; with a direction sigma the sigma of a
    // height difference is propagated from the slope distance and the zenith distance.
    InstrumentAccuracy instrument;
    std::optional<double> directionSigma;  // arc seconds; the grade gives m_beta / sqrt(2)
    std::optional<double> distanceSigmaA;  // millimetres; the grade gives m_D
    std::optional<double> distanceSigmaB;  // ppm (mm per km); the grade gives 0
    std::optional<double> heightSigma;     // mm per km of horizontal distance; see the grade table
    double refraction = 0.13;              // coefficient k, in [-1, 1]
    double earthRadius = 6371000.0;        // metres, > 0
    std::optional<double> surfaceHeight;   // H0, metres: reduce distances to this height; within
                                           // 10 km of zero
    std::optional<double> yOffset;         // Ym, metres: false easting; reduce to the Gauss plane;
                                           // within 1000 km of zero
    // The coordinate reference system of the coordinates (an EPSG code such as "EPSG:4547", or a
    // PROJ string), projected; empty: none. With it the distances are reduced to the surface H0
    // (0 when not given: the ellipsoid), then by PROJ's point scale factor along each line, and
    // every point gets its latitude and longitude. Not together with yOffset.
    std::string crs;
    double alpha = 0.05;                   // significance of the global test, in (0, 1)
    double wTestCritical = 3.29;           // |w| above it flags an outlier (alpha0 = 0.1%), > 0
    double mdbDelta0 = 4.13;               // non-centrality for the minimal detectable bias, > 0
    std::optional<double> confidence;      // probability of the error ellipses shown, in (0, 1);
                                           // empty: the standard (1 sigma) ellipses
};

// Where a setting came from.
enum class SettingSource {
    Default,     // nothing chose it (the grade 一级)
    Grade,       // the grade's table
    Instrument,  // the instrument's nominal accuracy
    Option,      // an option of its own (--grade, --sigma-*)
};

// The options as the adjustment applied them, each with where it came from.
struct AdjustmentSettings {
    TraverseGrade grade = TraverseGrade::Class1;
    SettingSource gradeSource = SettingSource::Default;  // Option or Default
    // Arc seconds; from the instrument, per round: a station's directions take it / sqrt(rounds).
    double directionSigma = 0.0;
    SettingSource directionSigmaSource = SettingSource::Grade;
    double distanceSigmaA = 0.0;  // millimetres
    SettingSource distanceSigmaASource = SettingSource::Grade;
    double distanceSigmaB = 0.0;  // ppm
    SettingSource distanceSigmaBSource = SettingSource::Grade;
    // Millimetres per km of horizontal distance; 0 when propagated from the instrument
    // (heightSigmaSource Instrument): sqrt((cos Z sigma_S)^2 + (S sin Z sigma_Z)^2) with sigma_Z
    // the direction sigma of the station's zenith rounds.
    double heightSigma = 0.0;
    SettingSource heightSigmaSource = SettingSource::Grade;
    double angularClosureFactor = 0.0;    // m of the limit +-m*sqrt(n), arc seconds
    double relativeClosureLimit = 0.0;    // largest fs / [D] allowed, such as 1/15000
    int heightOrder = 5;                  // the height class of the limits: 4 (四等) or 5 (五等)
    double reciprocalHeightFactor = 0.0;  // mm per sqrt(km): 40 (四等) or 60 (五等)
    double refraction = 0.0;
    double earthRadius = 0.0;  // metres
    std::optional<double> surfaceHeight;  // metres: the distances reduced to this height
    std::optional<double> yOffset;        // metres: the distances reduced to the Gauss plane
    bool reducedWithCrs = false;  // onto the plane of crs by its point scale factors
    std::string crs;              // as given; empty when none
    std::string crsName;          // the CRS's own name, UTF-8, when reducedWithCrs
    std::string crsBaseName;      // the name of its geographic base, UTF-8
    double alpha = 0.0;
    double wTestCritical = 0.0;
    double mdbDelta0 = 0.0;
    std::optional<double>
        confidence;             // probability of the ellipses shown; empty: standard ellipses
    double ellipseScale = 1.0;  // the shown ellipses over the standard: sqrt(chi2_2(p))
};

enum class AdjustmentStatus {
    Adjusted,            // the adjustment ran; see the tests, closures and flags
    InvalidOptions,      // a sigma not above 0, another option out of range, or a reduction to
                         // the projection plane by a factor outside 0.99 to 1.01
    NoObservations,      // no station carries an observation block
    NoKnownPoints,       // no known point with plane coordinates
    NoOrientation,       // a single known point: nothing orients the network about it
    DuplicateName,       // a known point listed twice, a target named twice in one round
    SelfObservation,     // a station observing itself
    InvalidObservation,  // a distance or horizontal distance that is not positive, a height missing
                         // for a reduction
    UnreachablePoint,    // a point that no construction from the known points places
    Singular,            // the observations do not determine a point
    NotConverged,        // Gauss-Newton did not converge in 20 iterations
};

// One test of the sum of squared standardized residuals v'Pv against chi-square with r degrees of
// freedom at alpha, one-sided: passed when v'Pv <= upperBound. The grade's sigmas are limits, so
// observations better than them (v'Pv below lowerBound) pass; the report remarks on it.
struct ModelTest {
    int observations = 0;
    int unknowns = 0;
    int redundancy = 0;
    double weightedSquareSum = 0.0;  // v'Pv, a-priori sigma0 = 1
    double sigma0 = 0.0;             // a posteriori, sqrt(v'Pv / r); 0 when r = 0
    double lowerBound = 0.0;         // chi-square quantile at alpha
    double upperBound = 0.0;         // chi-square quantile at 1 - alpha
    bool applicable = false;         // r > 0
    bool passed = true;              // true when not applicable
};

enum class ObservationKind { Direction, Distance, HeightDifference };

// The errors of one observation in one unit, a-priori sigma0 = 1.
struct ObservationErrors {
    double sigma = 0.0;          // a priori
    double adjustedSigma = 0.0;  // of the adjusted observation
    double residual = 0.0;       // adjusted - observed
    double mdb = 0.0;            // minimal detectable bias; 0 when the observation is uncontrolled
};

struct AdjustedObservation {
    ObservationKind kind = ObservationKind::Direction;
    int stationIndex = 0;  // index of the observing station in CImportXml::m_arrStation
    std::string station;   // GBK
    std::string target;    // GBK
    // Observed and adjusted direction in radians, reduced to the set's first target; 0 for the
    // other kinds.
    double observedRadians = 0.0;
    double adjustedRadians = 0.0;
    // Observed and adjusted horizontal distance (reduced as the settings say) or height difference
    // in metres; 0 for directions.
    double observedMetres = 0.0;
    double adjustedMetres = 0.0;
    double horizontalDistance = 0.0;  // metres: the horizontal length of the line
    ObservationErrors arcSeconds;     // a direction's; all 0 for the other kinds
    ObservationErrors millimetres;    // a distance's or height difference's; all 0 for directions
    double redundancy = 0.0;            // redundancy number, in [0, 1]
    double standardizedResidual = 0.0;  // w = v / (sigma * sqrt(r)); 0 when uncontrolled
    bool outlier = false;               // |w| > wTestCritical
    bool weaklyControlled = false;      // redundancy below 0.1

    // The errors of its kind: arcSeconds for a direction, millimetres for the others.
    const ObservationErrors& Errors() const {
        return kind == ObservationKind::Direction ? arcSeconds : millimetres;
    }
};

struct AdjustedPoint {
    std::string name;                  // GBK
    bool hasPlane = false;             // x, y known or adjusted
    bool planeFixed = false;           // a known plane point
    bool hasHeight = false;            // h known or adjusted
    bool heightFixed = false;          // a known height
    double x = 0.0, y = 0.0, h = 0.0;  // metres; UNSET_COORD where there is none
    // Millimetres, from the a-priori sigma0 = 1; 0 for fixed coordinates:
    double sigmaX = 0.0, sigmaY = 0.0;
    double sigmaPosition = 0.0;  // sqrt(sigmaX^2 + sigmaY^2)
    double ellipseMajor = 0.0;   // standard error ellipse: semi-axes a >= b
    double ellipseMinor = 0.0;
    double ellipseAzimuth = 0.0;  // degrees of the major axis from north (x) clockwise, [0, 180)
    double sigmaH = 0.0;
    // On the geographic base of the CRS, when one is known and the point lies in its domain:
    bool hasGeographic = false;
    double latitude = 0.0, longitude = 0.0;  // degrees
    double convergence = 0.0;                // degrees, grid north from true north clockwise
    double scaleFactor = 0.0;                // the projection's point scale factor
};

// Two points joined by a direction or a distance, at least one of them adjusted: the precision of
// the one relative to the other, from the covariances of both (a-priori sigma0 = 1).
struct AdjustedSide {
    std::string from, to;      // GBK: the station of the first observation joining them, its target
    double azimuth = 0.0;      // radians from north (x) clockwise, [0, 2 pi)
    double length = 0.0;       // metres, between the adjusted coordinates
    double sigmaLength = 0.0;  // millimetres
    double sigmaAzimuth = 0.0;   // arc seconds
    double relativeSigma = 0.0;  // sigmaLength / length, the 1/T of the standard
    // Millimetres and degrees: the relative standard error ellipse of `to` against `from`.
    double ellipseMajor = 0.0, ellipseMinor = 0.0, ellipseAzimuth = 0.0;
};

// The orientation unknown of one set of directions.
struct AdjustedOrientation {
    int stationIndex = 0;      // index of the station in CImportXml::m_arrStation
    std::string station;       // GBK
    double orientation = 0.0;  // radians: the azimuth of the set's zero direction, [0, 2 pi)
    double sigma = 0.0;        // arc seconds
};

enum class TraverseShape { Connecting, ClosedLoop };

// A classic traverse found in the network and its closures, computed from the reduced observations
// alone (the angles corrected by -f_beta / n before the coordinates are carried).
struct TraverseClosure {
    TraverseShape shape = TraverseShape::Connecting;
    // The traverse stations in order, GBK: the first known station, the new points, the last known
    // station (for a loop the first station again).
    std::vector<std::string> stations;
    std::string startOrientation;    // the known point sighted at the first station, GBK
    std::string endOrientation;      // at the last station; the same as startOrientation for a loop
    int angleCount = 0;              // n
    double angularMisclosure = 0.0;  // f_beta, arc seconds
    double angularLimit = 0.0;       // m * sqrt(n), arc seconds
    bool angularWithinLimit = true;
    double length = 0.0;                  // [D], metres
    double fx = 0.0, fy = 0.0, fs = 0.0;  // millimetres
    double relativeMisclosure = 0.0;      // fs / [D], the 1/T of the standard
    double relativeLimit = 0.0;           // the grade's 1/T
    bool relativeWithinLimit = true;
};

enum class ReciprocalKind { Distance, HeightDifference };

// The same line observed from both ends.
struct ReciprocalCheck {
    ReciprocalKind kind = ReciprocalKind::Distance;
    std::string from, to;   // GBK: the station of the forward observation and its target
    double forward = 0.0;   // metres: from -> to
    double backward = 0.0;  // metres: to -> from
    double distance = 0.0;  // metres, the mean horizontal distance of the line
    // Millimetres: forward - backward for distances, forward + backward for height differences.
    double difference = 0.0;
    double limit = 0.0;  // millimetres: 2 (a + b D), or 40 / 60 sqrt(D km)
    bool withinLimit = true;
};

// What the grade asks of the precision achieved and of the traverse itself (GB 50026, table
// 3.3.1 and the clauses after it).
enum class PrecisionItem {
    AngleFromClosures,        // 测角中误差 sqrt([f_beta f_beta / n] / N) over N traverses, arc seconds
    AngleFromAdjustment,      // sqrt(2) x the directions' sigma x their factor a posteriori, ″
    DistanceFromReciprocals,  // 测距中误差 mu sqrt(1/P) at the mean side, mu = sqrt([P d d] / 2n), mm
    RelativeDistanceFromReciprocals,  // that over the mean side (1/T)
    DistanceFromAdjustment,           // the distances' sigma at the mean side x their factor, mm
    RelativeDistanceFromAdjustment,   // that over the mean side (1/T)
    TraverseLength,                   // 导线长度 of one traverse, metres
    MeanSide,                         // 平均边长 of one traverse, metres
    SideCount,                        // 导线边数 of one traverse, limit 导线长度 / 平均边长
};

// One figure and the grade's limit for it; a limit not confirmed against the standard's text is
// shown, not judged.
struct PrecisionJudgement {
    PrecisionItem item = PrecisionItem::AngleFromClosures;
    std::string traverse;  // GBK: the traverse's stations joined by '-'; empty for the network
    int count = 0;          // traverses (N), reciprocal pairs (n), observations, or sides
    double value = 0.0;     // in the unit the item names
    double meanSide = 0.0;  // metres: the length a distance figure is given for; 0 for others
    double limit = 0.0;     // in the value's unit; the largest allowed
    bool judged = false;
    bool withinLimit = true;  // value <= limit; true when not judged
};

struct AdjustmentResult {
    AdjustmentStatus status = AdjustmentStatus::Adjusted;
    std::string error;  // GBK, names the point or observation; empty when adjusted
    AdjustmentSettings settings;
    std::vector<std::string> notes;  // GBK: what the adjustment left out or assumed, in order
    // Closures are filled whenever the observations could be read, even when the adjustment failed.
    bool simpleTraverse = false;  // every new station lies on one of the traverses below
    std::vector<TraverseClosure> traverses;
    std::vector<ReciprocalCheck> reciprocalChecks;
    // From the closures whenever they are filled; the adjustment's figures only when adjusted.
    std::vector<PrecisionJudgement> precision;
    // Filled only when adjusted:
    int iterations = 0;  // Gauss-Newton iterations of the plane adjustment
    ModelTest plane;                                // directions and distances
    ModelTest height;                               // height differences
    ModelTest global;                               // both together: the global test
    std::vector<AdjustedPoint> points;              // known points first, then in order of use
    std::vector<AdjustedObservation> observations;  // station by station: directions, distances,
                                                    // height differences
    std::vector<AdjustedSide> sides;                // in the order of their first observation
    std::vector<AdjustedOrientation> orientations;  // one per set of directions, in station order
    int weakestPoint = -1;  // index into points of the largest sigmaPosition; -1: none adjusted
    int weakestSide = -1;   // index into sides of the largest relativeSigma; -1: no side
};

// Why options cannot be used (GBK, the reason AdjustNetwork would give with InvalidOptions); empty
// when they can. Each sigma must be above 0, the surface height within 10 km and the y offset
// within 1000 km of zero, a CRS projected and known to PROJ, the other options as AdjustmentOptions
// says.
TRAVERSE_API std::string CheckAdjustmentOptions(const AdjustmentOptions& options);

// Closures and adjustment of the network that importer holds (read only).
TRAVERSE_API AdjustmentResult AdjustNetwork(const CImportXml& importer,
                                            const AdjustmentOptions& options);

// A point of the network as placed before any adjustment: a known point, or one placed from the
// known points (polar, intersection, resection, two distances, a traverse fitted to its ends).
struct SketchPoint {
    std::string name;  // GBK
    bool known = false;
    double x = 0.0, y = 0.0;  // metres, x north, y east
};

// A sightline between two placed points (indices into NetworkSketch::points), each line once.
struct SketchLine {
    int from = 0;
    int to = 0;
};

struct NetworkSketch {
    std::vector<SketchPoint> points;  // every point that could be placed
    std::vector<SketchLine> lines;    // directions or distances between placed points
};

// The network placed from the known points, as far as its observations determine it (nothing
// when the observations cannot be read).
TRAVERSE_API NetworkSketch SketchNetwork(const CImportXml& importer,
                                         const AdjustmentOptions& options);

// True when the network was adjusted, the global test passed and every closure, reciprocal
// difference and judged precision figure is within its limit.
TRAVERSE_API bool AdjustmentWithinLimits(const AdjustmentResult& result);

// The report for people, GBK, lines ending CR LF: the settings used, notes, closures with their
// limits, the global test, the points, the observations (outliers first).
TRAVERSE_API std::string FormatAdjustmentReport(const AdjustmentResult& result);

// Writes the points as CSV (GBK names, CR LF), one line per point after the header
// name,x,y,h,sigma_x_mm,sigma_y_mm,sigma_h_mm,plane,height,sigma_p_mm,ellipse_a_mm,ellipse_b_mm,
// ellipse_azimuth_deg where plane and height are "fixed" or "adjusted" and the ellipse is at the
// settings' confidence (ellipse_a_p95_mm, ellipse_b_p95_mm at 0.95); a point without plane
// coordinates or without height has those fields empty, a fixed point its ellipse. With a
// CRS, latitude,longitude,convergence_deg follow (degrees).
// 0, or RESULT_FAILED when the file cannot be opened (shown in a message box, "打开文件错误！");
// a failing write raises CFileException. path is GBK.
TRAVERSE_API std::uint32_t WriteAdjustedPointsCsv(const AdjustmentResult& result,
                                                  const std::string& path);

// Writes the sides as CSV (GBK names, CR LF), one line per side after the header
// from,to,azimuth_dms,length,sigma_length_mm,relative_sigma,sigma_azimuth_sec,ellipse_a_mm,
// ellipse_b_mm,ellipse_azimuth_deg where relative_sigma is 1/T (T rounded to hundreds) and the
// relative ellipse is at the settings' confidence. Returns and raises as WriteAdjustedPointsCsv.
TRAVERSE_API std::uint32_t WriteAdjustedSidesCsv(const AdjustmentResult& result,
                                                 const std::string& path);

// Writes the adjusted network as a gama-local input document (UTF-8): the points fixed or adjusted,
// one <obs> per station with its directions (gon, sigma in cc) and horizontal distances (sigma mm),
// the height differences (sigma mm), sigma-apr 1 and sigma-act apriori, so that the same solution
// follows. Returns and raises as WriteAdjustedPointsCsv.
TRAVERSE_API std::uint32_t WriteGamaLocalInput(const AdjustmentResult& result,
                                               const std::string& path);

// Stable ASCII names for hosts (JSON): "adjusted", "invalid_options", ...; "direction", "distance",
// "height_difference"; "connecting", "closed_loop".
TRAVERSE_API const char* AdjustmentStatusName(AdjustmentStatus status);
TRAVERSE_API const char* ObservationKindName(ObservationKind kind);
TRAVERSE_API const char* TraverseShapeName(TraverseShape shape);
TRAVERSE_API const char* ReciprocalKindName(ReciprocalKind kind);
// "default", "grade", "instrument", "option".
TRAVERSE_API const char* SettingSourceName(SettingSource source);
// The judgement's item as people read it, GBK, e.g. "测角中误差 m_beta from the angular closures
// (N = 3)"; and a value or limit of it with its unit: 2.1", 4.2 mm, 1/64000, 1234 m, 7.
TRAVERSE_API std::string PrecisionItemLabel(const PrecisionJudgement& judgement);
TRAVERSE_API std::string PrecisionFigureText(const PrecisionJudgement& judgement, double figure);

// "angle_from_closures", "angle_from_adjustment", "distance_from_reciprocals", ...
TRAVERSE_API const char* PrecisionItemName(PrecisionItem item);

}  // namespace traverse

#endif
