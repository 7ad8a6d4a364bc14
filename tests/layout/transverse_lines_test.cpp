// Transverse-line cards: the packed angle, the constant-distance rules, the
// "T-LINE DATA" echo in its two layouts, and the card faults (error 11).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "layout/span_parts.hpp"
#include "layout/transverse_lines.hpp"
#include "span_fixture.hpp"

using namespace bp;
using bp::testing::SpanFixture;
using bp::testing::tLineCard;

namespace {

// Runs the span's T-line cards; returns the error number (0 when none).
int readLines(SpanFixture& f, int count) {
    f.ctx.span.tLineCount = count;
    try {
        readTransverseLines(f.ctx);
    } catch (const ProblemAbandoned& e) {
        return e.number();
    }
    return 0;
}

// Two straight longitudinal lines, 80 ft long in this span.
void twoStraightLines(SpanFixture& f) {
    f.ctx.lineCount = 2;
    for (int n = 1; n <= 2; ++n) {
        f.ctx.spanLines.spanForm[n] = 1;
        f.ctx.spanLines.spanLength[n] = 80.0;
    }
}

}   // namespace

// A line built through a point keeps it; moved by a normal distance d
// (its intercept by d normFactor) the point moves square to the line by
// |d| and stays on it, in either stored form.
TEST(TransverseLineForm, ThroughPointMovesWithTheLine) {
    for (double angle : {0.0, 0.3, PI / 4, 1.2, HALF_PI, 2.0, 3.5, -0.7}) {
        TransverseLine line;
        buildLineThrough(line, 120.5, -40.25, angle);
        EXPECT_DOUBLE_EQ(line.throughX, 120.5);
        EXPECT_DOUBLE_EQ(line.throughY, -40.25);
        for (double d : {7.5, -12.0}) {
            TransverseLine moved = line;
            shiftIntercept(moved, d * moved.normFactor);
            const double dx = moved.throughX - line.throughX, dy = moved.throughY - line.throughY;
            EXPECT_NEAR(std::hypot(dx, dy), std::fabs(d), 1e-12) << angle;
            EXPECT_NEAR(dx * std::cos(angle) + dy * std::sin(angle), 0, 1e-12) << angle;
            const double residual = moved.form == 1
                                        ? moved.throughY - moved.slope * moved.throughX - moved.intercept
                                        : moved.throughX - moved.slope * moved.throughY - moved.intercept;
            EXPECT_NEAR(residual, 0, 1e-12) << angle;
        }
    }
}

TEST(TransverseAngle, PackedDegreesMinutesSeconds) {
    TransverseAngle a = decodeTransverseAngle(451.3205);   // 04513205 punched
    EXPECT_EQ(a.degrees, 45);
    EXPECT_EQ(a.minutes, 13);
    EXPECT_DOUBLE_EQ(a.seconds, 20.5);
    EXPECT_NEAR(a.radians, (45 + 13 / 60.0 + 20.5 / 3600.0) * PI / 180.0, 1e-15);

    TransverseAngle n = decodeTransverseAngle(-451.3205);   // every part carries the sign
    EXPECT_EQ(n.degrees, -45);
    EXPECT_EQ(n.minutes, -13);
    EXPECT_DOUBLE_EQ(n.seconds, -20.5);
    EXPECT_NEAR(n.radians, -a.radians, 1e-15);

    TransverseAngle small = decodeTransverseAngle(-0.1230);   // -0 01 23.0
    EXPECT_EQ(small.degrees, 0);
    EXPECT_EQ(small.minutes, -1);
    EXPECT_DOUBLE_EQ(small.seconds, -23.0);
    EXPECT_LT(small.radians, 0);
}

TEST(ConstantDistanceLines, ProportionAndDistanceFromEitherBent) {
    SpanFixture f(
        tLineCard(1, "CONS", "PROP", 'A', -0.25, 0, 0) + tLineCard(2, "CONS", "DIST", 'A', -10.0, 0, 0) +
        tLineCard(3, "CONS", "DIST", 'B', 12.5, 0, 0) + tLineCard(4, "CONS", "PROP", 'B', 0.5, 0, 0));
    ASSERT_EQ(readLines(f, 4), 0);
    const auto& t = f.ctx.transverse;

    // A quarter back from the ahead bent is three quarters from the back bent.
    EXPECT_EQ(t[1].form, -1);
    EXPECT_EQ(t[1].consMode, cons::PROPORTION);
    EXPECT_DOUBLE_EQ(t[1].slope, 0.75);
    EXPECT_DOUBLE_EQ(consDistance(t[1], 80.0), 60.0);
    EXPECT_DOUBLE_EQ(consDistance(t[1], 121.0), 90.75);

    // 10 ft before the ahead bent, whatever the line's length.
    EXPECT_EQ(t[2].form, 0);
    EXPECT_EQ(t[2].consMode, cons::FROM_AHEAD);
    EXPECT_DOUBLE_EQ(consDistance(t[2], 80.0), 70.0);
    EXPECT_DOUBLE_EQ(consDistance(t[2], 123.4), 113.4);

    EXPECT_EQ(t[3].consMode, cons::FROM_BACK);
    EXPECT_DOUBLE_EQ(consDistance(t[3], 80.0), 12.5);
    EXPECT_EQ(t[4].consMode, cons::PROPORTION);
    EXPECT_DOUBLE_EQ(consDistance(t[4], 80.0), 40.0);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(t[i].intercept, 0.0);
        EXPECT_EQ(t[i].direction, 0.0);
        EXPECT_EQ(t[i].lineType, Word("CONS"));
    }
}

