// Station <-> plane point on the mainline pieces: worked cases, tangency at
// the junctions, and round trips at random stations and offsets on simple,
// compound, straight and loop alignments.
#include <cmath>
#include <optional>
#include <random>

#include <gtest/gtest.h>

#include "alignment/point_operations.hpp"
#include "alignment_fixtures.hpp"
#include "bridgeplan/errors.hpp"

using namespace bp;
using namespace bp::testing;

namespace {

double turnDifference(double a, double b) { return std::remainder(a - b, 2 * PI); }

// Sign an offset to the left of travel takes on a straight piece: the sign
// its stored line form gives (towards larger y for form 1, larger x for 2).
double storedFormSign(const LongitudinalLine& line) {
    if (line.form == form::CIRCLE) return 1.0;
    return line.form == form::Y_OF_X ? (line.cosDir > 0 ? 1.0 : -1.0) : (line.sinDir < 0 ? 1.0 : -1.0);
}

// Random stations within back..ahead and offsets within +-maxOffset: the
// point at the station moved along its normal projects back to the same
// station and offset.
void expectRoundTrips(const BuiltMainline& m, double maxOffset, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> station(m.a.location.backStation, m.a.location.aheadStation);
    std::uniform_real_distribution<double> offset(-maxOffset, maxOffset);
    const Mainline ml = m.mainline();
    for (int i = 0; i < 2000; ++i) {
        double s = station(gen), o = offset(gen);
        StationPoint p = ml.PointAtStation(s);
        double x = p.x + o * std::cos(p.theta), y = p.y + o * std::sin(p.theta);
        StationOffset so = ml.StationOffsetOfPoint(x, y);
        double sign = storedFormSign(m.lines[MAINLINE_SLOT + p.piece]);
        ASSERT_NEAR(so.station, s, 1e-6) << "station " << s << " offset " << o;
        ASSERT_NEAR(so.offset, sign * o, 1e-6) << "station " << s << " offset " << o;
        ASSERT_EQ(so.piece, p.piece) << "station " << s;
        ASSERT_EQ(so.rangeFlag, 0);
        // The normal is the radial direction on a circle, theta on a straight.
        ASSERT_NEAR(turnDifference(so.normal, p.theta), 0.0, 1e-9) << "station " << s;
    }
}

// The direction of travel and the position run on without a break across
// the junction station sJ.
void expectTangentAt(const BuiltMainline& m, double sJ) {
    StationPoint before = PointAtStation(m.a, m.lines, sJ - 1e-7);
    StationPoint at = PointAtStation(m.a, m.lines, sJ);
    StationPoint after = PointAtStation(m.a, m.lines, sJ + 1e-7);
    EXPECT_NE(before.piece, after.piece) << "junction at " << sJ;
    EXPECT_NEAR(turnDifference(before.theta, after.theta), 0.0, 1e-8) << sJ;
    EXPECT_NEAR(before.x, at.x, 1e-6);
    EXPECT_NEAR(before.y, at.y, 1e-6);
    EXPECT_NEAR(after.x, at.x, 1e-6);
    EXPECT_NEAR(after.y, at.y, 1e-6);
}

// 5-degree curve from 10+00 to 20+00 with tangents, roadway 0+00 to 30+00.
BuiltMainline simpleCurve() { return buildMainline(0, 3000, 1500, 90, 0, curves(0, 1000, 5, 2000, 0)); }

// 3, 5 and 2 degrees compounded at 10+00 and 17+00.
BuiltMainline compoundCurve() { return buildMainline(0, 3000, 1200, 20, 0, curves(3, 1000, 5, 1700, 2)); }

}   // namespace

