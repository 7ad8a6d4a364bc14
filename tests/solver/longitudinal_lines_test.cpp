// Longitudinal line cards: building every type, the two resolution
// passes, the card and list rules, and the echo page.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "bridgeplan/errors.hpp"
#include "layout/layout_parts.hpp"
#include "layout_fixture.hpp"
#include "solver/distances.hpp"

using namespace bp;
using namespace bp::testing;

namespace {

// A "7" card: (A1,I2,A3,I2,4F10.4,I1,A3,7A4).
std::string card7(int no, const char* type, int ref = 0, double dr = 0, double sta = 0, double tr = 0,
                  double y2 = 0, int sk = 0, const char* remarks = "") {
    char buf[128];
    std::snprintf(buf, sizeof buf, "7%2d%-3s%2d%10.4f%10.4f%10.4f%10.4f%1d%-31s\n", no, type, ref, dr, sta,
                  tr, y2, sk, remarks);
    return buf;
}

std::string endCard(int no) { return card7(no, "END"); }

int errorOf(Layout& l) {
    try {
        readLongitudinalLines(l.ctx);
    } catch (const ProblemAbandoned& e) {
        return e.number();
    }
    return 0;
}

}   // namespace

TEST(LongitudinalLines, TwoPointLines) {
    Layout l(card7(1, "COR", 0, 0, 0, 10, 10) + card7(2, "COR", 0, 5, 0, 5, 10) +
             card7(3, "COR", 0, 5, 10, 5, 0) + card7(4, "COR", 0, 10, 0, 0, 5) + endCard(5));
    straightMainline(l.ctx);
    readLongitudinalLines(l.ctx);
    ASSERT_EQ(l.ctx.lineCount, 4);
    const auto& a = l.ctx.lines[1];   // 45 degrees: the tie goes to form 1
    EXPECT_EQ(a.state, 0);
    EXPECT_EQ(a.form, 1);
    EXPECT_NEAR(a.slope, 1.0, 1e-12);
    EXPECT_NEAR(a.intercept, 0.0, 1e-12);
    EXPECT_NEAR(a.direction, PI / 4, 1e-12);
    const auto& b = l.ctx.lines[2];   // X1 = X2: a line of constant X
    EXPECT_EQ(b.form, 2);
    EXPECT_NEAR(b.slope, 0.0, 1e-12);
    EXPECT_NEAR(b.intercept, 5.0, 1e-12);
    EXPECT_DOUBLE_EQ(b.direction, HALF_PI);
    EXPECT_DOUBLE_EQ(l.ctx.lines[3].direction, -HALF_PI);   // Y2 below Y1
    const auto& d = l.ctx.lines[4];                         // towards -X: the raw angle, cosDir positive
    EXPECT_NEAR(d.direction, std::atan(-0.5), 1e-12);
    EXPECT_GT(d.cosDir, 0);
    EXPECT_NEAR(d.intercept, 5.0, 1e-12);   // y = -x/2 + 5
}

TEST(LongitudinalLines, StationLines) {
    // Straight mainline y = 100 heading +X (station = x + 1000): STA. 1050
    // lies at (50, 100); DR 10 moves it to (50, 110); a 10 % taper turns
    // the line by atan(0.1).
    Layout l(card7(1, "STP", 0, 10, 1050, 10) + endCard(2));
    straightMainline(l.ctx);
    readLongitudinalLines(l.ctx);
    const auto& s = l.ctx.lines[1];
    EXPECT_EQ(s.state, 0);
    EXPECT_EQ(s.form, 1);
    EXPECT_NEAR(s.slope, 0.1, 1e-12);
    EXPECT_NEAR(s.intercept, 105.0, 1e-9);
    EXPECT_NEAR(s.direction, std::atan(0.1), 1e-12);

    // Curve R 1000 about the origin, STA. 1000 at (0, 1000): a COS circle of
    // R 500 through the point 10 ft outside has its centre at (0, 510).
    Layout c(card7(1, "COS", 0, 10, 1000, 500) + card7(2, "CTP", 0, 10, 1000, 10) + card7(3, "RLG", 2, 5) +
             endCard(4));
    curvedMainline(c.ctx, 1000, 500, 1500, -1, -1);
    readLongitudinalLines(c.ctx);
    const auto& cos = c.ctx.lines[1];
    EXPECT_EQ(cos.state, 0);
    EXPECT_EQ(cos.form, 0);
    EXPECT_NEAR(cos.slope, 0.0, 1e-9);
    EXPECT_NEAR(cos.intercept, 510.0, 1e-9);
    EXPECT_DOUBLE_EQ(cos.radiusSq, 250000.0);
    EXPECT_NEAR(cos.direction, HALF_PI, 1e-12);
    // CTP with TR 10 %: rate a = 100 ft per radian, radius 1010 at the
    // reference direction pi/2, arc length from the pole s(1010).
    const auto& ctp = c.ctx.lines[2];
    EXPECT_EQ(ctp.state, 2);
    EXPECT_EQ(ctp.form, 0);
    EXPECT_DOUBLE_EQ(ctp.slope, 100.0);
    EXPECT_DOUBLE_EQ(ctp.radius, 1010.0);
    EXPECT_NEAR(ctp.radiusSq, HALF_PI, 1e-12);
    const double u = 10.1;
    EXPECT_NEAR(ctp.intercept, 50.0 * (u * std::sqrt(1 + u * u) + std::asinh(u)), 1e-9);
    // An RLG line of a spiral is the spiral 5 ft further out.
    const auto& rlg = c.ctx.lines[3];
    EXPECT_EQ(rlg.state, 2);
    EXPECT_DOUBLE_EQ(rlg.radius, 1015.0);
    EXPECT_DOUBLE_EQ(rlg.intercept, SpiralArcLength(100.0, 1015.0));
    EXPECT_DOUBLE_EQ(rlg.radiusSq, ctp.radiusSq);

    // A negative taper gives a negative rate and a negative radius.
    Layout n(card7(1, "CTP", 0, 0, 1000, -10) + endCard(2));
    curvedMainline(n.ctx, 1000, 500, 1500, -1, -1);
    readLongitudinalLines(n.ctx);
    EXPECT_DOUBLE_EQ(n.ctx.lines[1].slope, -100.0);
    EXPECT_DOUBLE_EQ(n.ctx.lines[1].radius, -1000.0);
}

