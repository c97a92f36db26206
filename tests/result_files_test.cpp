// The result files for GIS and CAD, written by the program and read back with GDAL's own drivers:
// every point and value as the JSON gives it, the CRS, the CAD layers and texts.
#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "support/run_program.h"
#include "support/temp_dir.h"
#include "traverse/code_page.h"

namespace traverse {
namespace {

using Json = nlohmann::json;

const std::string kNetwork = std::string(TRAVERSE_EXAMPLES_DIR) + "/connecting-traverse.xml";

struct Closer {
    void operator()(GDALDataset* dataset) const { GDALClose(dataset); }
};
using Dataset = std::unique_ptr<GDALDataset, Closer>;

Dataset OpenVector(const std::string& path) {
    GDALAllRegister();
    return Dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY));
}

// The adjust object of a --json run.
Json AdjustObject(const std::string& out) {
    std::size_t start = 0;
    while (start < out.size()) {
        const std::size_t end = out.find('\n', start);
        const Json object = Json::parse(out.substr(start, end - start));
        if (object.value("command", "") == "adjust") return object;
        start = end + 1;
    }
    return Json();
}

std::map<std::string, OGRFeature*> ByField(OGRLayer& layer, const char* field,
                                           std::vector<std::unique_ptr<OGRFeature>>& keep) {
    std::map<std::string, OGRFeature*> features;
    layer.ResetReading();
    while (OGRFeature* feature = layer.GetNextFeature()) {
        keep.emplace_back(feature);
        features[feature->GetFieldAsString(field)] = feature;
    }
    return features;
}

class ResultFiles : public ::testing::Test {
protected:
    void SetUp() override {
        const ProgramRun run = RunTraverse(
            {"--json", "adjust", kNetwork, "--crs", "EPSG:4547", "-o", dir.File("a.gpkg"), "-o",
             dir.File("a.geojson"), "-o", dir.File("a.DXF"), "-o", dir.File("a.dat"), "-o",
             dir.File("a.csv"), "--sides", dir.File("sides.csv")});
        ASSERT_EQ(run.status, 0) << run.err;
        adjust = AdjustObject(run.out);
        ASSERT_EQ(adjust["settings"]["reduction"], "crs");
    }

    TempDir dir;
    Json adjust;
};

TEST_F(ResultFiles, GeoPackageHoldsEveryPointObservationEllipseAndTraverseInTheCrs) {
    const Dataset gpkg = OpenVector(dir.File("a.gpkg"));
    ASSERT_NE(gpkg, nullptr);
    OGRLayer* points = gpkg->GetLayerByName("points");
    ASSERT_NE(points, nullptr);
    EXPECT_STREQ(points->GetSpatialRef()->GetAuthorityCode(nullptr), "4547");
    std::vector<std::unique_ptr<OGRFeature>> keep;
    const auto byName = ByField(*points, "name", keep);
    ASSERT_EQ(byName.size(), adjust["points"].size());
    for (const Json& p : adjust["points"]) {
        OGRFeature* f = byName.at(p["name"].get<std::string>());
        const OGRPoint* at = f->GetGeometryRef()->toPoint();
        EXPECT_DOUBLE_EQ(at->getX(), p["y"].get<double>());
        EXPECT_DOUBLE_EQ(at->getY(), p["x"].get<double>());
        for (const char* key : {"x", "y", "h", "latitude", "longitude", "ellipse_a_mm"}) {
            if (p["plane"] == "fixed" && std::string(key) == "ellipse_a_mm") continue;
            EXPECT_DOUBLE_EQ(f->GetFieldAsDouble(key), p[key].get<double>()) << key;
        }
        EXPECT_EQ(f->GetFieldAsString("plane"), p["plane"].get<std::string>());
    }
    EXPECT_EQ(gpkg->GetLayerByName("observations")->GetFeatureCount(),
              static_cast<GIntBig>(adjust["observations"].size()));
    EXPECT_EQ(gpkg->GetLayerByName("ellipses")->GetFeatureCount(), 6);
    OGRLayer* traverses = gpkg->GetLayerByName("traverses");
    const auto closures = ByField(*traverses, "stations", keep);
    ASSERT_EQ(closures.size(), adjust["closures"]["traverses"].size());
    const Json& first = adjust["closures"]["traverses"][0];
    EXPECT_DOUBLE_EQ(closures.begin()->second->GetFieldAsDouble("f_beta"),
                     first["f_beta"].get<double>());
}

