// Output fields, the two notations and the rendering of carriage control.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "bridgeplan/constants.hpp"
#include "run/notation.hpp"
#include "run/record.hpp"
#include "run/report.hpp"

using namespace bp;

namespace {
std::string fixed(int w, int d, double v) {
    std::string s(w, '?');
    formatFixed(s.data(), w, d, v);
    return s;
}
std::string integer(int w, long long v) {
    std::string s(w, '?');
    formatInteger(s.data(), w, v);
    return s;
}
std::string stationText(double s, int width = 7) {
    Record r(' ');
    r.station(width, splitStation(s));
    return std::string(r.text().substr(1));
}
std::string angleText(double degrees, int width = 5) {
    Record r(' ');
    r.angle(width, splitAngle(foldAngle(degrees * PI / 180.0)));
    return std::string(r.text().substr(1));
}
}   // namespace

TEST(OutputFields, FixedPoint) {
    EXPECT_EQ(fixed(10, 4, 12.34567), "   12.3457");
    EXPECT_EQ(fixed(10, 4, -12.34567), "  -12.3457");
    EXPECT_EQ(fixed(6, 4, 5.6789), "5.6789");
    EXPECT_EQ(fixed(6, 4, 0.5), "0.5000");
    EXPECT_EQ(fixed(4, 2, -0.5), "-.50");    // no room for the leading zero
    EXPECT_EQ(fixed(4, 2, 100.0), "****");   // does not fit
    EXPECT_EQ(fixed(4, 2, -1.0), "****");
    EXPECT_EQ(fixed(3, 1, 9.96), "***");               // rounds up to 10.0
    EXPECT_EQ(fixed(10, 4, -0.00001), "    0.0000");   // rounds to zero: no sign
    EXPECT_EQ(fixed(6, 3, 7.5), " 7.500");
    EXPECT_EQ(fixed(5, 0, 12.0), "  12.");
}

TEST(OutputFields, IntegersAndText) {
    EXPECT_EQ(integer(3, 5), "  5");
    EXPECT_EQ(integer(3, -12), "-12");
    EXPECT_EQ(integer(3, 1000), "***");
    EXPECT_EQ(integer(2, -10), "**");
    Record r(' ');
    r.A(5, "ABCD").A(2, "XYZ").lit("|");
    EXPECT_EQ(r.text(), "  ABCDXY|");
}

TEST(OutputFields, TabsAndOverwrites) {
    Record r('0');
    r.I(5, 12).I(3, 5).F(6, 2, 7.25).put(7, '-').put(10, '-');
    EXPECT_EQ(r.text(), "0   12- 5- 7.25");
    Record t(' ');
    t.T(10).lit("X").T(3).lit("Y");
    EXPECT_EQ(t.text(), "  Y      X");
}

TEST(StationNotation, WorkedNumbers) {
    EXPECT_EQ(stationText(12345.6789), "    123+45.6789");
    EXPECT_EQ(stationText(-123.4567), "     -1+23.4567");
    EXPECT_EQ(stationText(100.0), "      1+00.0000");
    EXPECT_EQ(stationText(99.99996), "      1+00.0000");
    EXPECT_EQ(stationText(0.0), "      0+00.0000");
    EXPECT_EQ(stationText(1234.00005), "     12+34.0001");   // half away from zero
    EXPECT_EQ(stationText(-0.00004), "      0+00.0000");
}

TEST(StationNotation, NegativeBelowHundredKeepsItsSign) {
    EXPECT_EQ(stationText(-50.0), "     -0+50.0000");
    EXPECT_EQ(stationText(-99.5, 6), "    -0+99.5000");
    EXPECT_EQ(stationText(-100.0), "     -1+00.0000");
}

TEST(AngleNotation, WorkedNumbers) {
    EXPECT_EQ(angleText(12.0 + 5.0 / 60 + 7.3 / 3600), "   12-05-07.3");
    EXPECT_EQ(angleText(10.0 + 59.0 / 60 + 59.99 / 3600), "   11-00-00.0");
    EXPECT_EQ(angleText(100.0), "  -80-00-00.0");
    EXPECT_EQ(angleText(90.0), "   90-00-00.0");
    EXPECT_EQ(angleText(-90.0), "  -90-00-00.0");
    EXPECT_EQ(angleText(-12.5), "  -12-30-00.0");
    AngleParts half = splitAngle(-0.5 * PI / 180.0);
    EXPECT_EQ(half.degrees, 0);
    EXPECT_EQ(half.minuteTens, 3);
    EXPECT_TRUE(half.needsOverprint());
    EXPECT_EQ(angleText(-0.5), "    0-30-00.0");
    EXPECT_FALSE(splitAngle(0.0).needsOverprint());
}

TEST(AngleNotation, FoldTakesWholeTurnsOffThenFoldsOnce) {
    EXPECT_DOUBLE_EQ(foldAngle(HALF_PI), HALF_PI);
    EXPECT_DOUBLE_EQ(foldAngle(-HALF_PI), -HALF_PI);
    EXPECT_DOUBLE_EQ(foldAngle(PI), 0.0);
    EXPECT_NEAR(foldAngle(-2.0), -2.0 + PI, 1e-15);
    // A difference of directions more than a half turn out is brought back
    // by whole turns first: 199.76 degrees reads as 19.76, not 199.76.
    EXPECT_NEAR(foldAngle(5.0), 5.0 - 2 * PI, 1e-12);
    EXPECT_NEAR(foldAngle(199.76 * PI / 180.0), 19.76 * PI / 180.0, 1e-12);
    EXPECT_NEAR(foldAngle(-4.0), -4.0 + PI, 1e-12);
    EXPECT_NEAR(foldAngle(7.0), 7.0 - 2 * PI, 1e-12);
    EXPECT_GE(foldAngle(4.5), -HALF_PI);
    EXPECT_LE(foldAngle(4.5), HALF_PI);
}

TEST(ReportRendering, CarriageControl) {
    std::ostringstream out;
    {
        Report report(out, ReportMode::Rendered);
        report.write(Record('1').lit("PAGE"));
        report.write(Record(' ').lit("LINE   4"));
        report.write(Record('+').T(8).lit("-"));
        report.write(Record('0').lit("AFTER GAP  "));
        report.empty();
        report.write(Record('+').lit("  X"));
    }
    EXPECT_EQ(out.str(), "\fPAGE\nLINE  -4\n\nAFTER GAP\n  X\n");
}

TEST(ReportRendering, AsaKeepsTheRawRecords) {
    std::ostringstream out;
    {
        Report report(out, ReportMode::Asa);
        report.write(Record('1').lit("PAGE"));
        report.write(Record('+').lit("  -"));
        report.empty();
    }
    EXPECT_EQ(out.str(), "1PAGE\n+  -\n \n");
}
