// Span cards, bent cards and coordinate request cards: echoes in their
// columns, the packed skew, and the errors a deck can provoke before any
// geometry is computed.
#include <gtest/gtest.h>

#include <string>

#include "bridgeplan/constants.hpp"
#include "layout/bent_cards.hpp"
#include "layout/layout_parts.hpp"
#include "layout/span_parts.hpp"
#include "span_harness.hpp"

using namespace bp;
using bp::test::CardImage;
using bp::test::LayoutRun;

namespace {

std::string spanCard(const std::string& keyword, const std::string& count, const std::string& last = "",
                     const std::string& yes = "", const std::string& title = "GIRDER SPAN ONE") {
    return CardImage()
        .at(1, "8")
        .at(2, keyword)
        .at(7, " 1")
        .at(9, count)
        .at(13, last)
        .at(18, title)
        .at(74, yes);
}

std::string bentCard(const std::string& code, const std::string& type, const std::string& skew = "       0",
                     const std::string& station = "", const std::string& second = "",
                     const std::string& remarks = "", const std::string& skips = "") {
    return CardImage()
        .at(1, code)
        .at(2, "1")
        .at(3, "12")
        .at(5, type)
        .at(9, station)
        .at(19, skew)
        .at(27, second)
        .at(37, remarks)
        .at(51, skips);
}

std::string blanks(int n) { return std::string(n, ' '); }

}   // namespace

TEST(PackedSkew, DegreesMinutesSecondsCarryTheSign) {
    PackedSkew a = decodePackedSkew(4513205);   // 45-13-20.5
    EXPECT_EQ(a.degrees, 45);
    EXPECT_EQ(a.minutes, 13);
    EXPECT_DOUBLE_EQ(a.seconds, 20.5);
    EXPECT_NEAR(a.radians, (45 + 13 / 60.0 + 20.5 / 3600.0) * PI / 180.0, 1e-15);

    a = decodePackedSkew(-13205);   // minus 0-13-20.5
    EXPECT_EQ(a.degrees, 0);
    EXPECT_EQ(a.minutes, -13);
    EXPECT_DOUBLE_EQ(a.seconds, -20.5);
    EXPECT_NEAR(a.radians, -(13 / 60.0 + 20.5 / 3600.0) * PI / 180.0, 1e-15);

    a = decodePackedSkew(-12000000);   // -120 degrees
    EXPECT_EQ(a.degrees, -120);
    EXPECT_EQ(a.minutes, 0);
    EXPECT_DOUBLE_EQ(a.seconds, 0.0);
}

TEST(SpanCard, PageHeadingThenTooManyTLines) {
    LayoutRun run({spanCard("SPAN", " 21", "LAST", "YES")});
    EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::TRANSVERSE_LINE);
    const auto r = run.records();
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0], "1" + blanks(31) + "SPAN  1 INPUT DATA");
    EXPECT_EQ(r[1], " ");
    // (I4,' T-LINES  ',A4,3X,14A4,A3): count in printed columns 1-3.
    EXPECT_EQ(r[2], "  21 T-LINES  LAST   GIRDER SPAN ONE" + blanks(41) + "YES");
    EXPECT_EQ(r[3], "0" + blanks(61) + "BENT DATA");
    EXPECT_EQ(r[4], " ");
    EXPECT_EQ(r[5], "     C  NO. TYPE     STATION    SKEW ANGLE   STA./NORM.     REMARKS" + blanks(25) +
                        "LONGITUDINAL LINE SKIPS");
}

TEST(SpanCard, BadCardsOfTheGroup) {
    {
        LayoutRun run({CardImage().at(1, "7").at(2, "SPAN")});
        EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::SPAN_CARD);
        EXPECT_TRUE(run.records().empty());
    }
    {
        LayoutRun run({spanCard("SPAN", " 2X")});   // a count that is not a number
        EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::SPAN_CARD);
    }
    {
        LayoutRun run({spanCard("SPAM", "  1")});
        EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::SPAN_KEYWORD);
        EXPECT_TRUE(run.records().empty());
    }
}

TEST(BentCard, EchoWithSeparatorsAndOverprintedSign) {
    // SAME in the first span: echoed, then refused.
    LayoutRun run({spanCard("SPAN", "  0"), bentCard("B", "SAME", "  -13205", "  105.5000", "      12.5",
                                                     "PIER 1 REMARKC", "001000000000000000000000000009")});
    EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::BENT_CARD);
    const auto r = run.records();
    ASSERT_EQ(r.size(), 8u);
    std::string skips = " 0 0 1";
    for (int j = 4; j <= 29; ++j) skips += " 0";
    skips += " 9";
    EXPECT_EQ(r[6], "0 B  1  12  SAME     105.5000    0-13-20.5      12.5000  PIER 1 REMARKC  " + skips);
    EXPECT_EQ(r[7], "+" + blanks(31) + "-");
}

TEST(BentCard, PositiveAngleEchoesBlankFilledAfterTheDashes) {
    LayoutRun run({spanCard("SPAN", "  0"), bentCard("B", "PREV", " 1200507")});
    EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::BENT_CARD);   // PREV on the back bent
    const auto r = run.records();
    ASSERT_EQ(r.size(), 7u);
    // 12 degrees, 0 minutes, 50.7 seconds.
    EXPECT_EQ(r[6].substr(0, 55), "0 B  1  12  PREV       0.0000   12- 0-50.7       0.0000");
}