TEST_F(ResultFiles, GeoJsonIsInWgs84LongitudeLatitude) {
    const Dataset geojson = OpenVector(dir.File("a.geojson"));
    ASSERT_NE(geojson, nullptr);
    OGRLayer* layer = geojson->GetLayer(0);
    EXPECT_STREQ(layer->GetSpatialRef()->GetAuthorityCode(nullptr), "4326");
    std::vector<std::unique_ptr<OGRFeature>> keep;
    std::map<std::string, int> perLayer;
    std::map<std::string, OGRFeature*> points;
    while (OGRFeature* feature = layer->GetNextFeature()) {
        keep.emplace_back(feature);
        const std::string kind = feature->GetFieldAsString("layer");
        ++perLayer[kind];
        if (kind == "points") points[feature->GetFieldAsString("name")] = feature;
    }
    EXPECT_EQ(perLayer["observations"], static_cast<int>(adjust["observations"].size()));
    EXPECT_EQ(perLayer["ellipses"], 6);
    EXPECT_EQ(perLayer["traverses"], 1);
    ASSERT_EQ(points.size(), adjust["points"].size());
    for (const Json& p : adjust["points"]) {
        // CGCS2000 and WGS 84 are one within PROJ's null transformation between them.
        const OGRPoint* at = points.at(p["name"])->GetGeometryRef()->toPoint();
        EXPECT_NEAR(at->getX(), p["longitude"].get<double>(), 1e-9);
        EXPECT_NEAR(at->getY(), p["latitude"].get<double>(), 1e-9);
        EXPECT_DOUBLE_EQ(points.at(p["name"])->GetFieldAsDouble("sigma_p_mm"),
                         p["plane"] == "fixed" ? 0.0 : p["sigma_p_mm"].get<double>());
    }
}

TEST_F(ResultFiles, DxfHasItsCadLayersNamesAsTextsAndHeightsAsZ) {
    const Dataset dxf = OpenVector(dir.File("a.DXF"));
    ASSERT_NE(dxf, nullptr);
    std::vector<std::unique_ptr<OGRFeature>> keep;
    std::map<std::string, int> perLayer;
    std::map<std::string, OGRFeature*> texts;
    OGRLayer* entities = dxf->GetLayer(0);
    while (OGRFeature* feature = entities->GetNextFeature()) {
        keep.emplace_back(feature);
        const std::string layer = feature->GetFieldAsString("Layer");
        ++perLayer[layer];
        if (layer == "names") texts[feature->GetFieldAsString("Text")] = feature;
    }
    EXPECT_EQ(perLayer["known_points"], 4);
    EXPECT_EQ(perLayer["new_points"], 6);
    EXPECT_EQ(perLayer["ellipses"], 6);
    EXPECT_EQ(perLayer["closures"], 2);  // the traverse and its closure text
    EXPECT_GT(perLayer["sightlines"], 8);
    ASSERT_EQ(texts.size(), adjust["points"].size());
    for (const Json& p : adjust["points"]) {
        const OGRPoint* at = texts.at(p["name"])->GetGeometryRef()->toPoint();
        EXPECT_NEAR(at->getX(), p["y"].get<double>(), 1e-6);  // X east
        EXPECT_NEAR(at->getY(), p["x"].get<double>(), 1e-6);  // Y north
        EXPECT_NEAR(at->getZ(), p["h"].get<double>(), 1e-6);
    }
}

