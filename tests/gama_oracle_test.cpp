// The adjustment against GNU Gama's gama-local, an independent least-squares engine: the document
// that `traverse adjust --gama` writes satisfies Gama's schema, and gama-local finds in it the same
// coordinates (0.1 mm), standard deviations and ellipse axes (1 %), residuals and redundancy
// numbers, and from its covariance matrix the relative sigma of every side and the sigma of every
// orientation (1 %). gama-local is built by `make test-gama`; without it these tests are skipped.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cmath>
#include <map>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/record_file.h"
#include "support/run_program.h"
#include "support/simulated_network.h"
#include "support/temp_dir.h"

namespace traverse {
namespace {

using Json = nlohmann::json;

constexpr double kSecondsPerGon = 3240.0;
constexpr double kSecondsPerCc = 0.324;

struct GamaPoint {
    std::map<std::string, double> coordinates;  // "x", "y", "z": metres, as adjusted
    std::map<std::string, double> sigma;        // the same keys: millimetres
    std::map<std::string, std::size_t> unknown;  // the same keys: the row of the covariance matrix
    double major = 0.0, minor = 0.0;            // standard ellipse, millimetres
};

struct GamaObservation {
    std::string kind, from, to;
    double observed = 0.0, adjusted = 0.0;  // gon or metres
    double qrr = 0.0;                       // weight coefficient of the residual
};

struct GamaSolution {
    std::string error;
    std::map<std::string, GamaPoint> points;
    std::vector<std::vector<double>> covariance;  // mm^2 and cc^2, whole
    std::vector<std::string> orientations;        // the stations of the orientations, in order
    std::vector<GamaObservation> observations;
};

std::vector<xmlNode*> Children(const xmlNode* node, const char* name = nullptr) {
    std::vector<xmlNode*> children;
    for (xmlNode* child = node != nullptr ? node->children : nullptr; child != nullptr;
         child = child->next) {
        if (child->type != XML_ELEMENT_NODE) continue;
        if (name == nullptr || xmlStrEqual(child->name, BAD_CAST name)) children.push_back(child);
    }
    return children;
}

xmlNode* Child(const xmlNode* node, const char* name) {
    const std::vector<xmlNode*> found = Children(node, name);
    return found.empty() ? nullptr : found.front();
}

std::string Text(const xmlNode* node) {
    if (node == nullptr) return std::string();
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content != nullptr ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    return text;
}

double Number(const xmlNode* node) { return std::strtod(Text(node).c_str(), nullptr); }

// The covariance matrix is stored by rows from the diagonal, band + 1 values each (fewer at the
// end); its unknowns are the adjusted points' coordinates in their order, then the orientations.
// Entries beyond the band are 0.
std::vector<std::vector<double>> Covariance(const xmlNode* covariance) {
    const int dim = static_cast<int>(Number(Child(covariance, "dim")));
    const int band = static_cast<int>(Number(Child(covariance, "band")));
    const std::vector<xmlNode*> values = Children(covariance, "flt");
    std::vector<std::vector<double>> matrix(dim, std::vector<double>(dim, 0.0));
    std::size_t at = 0;
    for (int row = 0; row < dim; ++row) {
        for (int column = row; column <= std::min(row + band, dim - 1) && at < values.size();
             ++column)
            matrix[row][column] = matrix[column][row] = Number(values[at++]);
    }
    return matrix;
}

void ReadPoints(const xmlNode* coordinates, GamaSolution& solution) {
    solution.covariance = Covariance(Child(coordinates, "cov-mat"));
    std::size_t unknown = 0;
    for (const xmlNode* point : Children(Child(coordinates, "adjusted"), "point")) {
        GamaPoint& read = solution.points[Text(Child(point, "id"))];
        for (const xmlNode* coordinate : Children(point)) {
            std::string axis = reinterpret_cast<const char*>(coordinate->name);
            if (axis == "id") continue;
            axis[0] = static_cast<char>(std::tolower(axis[0]));
            read.coordinates[axis] = Number(coordinate);
            if (unknown >= solution.covariance.size()) continue;
            read.unknown[axis] = unknown;
            read.sigma[axis] = std::sqrt(solution.covariance[unknown][unknown]);
            ++unknown;
        }
    }
    for (const xmlNode* ellipse : Children(Child(coordinates, "std-error-ellipses"), "ellipse")) {
        GamaPoint& read = solution.points[Text(Child(ellipse, "id"))];
        read.major = Number(Child(ellipse, "major"));
        read.minor = Number(Child(ellipse, "minor"));
    }
    for (const xmlNode* orientation :
         Children(Child(coordinates, "orientation-shifts"), "orientation"))
        solution.orientations.push_back(Text(Child(orientation, "id")));
}

GamaSolution ReadGamaSolution(const std::string& xml) {
    GamaSolution solution;
    xmlDoc* document = xmlReadMemory(xml.data(), static_cast<int>(xml.size()), "gama.xml", nullptr,
                                     XML_PARSE_NONET);
    if (document == nullptr) {
        solution.error = "gama-local's output does not parse";
        return solution;
    }
    const xmlNode* root = xmlDocGetRootElement(document);
    if (const xmlNode* error = Child(root, "error")) solution.error = Text(error);
    ReadPoints(Child(root, "coordinates"), solution);
    for (const xmlNode* observation : Children(Child(root, "observations"))) {
        solution.observations.push_back(
            {reinterpret_cast<const char*>(observation->name), Text(Child(observation, "from")),
             Text(Child(observation, "to")), Number(Child(observation, "obs")),
             Number(Child(observation, "adj")), Number(Child(observation, "qrr"))});
    }
    xmlFreeDoc(document);
    return solution;
}

bool HaveGamaLocal() {
    return std::string(GAMA_LOCAL_EXECUTABLE) != "" &&
           !ReadFileBytes(GAMA_LOCAL_EXECUTABLE).empty();
}

void ExpectWithinPercent(double ours, double theirs, const std::string& what) {
    EXPECT_NEAR(ours, theirs, 0.01 * std::fabs(theirs) + 1e-6) << what;
}

void ComparePoints(const Json& adjust, const GamaSolution& gama) {
    for (const Json& point : adjust["points"]) {
        const std::string name = point["name"];
        const bool plane = point["plane"] == "adjusted", height = point["height"] == "adjusted";
        if (!plane && !height) continue;
        ASSERT_EQ(gama.points.count(name), 1u) << name;
        const GamaPoint& theirs = gama.points.at(name);
        if (plane) {
            EXPECT_NEAR(point["x"].get<double>(), theirs.coordinates.at("x"), 1e-4) << name;
            EXPECT_NEAR(point["y"].get<double>(), theirs.coordinates.at("y"), 1e-4) << name;
            ExpectWithinPercent(point["sigma_x_mm"], theirs.sigma.at("x"), name + " sigma x");
            ExpectWithinPercent(point["sigma_y_mm"], theirs.sigma.at("y"), name + " sigma y");
            ExpectWithinPercent(point["ellipse_a_mm"], theirs.major, name + " ellipse a");
            ExpectWithinPercent(point["ellipse_b_mm"], theirs.minor, name + " ellipse b");
        }
        if (height) {
            EXPECT_NEAR(point["h"].get<double>(), theirs.coordinates.at("z"), 1e-4) << name;
        }
    }
}

// Whether observation i is a direction alone in its set (a run of one station's directions).
bool LoneDirection(const Json& observations, std::size_t i) {
    const auto sameSet = [&](std::size_t j) {
        return j < observations.size() && observations[j]["kind"] == "direction" &&
               observations[j]["station"] == observations[i]["station"];
    };
    return observations[i]["kind"] == "direction" && !sameSet(i - 1) && !sameSet(i + 1);
}

// Gama lists each station's directions and distances as the document gives them, then the height
// differences: the adjustment's order with the height differences taken out to the end. A set of
// one direction, which its orientation absorbs whole, Gama leaves out.
std::vector<Json> InGamaOrder(const Json& observations) {
    std::vector<Json> plane, heights;
    for (std::size_t i = 0; i < observations.size(); ++i) {
        const Json& o = observations[i];
        if (!LoneDirection(observations, i))
            (o["kind"] == "height_difference" ? heights : plane).push_back(o);
    }
    plane.insert(plane.end(), heights.begin(), heights.end());
    return plane;
}

void CompareObservations(const Json& adjust, const GamaSolution& gama) {
    const std::vector<Json> ours = InGamaOrder(adjust["observations"]);
    ASSERT_EQ(ours.size(), gama.observations.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        const Json& o = ours[i];
        const GamaObservation& g = gama.observations[i];
        const std::string what = o["kind"].get<std::string>() + " " + g.from + "-" + g.to;
        ASSERT_EQ(o["station"], g.from) << i;
        ASSERT_EQ(o["target"], g.to) << i;
        const bool direction = o["kind"] == "direction";
        double residual = g.adjusted - g.observed;  // gon or metres
        if (direction) residual = std::remainder(residual, 400.0) * kSecondsPerGon;
        if (!direction) residual *= 1000;
        EXPECT_NEAR(o["residual"].get<double>(), residual, 0.01) << what;
        const double sigma =
            o["sigma"].get<double>() / (direction ? kSecondsPerCc : 1.0);  // cc or mm
        EXPECT_NEAR(o["redundancy"].get<double>(), g.qrr / (sigma * sigma), 0.002) << what;
    }
}

// The sigma of a side's length from Gama's covariances of its ends (a fixed end has none), along
// the side of our coordinates.
double GamaSideSigma(const GamaSolution& gama, const Json& from, const Json& to) {
    const double dx = to["x"].get<double>() - from["x"].get<double>();
    const double dy = to["y"].get<double>() - from["y"].get<double>();
    const double length = std::hypot(dx, dy);
    std::vector<std::pair<std::size_t, double>> gradient;
    for (const auto& [point, sign] : {std::pair<const Json*, double>{&from, -1.0}, {&to, 1.0}}) {
        const auto found = gama.points.find((*point)["name"].get<std::string>());
        if (found == gama.points.end() || found->second.unknown.count("x") == 0) continue;
        gradient.push_back({found->second.unknown.at("x"), sign * dx / length});
        gradient.push_back({found->second.unknown.at("y"), sign * dy / length});
    }
    double variance = 0.0;
    for (const auto& [i, a] : gradient)
        for (const auto& [j, b] : gradient) variance += a * b * gama.covariance[i][j];
    return std::sqrt(variance);
}

// The relative sigma of every side, and the sigma of every orientation, against Gama's covariances.
void CompareSidesAndOrientations(const Json& adjust, const GamaSolution& gama) {
    std::map<std::string, Json> points;
    for (const Json& point : adjust["points"]) points[point["name"]] = point;
    ASSERT_FALSE(adjust["sides"].empty());
    for (const Json& side : adjust["sides"]) {
        const std::string what =
            side["from"].get<std::string>() + "-" + side["to"].get<std::string>();
        const double sigma = GamaSideSigma(gama, points.at(side["from"]), points.at(side["to"]));
        ExpectWithinPercent(side["relative_sigma"], sigma / 1000 / side["length"].get<double>(),
                            what + " relative sigma");
    }
    // Gama has no orientation for a set of one direction, which the orientation absorbs whole.
    std::map<std::string, int> directions;
    for (const Json& o : adjust["observations"])
        if (o["kind"] == "direction") ++directions[o["station"].get<std::string>()];
    std::vector<Json> orientations;
    for (const Json& o : adjust["orientations"])
        if (directions[o["station"].get<std::string>()] > 1) orientations.push_back(o);
    const std::size_t first = gama.covariance.size() - gama.orientations.size();
    ASSERT_EQ(orientations.size(), gama.orientations.size());
    for (std::size_t i = 0; i < gama.orientations.size(); ++i) {
        const Json& ours = orientations[i];
        ASSERT_EQ(ours["station"], gama.orientations[i]);
        ExpectWithinPercent(ours["sigma_sec"],
                            std::sqrt(gama.covariance[first + i][first + i]) * kSecondsPerCc,
                            gama.orientations[i] + " orientation");
    }
}

// The record file at path adjusted by traverse and by gama-local, and the two compared.
void CrossCheck(const std::string& path) {
    TempDir dir;
    const std::string document = dir.File("network.xml");
    const ProgramRun run = RunTraverse({"--json", "adjust", path, "--gama", document});
    const Json adjust = Json::parse(run.out.substr(run.out.find('\n') + 1));
    ASSERT_EQ(adjust["status"], "adjusted") << run.err;

    const ProgramRun schema =
        RunCommand({"xmllint", "--noout", "--schema", GAMA_LOCAL_SCHEMA, document});
    EXPECT_EQ(schema.status, 0) << schema.err;

    const std::string output = dir.File("adjusted.xml");
    const ProgramRun gama = RunCommand({GAMA_LOCAL_EXECUTABLE, document, "--xml", output});
    const GamaSolution solution = ReadGamaSolution(ReadFileBytes(output));
    ASSERT_EQ(solution.error, "") << gama.out << gama.err;
    ComparePoints(adjust, solution);
    CompareObservations(adjust, solution);
    CompareSidesAndOrientations(adjust, solution);
}

class GamaOracle : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HaveGamaLocal())
            GTEST_SKIP()
                << "gama-local is not built: `make test-gama` builds it from ../shared/gama/";
        if (RunCommand({"xmllint", "--version"}).status != 0)
            GTEST_SKIP() << "xmllint is missing (libxml2-utils)";
    }
};