TEST(HorizontalAlignment, SimpleCurveWithTangents) {
    BuiltMainline m = simpleCurve();
    EXPECT_EQ(m.lines[31].form == form::CIRCLE, false);
    EXPECT_EQ(m.lines[32].form, form::CIRCLE);
    EXPECT_NE(m.lines[33].form, form::ABSENT);
    double r = 100.0 / (5 * DEG_TO_RAD);
    EXPECT_NEAR(m.a.segments[2].r, r, 1e-9);
    EXPECT_DOUBLE_EQ(m.a.pcStation, 1000);
    EXPECT_DOUBLE_EQ(m.a.ptStation, 2000);
    // The tangents lie at the curve's radius from its centre (the origin).
    for (int k : {1, 3}) {
        const AlignmentSegment& s = m.a.segments[k];
        EXPECT_NEAR(std::hypot(s.xp, s.yp), r, 1e-9);
        EXPECT_DOUBLE_EQ(s.r, r);
    }
    expectTangentAt(m, 1000);
    expectTangentAt(m, 2000);

    // 10 ft before the P.C. is 10 ft back along the tangent (sin theta1, -cos theta1).
    StationPoint pc = PointAtStation(m.a, m.lines, 1000);
    StationPoint before = PointAtStation(m.a, m.lines, 990);
    EXPECT_EQ(before.piece, 1);
    EXPECT_NEAR(before.x, pc.x - 10 * std::sin(pc.theta), 1e-9);
    EXPECT_NEAR(before.y, pc.y + 10 * std::cos(pc.theta), 1e-9);

    expectRoundTrips(m, 40, 1);
}

TEST(HorizontalAlignment, CompoundCurveKeepsItsTangentsAndRadii) {
    BuiltMainline m = compoundCurve();
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(m.lines[MAINLINE_SLOT + k].form, form::CIRCLE);
    expectTangentAt(m, 1000);
    expectTangentAt(m, 1700);
    // Each junction point lies on both circles.
    for (int k : {1, 3}) {
        const AlignmentSegment& s = m.a.segments[k];
        EXPECT_NEAR(std::hypot(s.xp - s.xc, s.yp - s.yc), s.r, 1e-8);
        EXPECT_NEAR(std::hypot(s.xp, s.yp), m.a.segments[2].r, 1e-8);
    }
    expectRoundTrips(m, 40, 2);
}

TEST(HorizontalAlignment, AllStraightIsOnePieceAtTheReferenceDistance) {
    // Blank P.C. and P.T.: one straight from the back to the ahead station.
    BuiltMainline m = buildMainline(0, 2000, 500, 30, 0, curves(0, 0, 0, 0, 0));
    EXPECT_EQ(m.lines[31].form, form::ABSENT);
    EXPECT_EQ(m.lines[33].form, form::ABSENT);
    EXPECT_DOUBLE_EQ(m.a.pcStation, 0);
    EXPECT_DOUBLE_EQ(m.a.ptStation, 2000);
    EXPECT_DOUBLE_EQ(m.a.segments[2].r, 10000);   // no reference distance given
    expectRoundTrips(m, 100, 3);

    BuiltMainline n = buildMainline(0, 2000, 500, 200, 250, curves(0, 0, 0, 0, 0));
    EXPECT_DOUBLE_EQ(n.a.segments[2].r, 250);
    expectRoundTrips(n, 100, 4);
}

TEST(HorizontalAlignment, LoopOfThreeQuartersOfATurn) {
    // A 20-degree loop of 270 degrees from 0+00 to 13+50, then a tangent.
    BuiltMainline m = buildMainline(0, 1500, 100, 0, 0, curves(0, 0, 20, 1350, 0));
    EXPECT_EQ(m.lines[31].form, form::ABSENT);
    expectTangentAt(m, 1350);
    expectRoundTrips(m, 40, 5);
    // A point beyond the half turn keeps its station on the loop.
    StationPoint p = PointAtStation(m.a, m.lines, 1200);
    StationOffset so = StationOffsetOfPoint(m.a, m.lines, p.x, p.y);
    EXPECT_NEAR(so.station, 1200, 1e-9);
}

