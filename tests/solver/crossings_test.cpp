// The crossings and point operations asked by value: mainlines built by the
// horizontal curve card's own builder, transverse lines by the layout's own
// line builder, and no deck, report or plot anywhere.
#include <cmath>

#include <gtest/gtest.h>

#include "alignment/point_operations.hpp"
#include "layout/transverse_lines.hpp"
#include "solver/intersection_solver.hpp"

#include "../alignment/alignment_fixtures.hpp"

namespace bp {
namespace {

using testing::buildMainline;
using testing::BuiltMainline;
using testing::curves;

// Tangent, 5-degree curve from 800 to 1200, tangent; stations 0..3000.
BuiltMainline curveWithTangents() {
    return buildMainline(0, 3000, 1000, 90, 100, curves(0, 800, 5, 1200, 0));
}

TransverseLine lineThrough(double x, double y, double direction) {
    TransverseLine t;
    buildLineThrough(t, x, y, direction);
    return t;
}

// The plan point at station s, offset d (to the left of travel, along the normal).
StationPoint pointBeside(const Mainline& ml, double s, double d) {
    StationPoint p = ml.PointAtStation(s);
    p.x += d * std::cos(p.theta);
    p.y += d * std::sin(p.theta);
    return p;
}

TEST(CrossingsByValue, StraightThroughACircleTakesTheRootNearerItsOwnPoint) {
    const BuiltMainline built = curveWithTangents();
    const Mainline ml = built.mainline();
    const AlignmentSegment& seg = ml.segment(2);
    CrossTarget circle;
    circle.circle = true;
    circle.xc = seg.xc;
    circle.yc = seg.yc;
    circle.rSquared = seg.r * seg.r;
    // A chord of the curve between stations 900 and 1100, built once
    // through a point beside each end: each time the end it was built at.
    const StationPoint a = ml.PointAtStation(900), b = ml.PointAtStation(1100);
    const double chord = DirectionBetween(a.x, a.y, b.x, b.y).angle;
    for (const auto& [near, station] : {std::pair{a, 900.0}, std::pair{b, 1100.0}}) {
        const double u = station == 900 ? -5.0 : 5.0;   // a little beyond the end, along the chord
        const TransverseLine t =
            lineThrough(near.x + u * std::cos(chord), near.y + u * std::sin(chord), chord);
        const Crossing c = IntersectWithSlot(ml, t, circle);
        ASSERT_TRUE(c.crossed()) << station;
        EXPECT_NEAR(c.x, near.x, 1e-7) << station;
        EXPECT_NEAR(c.y, near.y, 1e-7) << station;
        EXPECT_NEAR(c.at.station, station, 1e-7);
        EXPECT_NEAR(c.at.offset, 0, 1e-7);
        EXPECT_EQ(c.at.piece, 2);
        EXPECT_FALSE(c.hasHeading);
    }
    // A line clear of the circle: no crossing, as a result.
    TransverseLine far = lineThrough(seg.xc + 2 * seg.r, seg.yc, HALF_PI);
    EXPECT_EQ(IntersectWithSlot(ml, far, circle).status, CrossingStatus::MissesCircle);
}

TEST(CrossingsByValue, ParallelLinesAndUnbuiltLinesGiveNoCrossing) {
    const BuiltMainline built = curveWithTangents();
    const Mainline ml = built.mainline();
    // The same form (y = m x + c against y = m x + C), and the two forms
    // crossed (y = x / 2 against x = 2 y + C, where 1 - m M vanishes).
    TransverseLine slot = lineThrough(0, 0, std::atan(0.5));
    ASSERT_EQ(slot.form, form::Y_OF_X);
    ASSERT_NEAR(slot.slope, 0.5, 1e-15);
    slot.slope = 0.5;
    CrossTarget sameForm;
    sameForm.form = form::Y_OF_X;
    sameForm.slope = 0.5;
    sameForm.intercept = 10;
    EXPECT_EQ(IntersectWithSlot(ml, slot, sameForm).status, CrossingStatus::Parallel);
    CrossTarget otherForm;
    otherForm.form = form::X_OF_Y;
    otherForm.slope = 2;
    otherForm.intercept = 10;
    EXPECT_EQ(IntersectWithSlot(ml, slot, otherForm).status, CrossingStatus::Parallel);
    // Slightly off parallel they cross, where both lines agree: x = 1.9 y + 10, y = x / 2.
    otherForm.slope = 1.9;
    const Crossing c = IntersectWithSlot(ml, slot, otherForm);
    ASSERT_TRUE(c.crossed());
    EXPECT_NEAR(c.x, 200, 1e-9);
    EXPECT_NEAR(c.y, 100, 1e-9);

    // A constant-distance T-line is no straight line to cross.
    TransverseLine cons = slot;
    cons.form = 0;
    EXPECT_EQ(IntersectWithSlot(ml, cons, sameForm).status, CrossingStatus::NotStraight);
    EXPECT_EQ(CrossOffsetMainline(ml, cons, 5).status, CrossingStatus::NotStraight);

    // A line running beside a single straight mainline crosses no piece of it moved sideways.
    const BuiltMainline straight = buildMainline(0, 3000, 1000, 90, 100, curves(0, 0, 0, 0, 0));
    const Mainline sml = straight.mainline();
    ASSERT_FALSE(sml.pieceIsCurve(2));
    const StationPoint p = pointBeside(sml, 1500, 40);
    const TransverseLine beside = lineThrough(p.x, p.y, p.theta - HALF_PI);
    EXPECT_EQ(CrossOffsetMainline(sml, beside, 10).status, CrossingStatus::NoPieceCrossed);
    EXPECT_EQ(StationOnMainline(sml, beside).status, CrossingStatus::NoPieceCrossed);
}

// The mainline moved sideways by d, crossed square on each of its pieces:
// at the station of the square line, at offset d, on the piece of that
// station, square to it (crossing angle 0 against a curve's radius, pi/2
// against a tangent's direction); the side rule's crossing
// with the mainline itself at the same station.
TEST(CrossingsByValue, OffsetMainlineIsCrossedOnEachPiece) {
    for (const HorizontalCurveCard& card : {curves(0, 800, 5, 1200, 0), curves(3, 800, 5, 1200, 2)}) {
        const BuiltMainline built = buildMainline(0, 3000, 1000, 90, 100, card);
        const Mainline ml = built.mainline();
        for (const double s : {300.0, 799.0, 801.0, 1000.0, 1199.0, 1201.0, 2500.0}) {
            const int k = ml.pieceOfStation(s);
            const StationPoint p = ml.PointAtStation(s);
            const TransverseLine square = lineThrough(p.x, p.y, p.theta);
            for (const double d : {-30.0, 0.0, 12.5}) {
                const Crossing c = CrossOffsetMainline(ml, square, d);
                ASSERT_TRUE(c.crossed()) << s << " " << d;
                EXPECT_EQ(c.at.piece, k) << s;
                EXPECT_NEAR(c.at.station, s, 1e-7) << s << " " << d;
                EXPECT_NEAR(c.at.offset, d, 1e-7) << s << " " << d;
                ASSERT_TRUE(c.hasHeading);
                const double square = ml.pieceIsCurve(k) ? 0.0 : HALF_PI;
                EXPECT_NEAR(std::remainder(c.heading.angle - square, PI), 0, 1e-9) << s << " " << d;
            }
            const Crossing m = StationOnMainline(ml, square);
            ASSERT_TRUE(m.crossed());
            EXPECT_NEAR(m.at.station, s, 1e-7);
            EXPECT_EQ(m.heading.normal, m.at.normal);
            EXPECT_EQ(m.heading.angle, square.direction - m.at.normal);
        }
        // A skewed line crosses at a station of its own, still at offset d on the piece of it.
        const StationPoint q = pointBeside(ml, 1100, 20);
        const Crossing c = CrossOffsetMainline(ml, lineThrough(q.x, q.y, q.theta + 0.4), 20);
        ASSERT_TRUE(c.crossed());
        EXPECT_NEAR(c.at.station, 1100, 1e-7);
        EXPECT_NEAR(c.at.offset, 20, 1e-7);
        EXPECT_NEAR(std::remainder(c.heading.angle - 0.4, 2 * PI), 0, 1e-9);
    }
}

// PointAtStation then StationOffsetOfPoint gives back the station and the
// offset on every piece, on a tangent-curve-tangent and a compound mainline.
TEST(CrossingsByValue, StationAndOffsetOfAPointBesideTheMainlineRoundTrip) {
    for (const HorizontalCurveCard& card : {curves(0, 800, 5, 1200, 0), curves(3, 800, 5, 1200, 2)}) {
        const BuiltMainline built = buildMainline(0, 3000, 1000, 90, 100, card);
        const Mainline ml = built.mainline();
        for (double s = 50; s < 3000; s += 137.5) {
            for (const double d : {-60.0, 0.0, 0.25, 45.0}) {
                const StationPoint p = pointBeside(ml, s, d);
                const StationOffset so = ml.StationOffsetOfPoint(p.x, p.y);
                EXPECT_NEAR(so.station, s, 1e-7) << s << " " << d;
                EXPECT_NEAR(so.offset, d, 1e-7) << s << " " << d;
                EXPECT_EQ(so.piece, p.piece) << s;
                EXPECT_EQ(so.rangeFlag, p.rangeFlag) << s;
            }
        }
    }
}

}   // namespace
}   // namespace bp