TEST_F(GamaOracle, Examples) {
    for (const char* example : {"connecting-traverse.xml", "traverse.xml"}) {
        SCOPED_TRACE(example);
        CrossCheck(std::string(TRAVERSE_EXAMPLES_DIR) + "/" + example);
    }
}

TEST_F(GamaOracle, GeneratedNetworks) {
    struct Shape {
        const char* name;
        SimulatedNetwork (*make)(int, std::mt19937_64&);
        int size;
    };
    const SimNoise noise{2.0, 3.0, 2.0, 10.0};
    for (const Shape& shape :
         {Shape{"connecting", ConnectingTraverse, 9}, Shape{"closed", ClosedLoop, 7},
          Shape{"braced", BracedTraverse, 10}, Shape{"intersection", ForwardIntersection, 5},
          Shape{"unoriented", UnorientedTraverse, 8}, Shape{"trilateration", Trilateration, 5},
          Shape{"free station", FreeStation, 4}}) {
        for (unsigned seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(std::string(shape.name) + " seed " + std::to_string(seed));
            std::mt19937_64 rng(seed);
            const SimulatedNetwork network = shape.make(shape.size, rng);
            TempDir dir;
            CrossCheck(dir.Write("network.xml", GbkRecordFile(network.RecordBody(noise, rng))));
        }
    }
}

}  // namespace
}  // namespace traverse
