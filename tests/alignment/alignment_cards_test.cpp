// The alignment card groups read from a deck: the location card's sign
// rule, mirror factor and text size, and a whole alignment read and used.
#include <cmath>

#include <gtest/gtest.h>

#include "../layout/span_harness.hpp"
#include "alignment/elevation.hpp"
#include "alignment/point_operations.hpp"

using namespace bp;
using bp::test::CardImage;
using bp::test::LayoutRun;

namespace {

std::string locationCard(const std::string& deg, const std::string& min, const std::string& sec,
                         const std::string& letter, const std::string& size) {
    return CardImage()
        .at(1, "1")
        .at(12, "3000.")
        .at(22, "1500.")
        .at(32, deg)
        .at(35, min)
        .at(37, sec)
        .at(51, letter)
        .at(52, size);
}

}   // namespace

TEST(LocationCard, NegativeDegreesCarryTheirSignIntoMinutesAndSeconds) {
    LayoutRun run({locationCard("-10", "30", "1500", "L", "5.")});
    readLocationCard(test::roadwayCards(run.ctx));
    const LocationData& loc = run.ctx.alignment.location;
    double degrees = -(10 + 30 / 60.0 + 15 / 3600.0);
    EXPECT_NEAR(loc.referenceAngle, degrees * DEG_TO_RAD, 1e-15);
    EXPECT_EQ(loc.referenceAngleDegrees, static_cast<float>(degrees));
    EXPECT_DOUBLE_EQ(loc.mirror, -1.0);
    EXPECT_DOUBLE_EQ(loc.textSize, 5.0);
    // The echo shows the minutes and seconds as entered.
    std::vector<std::string> r = run.records();
    ASSERT_FALSE(r.empty());
    EXPECT_EQ(r.back().substr(38, 14), "  -10-30-15.00");
}

TEST(LocationCard, DirectionLetterAndTextSize) {
    for (const char* letter : {"R", "X", " ", "S"}) {
        LayoutRun run({locationCard("", "", "", letter, "")});
        readLocationCard(test::roadwayCards(run.ctx));
        EXPECT_DOUBLE_EQ(run.ctx.alignment.location.mirror, 1.0) << letter;
        // Size 0 is left to the plot; the report says which scale it suits.
        EXPECT_DOUBLE_EQ(run.ctx.alignment.location.textSize, 0.0);
        EXPECT_EQ(run.records().front(), " TEXT SIZE IS PROPER FOR SCALE 1IN. =20FT.");
    }
    for (const char* size : {"100.", "-1.", "-.5", "99999"}) {
        LayoutRun run({locationCard("", "", "", "R", size)});
        readLocationCard(test::roadwayCards(run.ctx));
        EXPECT_DOUBLE_EQ(run.ctx.alignment.location.textSize, 7.5) << size;
    }
    LayoutRun small({locationCard("", "", "", "R", "9999")});   // 99.99 in: in range
    readLocationCard(test::roadwayCards(small.ctx));
    EXPECT_DOUBLE_EQ(small.ctx.alignment.location.textSize, 99.99);
}

TEST(AlignmentGroups, AWholeAlignmentReadFromTheDeck) {
    // 5-degree curve from 10+00 to 20+00 with tangents; a -2 % / +3 % sag
    // curve of 200 ft at 10+00; lanes 0-12-24-36 sloping -0.24 in/ft.
    LayoutRun run({
        CardImage().at(1, "1").at(12, "3000.").at(22, "1500.").at(32, " 90").at(51, "R"),
        CardImage().at(1, "2").at(10, "1000.").at(20, " 5").at(28, "2000."),
        CardImage().at(1, "3").at(2, "800.").at(12, "1000."),
        CardImage().at(1, "4").at(2, "104.").at(10, "-2.").at(19, "200.").at(26, "3."),
        CardImage().at(1, "5").at(5, "0.").at(13, "12.").at(29, "24.").at(37, "36."),
        CardImage().at(1, "6").at(2, "CONS").at(17, "-.24").at(23, "-.24").at(29, "-.24"),
        CardImage().at(1, "7"),
    });
    readAlignmentGroups(test::roadwayCards(run.ctx));
    const Alignment& a = run.ctx.alignment;
    EXPECT_EQ(run.ctx.lines[32].form, form::CIRCLE);
    StationPoint p = PointAtStation(a, run.ctx.lines, 1500);
    EXPECT_NEAR(p.x, 0, 1e-9);
    EXPECT_NEAR(p.y, 100 / (5 * DEG_TO_RAD), 1e-9);
    SurfacePoint e = SectionElevation(a, 1000, 18);
    EXPECT_NEAR(e.elevation, 101.25 - 0.36, 1e-12);
    EXPECT_EQ(e.edgeMark, ' ');
    // The next card is left for the layout phase.
    EXPECT_EQ(run.deck.next()->column(1), '7');
}
