// Bent lines of all five types on a straight and on a curved mainline,
// and the set-up of longitudinal lines against two bents.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "alignment/alignment_parts.hpp"
#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/keywords.hpp"
#include "layout/span_crossings.hpp"
#include "layout/span_parts.hpp"
#include "solver/intersection_solver.hpp"
#include "span_harness.hpp"

using namespace bp;
using bp::test::CardImage;
using bp::test::LayoutRun;

using bp::test::bent;
using bp::test::Layout;
constexpr double DEG = bp::test::DEG;

TEST(BentLines, SkewBentThroughItsStation) {
    Layout run(false, {bent("B", "SKEW", "1200.", " 3000000"), bent("A", "SKEW", "1300.")});
    readBents(run.ctx);
    // On the straight the mainline is y = 10000 with x = station - 1000.
    EXPECT_DOUBLE_EQ(run.bentRecord(1).station, 1200.0);
    EXPECT_NEAR(run.bentRecord(1).skew, 30 * DEG, 1e-15);
    EXPECT_NEAR(run.slot(21).direction, 120 * DEG, 1e-12);
    EXPECT_NEAR(run.residual(21, 200.0, 10000.0), 0.0, 1e-9);
    EXPECT_NEAR(run.residual(22, 300.0, 10000.0), 0.0, 1e-9);
    EXPECT_EQ(run.slot(22).form, 2);
    EXPECT_EQ(run.slot(21).lineType, kw::SKEW);
}

TEST(BentLines, PstaKeepsTheDirectionOfItsFirstStation) {
    // On the curve the normal turns 10 degrees per 100 ft: 90 at 1000, 80 at 1100.
    Layout run(true, {bent("B", "PSTA", "1000.", " 1000000", "1100."), bent("A", "SKEW", "1200.")});
    readBents(run.ctx);
    const StationPoint p2 = PointAtStation(run.ctx.alignment, run.ctx.lines, 1100.0);
    EXPECT_NEAR(p2.theta, 80 * DEG, 1e-12);
    EXPECT_NEAR(run.slot(21).direction, 100 * DEG, 1e-12);
    EXPECT_NEAR(run.residual(21, p2.x, p2.y), 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(run.bentRecord(1).station, 1100.0);
    EXPECT_NEAR(run.bentRecord(1).skew, 20 * DEG, 1e-12);
}

TEST(BentLines, PrevByStation) {
    {
        Layout run(false, {bent("B", "SKEW", "1000.", " 2000000"), bent("A", "PREV", "1100.")});
        readBents(run.ctx);
        EXPECT_DOUBLE_EQ(run.bentRecord(2).station, 1100.0);
        EXPECT_NEAR(run.bentRecord(2).skew, 20 * DEG, 1e-12);
        EXPECT_DOUBLE_EQ(run.slot(22).direction, run.slot(21).direction);
        EXPECT_NEAR(run.residual(22, 100.0, 10000.0), 0.0, 1e-9);
    }
    {
        // On the curve the same direction is a larger skew 100 ft on.
        Layout run(true, {bent("B", "SKEW", "1000.", " 2000000"), bent("A", "PREV", "1100.")});
        readBents(run.ctx);
        EXPECT_NEAR(run.bentRecord(2).skew, 30 * DEG, 1e-12);
    }
    Layout none(false, {bent("B", "SKEW", "1000."), bent("A", "PREV", "")});
    EXPECT_EQ(none.errorOf([&] { readBents(none.ctx); }), err::BENT_CARD);
}

TEST(BentLines, ParlAheadForPlusAndBehindForMinusOnEitherSkew) {
    // Lines 12 ft apart square to a bent skewed 30 degrees are
    // 12 / cos 30 = 13.8564 ft apart along the mainline.
    const double along = 12.0 / std::cos(30 * DEG);
    for (const char* skew : {" 3000000", "-3000000"}) {
        for (const char* d : {"12.", "-12."}) {
            Layout run(false, {bent("B", "PARL", "1000.", skew, d), bent("A", "SKEW", "1300.")});
            readBents(run.ctx);
            const double expected = 1000.0 + (d[0] == '-' ? -along : along);
            EXPECT_NEAR(run.bentRecord(1).station, expected, 1e-8) << skew << " " << d;
            EXPECT_NEAR(stationOnMainline(run.ctx, 21), expected, 1e-8);
            EXPECT_NEAR(std::fabs(run.bentRecord(1).skew), 30 * DEG, 1e-12);
        }
    }
}

TEST(BentLines, PrevByDistance) {
    const double along = 50.0 / std::cos(20 * DEG);
    Layout run(false, {bent("B", "SKEW", "1000.", " 2000000"), bent("A", "PREV", "", "", "50.")});
    readBents(run.ctx);
    EXPECT_NEAR(run.bentRecord(2).station, 1000.0 + along, 1e-8);
    EXPECT_NEAR(run.bentRecord(2).skew, 20 * DEG, 1e-12);
    EXPECT_DOUBLE_EQ(run.slot(22).direction, run.slot(21).direction);
    EXPECT_DOUBLE_EQ(run.slot(22).slope, run.slot(21).slope);
}

TEST(BentLines, SameOnTheBackBentOfTheSecondSpan) {
    Layout run(
        true,
        {bent("B", "SKEW", "1000."), bent("A", "SKEW", "1100.", "-13205", "", "P2", "PIER TWO     C"),
         bent("B", "SAME", "", "", "", "XX", "OTHER WORDS  S"), bent("A", "SKEW", "1250.", "", "", "P3")});
    readBents(run.ctx);
    const TransverseLine ahead = run.slot(22);
    const Bent aheadBent = run.bentRecord(2);
    run.ctx.firstSpan = false;
    readBents(run.ctx);
    EXPECT_EQ(run.slot(21).bentNumber, "P2");
    EXPECT_EQ(run.slot(21).remarks, "PIER TWO     C");
    // The plot mark is the SAME card's own column 50, not the copied remarks' last character.
    EXPECT_EQ(run.slot(21).plotMark, 'S');
    EXPECT_EQ(run.slot(21).form, ahead.form);
    EXPECT_DOUBLE_EQ(run.slot(21).throughX, ahead.throughX);
    EXPECT_DOUBLE_EQ(run.slot(21).throughY, ahead.throughY);
    EXPECT_DOUBLE_EQ(run.slot(21).slope, ahead.slope);
    EXPECT_DOUBLE_EQ(run.slot(21).intercept, ahead.intercept);
    EXPECT_DOUBLE_EQ(run.slot(21).direction, ahead.direction);
    EXPECT_DOUBLE_EQ(run.bentRecord(1).station, aheadBent.station);
    EXPECT_DOUBLE_EQ(run.bentRecord(1).skew, aheadBent.skew);
    EXPECT_DOUBLE_EQ(run.bentRecord(1).normFactor, aheadBent.normFactor);
    EXPECT_EQ(run.slot(22).bentNumber, "P3");
    EXPECT_DOUBLE_EQ(run.bentRecord(2).station, 1250.0);
}
