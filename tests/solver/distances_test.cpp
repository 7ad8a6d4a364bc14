// Distances along every kind of longitudinal line and their inverse, the
// point at a distance; the distance to the previous point.
#include <gtest/gtest.h>

#include <cmath>

#include "bridgeplan/errors.hpp"
#include "layout/span_crossings.hpp"
#include "layout_fixture.hpp"
#include "solver/distances.hpp"
#include "solver/intersection_solver.hpp"

using namespace bp;
using namespace bp::testing;

namespace {

// Crosses line N with both bents as the span set-up does and returns its
// length between them.
double setUpLine(RunContext& ctx, int n, double d) {
    for (int slot : {BACK_BENT_SLOT, AHEAD_BENT_SLOT}) {
        crossBySpanState(ctx, slot, n, d);
        storeBentPoint(ctx, slot, n);
    }
    distanceAlongLine(ctx, n, d);
    ctx.spanLines.spanLength[n] = ctx.wp.distBent;
    return ctx.wp.distBent;
}

// The point at t and back again: DistanceAlongLine gives t.
void expectInverse(RunContext& ctx, int n, double d, double t, double tolerance = 1e-8) {
    pointAtDistance(ctx, n, t);
    EXPECT_DOUBLE_EQ(ctx.wp.distBent, t);
    distanceAlongLine(ctx, n, d);
    EXPECT_NEAR(ctx.wp.distBent, t, tolerance) << "line " << n << " at " << t;
}

void fixedLine(RunContext& ctx, int n, const LongitudinalLine& l) {
    ctx.lines[n] = l;
    ctx.lineCount = std::max(ctx.lineCount, n);
}

}   // namespace

TEST(Distances, StraightLines) {
    Layout l;
    RunContext& ctx = l.ctx;
    straightMainline(ctx);   // y = 100, station = x + 1000
    LongitudinalLine a;      // y = 110, running toward increasing stations
    a.form = 1;
    a.intercept = 110;
    a.cosDir = 1;
    a.normFactor = 1;
    fixedLine(ctx, 1, a);
    LongitudinalLine b = a;   // y = 90, its direction toward decreasing stations
    b.intercept = 90;
    b.direction = PI;
    b.cosDir = -1;
    fixedLine(ctx, 2, b);
    startSpan(ctx);
    transverseThrough(ctx, BACK_BENT_SLOT, 0, 0, HALF_PI);
    transverseThrough(ctx, AHEAD_BENT_SLOT, 100, 0, HALF_PI + 0.3);

    const double len = setUpLine(ctx, 1, 0);
    const double aheadX = 100 + 110 * std::cos(HALF_PI + 0.3) / std::sin(HALF_PI + 0.3);
    EXPECT_NEAR(len, aheadX, 1e-9);
    // PROP 0.5 from the back bent: half way between the bent points.
    pointAtDistance(ctx, 1, 0.5 * len);
    EXPECT_NEAR(ctx.wp.x, aheadX / 2, 1e-9);
    EXPECT_NEAR(ctx.wp.y, 110, 1e-9);
    EXPECT_NEAR(ctx.wp.station, 1000 + aheadX / 2, 1e-9);
    pointAtDistance(ctx, 1, len);
    EXPECT_NEAR(ctx.wp.x, ctx.spanLines.aheadPoint[1].x, 1e-9);
    expectInverse(ctx, 1, 0, 12.5);
    // Behind the back bent the chord is still positive.
    pointAtDistance(ctx, 1, -20);
    EXPECT_NEAR(ctx.wp.x, -20, 1e-9);
    distanceAlongLine(ctx, 1, 0);
    EXPECT_NEAR(ctx.wp.distBent, 20, 1e-9);

    // Line 2 points toward decreasing stations: a negative distance still
    // lies behind the back bent, a positive one ahead of it.
    setUpLine(ctx, 2, 0);
    pointAtDistance(ctx, 2, -20);
    EXPECT_NEAR(ctx.wp.x, -20, 1e-9);
    EXPECT_NEAR(ctx.wp.station, 980, 1e-9);
    EXPECT_DOUBLE_EQ(ctx.wp.distBent, -20);
    pointAtDistance(ctx, 2, 30);
    EXPECT_NEAR(ctx.wp.x, 30, 1e-9);
    EXPECT_DOUBLE_EQ(ctx.wp.distBent, 30);

    EXPECT_EQ(errorOf([&] { pointAtDistance(ctx, 0, 1); }), err::TRANSVERSE_LINE);
    EXPECT_EQ(errorOf([&] { pointAtDistance(ctx, 3, 1); }), err::TRANSVERSE_LINE);
    ctx.spanLines.spanForm[1] = -1;
    EXPECT_EQ(errorOf([&] { distanceAlongLine(ctx, 1, 0); }), err::INTERNAL);
}