TEST(HorizontalAlignment, LoopWithTangentsAtBothEnds) {
    // The back tangent, extended ahead, passes the ahead tangent at right
    // angles: a point on the ahead tangent projects onto both, and belongs to
    // the one it lies on, not to the back tangent 286 ft away.
    BuiltMainline m = buildMainline(0, 1600, 800, 0, 0, curves(0, 100, 20, 1450, 0));
    expectTangentAt(m, 100);
    expectTangentAt(m, 1450);
    expectRoundTrips(m, 40, 6);
    StationPoint p = PointAtStation(m.a, m.lines, 1550);
    StationOffset so = StationOffsetOfPoint(m.a, m.lines, p.x, p.y);
    EXPECT_NEAR(so.station, 1550, 1e-9);
    EXPECT_EQ(so.piece, 3);
    EXPECT_NEAR(so.offset, 0, 1e-9);
}

TEST(HorizontalAlignment, CardChecks) {
    auto build = [](double back, double ahead, double ref, const HorizontalCurveCard& c) {
        return errorOf([&] { buildMainline(back, ahead, ref, 0, 0, c); });
    };
    EXPECT_EQ(build(0, 3000, 1500, curves(0, 2000, 5, 1000, 0)), err::HORIZONTAL_CURVE);
    EXPECT_EQ(build(0, 3000, 999.9999, curves(0, 1000, 5, 2000, 0)), err::LOCATION);
    EXPECT_EQ(build(0, 3000, 2000.0001, curves(0, 1000, 5, 2000, 0)), err::LOCATION);
    EXPECT_EQ(build(0, 3000, 1500, curves(0, 1000, -5, 2000, 0)), err::HORIZONTAL_CURVE);
    EXPECT_EQ(build(0, 3000, 1500, curves(-1, 1000, 5, 2000, 0)), err::HORIZONTAL_CURVE);
    EXPECT_EQ(build(0, 3000, 1500, curves(0, 1000, 5, 2000, -6)), err::HORIZONTAL_CURVE);
    // A roadway that starts at the P.C. has no piece 1; a curve 1 then is an error.
    EXPECT_EQ(build(1000, 3000, 1500, curves(0, 1000, 5, 2000, 0)), 0);
    EXPECT_EQ(build(1000, 3000, 1500, curves(2, 1000, 5, 2000, 0)), err::HORIZONTAL_CURVE);
    EXPECT_EQ(build(0, 2000, 1500, curves(0, 1000, 5, 2000, 3)), err::HORIZONTAL_CURVE);
    // Straight main piece with a curve on it.
    EXPECT_EQ(build(0, 3000, 1500, curves(0, 1000, 0, 2000, 2)), 0);
    // Reference station outside the roadway when P.C. = P.T.
    EXPECT_EQ(build(0, 3000, 3000.0001, curves(0, 0, 0, 0, 0)), err::LOCATION);
}

TEST(PointOperations, CirclePointOnTheReferenceRadius) {
    BuiltMainline m = simpleCurve();
    const AlignmentSegment& s = m.a.segments[2];
    double t = s.theta;
    StationOffset so = StationOffsetOfPoint(m.a, m.lines, (s.r + 5) * std::cos(t), (s.r + 5) * std::sin(t));
    EXPECT_NEAR(so.station, 1500, 1e-9);
    EXPECT_NEAR(so.offset, 5, 1e-9);
    EXPECT_EQ(so.piece, 2);
    EXPECT_NEAR(so.normal, t, 1e-12);
}

TEST(PointOperations, StraightOffsetsFollowTheStoredForm) {
    // Heading +X (theta = pi/2): 3 ft to the left is +Y, offset +3.
    BuiltMainline east = buildMainline(0, 1000, 500, 90, 100, curves(0, 0, 0, 0, 0));
    StationPoint p = PointAtStation(east.a, east.lines, 500);
    EXPECT_NEAR(StationOffsetOfPoint(east.a, east.lines, p.x, p.y + 3).offset, 3, 1e-9);
    // Heading -X (theta = -pi/2, form 1 again): 3 ft to the left of travel is
    // -Y, and the offset follows the stored form: -3.
    BuiltMainline west = buildMainline(0, 1000, 500, -90, 100, curves(0, 0, 0, 0, 0));
    EXPECT_EQ(west.lines[32].form, form::Y_OF_X);
    StationPoint q = PointAtStation(west.a, west.lines, 600);
    StationOffset so = StationOffsetOfPoint(west.a, west.lines, q.x, q.y - 3);
    EXPECT_NEAR(so.offset, -3, 1e-9);
    EXPECT_NEAR(so.station, 600, 1e-9);
}

