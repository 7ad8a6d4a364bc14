// The reduction of an angle by whole turns into (-pi, pi] at its edges:
// signed zeros, the half turns, three half turns, and angles so large that
// only an exact remainder keeps any of their value. The expected values of
// the large angles come from an independent exact remainder (Python's
// math.remainder with the same pi).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "bridgeplan/constants.hpp"
#include "bridgeplan/half_turn.hpp"

using namespace bp;

TEST(HalfTurn, ZerosKeepTheirSignAndHalfTurnsBecomePlusPi) {
    EXPECT_EQ(reduceToHalfTurn(0.0), 0.0);
    EXPECT_FALSE(std::signbit(reduceToHalfTurn(0.0)));
    EXPECT_TRUE(std::signbit(reduceToHalfTurn(-0.0)));
    EXPECT_EQ(reduceToHalfTurn(PI), PI);
    EXPECT_EQ(reduceToHalfTurn(-PI), PI);
    EXPECT_EQ(reduceToHalfTurn(2.0 * PI), 0.0);
    EXPECT_EQ(reduceToHalfTurn(-2.0 * PI), 0.0);
    // Inside the half turn an angle is returned bit for bit.
    for (double a :
         {1e-300, -1e-300, 1.0, -1.0, HALF_PI, -HALF_PI, std::nextafter(PI, 0.0), std::nextafter(-PI, 0.0)})
        EXPECT_EQ(reduceToHalfTurn(a), a) << a;
}

TEST(HalfTurn, ThreeHalfTurnsAndHugeAnglesAreReducedExactly) {
    // 3 PI in doubles lies a hair below three half turns: the nearest whole
    // number of turns is 2, and the remainder (exact by Sterbenz) is just
    // inside -pi; mirrored for -3 PI.
    const double three = 3.0 * PI;
    EXPECT_EQ(reduceToHalfTurn(three), three - 4.0 * PI);
    EXPECT_GT(reduceToHalfTurn(three), -PI);
    EXPECT_EQ(reduceToHalfTurn(-three), -three + 4.0 * PI);
    EXPECT_LE(reduceToHalfTurn(-three), PI);
    EXPECT_EQ(reduceToHalfTurn(7.5), 1.216814692820412);
    EXPECT_EQ(reduceToHalfTurn(-7.5), -1.216814692820412);
    EXPECT_EQ(reduceToHalfTurn(1e16), -0.1899172844421546);
    EXPECT_EQ(reduceToHalfTurn(1e300), 1.1322506681973703);
    EXPECT_EQ(reduceToHalfTurn(-1e300), -1.1322506681973703);
    const double big = std::numeric_limits<double>::max();
    EXPECT_GT(reduceToHalfTurn(big), -PI);
    EXPECT_LE(reduceToHalfTurn(big), PI);
    EXPECT_TRUE(std::isnan(reduceToHalfTurn(std::numeric_limits<double>::infinity())));
    EXPECT_TRUE(std::isnan(reduceToHalfTurn(std::nan(""))));
}