TEST(Distances, Circles) {
    Layout l;
    RunContext& ctx = l.ctx;
    curvedMainline(ctx, 1000, 0, 3000, -1, -1, 0, 3000);
    LongitudinalLine arc;   // concentric, 10 ft outside the curve
    arc.form = 0;
    arc.radius = 1010;
    arc.radiusSq = 1010 * 1010;
    arc.dr = 10;
    arc.typeCode = Word("ARC");
    fixedLine(ctx, 1, arc);
    LongitudinalLine cos;   // R 500 about (0, 510), through (0, 1010)
    cos.form = 0;
    cos.slope = 0;
    cos.intercept = 510;
    cos.radius = 500;
    cos.radiusSq = 500 * 500;
    cos.dr = 10;
    cos.typeCode = Word("COS");
    fixedLine(ctx, 2, cos);
    startSpan(ctx);
    squareAt(ctx, BACK_BENT_SLOT, 800);
    squareAt(ctx, AHEAD_BENT_SLOT, 1200);

    EXPECT_NEAR(setUpLine(ctx, 1, 10), 0.4 * 1010, 1e-9);
    pointAtDistance(ctx, 1, 101);   // a tenth of a radian on: station 900
    EXPECT_NEAR(ctx.wp.station, 900, 1e-8);
    EXPECT_NEAR(ctx.wp.offset, 10, 1e-8);
    expectInverse(ctx, 1, 10, 250);
    expectInverse(ctx, 1, 10, -30);

    const double len = setUpLine(ctx, 2, 10);
    EXPECT_GT(len, 0);
    expectInverse(ctx, 2, 10, 0.3 * len);
    pointAtDistance(ctx, 2, len);
    EXPECT_NEAR(ctx.wp.x, ctx.spanLines.aheadPoint[2].x, 1e-8);
    EXPECT_NEAR(ctx.wp.y, ctx.spanLines.aheadPoint[2].y, 1e-8);
}

TEST(Distances, Spiral) {
    Layout l;
    RunContext& ctx = l.ctx;
    curvedMainline(ctx, 1000, 0, 3000, -1, -1, 0, 3000);
    LongitudinalLine s;   // r = 1010 + 100 (pi/2 - theta)
    s.state = 2;
    s.form = 0;
    s.slope = 100;
    s.radius = 1010;
    s.radiusSq = HALF_PI;
    s.intercept = SpiralArcLength(100, 1010);
    fixedLine(ctx, 1, s);
    startSpan(ctx);
    squareAt(ctx, BACK_BENT_SLOT, 900);
    squareAt(ctx, AHEAD_BENT_SLOT, 1300);

    const double len = setUpLine(ctx, 1, 0);
    // Radii 1000 and 1040 at the radial bents, 0.4 rad apart.
    EXPECT_NEAR(len, SpiralArcLength(100, 1040) - SpiralArcLength(100, 1000), 1e-9);
    pointAtDistance(ctx, 1, len);
    EXPECT_NEAR(ctx.wp.x, ctx.spanLines.aheadPoint[1].x, 1e-4);
    EXPECT_NEAR(ctx.wp.y, ctx.spanLines.aheadPoint[1].y, 1e-4);

    // The point at 150 ft, crossed again by a slot line through it.
    pointAtDistance(ctx, 1, 150);
    transverseThrough(ctx, 1, ctx.wp.x, ctx.wp.y, 0.3);
    spiralCrossing(ctx, 1, 1);
    EXPECT_NEAR(ctx.wp.distBent, 150, 1e-4);
    distanceAlongLine(ctx, 1, 0);
    EXPECT_NEAR(ctx.wp.distBent, 150, 1e-4);
}