TEST(PointOperations, PieceAndRangeOfAStation) {
    BuiltMainline m = simpleCurve();
    EXPECT_EQ(PointAtStation(m.a, m.lines, 1000).piece, 2);
    EXPECT_EQ(PointAtStation(m.a, m.lines, 999.9999).piece, 1);
    EXPECT_EQ(PointAtStation(m.a, m.lines, 2000).piece, 2);
    EXPECT_EQ(PointAtStation(m.a, m.lines, 2000.0001).piece, 3);
    EXPECT_EQ(PointAtStation(m.a, m.lines, -0.0001).rangeFlag, -1);
    EXPECT_EQ(PointAtStation(m.a, m.lines, 0).rangeFlag, 0);
    EXPECT_EQ(PointAtStation(m.a, m.lines, 3000).rangeFlag, 0);
    EXPECT_EQ(PointAtStation(m.a, m.lines, 3000.0001).rangeFlag, 1);
    // Beyond the roadway the outer pieces extend; the flag tells the caller.
    StationPoint far = PointAtStation(m.a, m.lines, 3100);
    StationOffset so = StationOffsetOfPoint(m.a, m.lines, far.x, far.y);
    EXPECT_NEAR(so.station, 3100, 1e-9);
    EXPECT_EQ(so.rangeFlag, 1);

    // With no piece 1 a station below the P.C. stays on piece 2.
    BuiltMainline loop = buildMainline(0, 1500, 675, 0, 0, curves(0, 0, 20, 1350, 0));
    EXPECT_EQ(PointAtStation(loop.a, loop.lines, -10).piece, 2);
}

TEST(PointOperations, PointOnTheNormalAtAJunction) {
    BuiltMainline m = simpleCurve();
    StationPoint pc = PointAtStation(m.a, m.lines, 1000);
    double x = pc.x + 50 * std::cos(pc.theta), y = pc.y + 50 * std::sin(pc.theta);
    StationOffset so = StationOffsetOfPoint(m.a, m.lines, x, y);
    EXPECT_NEAR(so.station, 1000, 1e-6);
    EXPECT_NEAR(so.offset, 50, 1e-6);
}

TEST(PointOperations, DirectionBetween) {
    Direction d = DirectionBetween(0, 0, 0.0000005, -2);
    EXPECT_DOUBLE_EQ(d.angle, -HALF_PI);
    EXPECT_DOUBLE_EQ(DirectionBetween(1, 1, 0, 1).angle, PI);
    EXPECT_DOUBLE_EQ(DirectionBetween(0, 0, 0, 0).angle, HALF_PI);
    // Just above the single-precision tolerance the arctangent is used.
    Direction e = DirectionBetween(0, 0, 1.0e-6, 1);
    EXPECT_NEAR(e.angle, HALF_PI, 1e-5);
    EXPECT_NE(e.angle, HALF_PI);
    Direction f = DirectionBetween(2, 0, 1, -1);
    EXPECT_DOUBLE_EQ(f.dx, -1);
    EXPECT_DOUBLE_EQ(f.dy, -1);
    EXPECT_DOUBLE_EQ(f.raw, std::atan(1.0));
    EXPECT_DOUBLE_EQ(f.angle, std::atan(1.0) + PI);
    EXPECT_EQ(errorOf([] { DirectionBetween(0, 0, NAN, 1); }), err::INTERNAL);
}

