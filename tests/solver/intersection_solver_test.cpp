// Crossings of transverse lines with straight lines, circles, spirals and
// the mainline moved sideways, checked against hand geometry.
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

// Fixed straight line N: y = m x + b (form 1) or x = m y + b (form 2).
void straightLine(RunContext& ctx, int n, int form, double m, double b, double direction) {
    LongitudinalLine& l = ctx.lines[n];
    l.state = 0;
    l.form = form;
    l.slope = m;
    l.intercept = b;
    l.direction = direction;
    l.cosDir = std::cos(direction);
    l.sinDir = std::sin(direction);
    l.normFactor = std::sqrt(1 + m * m);
    ctx.lineCount = std::max(ctx.lineCount, n);
}

void circleLine(RunContext& ctx, int n, double xc, double yc, double r) {
    LongitudinalLine& l = ctx.lines[n];
    l.state = 0;
    l.form = 0;
    l.slope = xc;
    l.intercept = yc;
    l.radius = r;
    l.radiusSq = r * r;
    ctx.lineCount = std::max(ctx.lineCount, n);
}

// A tapered line about the main curve: rate a, radius r0 at direction theta0.
void spiralLine(RunContext& ctx, int n, double a, double r0, double theta0) {
    LongitudinalLine& l = ctx.lines[n];
    l.state = 2;
    l.form = 0;
    l.slope = a;
    l.radius = r0;
    l.radiusSq = theta0;
    l.intercept = SpiralArcLength(a, r0);
    ctx.lineCount = std::max(ctx.lineCount, n);
}

}   // namespace

TEST(Crossings, StraightLines) {
    Layout l;
    RunContext& ctx = l.ctx;
    straightMainline(ctx);                // y = 100, station = x + 1000
    straightLine(ctx, 1, 1, 0, 110, 0);   // 10 ft left of the mainline
    startSpan(ctx);

    transverseThrough(ctx, 1, 50, 0, HALF_PI);   // x = 50, form 2
    crossLongitudinalLine(ctx, 1, 1);
    crossingAngle(ctx, 1, 1);
    EXPECT_NEAR(ctx.wp.x, 50, 1e-9);
    EXPECT_NEAR(ctx.wp.y, 110, 1e-9);
    EXPECT_NEAR(ctx.wp.station, 1050, 1e-9);
    EXPECT_NEAR(ctx.wp.offset, 10, 1e-9);
    EXPECT_EQ(ctx.wp.piece, 2);
    EXPECT_NEAR(ctx.wp.angle, HALF_PI, 1e-12);   // square to a straight line
    EXPECT_NEAR(ctx.wp.normal, HALF_PI, 1e-12);

    transverseThrough(ctx, 2, 0, 0, PI / 4);   // y = x, form 1 like the line
    crossLongitudinalLine(ctx, 2, 1);
    crossingAngle(ctx, 2, 1);
    EXPECT_NEAR(ctx.wp.x, 110, 1e-9);
    EXPECT_NEAR(ctx.wp.y, 110, 1e-9);
    EXPECT_NEAR(ctx.wp.angle, PI / 4, 1e-12);

    // A line of each form crossing: y = 2x - 6 held as x = 0.5 y + 3, and
    // the slot y = -x held in form 1.
    straightLine(ctx, 2, 2, 0.5, 3, std::atan(2.0));
    startSpan(ctx);
    ctx.transverse[3].form = 1;
    ctx.transverse[3].slope = -1;
    ctx.transverse[3].intercept = 0;
    crossLongitudinalLine(ctx, 3, 2);
    EXPECT_NEAR(ctx.wp.x, 2, 1e-12);
    EXPECT_NEAR(ctx.wp.y, -2, 1e-12);

    // Parallel lines of the same form and of different forms.
    transverseThrough(ctx, 4, 0, 50, 0);   // y = 50
    EXPECT_EQ(errorOf([&] { crossLongitudinalLine(ctx, 4, 1); }), err::NO_CROSSING);
    ctx.transverse[5].form = 1;   // y = 2x
    ctx.transverse[5].slope = 2;
    ctx.transverse[5].intercept = 0;
    EXPECT_EQ(errorOf([&] { crossLongitudinalLine(ctx, 5, 2); }), err::NO_CROSSING);

    // A line with no geometry in the span.
    ctx.spanLines.spanForm[1] = -1;
    EXPECT_EQ(errorOf([&] { crossLongitudinalLine(ctx, 1, 1); }), err::INTERNAL);
}