TEST(Distances, LineFollowingTheMainline) {
    Layout l;
    RunContext& ctx = l.ctx;
    // R 1000 from P.C. 500 to P.T. 1500, tangents before and after.
    curvedMainline(ctx, 1000, 500, 1500);
    LongitudinalLine arc;
    arc.state = -1;
    arc.form = 0;
    arc.dr = 10;
    arc.typeCode = Word("ARC");
    fixedLine(ctx, 1, arc);
    startSpan(ctx);
    squareAt(ctx, BACK_BENT_SLOT, 300);
    squareAt(ctx, AHEAD_BENT_SLOT, 1200);

    // 200 ft of tangent, then 700 ft of station on the curve at R + 10.
    EXPECT_NEAR(setUpLine(ctx, 1, 10), 200 + 700 * 1.01, 1e-8);
    // 300 ft: 200 to the P.C., the other 100 ft are 100 R / (R + d) of station.
    pointAtDistance(ctx, 1, 300);
    EXPECT_NEAR(ctx.wp.station, 500 + 100 / 1.01, 1e-8);
    EXPECT_NEAR(ctx.wp.offset, 10, 1e-8);
    EXPECT_EQ(ctx.wp.piece, 2);
    expectInverse(ctx, 1, 10, 300);
    expectInverse(ctx, 1, 10, 150);
    expectInverse(ctx, 1, 10, 1400);   // beyond the P.T., past the ahead bent
    // Behind the back bent the distance is negative.
    pointAtDistance(ctx, 1, -50);
    EXPECT_NEAR(ctx.wp.station, 250, 1e-8);
    expectInverse(ctx, 1, 10, -50);
}

TEST(Distances, CompoundCurve) {
    Layout l;
    RunContext& ctx = l.ctx;
    // Radii 2000, 1000, 1500: every piece is a circle with its own ratio.
    curvedMainline(ctx, 1000, 500, 1500, 2000, 1500);
    LongitudinalLine arc;
    arc.state = -1;
    arc.form = 0;
    arc.dr = -8;
    arc.typeCode = Word("ARC");
    fixedLine(ctx, 1, arc);
    LongitudinalLine rlg = arc;   // 2 ft beside line 1: offset -6 in all
    rlg.typeCode = Word("RLG");
    rlg.refLine = 1;
    rlg.dr = 2;
    fixedLine(ctx, 2, rlg);
    startSpan(ctx);
    squareAt(ctx, BACK_BENT_SLOT, 300);
    squareAt(ctx, AHEAD_BENT_SLOT, 1700);

    const double len = setUpLine(ctx, 1, -8);
    EXPECT_NEAR(len, 200 * 1992.0 / 2000 + 1000 * 992.0 / 1000 + 200 * 1492.0 / 1500, 1e-8);
    pointAtDistance(ctx, 1, len);
    EXPECT_NEAR(ctx.wp.x, ctx.spanLines.aheadPoint[1].x, 1e-8);
    EXPECT_NEAR(ctx.wp.y, ctx.spanLines.aheadPoint[1].y, 1e-8);
    EXPECT_NEAR(ctx.wp.station, 1700, 1e-8);
    for (double t : {100.0, 199.0, 700.0, 1250.0, 1350.0}) expectInverse(ctx, 1, -8, t);

    const double len2 = setUpLine(ctx, 2, -6);
    EXPECT_NEAR(len2, 200 * 1994.0 / 2000 + 1000 * 994.0 / 1000 + 200 * 1494.0 / 1500, 1e-8);
    pointAtDistance(ctx, 2, 1300);
    EXPECT_NEAR(ctx.wp.offset, -6, 1e-8);
    for (double t : {150.0, 1300.0}) expectInverse(ctx, 2, -6, t);
}

TEST(Distances, ToThePreviousPoint) {
    Layout l;
    RunContext& ctx = l.ctx;
    ctx.transverse[1].skips[2] = 1;   // slot 1 has no point on line 3
    auto at = [&](double x, double y, int line) {
        ctx.wp.x = x;
        ctx.wp.y = y;
        distanceToPrevious(ctx, 1, line);
        return ctx.wp.distPrev;
    };
    ForgetPreviousPoints(ctx.spanLines);
    EXPECT_EQ(at(0, 0, 1), 0);   // line 1
    EXPECT_DOUBLE_EQ(at(3, 4, 2), 5);
    EXPECT_EQ(at(10, 10, 4), 0);   // after the skipped line 3
    EXPECT_DOUBLE_EQ(at(10, 20, 5), 10);
    // A new span: the first point reported on the slot measures nothing,
    // even when line 1 gets no table.
    ForgetPreviousPoints(ctx.spanLines);
    EXPECT_EQ(at(50, 50, 2), 0);
    EXPECT_DOUBLE_EQ(at(50, 53, 3), 3);
    ctx.transverse[1].skips[0] = -1;
    EXPECT_EQ(errorOf([&] { at(0, 0, 2); }), err::INTERNAL);
}