TEST(PointOperations, LineThroughPoint) {
    LineForm f = LineThroughPoint(10, 5, 30 * DEG_TO_RAD);
    EXPECT_EQ(f.form, form::Y_OF_X);
    EXPECT_NEAR(f.slope, std::tan(30 * DEG_TO_RAD), 1e-15);
    EXPECT_NEAR(f.intercept, 5 - f.slope * 10, 1e-12);
    EXPECT_NEAR(f.normFactor, 1 / std::cos(30 * DEG_TO_RAD), 1e-12);
    LineForm g = LineThroughPoint(10, 5, 100 * DEG_TO_RAD);
    EXPECT_EQ(g.form, form::X_OF_Y);
    EXPECT_NEAR(g.slope, std::cos(100 * DEG_TO_RAD) / std::sin(100 * DEG_TO_RAD), 1e-15);
    EXPECT_NEAR(g.intercept, 10 - g.slope * 5, 1e-12);
    // Straight pieces carry the same form through their reference point.
    BuiltMainline m = simpleCurve();
    const LongitudinalLine& t = m.lines[31];
    LineForm h = LineThroughPoint(m.a.segments[1].xp, m.a.segments[1].yp, t.direction);
    EXPECT_EQ(t.form, h.form);
    EXPECT_DOUBLE_EQ(t.slope, h.slope);
    EXPECT_DOUBLE_EQ(t.intercept, h.intercept);
    EXPECT_DOUBLE_EQ(t.normFactor, h.normFactor);
}

// The pieces' stations: piece k holds exactly the stations pieceOfStation
// gives k, the ranges meet at the P.C. and P.T., and the main piece runs on
// without end where a neighbour is absent.
TEST(Mainline, PieceRangesAgreeWithThePieceOfEveryStation) {
    const BuiltMainline compound = compoundCurve();
    const BuiltMainline alone = buildMainline(0, 2000, 500, 30, 0, curves(0, 0, 0, 0, 0));
    for (const BuiltMainline* m : {&compound, &alone}) {
        const Mainline ml = m->mainline();
        for (double s = -500; s <= 3500; s += 12.5) {
            const int k = ml.pieceOfStation(s);
            ASSERT_TRUE(ml.pieceExists(k)) << s;
            const StationRange r = ml.pieceRange(k);
            EXPECT_TRUE(r.lo <= s && s <= r.hi) << "station " << s << " piece " << k;
            EXPECT_EQ(ml.PointAtStation(s).piece, k) << s;
        }
        EXPECT_FALSE(ml.pieceExists(0));
        EXPECT_FALSE(ml.pieceExists(4));
    }
    const Mainline c = compound.mainline();
    EXPECT_TRUE(c.severalPieces());
    EXPECT_EQ(c.pieceRange(1).hi, c.pieceRange(2).lo);
    EXPECT_EQ(c.pieceRange(2).hi, c.pieceRange(3).lo);
    const Mainline a = alone.mainline();
    EXPECT_FALSE(a.severalPieces() || a.pieceExists(1) || a.pieceExists(3));
    EXPECT_TRUE(std::isinf(a.pieceRange(2).lo) && std::isinf(a.pieceRange(2).hi));
}

// The projection that reports "on no piece" as a result agrees with the
// one that abandons the problem: nothing exactly where error 15 is raised,
// the same station and offset everywhere else (a grid about a curve of
// radius 1000 with its tangents, its far side included; the junction rule
// gives every point of it a piece, and the moved mainline's crossings
// test the points that have none).
TEST(Mainline, NoPieceIsAResultWhereTheOperationAbandons) {
    const BuiltMainline m = buildMainline(0, 3000, 1000, 90, 0, curves(0, 500, 5.729577951308232, 1500, 0));
    const Mainline ml = m.mainline();
    int none = 0, some = 0;
    for (double x = -2500; x <= 2500; x += 50) {
        for (double y = -2500; y <= 2500; y += 50) {
            const std::optional<StationOffset> found = ml.stationOffsetOnAnyPiece(x, y);
            if (!found) {
                ++none;
                EXPECT_EQ(errorOf([&] { ml.StationOffsetOfPoint(x, y); }), err::NO_CROSSING) << x << " " << y;
                continue;
            }
            ++some;
            const StationOffset so = ml.StationOffsetOfPoint(x, y);
            EXPECT_EQ(so.station, found->station);
            EXPECT_EQ(so.offset, found->offset);
            EXPECT_EQ(so.piece, found->piece);
        }
    }
    EXPECT_GT(some, 0);
    EXPECT_EQ(none + some, 101 * 101);
}