TEST_F(ResultFiles, DatIsTheGbkCoordinateListEastFirstAndNothingElseIsLeftBehind) {
    const std::string dat = ReadFileBytes(dir.File("a.dat"));
    std::string expected;
    for (const Json& p : adjust["points"]) {
        char line[200];
        std::snprintf(line, sizeof line, ",,%.4f,%.4f,%.4f\r\n", p["y"].get<double>(),
                      p["x"].get<double>(), p["h"].get<double>());
        expected += Utf8ToGbk(p["name"].get<std::string>()) + line;
    }
    EXPECT_EQ(dat, expected);
    const std::string csv = ReadFileBytes(dir.File("a.csv"));
    EXPECT_EQ(csv.rfind("name,x,y,h,sigma_x_mm,sigma_y_mm,sigma_h_mm,plane,height,sigma_p_mm,"
                        "ellipse_a_mm,ellipse_b_mm,ellipse_azimuth_deg,latitude,longitude,"
                        "convergence_deg\r\n", 0), 0u);
    char latitude[40];
    std::snprintf(latitude, sizeof latitude, ",%.10f,",
                  adjust["points"][0]["latitude"].get<double>());
    EXPECT_NE(csv.find(latitude), std::string::npos);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
        ++files;
    }
    EXPECT_EQ(files, 6);  // five result files and the sides
}

// Both CSV files through GDAL's CSV reader: every point's and every side's figures as the JSON
// gives them (to the digits the file keeps), names GBK.
TEST_F(ResultFiles, CsvFilesReadByGdalHoldThePointsAndSides) {
    const Dataset points = OpenVector(dir.File("a.csv"));
    const Dataset sides = OpenVector(dir.File("sides.csv"));
    ASSERT_TRUE(points && sides);
    std::vector<std::unique_ptr<OGRFeature>> keep;
    std::map<std::string, OGRFeature*> byName = ByField(*points->GetLayer(0), "name", keep);
    ASSERT_EQ(byName.size(), adjust["points"].size());
    for (const Json& p : adjust["points"]) {
        const OGRFeature* f = byName.at(Utf8ToGbk(p["name"].get<std::string>()));
        EXPECT_NEAR(f->GetFieldAsDouble("x"), p["x"].get<double>(), 5e-5);
        EXPECT_NEAR(f->GetFieldAsDouble("y"), p["y"].get<double>(), 5e-5);
        EXPECT_NEAR(f->GetFieldAsDouble("sigma_p_mm"), p["sigma_p_mm"].get<double>(), 5e-3);
        EXPECT_NEAR(f->GetFieldAsDouble("latitude"), p["latitude"].get<double>(), 1e-9);
    }
    OGRLayer& sideLayer = *sides->GetLayer(0);
    ASSERT_EQ(sideLayer.GetFeatureCount(), static_cast<GIntBig>(adjust["sides"].size()));
    sideLayer.ResetReading();
    for (const Json& side : adjust["sides"]) {
        const std::unique_ptr<OGRFeature> f(sideLayer.GetNextFeature());
        ASSERT_TRUE(f);
        EXPECT_EQ(GbkToUtf8(f->GetFieldAsString("from")), side["from"]);
        EXPECT_EQ(GbkToUtf8(f->GetFieldAsString("to")), side["to"]);
        EXPECT_NEAR(f->GetFieldAsDouble("length"), side["length"].get<double>(), 5e-5);
        EXPECT_NEAR(f->GetFieldAsDouble("sigma_length_mm"), side["sigma_length_mm"].get<double>(),
                    5e-3);
    }
}

TEST(ResultFileFaults, AFileThatCannotBeWrittenIsNamedAndTheOthersStillCome) {
    TempDir dir;
    const std::string missing = dir.File("no/such/folder/a.gpkg");
    const ProgramRun run =
        RunTraverse({"--lang", "en", "report", kNetwork, "--crs", "EPSG:4547", "-o",
                     dir.File("page.html"), "-o", missing, "-o", dir.File("b.geojson")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(missing), std::string::npos) << run.err;
    EXPECT_NE(ReadFileBytes(dir.File("page.html")).find("latitude"), std::string::npos);
    EXPECT_NE(OpenVector(dir.File("b.geojson")), nullptr);
    const ProgramRun unknown = RunTraverse({"adjust", kNetwork, "--crs", "EPSG:4326"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("EPSG:4326"), std::string::npos);
}

}  // namespace
}  // namespace traverse