TEST(LongitudinalLines, TaperedLineNeedsACurve) {
    Layout s(card7(1, "CTP", 0, 0, 1050, 10) + endCard(2));
    straightMainline(s.ctx);
    EXPECT_EQ(errorOf(s), err::LONGITUDINAL_LINE);
    Layout t(card7(1, "CTP", 0, 0, 200, 10) + endCard(2));   // on the tangent before the P.C.
    curvedMainline(t.ctx, 1000, 500, 1500);
    EXPECT_EQ(errorOf(t), err::LONGITUDINAL_LINE);
    Layout z(card7(1, "CTP", 0, 0, 1000, 0) + endCard(2));   // no taper
    curvedMainline(z.ctx, 1000, 500, 1500);
    EXPECT_EQ(errorOf(z), err::LONGITUDINAL_LINE);
}

TEST(LongitudinalLines, ResolutionOnASingleStraight) {
    // 1 PAR (DR 10) of the CRD line 2 further down: resolved in the second pass.
    // 3 PAR of 4 PAR of 5 CRD would need a third pass: stays unresolved.
    // 6 PIA of line 1 (DR 10): 15 ft out, its own DR stays 5.
    Layout l(card7(1, "PAR", 2, 10) + card7(2, "CRD", 0, 10) + card7(3, "PAR", 4, 1) + card7(4, "PAR", 5, 1) +
             card7(5, "CRD", 0, -20) + card7(6, "PIA", 1, 5) + card7(7, "ARC", 0, -3) + endCard(8));
    straightMainline(l.ctx);
    readLongitudinalLines(l.ctx);
    const auto& ln = l.ctx.lines;
    EXPECT_EQ(ln[2].state, 0);
    EXPECT_DOUBLE_EQ(ln[2].intercept, 110.0);
    EXPECT_EQ(ln[1].state, 0);
    EXPECT_DOUBLE_EQ(ln[1].intercept, 120.0);
    EXPECT_EQ(ln[1].form, 1);
    EXPECT_DOUBLE_EQ(ln[1].cosDir, ln[32].cosDir);
    EXPECT_EQ(ln[4].state, 0);
    EXPECT_DOUBLE_EQ(ln[4].intercept, 81.0);
    EXPECT_EQ(ln[3].state, -1);
    EXPECT_EQ(ln[6].state, 0);
    EXPECT_DOUBLE_EQ(ln[6].intercept, 115.0);
    EXPECT_DOUBLE_EQ(ln[6].dr, 5.0);
    EXPECT_EQ(ln[7].state, 0);
    EXPECT_DOUBLE_EQ(ln[7].intercept, 97.0);
}

TEST(LongitudinalLines, ResolutionOnCurves) {
    // Single curve: ARC is the concentric circle, CRD, PAR, PIA stay with
    // the mainline; an RLG of a COS further down is resolved at once.
    Layout l(card7(1, "ARC", 0, 12) + card7(2, "CRD", 0, 5) + card7(3, "PAR", 2, 5) + card7(4, "RLG", 5, -2) +
             card7(5, "COS", 0, 10, 1000, 500) + endCard(6));
    curvedMainline(l.ctx, 1000, 500, 1500, -1, -1);
    deriveMainlineShape(l.ctx);
    EXPECT_FALSE(l.ctx.severalPieceMainline);
    readLongitudinalLines(l.ctx);
    const auto& ln = l.ctx.lines;
    EXPECT_EQ(ln[1].state, 0);
    EXPECT_DOUBLE_EQ(ln[1].radius, 1012.0);
    EXPECT_DOUBLE_EQ(ln[1].radiusSq, 1012.0 * 1012.0);
    EXPECT_EQ(ln[2].state, -1);
    EXPECT_EQ(ln[3].state, -1);
    EXPECT_EQ(ln[4].state, 0);
    EXPECT_DOUBLE_EQ(ln[4].radius, 498.0);
    EXPECT_NEAR(ln[4].intercept, 510.0, 1e-9);

    // With tangents the mainline has several pieces: ARC follows it too.
    Layout s(card7(1, "ARC", 0, 12) + endCard(2));
    curvedMainline(s.ctx, 1000, 500, 1500);
    deriveMainlineShape(s.ctx);
    EXPECT_TRUE(s.ctx.severalPieceMainline);
    readLongitudinalLines(s.ctx);
    EXPECT_EQ(s.ctx.lines[1].state, -1);
    EXPECT_EQ(s.ctx.lines[1].form, 0);
}