TEST(Crossings, CircleRoots) {
    Layout l;
    RunContext& ctx = l.ctx;
    // A single curve R 1000 about the origin, stations 0 to 2000; station
    // 1000 at (0, 1000). The circle line lies 10 ft outside it.
    curvedMainline(ctx, 1000, 0, 2000, -1, -1, 0, 2000);
    circleLine(ctx, 1, 0, 0, 1010);
    startSpan(ctx);

    transverseThrough(ctx, 1, 0, 0, HALF_PI);   // the radius at station 1000
    crossLongitudinalLine(ctx, 1, 1);
    crossingAngle(ctx, 1, 1);
    EXPECT_NEAR(ctx.wp.x, 0, 1e-9);
    EXPECT_NEAR(ctx.wp.y, 1010, 1e-9);
    EXPECT_NEAR(ctx.wp.station, 1000, 1e-9);
    EXPECT_NEAR(ctx.wp.offset, 10, 1e-9);
    EXPECT_NEAR(ctx.wp.angle, 0, 1e-12);   // square to a circle
    EXPECT_NEAR(ctx.wp.normal, HALF_PI, 1e-12);

    // Lines through the centre have both crossings equally near their own
    // point: the first root, then the range rule, decide.
    // The first root at 45 degrees lies at station 1785.4: it stands.
    transverseThrough(ctx, 2, 0, 0, PI / 4);
    crossLongitudinalLine(ctx, 2, 1);
    EXPECT_NEAR(ctx.wp.x, 1010 / std::sqrt(2.0), 1e-9);
    EXPECT_NEAR(ctx.wp.station, 1000 + 1000 * PI / 4, 1e-6);
    EXPECT_EQ(ctx.wp.rangeFlag, 0);

    // y = 0: the first root (1010, 0) lies at station 2570.8, beyond the
    // ahead station, so the second root (-1010, 0) stands although its
    // station -570.8 lies outside too.
    transverseThrough(ctx, 3, 0, 0, 0);
    crossLongitudinalLine(ctx, 3, 1);
    EXPECT_NEAR(ctx.wp.x, -1010, 1e-9);
    EXPECT_NEAR(ctx.wp.y, 0, 1e-9);
    EXPECT_NEAR(ctx.wp.station, 1000 - 1000 * HALF_PI, 1e-6);
    EXPECT_EQ(ctx.wp.rangeFlag, -1);

    // A line that misses the circle.
    transverseThrough(ctx, 4, 0, 2000, 0);
    EXPECT_EQ(errorOf([&] { crossLongitudinalLine(ctx, 4, 1); }), err::NO_CROSSING);

    // y = 1000 built through (-50, 1000) cuts the circle at x = +-141.77;
    // both lie within the stations, and the one nearer to the line's own
    // point stands although it is the second root. Built through (50, 1000)
    // the same line takes the other one.
    const double half = std::sqrt(1010.0 * 1010.0 - 1000.0 * 1000.0);
    for (double side : {-1.0, 1.0}) {
        transverseThrough(ctx, 5, 50 * side, 1000, 0);
        crossLongitudinalLine(ctx, 5, 1);
        crossingAngle(ctx, 5, 1);
        EXPECT_NEAR(ctx.wp.x, side * half, 1e-9);
        EXPECT_NEAR(ctx.wp.y, 1000, 1e-9);
        EXPECT_NEAR(ctx.wp.station, 1000 + side * 1000 * std::atan(half / 1000), 1e-6);
        EXPECT_EQ(ctx.wp.rangeFlag, 0);
        EXPECT_NEAR(ctx.wp.offset, 10, 1e-9);
    }
    // The same bent turned the other way (direction + pi) is the same line
    // through the same point: the same crossing.
    transverseThrough(ctx, 6, -50, 1000, PI);
    crossLongitudinalLine(ctx, 6, 1);
    EXPECT_NEAR(ctx.wp.x, -half, 1e-9);
}

