// The coordinate reference system: positions and scale factors against GeographicLib's exact
// transverse Mercator, the reduction with --crs against the Gauss-plane formula, refusals.
#include <GeographicLib/TransverseMercatorExact.hpp>

#include <cmath>
#include <random>

#include <gtest/gtest.h>

#include "crs/projected_crs.h"
#include "support/adjust_record.h"
#include "support/simulated_network.h"
#include "traverse/code_page.h"
#include "traverse/language.h"

namespace traverse {
namespace {

// CGCS2000: GRS 80's axis, its own flattening; EPSG:4547 is its 3-degree zone of 114°E.
const GeographicLib::TransverseMercatorExact& Cgcs2000Exact() {
    static const GeographicLib::TransverseMercatorExact exact(6378137.0, 1 / 298.257222101, 1.0);
    return exact;
}

TEST(Crs, PositionScaleAndConvergenceAgreeWithGeographicLibExact) {
    std::string error;
    const auto crs = ProjectedCrs::Open("EPSG:4547", error);
    ASSERT_NE(crs, nullptr) << error;
    EXPECT_EQ(crs->Name(), "CGCS2000 / 3-degree Gauss-Kruger CM 114E");
    std::mt19937_64 rng(23);
    std::uniform_real_distribution<double> latitudes(18.0, 53.0), offsets(-1.6, 1.6);
    for (int i = 0; i < 200; ++i) {
        const double latitude = latitudes(rng), longitude = 114.0 + offsets(rng);
        double east = 0, north = 0, gamma = 0, k = 0;
        Cgcs2000Exact().Forward(114.0, latitude, longitude, east, north, gamma, k);
        const GeographicPosition at = crs->At(north, east + 500000.0);
        ASSERT_TRUE(at.valid);
        EXPECT_NEAR(at.latitude, latitude, 1e-9);
        EXPECT_NEAR(at.longitude, longitude, 1e-9);
        EXPECT_NEAR(at.scale, k, 1e-9);
        EXPECT_NEAR(at.convergence, gamma, 1e-9);
    }
}

// UTM is easting first, EPSG:4547 northing first: x stays north in both.
TEST(Crs, AxisOrderOfTheCrsDoesNotSwapNorthAndEast) {
    std::string error;
    const auto utm = ProjectedCrs::Open("EPSG:32650", error);
    const auto proj = ProjectedCrs::Open("+proj=utm +zone=50 +datum=WGS84", error);
    ASSERT_NE(utm, nullptr);
    ASSERT_NE(proj, nullptr) << error;
    const GeographicPosition a = utm->At(3512000.0, 400000.0), b = proj->At(3512000.0, 400000.0);
    EXPECT_NEAR(a.latitude, 31.74, 0.01);
    EXPECT_NEAR(a.longitude, 115.95, 0.01);
    EXPECT_NEAR(a.latitude, b.latitude, 1e-12);
    EXPECT_NEAR(a.longitude, b.longitude, 1e-12);
}

TEST(Crs, UnknownAndUnprojectedSystemsAreRefusedByName) {
    SetLanguage(Language::kEnglish);
    AdjustmentOptions options;
    for (const char* code : {"EPSG:4490", "EPSG:999999", "nonsense"}) {
        options.crs = code;
        const std::string reason = GbkToUtf8(CheckAdjustmentOptions(options));
        EXPECT_NE(reason.find(code), std::string::npos) << reason;
    }
    options.crs = "EPSG:4547";
    EXPECT_EQ(CheckAdjustmentOptions(options), "");
    options.yOffset = 500000.0;
    EXPECT_NE(CheckAdjustmentOptions(options), "");
    SetLanguage(Language::kChinese);
}

// A connecting traverse 100 km east of the central meridian, adjusted with the CRS and with the
// same false easting by the Gauss-plane formula on the radius of that latitude.
TEST(Crs, ReductionAgreesWithTheGaussPlaneFormulaAt100KmFromTheMeridian) {
    std::mt19937_64 rng(7);
    SimulatedNetwork network = ConnectingTraverse(6, rng);
    for (SimPoint& point : network.points) point.y += 120000.0;
    const std::string body = network.RecordBody(SimNoise{}, rng);
    std::string error;
    const auto crs = ProjectedCrs::Open("EPSG:4547", error);
    AdjustmentOptions withCrs;
    withCrs.crs = "EPSG:4547";
    withCrs.earthRadius = crs->GaussianRadius(crs->At(3500000.0, 600000.0).latitude);
    AdjustmentOptions withOffset = withCrs;
    withOffset.crs.clear();
    withOffset.surfaceHeight = 0.0;
    withOffset.yOffset = 500000.0;
    const AdjustmentResult a = AdjustRecordBody(body, withCrs),
                           b = AdjustRecordBody(body, withOffset);
    ASSERT_EQ(a.status, AdjustmentStatus::Adjusted) << a.error;
    ASSERT_EQ(b.status, AdjustmentStatus::Adjusted) << b.error;
    ASSERT_EQ(a.observations.size(), b.observations.size());
    int distances = 0;
    for (std::size_t i = 0; i < a.observations.size(); ++i) {
        if (a.observations[i].kind != ObservationKind::Distance) continue;
        ++distances;
        EXPECT_NEAR(a.observations[i].observedMetres, b.observations[i].observedMetres, 1e-4);
        // The reduction itself is real: about 1e-4 of the line near 100 km.
        EXPECT_GT(a.observations[i].observedMetres - a.observations[i].horizontalDistance,
                  0.5e-4 * a.observations[i].horizontalDistance);
    }
    EXPECT_GT(distances, 10);
    EXPECT_TRUE(a.settings.reducedWithCrs && !b.settings.reducedWithCrs);
    const std::string report = FormatAdjustmentReport(a);
    EXPECT_NE(report.find("3-degree Gauss-Kruger CM 114E"), std::string::npos);
    for (const AdjustedPoint& p : a.points) EXPECT_TRUE(p.hasGeographic) << p.name;
}

}  // namespace
}  // namespace traverse
