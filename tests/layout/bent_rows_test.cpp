// Bent rows and the point columns shared with the T-line rows: the angle
// fold, the overprinted sign of a small negative angle, and the exact
// columns of each layout.
#include <gtest/gtest.h>

#include <string>

#include "../layout/span_fixture.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "layout/bent_rows.hpp"
#include "layout/point_rows.hpp"

using namespace bp;
using bp::testing::SpanFixture;

namespace {

double degrees(double d) { return d * PI / 180.0; }

void setBent(SpanFixture& f, int k, const char* number, double station, double skew, const char* remarks,
             const char* type) {
    TransverseLine& slot = f.ctx.transverse[20 + k];
    slot.bentNumber = number;
    slot.remarks = remarks;
    slot.lineType = Word(type);
    f.ctx.bents[k].station = station;
    f.ctx.bents[k].skew = skew;
}

}   // namespace

TEST(BentDataRows, ColumnsAndSmallNegativeSkew) {
    SpanFixture f;
    setBent(f, 1, " 1", 12345.6789, degrees(-0.5), "ABUT 1        ", "SKEW");
    setBent(f, 2, "12", 12480.0, degrees(30.0), "PIER 2        ", "PARL");
    writeBentDataRows(f.ctx);
    auto r = f.records();
    ASSERT_EQ(r.size(), 3u);
    // Letter 2, NO. 5-6, station 7-20, degrees 21-25, minutes 26-28,
    // seconds 29-33, remarks 36-49, type 52-55.
    EXPECT_EQ(r[0], std::string("0") + " B" + "  " + " 1" + "   123+45.6789" + "    0-30-00.0" + "  " +
                        "ABUT 1        " + "  " + "SKEW");
    // The sign of -0 30' on an overprint in front of the 0 (print column 24).
    EXPECT_EQ(r[1], "+" + std::string(23, ' ') + "-");
    EXPECT_EQ(r[2], std::string("0") + " A" + "  " + "12" + "   124+80.0000" + "   30-00-00.0" + "  " +
                        "PIER 2        " + "  " + "PARL");
}

TEST(BentDataRows, FoldAndRightAngles) {
    SpanFixture f;
    setBent(f, 1, " 1", 1000.0, degrees(100.0), "", "SKEW");
    setBent(f, 2, " 2", 1100.0, -HALF_PI, "", "SKEW");
    writeBentDataRows(f.ctx);
    auto r = f.records();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].substr(21, 13), "  -80-00-00.0");   // 100 degrees folds to -80
    EXPECT_EQ(r[1].substr(21, 13), "  -90-00-00.0");   // exactly -90 stays

    SpanFixture g;
    setBent(g, 1, " 1", 1000.0, HALF_PI, "", "SKEW");
    setBent(g, 2, " 2", 1100.0, degrees(-100.0), "", "SKEW");
    writeBentDataRows(g.ctx);
    auto s = g.records();
    ASSERT_EQ(s.size(), 2u);
    EXPECT_EQ(s[0].substr(21, 13), "   90-00-00.0");   // exactly +90 stays
    EXPECT_EQ(s[1].substr(21, 13), "   80-00-00.0");   // -100 folds to +80
}

TEST(PointRows, ColumnsOfALongLineRow) {
    WorkPoint wp;
    wp.station = 12345.6789;
    wp.elevation = 1234.56789;
    wp.edgeMark = '*';
    wp.offset = -12.5;
    wp.distBent = 40.25;
    wp.distPrev = 8.0;
    wp.angle = degrees(-0.25) + PI;   // folds to -0 15'
    wp.x = -1234.5678;
    wp.y = 98765.4321;
    PointRow point = workPointRow(wp, 3, 22);
    point.remarks = "CL PIER 2     ";
    point.type = "SKEW";
    EXPECT_EQ(wp.angle, degrees(-0.25) + PI);   // the row has the folded angle, not the work point
    AngleParts angle = splitAngle(*point.angle);
    EXPECT_TRUE(angle.needsOverprint());
    Record row('0');
    row.lit(" B ").A(2, " 2");
    std::string text(pointColumns(row, point, angle).text());
    // " B " 1-3, NO. 4-5, station 6-20, elevation 21-31, mark 32, DT TO ML
    // 33-42, DT TO BT 43-52, DT TO PP 53-62, angle 63-75, X 76-87, Y 88-99,
    // remarks 102-115, type 118-121.
    std::string expected = std::string("0") + " B " + " 2" + "    123+45.6789" + "  1234.5679" + "*" +
                           "  -12.5000" + "   40.2500" + "    8.0000" + "    0-15-00.0" + "  -1234.5678" +
                           "  98765.4321" + "  " + "CL PIER 2     " + "  " + "SKEW";
    EXPECT_EQ(text, expected);
}

TEST(PointRows, SkipFlags) {
    TransverseLine slot;
    slot.skips[2] = 1;
    slot.skips[4] = -1;
    EXPECT_FALSE(slotSkipsLine(slot, 1));
    EXPECT_TRUE(slotSkipsLine(slot, 3));
    try {
        slotSkipsLine(slot, 5);
        FAIL() << "a negative skip flag was accepted";
    } catch (const ProblemAbandoned& e) {
        EXPECT_EQ(e.number(), err::INTERNAL);
    }
}

TEST(BentDataRows, AngleRoundingToZeroHasNoSign) {
    SpanFixture f;
    setBent(f, 1, " 1", 1000.0, -1e-13, "", "SKEW");                   // square, computed a hair below zero
    setBent(f, 2, " 2", 1100.0, degrees(-1.0 / 7200.0), "", "SKEW");   // -0.5 second: still shown
    writeBentDataRows(f.ctx);
    auto r = f.records();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].substr(21, 13), "    0-00-00.0");
    EXPECT_EQ(r[1].substr(21, 13), "    0-00-00.5");
    EXPECT_EQ(r[2], "+" + std::string(23, ' ') + "-");
}