TEST(Crossings, OffsetMainlineAcrossPieces) {
    Layout l;
    RunContext& ctx = l.ctx;
    // R 1000 from P.C. 500 to P.T. 1500 with tangents on both sides.
    curvedMainline(ctx, 1000, 500, 1500);

    // Station 300 lies on the back tangent: piece 2 (the circle R + 10) is
    // tried first and refused, piece 1 takes it.
    const MainlinePoint p = squareAt(ctx, 1, 300);
    crossOffsetMainline(ctx, 1, 10);
    EXPECT_EQ(ctx.wp.piece, 1);
    EXPECT_NEAR(ctx.wp.station, 300, 1e-8);
    EXPECT_NEAR(ctx.wp.offset, 10, 1e-8);
    EXPECT_NEAR(ctx.wp.x, p.x + 10 * std::cos(p.theta), 1e-8);
    EXPECT_NEAR(ctx.wp.y, p.y + 10 * std::sin(p.theta), 1e-8);
    EXPECT_NEAR(ctx.wp.angle, HALF_PI, 1e-12);   // square to the tangent

    // Station 700 on the curve.
    const MainlinePoint q = squareAt(ctx, 2, 700);
    crossOffsetMainline(ctx, 2, 10);
    EXPECT_EQ(ctx.wp.piece, 2);
    EXPECT_NEAR(ctx.wp.station, 700, 1e-8);
    EXPECT_NEAR(ctx.wp.x, 1010 * std::cos(q.theta), 1e-8);
    EXPECT_NEAR(ctx.wp.angle, 0, 1e-12);   // square to the curve
    EXPECT_NEAR(ctx.wp.normal, q.theta, 1e-12);

    // Far out on the back tangent the slot line misses the circle R + 10
    // altogether; piece 1 still takes it.
    squareAt(ctx, 3, -900);
    crossOffsetMainline(ctx, 3, 10);
    EXPECT_EQ(ctx.wp.piece, 1);
    EXPECT_NEAR(ctx.wp.station, -900, 1e-7);

    // A square line at 520, just after the P.C.: the far crossing of the
    // circle R + 10, on the other side of the curve, projects onto no
    // piece; the near one lies on the curve and is accepted.
    const MainlinePoint near = squareAt(ctx, 4, 520);
    crossOffsetMainline(ctx, 4, 10);
    EXPECT_EQ(ctx.wp.piece, 2);
    EXPECT_NEAR(ctx.wp.station, 520, 1e-8);
    EXPECT_NEAR(ctx.wp.x, 1010 * std::cos(near.theta), 1e-8);
    // Built through the mainline point at 520 with the opposite direction:
    // the same line, the same crossing.
    transverseThrough(ctx, 5, near.x, near.y, near.theta + PI);
    crossOffsetMainline(ctx, 5, 10);
    EXPECT_NEAR(ctx.wp.station, 520, 1e-8);

    // No back piece: pieces 2 and 3 only.
    Layout m;
    curvedMainline(m.ctx, 1000, 500, 1500, -1, 0);
    const MainlinePoint r = squareAt(m.ctx, 1, 1800);
    crossOffsetMainline(m.ctx, 1, -5);
    EXPECT_EQ(m.ctx.wp.piece, 3);
    EXPECT_NEAR(m.ctx.wp.station, 1800, 1e-8);
    EXPECT_NEAR(m.ctx.wp.offset, -5, 1e-8);
    EXPECT_NEAR(m.ctx.wp.x, r.x - 5 * std::cos(r.theta), 1e-8);

    // A slot line parallel to a single straight mainline crosses nothing.
    Layout s;
    straightMainline(s.ctx);
    transverseThrough(s.ctx, 1, 0, 50, 0);
    EXPECT_EQ(errorOf([&] { crossOffsetMainline(s.ctx, 1, 0); }), err::NO_CROSSING);
}

TEST(Crossings, StationOnMainlineForTheSideRule) {
    Layout l;
    RunContext& ctx = l.ctx;
    straightMainline(ctx);
    transverseThrough(ctx, 1, 50, 0, HALF_PI + 0.1);
    const double s = stationOnMainline(ctx, 1);
    EXPECT_NEAR(s, 1000 + 50 + 100 * std::cos(HALF_PI + 0.1) / std::sin(HALF_PI + 0.1), 1e-9);
    EXPECT_NEAR(ctx.wp.offset, 0, 1e-9);
    EXPECT_NEAR(ctx.wp.angle, 0.1, 1e-12);   // from the mainline normal
}