TEST(LongitudinalLines, BadReferences) {
    struct Case {
        std::string deck;
        int error;
    };
    const Case cases[] = {
        {card7(1, "PAR", 1) + endCard(2), err::LONGITUDINAL_LINE},    // refers to itself
        {card7(1, "RLG", 0) + endCard(2), err::LONGITUDINAL_LINE},    // no reference
        {card7(1, "PAR", 31) + endCard(2), err::LONGITUDINAL_LINE},   // beyond 30
        {card7(1, "PAR", 5) + endCard(2), err::LONGITUDINAL_LINE},    // beyond the list
        {card7(1, "XYZ") + endCard(2), err::LONGITUDINAL_LINE},       // unknown type
    };
    for (const Case& c : cases) {
        Layout l(c.deck);
        straightMainline(l.ctx);
        EXPECT_EQ(errorOf(l), c.error) << c.deck;
    }
    // PAR of a spiral, and PAR of a circle (which has no parallel).
    Layout sp(card7(1, "CTP", 0, 0, 1000, 10) + card7(2, "PAR", 1, 5) + endCard(3));
    curvedMainline(sp.ctx, 1000, 500, 1500, -1, -1);
    EXPECT_EQ(errorOf(sp), 0);   // a curved mainline leaves PAR unresolved
    Layout ci(card7(1, "COS", 0, 0, 1050, 500) + card7(2, "PAR", 1, 5) + endCard(3));
    straightMainline(ci.ctx);
    EXPECT_EQ(errorOf(ci), err::LONGITUDINAL_LINE);
}

TEST(LongitudinalLines, ListRules) {
    // An END card as the first card: echoed, then error 8.
    Layout e(endCard(1));
    straightMainline(e.ctx);
    EXPECT_EQ(errorOf(e), err::LONGITUDINAL_LINE);
    EXPECT_NE(e.reportLines().find("0  1   END"), std::string::npos);

    // 30 lines and a closing card whose only TYPE counts.
    std::string deck;
    for (int i = 1; i <= 30; ++i) deck += card7(i, "CRD", 0, i);
    Layout full(deck + "X99END junk columns\n");
    straightMainline(full.ctx);
    EXPECT_EQ(errorOf(full), 0);
    EXPECT_EQ(full.ctx.lineCount, 30);
    EXPECT_DOUBLE_EQ(full.ctx.lines[30].intercept, 130.0);
    Layout over(deck + card7(31, "CRD"));
    straightMainline(over.ctx);
    EXPECT_EQ(errorOf(over), err::LONGITUDINAL_LINE);

    // Card code, sequence and a field that is not a number.
    Layout code("8 1CRD\n");
    EXPECT_EQ(errorOf(code), err::LONGITUDINAL_LINE);
    Layout seq(card7(2, "CRD") + endCard(3));
    EXPECT_EQ(errorOf(seq), err::LONGITUDINAL_LINE);
    Layout text("7 1CRD 0    1O.000\n" + endCard(2));
    EXPECT_EQ(errorOf(text), err::LONGITUDINAL_LINE);
    Layout endText(card7(1, "CRD") + "7 2END 0    ABCDEF\n");
    EXPECT_EQ(errorOf(endText), err::LONGITUDINAL_LINE);
}

TEST(LongitudinalLines, EchoPage) {
    Layout l(card7(1, "STP", 0, 10, 1050, -2.5, 0, 1, "GIRDER A                      C") +
             "7 2COR 0   -123456   1000000       .5        -1  EDGE\n" + endCard(3));
    straightMainline(l.ctx);
    readLongitudinalLines(l.ctx);
    EXPECT_EQ(l.ctx.lines[1].plotMark, 'C');
    EXPECT_EQ(l.ctx.lines[1].skip, 1);
    EXPECT_EQ(l.ctx.lines[2].remarks, "EDGE                           ");
    // Printed columns: NO. 1-3, TYPE 7-9, REF. 10-14, the four values
    // 15-27, 28-40, 41-53, 54-66, SK. 67-70, remarks from 74.
    const std::string expected =
        "1                               LONGITUDINAL LINES\n"
        " \n"
        "  NO. TYPE  REF.    DR / X1     STA./ Y1   TR / R / X2       Y2      SK.  REMARKS\n"
        "0  1   STP    0      10.0000    1050.0000      -2.5000       0.0000   1   GIRDER A"
        "                      C\n"
        "0  2   COR    0     -12.3456     100.0000       0.5000      -0.0001   0   EDGE\n"
        "0  3   END\n";
    EXPECT_EQ(l.reportLines(), expected);
}