TEST(TransverseEcho, HeadingAndPlainLayout) {
    SpanFixture f(tLineCard(1, "CONS", "PROP", 'A', -0.25, 0, 0, ' ', 0, 1, "QUARTER PT", "01 2"));
    ASSERT_EQ(readLines(f, 1), 0);
    auto r = f.records();
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0], "0");
    EXPECT_EQ(r[1], " ");
    EXPECT_EQ(r[2], std::string(60, ' ') + "T-LINE DATA");
    EXPECT_EQ(r[4],
              " NO. LINE CODE  B   S/N/D/P/X  RL   A/S/D/P/Y  B  RL  C     REMARKS"
              "                         LONGITUDINAL LINE SKIPS");
    // ('0',I3,1X,A4,'/',A4,2X,A1,F12.4,I4,F12.4,2X,A1,I4,I3,2X,3A4,A2,2X,30I2)
    // Skip columns 51-54 hold "01 2": flags 0, 1, blank (0), 2; each I2.
    std::string skips = " 0 1 0 2";
    for (int j = 5; j <= 30; ++j) skips += " 0";
    std::string expected = std::string("0") + "  1" + " " + "CONS" + "/" + "PROP" + "  " + "A" +
                           "     -0.2500" + "   0" + "      0.0000" + "  " + " " + "   0" + "  1" + "  " +
                           "QUARTER PT    " + "  " + skips;
    EXPECT_EQ(r[5], expected);
    EXPECT_EQ(f.ctx.transverse[1].cCode, 1);
    EXPECT_EQ(f.ctx.transverse[1].skip(2), 1);
    EXPECT_EQ(f.ctx.transverse[1].skip(4), 2);
    EXPECT_EQ(f.ctx.transverse[1].remarks, "QUARTER PT    ");
}

TEST(TransverseEcho, AngleLayoutWithOverprintedSign) {
    // An ANGL line of -0 01 23.0 whose reference letter is wrong: echoed,
    // then error 11.
    SpanFixture f(tLineCard(1, "ANGL", "DIST", 'X', 10.0, 1, -0.1230, ' ', 0, 0, "DIAPHRAGM"));
    twoStraightLines(f);
    EXPECT_EQ(readLines(f, 1), err::TRANSVERSE_LINE);
    auto r = f.records();
    ASSERT_EQ(r.size(), 7u);
    // NO. 1-3, LINE 5-8, / 9, CODE 10-13, B 16, V1 17-28, RL 29-32,
    // degrees 33-36, minutes 37-39 ("-" at 37), seconds 40-44 ("-" at 40).
    std::string row = r[5];
    EXPECT_EQ(row.substr(0, 17), "0  1 ANGL/DIST  X");
    EXPECT_EQ(row.substr(17, 12), "     10.0000");
    EXPECT_EQ(row.substr(29, 4), "   1");
    EXPECT_EQ(row.substr(33, 4), "   0");
    EXPECT_EQ(row.substr(37, 3), "- 1");
    EXPECT_EQ(row.substr(40, 5), "-23.0");
    EXPECT_EQ(row.substr(57, 14), "DIAPHRAGM     ");
    EXPECT_EQ(r[6], "+" + std::string(34, ' ') + "-");   // print column 35
}

TEST(TransverseEcho, AnglePositiveHasNoOverprint) {
    SpanFixture f(tLineCard(1, "ANGL", "DIST", 'Q', 10.0, 1, 451.3205));
    twoStraightLines(f);
    EXPECT_EQ(readLines(f, 1), err::TRANSVERSE_LINE);
    auto r = f.records();
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[5].substr(33, 12), "  45-13-20.5");
}

