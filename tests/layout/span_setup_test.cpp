// The set-up of longitudinal lines against the two bents of a span.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "alignment/alignment_parts.hpp"
#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/keywords.hpp"
#include "layout/span_crossings.hpp"
#include "layout/span_parts.hpp"
#include "solver/distances.hpp"
#include "solver/intersection_solver.hpp"
#include "span_harness.hpp"

using namespace bp;
using bp::test::CardImage;
using bp::test::LayoutRun;

using bp::test::bent;
using bp::test::Layout;
constexpr double DEG = bp::test::DEG;

namespace {

void setLine(RunContext& ctx, int n, const char* type, int ref, double dr, int state, int form) {
    LongitudinalLine& l = ctx.lines[n];
    l = LongitudinalLine{};
    l.number = n;
    l.typeCode = Word(type);
    l.refLine = ref;
    l.dr = dr;
    l.state = state;
    l.form = form;
    ctx.lineCount = std::max(ctx.lineCount, n);
}

double distance(const BentPoint& a, const BentPoint& b) { return std::hypot(a.x - b.x, a.y - b.y); }

}   // namespace

TEST(SpanSetUp, ChordOnTheCurveAndLinesParallelToIt) {
    // Radial bents at 1000 and 1100: the normal turns 10 degrees between them.
    Layout run(true, {bent("B", "SKEW", "1000."), bent("A", "SKEW", "1100.")});
    readBents(run.ctx);
    setLine(run.ctx, 1, "CRD", 0, 5.0, -1, 1);
    setLine(run.ctx, 2, "PAR", 1, 3.0, -1, 1);
    setLine(run.ctx, 3, "ARC", 0, -2.0, -1, 0);
    setLine(run.ctx, 4, "PIA", 1, 2.0, -1, 1);
    setUpSpan(run.ctx);
    const SpanLines& sl = run.ctx.spanLines;
    const double radius = 100.0 / (10 * DEG);

    // The chord of the circle 5 ft outside the mainline.
    const double chord = 2.0 * (radius + 5.0) * std::sin(5 * DEG);
    EXPECT_NEAR(sl.spanLength[1], chord, 1e-9);
    EXPECT_NEAR(distance(sl.backPoint[1], sl.aheadPoint[1]), chord, 1e-9);
    EXPECT_EQ(sl.spanState[1], 0);
    EXPECT_GT(sl.spanForm[1], 0);
    EXPECT_NEAR(sl.backPoint[1].offset, 5.0, 1e-9);
    EXPECT_NEAR(sl.aheadPoint[1].station, 1100.0, 1e-9);
    // The chord's normal is square to it at both ends.
    const LongitudinalLine& crd = run.ctx.lines[1];
    EXPECT_NEAR(sl.backPoint[1].normal, crd.direction + HALF_PI, 1e-15);

    // PAR: 3 ft from the chord, straight, crossed with the radial bents.
    const LongitudinalLine& par = run.ctx.lines[2];
    EXPECT_EQ(sl.spanState[2], 0);
    EXPECT_DOUBLE_EQ(par.slope, crd.slope);
    for (const BentPoint* p : {&sl.backPoint[2], &sl.aheadPoint[2]}) {
        const double off = crd.form == 1 ? (p->y - crd.slope * p->x - crd.intercept)
                                         : (p->x - crd.slope * p->y - crd.intercept);
        EXPECT_NEAR(std::fabs(off / crd.normFactor), 3.0, 1e-9);
    }
    EXPECT_NEAR(sl.spanLength[2], distance(sl.backPoint[2], sl.aheadPoint[2]), 1e-9);

    // PIA: parallel to the chord through the ahead bent's point 5 + 2 ft out.
    EXPECT_DOUBLE_EQ(run.ctx.lines[4].slope, crd.slope);
    EXPECT_NEAR(sl.aheadPoint[4].offset, 7.0, 1e-9);
    EXPECT_NEAR(sl.aheadPoint[4].station, 1100.0, 1e-9);

    // ARC following the mainline 2 ft inside: the arc length at radius R - 2.
    EXPECT_EQ(sl.spanState[3], -1);
    EXPECT_NEAR(sl.spanLength[3], (radius - 2.0) * 10 * DEG, 1e-9);
}

