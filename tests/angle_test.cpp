// Conversions between arc seconds and radians, the turn of a face-right direction, and the plain
// mean of a face-left/face-right pair: hosts rely on their exact results.
#include <gtest/gtest.h>

#include "traverse/angle.h"

namespace traverse {
namespace {

TEST(AngleConstants, AreTheDoublesNearestTheirValues) {
    EXPECT_EQ(PI, 3.141592653589793);
    EXPECT_EQ(TWO_PI, 2 * PI);
    EXPECT_EQ(RAD_PER_SECOND, 4.84813681109536e-06);
    EXPECT_EQ(SECONDS_PER_RAD, 206264.80624709636);
}

TEST(SecondToRad, MultipliesByTheStoredFactor) {
    EXPECT_EQ(SecondToRad(3600), 0.017453292519943295);
    EXPECT_EQ(SecondToRad(648000), 3.141592653589793);
    EXPECT_EQ(SecondToRad(0), 0.0);
    EXPECT_EQ(SecondToRad(-1), -RAD_PER_SECOND);
}

TEST(RadToSecond, MultipliesByTheStoredFactor) {
    EXPECT_EQ(RadToSecond(3.141592653589793), 648000.0);
    EXPECT_EQ(RadToSecond(1.0), SECONDS_PER_RAD);
    EXPECT_EQ(RadToSecond(-PI), -648000.0);
}

TEST(RightAngleToLeftAngle, TurnsByHalfACircleAndReducesOnce) {
    EXPECT_EQ(RightAngleToLeftAngle(0), PI);
    // pi + pi equals the 2*pi constant, which is not less than 2*pi.
    EXPECT_EQ(RightAngleToLeftAngle(PI), 0.0);
    EXPECT_EQ(RightAngleToLeftAngle(TWO_PI), PI);
    EXPECT_EQ(RightAngleToLeftAngle(3.0), 6.141592653589793);
    EXPECT_EQ(RightAngleToLeftAngle(3.2), 0.05840734641020706);
}

TEST(RightAngleToLeftAngle, LeavesOutOfRangeResultsAfterOneReduction) {
    EXPECT_EQ(RightAngleToLeftAngle(-PI / 2), PI / 2);
    // Negative results are not raised by 2*pi.
    EXPECT_EQ(RightAngleToLeftAngle(-3 * PI / 2), -PI / 2);
    // Still 2*pi or more after one reduction: not reduced again.
    EXPECT_EQ(RightAngleToLeftAngle(10.0), 6.858407346410207);
}

TEST(GetAngle, IsThePlainMeanOfLeftAndTurnedRight) {
    EXPECT_NEAR(GetAngle(90.0, 270.0), PI / 2, 1e-12);
    EXPECT_NEAR(GetAngle(0.0, 180.0), 0.0, 1e-12);
    EXPECT_NEAR(GetAngle(45.3020, 225.3030), (45.0 + 30.0 / 60 + 25.0 / 3600) * PI / 180, 1e-12);
}

TEST(GetAngle, MakesNoCorrectionAtTheSeam) {
    // 2*pi - 10" and 10" average to pi, not to 0.
    EXPECT_NEAR(GetAngle(359.5950, 180.0010), PI, 1e-12);
}

}  // namespace
}  // namespace traverse