TEST(TransverseCards, AnglLineFaults) {
    {   // A zero angle ends the problem after the card's echo.
        SpanFixture f(tLineCard(1, "ANGL", "DIST", 'B', 10.0, 1, 0.0));
        twoStraightLines(f);
        EXPECT_EQ(readLines(f, 1), err::TRANSVERSE_LINE);
        auto r = f.records();
        ASSERT_EQ(r.size(), 6u);
        EXPECT_EQ(r[5].substr(0, 14), "0  1 ANGL/DIST");
    }
    {   // On a line curved in this span.
        SpanFixture f(tLineCard(1, "ANGL", "DIST", 'B', 10.0, 2, 451.3205));
        twoStraightLines(f);
        f.ctx.spanLines.spanForm[2] = 0;
        EXPECT_EQ(readLines(f, 1), err::TRANSVERSE_LINE);
    }
    {   // On an absent line: an inconsistency.
        SpanFixture f(tLineCard(1, "ANGL", "DIST", 'B', 10.0, 2, 451.3205));
        twoStraightLines(f);
        f.ctx.spanLines.spanForm[2] = -1;
        EXPECT_EQ(readLines(f, 1), err::INTERNAL);
    }
    {   // Line number beyond the bridge's lines, and an unknown CODE.
        SpanFixture f(tLineCard(1, "ANGL", "DIST", 'B', 10.0, 3, 451.3205));
        twoStraightLines(f);
        EXPECT_EQ(readLines(f, 1), err::TRANSVERSE_LINE);
        SpanFixture g(tLineCard(1, "ANGL", "NORM", 'B', 10.0, 1, 451.3205));
        twoStraightLines(g);
        EXPECT_EQ(readLines(g, 1), err::TRANSVERSE_LINE);
    }
}

TEST(TransverseCards, CardFaultsAreError11) {
    {   // Card code.
        SpanFixture f("B" + tLineCard(1, "CONS", "DIST", 'B', 1.0, 0, 0).substr(1));
        EXPECT_EQ(readLines(f, 1), err::TRANSVERSE_LINE);
    }
    {   // NO. out of sequence: the second card says 3.
        SpanFixture f(tLineCard(1, "CONS", "DIST", 'B', 1.0, 0, 0) +
                      tLineCard(3, "CONS", "DIST", 'B', 2.0, 0, 0));
        EXPECT_EQ(readLines(f, 2), err::TRANSVERSE_LINE);
    }
    {   // A numeric field that is not a number.
        std::string card = tLineCard(1, "CONS", "DIST", 'B', 1.0, 0, 0);
        card.replace(12, 10, "   1O.0000");
        SpanFixture f(card);
        EXPECT_EQ(readLines(f, 1), err::TRANSVERSE_LINE);
    }
    {   // Unknown LINE: echoed, then error 11.
        SpanFixture f(tLineCard(1, "BEAM", "DIST", 'B', 1.0, 0, 0));
        EXPECT_EQ(readLines(f, 1), err::TRANSVERSE_LINE);
        EXPECT_EQ(f.records().size(), 6u);
    }
    {   // CONS with another CODE or letter.
        SpanFixture f(tLineCard(1, "CONS", "NORM", 'B', 1.0, 0, 0));
        EXPECT_EQ(readLines(f, 1), err::TRANSVERSE_LINE);
        SpanFixture g(tLineCard(1, "CONS", "DIST", 'C', 1.0, 0, 0));
        EXPECT_EQ(readLines(g, 1), err::TRANSVERSE_LINE);
    }
    {   // PARL on neither bent.
        SpanFixture f(tLineCard(1, "PARL", "NORM", ' ', 20.0, 0, 0));
        EXPECT_EQ(readLines(f, 1), err::TRANSVERSE_LINE);
    }
}

TEST(TransverseCards, NoLinesNoHeading) {
    SpanFixture f;
    EXPECT_EQ(readLines(f, 0), 0);
    EXPECT_TRUE(f.records().empty());
}

TEST(PointToPointLines, CoincidentCoordinatesGiveAConstantX) {
    std::string second = "T" + std::string(11, ' ') + "  120.5000" + "  " + "-40.0000";
    SpanFixture f(tLineCard(1, "PTPT", "COOR", ' ', 120.5, 0, -40.0, ' ', 0, 0, "UTILITY") + second + "\n");
    ASSERT_EQ(readLines(f, 1), 0);
    const TransverseLine& t = f.ctx.transverse[1];
    // Raw angle +pi/2 between coincident points: a line x = m y + b with m ~ 0.
    EXPECT_EQ(t.form, 2);
    EXPECT_DOUBLE_EQ(t.direction, HALF_PI);
    EXPECT_NEAR(t.slope, 0.0, 1e-15);
    EXPECT_NEAR(t.intercept, 120.5, 1e-12);
    auto r = f.records();
    ASSERT_EQ(r.size(), 7u);
    // X2 under V1 (print columns 17-28), Y2 under V2 (33-44).
    EXPECT_EQ(r[6], std::string("0") + std::string(16, ' ') + "    120.5000" + "    " + "    -40.0000");
}

TEST(PointToPointLines, TwoCoordinatePoints) {
    std::string second = "T" + std::string(11, ' ') + "   10.0000" + "  " + " 10.0000";
    SpanFixture f(tLineCard(1, "PTPT", "COOR", ' ', 0.0, 0, 0.0) + second + "\n");
    ASSERT_EQ(readLines(f, 1), 0);
    const TransverseLine& t = f.ctx.transverse[1];
    EXPECT_EQ(t.form, 1);   // 45 degrees: the tie goes to y = m x + b
    EXPECT_NEAR(t.slope, 1.0, 1e-12);
    EXPECT_NEAR(t.intercept, 0.0, 1e-12);
    EXPECT_NEAR(t.direction, PI / 4, 1e-12);
}