TEST(SpanSetUp, ReferenceWithAReferenceOfItsOwn) {
    Layout run(false, {bent("B", "SKEW", "1000."), bent("A", "SKEW", "1100.")});
    readBents(run.ctx);
    setLine(run.ctx, 1, "CRD", 0, 5.0, -1, 1);
    setLine(run.ctx, 2, "RLG", 1, 2.0, -1, 0);
    setLine(run.ctx, 3, "RLG", 2, 2.0, -1, 0);
    EXPECT_EQ(run.errorOf([&] { setUpSpan(run.ctx); }), err::LONGITUDINAL_LINE);
}

TEST(SpanSetUp, RlgPlacedFromItsReferenceOnBothBents) {
    // C = 0 on both bents: the RLG line's points are its reference's points
    // moved along the reference's normal; on the curve it becomes the
    // circle concentric with the mainline at R + D.
    Layout run(true, {bent("B", "SKEW", "1000.", " 1000000"), bent("A", "SKEW", "1100.")});
    readBents(run.ctx);
    run.ctx.transverse[21].cCode = 0;
    run.ctx.transverse[22].cCode = 0;
    setLine(run.ctx, 1, "ARC", 0, 4.0, -1, 0);
    setLine(run.ctx, 2, "RLG", 1, 6.0, -1, 0);
    setUpSpan(run.ctx);
    const SpanLines& sl = run.ctx.spanLines;
    const double radius = 100.0 / (10 * DEG);
    EXPECT_NEAR(sl.backPoint[2].offset, 10.0, 1e-9);
    EXPECT_NEAR(sl.backPoint[2].station, sl.backPoint[1].station, 1e-9);
    EXPECT_DOUBLE_EQ(sl.backPoint[2].angle, 0.0);
    EXPECT_EQ(sl.spanState[2], 0);
    EXPECT_EQ(sl.spanForm[2], 0);
    EXPECT_NEAR(run.ctx.lines[2].radius, radius + 10.0, 1e-9);
    const double turned = sl.backPoint[1].normal - sl.aheadPoint[1].normal;
    EXPECT_NEAR(sl.spanLength[2], (radius + 10.0) * turned, 1e-9);
}

TEST(SpanSetUp, RlgPlacedBesideAChordKeepsItsAngle) {
    // Skewed bents on the back tangent, C = 0: the RLG line beside the chord
    // becomes the chord between its placed points, and those points keep
    // their crossing angle 0 while the chord's own points take the skew.
    Layout run(true, {bent("B", "SKEW", "300.", " 1000000"), bent("A", "SKEW", "400.", " 1000000")});
    readBents(run.ctx);
    run.ctx.transverse[21].cCode = 0;
    run.ctx.transverse[22].cCode = 0;
    setLine(run.ctx, 1, "CRD", 0, 10.0, -1, 1);
    setLine(run.ctx, 2, "RLG", 1, 4.0, -1, 0);
    setUpSpan(run.ctx);
    const SpanLines& sl = run.ctx.spanLines;
    EXPECT_EQ(sl.spanState[2], 0);
    EXPECT_GT(sl.spanForm[2], 0);
    EXPECT_DOUBLE_EQ(sl.backPoint[2].angle, 0.0);
    EXPECT_DOUBLE_EQ(sl.aheadPoint[2].angle, 0.0);
    EXPECT_NEAR(std::fabs(sl.backPoint[1].angle), 100 * DEG, 1e-9);   // printed -80-00-00.0
    EXPECT_NEAR(distance(sl.backPoint[1], sl.backPoint[2]), 4.0, 1e-9);
}