TEST(BentCard, RefusedCards) {
    const char* cases[][2] = {
        {"A", "SKEW"},   // the back bent card must be "B"
        {"B", "SKEX"},   // no such type
    };
    for (auto& c : cases) {
        LayoutRun run({spanCard("SPAN", "  0"), bentCard(c[0], c[1])});
        EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::BENT_CARD) << c[0] << c[1];
    }
    // A station that is not a number.
    LayoutRun run({spanCard("SPAN", "  0"), bentCard("B", "SKEW", "       0", "   12.3.4")});
    EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::BENT_CARD);
    EXPECT_EQ(run.records().size(), 6u);   // not echoed
}

// Later spans: SAME bents need no geometry, so the rest of the cycle can be
// driven without an alignment.
class LaterSpan : public ::testing::Test {
protected:
    static void previousAheadBent(RunContext& ctx) {
        ctx.firstSpan = false;
        TransverseLine& prev = ctx.transverse[AHEAD_BENT_SLOT];
        prev.bentNumber = " 7";
        prev.cCode = 3;
        prev.lineType = "SKEW";
        prev.form = 2;
        prev.slope = 0.25;
        prev.intercept = 1234.5;
        prev.direction = 1.3;
        prev.normFactor = 1.0307764064044151;
        prev.remarks = "ABUTMENT 2   S";
        prev.plotMark = 'S';
        prev.skips[4] = 1;
        ctx.bents[2] = Bent{5123.25, -0.125, 1.0307764064044151, -710000};
    }
};

TEST_F(LaterSpan, SameBackBentTakesThePreviousAheadBent) {
    LayoutRun run({spanCard("SPAN", " -1"),
                   bentCard("B", "SAME", "       0", "", "", "NEW REMARKS  E", "000000000001"),
                   bentCard("A", "SAME", "       0", "", "", "AHEAD AGAIN", "01")});
    previousAheadBent(run.ctx);
    // Both bents SAME, no longitudinal lines: a negative T-line count is found after the set-up.
    EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::SPAN_CARD);
    const TransverseLine& back = run.ctx.transverse[BACK_BENT_SLOT];
    EXPECT_EQ(back.bentNumber, " 7");
    EXPECT_EQ(back.remarks, "ABUTMENT 2   S");
    EXPECT_EQ(back.plotMark, 'E');   // the card's own column 50
    EXPECT_EQ(back.cCode, 3);
    EXPECT_EQ(back.lineType, Word("SAME"));
    EXPECT_EQ(back.form, 2);
    EXPECT_DOUBLE_EQ(back.slope, 0.25);
    EXPECT_DOUBLE_EQ(back.intercept, 1234.5);
    EXPECT_DOUBLE_EQ(back.direction, 1.3);
    EXPECT_EQ(back.skip(5), 0);   // the card's own skip flags
    EXPECT_EQ(back.skip(12), 1);
    EXPECT_DOUBLE_EQ(run.ctx.bents[1].station, 5123.25);
    EXPECT_DOUBLE_EQ(run.ctx.bents[1].skew, -0.125);
    EXPECT_DOUBLE_EQ(run.ctx.bents[1].normFactor, 1.0307764064044151);
    // The ahead bent stays the previous ahead bent, its remarks included.
    const TransverseLine& ahead = run.ctx.transverse[AHEAD_BENT_SLOT];
    EXPECT_EQ(ahead.remarks, "ABUTMENT 2   S");
    EXPECT_EQ(ahead.lineType, Word("SKEW"));
    EXPECT_EQ(ahead.plotMark, ' ');   // the ahead SAME card's own column 50 is blank
    EXPECT_EQ(ahead.skip(2), 1);
    EXPECT_EQ(run.ctx.bents[2].packedSkew, -710000);
}

TEST(CoordinateGroup, CountZeroAfterTheHeading) {
    LayoutRun run({spanCard("COOR", "  0", "", "", "POINTS ON THE ROAD")});
    EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::SPAN_KEYWORD);
    const auto r = run.records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0], "1" + blanks(15) + "COORDINATE OUTPUT DATA" + blanks(3) + "POINTS ON THE ROAD" +
                        blanks(38) + blanks(2) + "PROB. NO.   17");
    EXPECT_EQ(r[1], " ");
    EXPECT_EQ(r[2],
              "  COOR      STATION    ELEVATION   DT TO ML       X           Y       PT.  "
              "REMARKS");
}

TEST(CoordinateGroup, MissingRequestCard) {
    LayoutRun run({spanCard("COOR", "  1"), spanCard("SPAN", "  0", "LAST")});
    EXPECT_EQ(run.errorOf([&] { runSpanCard(run.ctx); }), err::COORDINATE_CARD);
    LayoutRun bad({spanCard("COOR", "  1"), CardImage().at(1, "C 1PT1").at(9, "   12x")});
    EXPECT_EQ(bad.errorOf([&] { runSpanCard(bad.ctx); }), err::COORDINATE_CARD);
}