TEST(Crossings, Spiral) {
    Layout l;
    RunContext& ctx = l.ctx;
    curvedMainline(ctx, 1000, 0, 3000, -1, -1, 0, 3000);
    // r = 1010 + 100 (pi/2 - theta): 10 ft out at station 1000, 1 ft wider
    // per 10 ft of station.
    spiralLine(ctx, 1, 100, 1010, HALF_PI);
    startSpan(ctx);

    // Along the reference radius: the first circle already has theta0.
    transverseThrough(ctx, 1, 0, 0, HALF_PI);
    spiralCrossing(ctx, 1, 1);
    EXPECT_NEAR(ctx.wp.x, 0, 1e-9);
    EXPECT_NEAR(ctx.wp.y, 1010, 1e-9);
    EXPECT_DOUBLE_EQ(ctx.spanLines.spiralRadius, 1010);   // no correction made
    EXPECT_DOUBLE_EQ(ctx.wp.distBent, 0);
    EXPECT_NEAR(ctx.wp.angle, 0, 1e-12);

    // The same radial line built through the mainline point at station 1000,
    // as a SKEW T-line is: the nearer crossing is the one at theta0, again in
    // one pass.
    transverseThrough(ctx, 5, 0, 1000, HALF_PI);
    spiralCrossing(ctx, 5, 1);
    EXPECT_NEAR(ctx.wp.y, 1010, 1e-9);
    EXPECT_DOUBLE_EQ(ctx.spanLines.spiralRadius, 1010);
    // Built through the far side of the centre it meets the spiral there.
    transverseThrough(ctx, 6, 0, -1000, HALF_PI);
    spiralCrossing(ctx, 6, 1);
    EXPECT_LT(ctx.wp.y, -1000);
    EXPECT_NEAR(std::hypot(ctx.wp.x, ctx.wp.y), ctx.spanLines.spiralRadius, 1e-6);

    // Along the radius 0.2 rad further on: r = 1030.
    transverseThrough(ctx, 2, 0, 0, HALF_PI - 0.2);
    spiralCrossing(ctx, 2, 1);
    EXPECT_NEAR(ctx.spanLines.spiralRadius, 1030, 1e-9);
    EXPECT_NEAR(ctx.wp.x, 1030 * std::cos(HALF_PI - 0.2), 1e-8);
    EXPECT_NEAR(ctx.wp.distBent, SpiralArcLength(100, 1030) - SpiralArcLength(100, 1010), 1e-9);
    // About the turn times sqrt(r^2 + a^2) at the mean radius.
    EXPECT_NEAR(ctx.wp.distBent, 0.2 * std::hypot(1020.0, 100.0), 0.01);

    // A line x = 300 that is not radial: the point found lies on the spiral.
    transverseThrough(ctx, 3, 300, 0, HALF_PI);
    spiralCrossing(ctx, 3, 1);
    const double theta = std::atan2(ctx.wp.y, ctx.wp.x);
    EXPECT_NEAR(ctx.wp.x, 300, 1e-9);
    EXPECT_NEAR(std::hypot(ctx.wp.x, ctx.wp.y), 1010 + 100 * (HALF_PI - theta), 1e-4);

    // The back bent moves the reference: later distances run from there.
    transverseThrough(ctx, BACK_BENT_SLOT, 0, 0, HALF_PI - 0.2);
    spiralCrossing(ctx, BACK_BENT_SLOT, 1);
    storeBentPoint(ctx, BACK_BENT_SLOT, 1);
    EXPECT_NEAR(ctx.lines[1].radius, 1030, 1e-9);
    EXPECT_NEAR(ctx.lines[1].radiusSq, HALF_PI - 0.2, 1e-12);
    spiralCrossing(ctx, 1, 1);
    EXPECT_NEAR(ctx.wp.distBent, SpiralArcLength(100, 1010) - SpiralArcLength(100, 1030), 1e-9);

    // A steep inward spiral and a line nearly tangent to it: the first
    // correction shrinks the circle below the line, which then misses it.
    spiralLine(ctx, 2, -5000, -1010, HALF_PI);
    startSpan(ctx);
    transverseThrough(ctx, 4, 0, 1000, 0);
    EXPECT_EQ(errorOf([&] { spiralCrossing(ctx, 4, 2); }), err::NO_CROSSING);
}

TEST(Crossings, BySpanState) {
    Layout l;
    RunContext& ctx = l.ctx;
    curvedMainline(ctx, 1000, 500, 1500);
    circleLine(ctx, 1, 0, 0, 1010);
    ctx.lines[2].state = -1;   // follows the mainline
    ctx.lines[2].form = 0;
    ctx.lineCount = 2;
    startSpan(ctx);
    squareAt(ctx, 1, 1200);
    crossBySpanState(ctx, 1, 1, 0);
    EXPECT_NEAR(ctx.wp.station, 1200, 1e-8);
    EXPECT_NEAR(ctx.wp.angle, 0, 1e-12);
    squareAt(ctx, 2, 1700);
    crossBySpanState(ctx, 2, 2, 4);
    EXPECT_EQ(ctx.wp.piece, 3);
    EXPECT_NEAR(ctx.wp.offset, 4, 1e-8);
    crossingAngle(ctx, 2, 2);   // on a line following the mainline: its piece there
    EXPECT_NEAR(ctx.wp.angle, HALF_PI, 1e-12);
}