TEST(SpanSetUp, RlgBesideASpiralStaysASpiral) {
    // Line 1: a spiral about the curve centre, 10 ft out at 1000 and 1 ft
    // wider per 10 ft of station; line 2: 3 ft beside it. Placed radially on
    // both bents, line 2 stays the spiral beside line 1 (its points lie on
    // it), measures its own arc length, and is a spiral again next span.
    const double radius = 100.0 / (10 * DEG);
    const double a = radius * 0.1;   // ft of radius per radian of turn
    {
        Layout run(true, {bent("B", "SKEW", "1000."), bent("A", "SKEW", "1100."), bent("B", "SKEW", "1100."),
                          bent("A", "SKEW", "1250.")});
        for (int n : {1, 2}) {
            setLine(run.ctx, n, n == 1 ? "CTP" : "RLG", n == 1 ? 0 : 1, n == 1 ? 10.0 : 3.0, 2, 0);
            LongitudinalLine& l = run.ctx.lines[n];
            l.slope = a;
            l.radius = radius + (n == 1 ? 10.0 : 13.0);
            l.radiusSq = HALF_PI;
            l.intercept = SpiralArcLength(a, l.radius);
        }
        const AlignmentSegment& curve = run.ctx.alignment.segments[2];
        auto radiusAt = [&](const BentPoint& p) { return std::hypot(p.x - curve.xc, p.y - curve.yc); };
        for (int span = 1; span <= 2; ++span) {
            readBents(run.ctx);
            run.ctx.transverse[21].cCode = 0;
            run.ctx.transverse[22].cCode = 0;
            setUpSpan(run.ctx);
            const SpanLines& sl = run.ctx.spanLines;
            EXPECT_EQ(sl.spanState[2], 2) << span;
            EXPECT_DOUBLE_EQ(run.ctx.lines[2].slope, a) << span;
            EXPECT_NEAR(distance(sl.backPoint[1], sl.backPoint[2]), 3.0, 1e-9) << span;
            EXPECT_NEAR(radiusAt(sl.aheadPoint[2]), radiusAt(sl.aheadPoint[1]) + 3.0, 1e-9) << span;
            EXPECT_NEAR(sl.spanLength[2],
                        SpiralArcLength(a, radiusAt(sl.aheadPoint[2])) -
                            SpiralArcLength(a, radiusAt(sl.backPoint[2])),
                        1e-3)
                << span;
            EXPECT_GT(sl.spanLength[2], sl.spanLength[1]) << span;   // outside it, longer
            run.ctx.firstSpan = false;
        }
    }
}

TEST(SpanSetUp, RlgOfAStraightLineStaysStraightOnACurve) {
    // Line 1: y = 600 across the curve (a COR line whose X1 is 50); line 2:
    // 3 ft beside it. Placed from line 1 on both bents, line 2 keeps its own
    // straight geometry instead of turning into a circle about the curve.
    Layout run(true, {bent("B", "SKEW", "1000."), bent("A", "SKEW", "1100.")});
    readBents(run.ctx);
    run.ctx.transverse[21].cCode = 0;
    run.ctx.transverse[22].cCode = 0;
    for (int n : {1, 2}) {
        setLine(run.ctx, n, n == 1 ? "COR" : "RLG", n == 1 ? 0 : 1, n == 1 ? 50.0 : 3.0, 0, 1);
        LongitudinalLine& l = run.ctx.lines[n];
        l.intercept = n == 1 ? 600.0 : 603.0;
        l.cosDir = 1;
        l.normFactor = 1;
    }
    setUpSpan(run.ctx);
    const SpanLines& sl = run.ctx.spanLines;
    EXPECT_EQ(sl.spanForm[2], 1);
    EXPECT_DOUBLE_EQ(run.ctx.lines[2].intercept, 603.0);
    EXPECT_NEAR(sl.backPoint[2].y, 603.0, 1e-9);
    EXPECT_NEAR(sl.aheadPoint[2].y, 603.0, 1e-9);
    // Straight above line 1's crossing with the radial bent at 1100, off that bent.
    EXPECT_NEAR(sl.aheadPoint[2].x, 600.0 / std::tan(80 * DEG), 1e-9);
    EXPECT_NEAR(sl.spanLength[2], distance(sl.backPoint[2], sl.aheadPoint[2]), 1e-9);
}
