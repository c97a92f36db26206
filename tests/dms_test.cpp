// Packed degrees.minutes-seconds: the digits read exactly, the carries, the round trip.
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "traverse/angle.h"
#include "traverse/dms.h"
#include "traverse/split_string.h"

namespace traverse {
namespace {

// Arc seconds of a radian value, for comparisons in the unit the tolerances use.
double Seconds(double radians) { return radians * 648000.0 / 3.14159265358979323846; }

std::string Printed(double dms) {
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", dms);
    return text;
}

TEST(DmsToRadian, ReadsMinuteAndSecondDigitsExactly) {
    struct Case {
        double dms;
        double seconds;
    };
    const Case cases[] = {
        {180.0010, 648010.0},   {180.5900, 651540.0},     {0.5959, 3599.0},
        {359.5959, 1295999.0},  {123.4530, 445530.0},     {45.302, 163820.0},
        {0.000001, 0.01},       {89.595999, 323999.99},   {10.0, 36000.0},
        {0.0, 0.0},             {272.0010, 979210.0},     {90.3, 325800.0},
    };
    for (const Case& c : cases) {
        // 1e-9" plus what the radian double itself can resolve at that size.
        EXPECT_NEAR(Seconds(DmsToRadian(c.dms)), c.seconds, 1e-9 + c.seconds * 4e-16) << c.dms;
    }
}

TEST(DmsToRadian, NegativeAnglesMirrorPositiveOnes) {
    for (double dms : {0.0010, 12.3456, 180.5900, 359.5959}) {
        EXPECT_EQ(DmsToRadian(-dms), -DmsToRadian(dms)) << dms;
        EXPECT_EQ(RadianToDms(-DmsToRadian(dms)), -RadianToDms(DmsToRadian(dms))) << dms;
    }
}

TEST(DmsToRadian, NonFiniteValuesPassThrough) {
    EXPECT_TRUE(std::isnan(DmsToRadian(NAN)));
    EXPECT_EQ(DmsToRadian(INFINITY), INFINITY);
    EXPECT_TRUE(std::isnan(RadianToDms(NAN)));
    EXPECT_EQ(RadianToDms(-INFINITY), -INFINITY);
}

TEST(RadianToDms, CarriesAtSixty) {
    // 59.999999" rounds up: never 60 seconds or 60 minutes in the packed form.
    EXPECT_EQ(Printed(RadianToDms(SecondToRad(59.999999))), "0.010000");
    EXPECT_EQ(Printed(RadianToDms(SecondToRad(3599.999999))), "1.000000");
    EXPECT_EQ(Printed(RadianToDms(SecondToRad(1295999.999999))), "360.000000");
    EXPECT_EQ(Printed(RadianToDms(SecondToRad(86399.999999))), "24.000000");
    EXPECT_EQ(Printed(RadianToDms(SecondToRad(119.99))), "0.015999");
}

TEST(RadianToDms, PacksKnownAngles) {
    EXPECT_EQ(Printed(RadianToDms(PI)), "180.000000");
    EXPECT_EQ(Printed(RadianToDms(HALF_PI)), "90.000000");
    EXPECT_EQ(Printed(RadianToDms(SecondToRad(325800.0))), "90.300000");
    EXPECT_EQ(Printed(RadianToDms(SecondToRad(316795.0))), "87.595500");
    EXPECT_EQ(Printed(RadianToDms(SecondToRad(0.01))), "0.000001");
}

TEST(RadianToDms, RoundTripKeepsSixDecimalsForEveryValidAngle) {
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<long> degrees(0, 359);
    std::uniform_int_distribution<long> minutes(0, 59);
    std::uniform_int_distribution<long> hundredths(0, 5999);  // seconds with two decimals
    for (int i = 0; i < 200000; ++i) {
        char text[32];
        const long s = hundredths(random);
        std::snprintf(text, sizeof text, "%ld.%02ld%02ld%02ld", degrees(random), minutes(random),
                      s / 100, s % 100);
        const double dms = std::strtod(text, nullptr);
        ASSERT_EQ(Printed(RadianToDms(DmsToRadian(dms))), text) << text;
    }
}

TEST(RadianToDms, RoundTripAtTheEdgesOfEveryField) {
    for (long d : {0L, 1L, 89L, 90L, 179L, 180L, 269L, 359L}) {
        for (long m : {0L, 1L, 29L, 30L, 58L, 59L}) {
            for (long s : {0L, 1L, 99L, 100L, 5899L, 5999L}) {
                char text[32];
                std::snprintf(text, sizeof text, "%ld.%02ld%02ld%02ld", d, m, s / 100, s % 100);
                EXPECT_EQ(Printed(RadianToDms(DmsToRadian(std::strtod(text, nullptr)))), text);
            }
        }
    }
}

TEST(SplitString, DropsEmptyPiecesWithFlagZero) {
    std::vector<std::string> parts;
    SplitString("12.345 12.347", " ", parts, 0);
    EXPECT_EQ(parts, (std::vector<std::string>{"12.345", "12.347"}));
    parts.clear();
    SplitString("  1  2 ", " ", parts, 0);
    EXPECT_EQ(parts, (std::vector<std::string>{"1", "2"}));
    parts.clear();
    SplitString("", " ", parts, 0);
    EXPECT_TRUE(parts.empty());
}

TEST(SplitString, KeepsEmptyPiecesWithOtherFlagsAndAppends) {
    std::vector<std::string> parts{"x"};
    SplitString(" a  b", " ", parts, 1);
    EXPECT_EQ(parts, (std::vector<std::string>{"x", "", "a", "", "b"}));
}

}  // namespace
}  // namespace traverse
