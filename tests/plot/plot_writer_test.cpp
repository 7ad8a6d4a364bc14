// The plot command file: frame, conversion to plot units and the exact
// text of every command.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "bridgeplan/errors.hpp"
#include "plot/plot_writer.hpp"
#include "plot_test_run.hpp"

using namespace bp;

namespace {

std::string polyline(std::vector<PlotPoint> points) {
    std::ostringstream out;
    writePolyline(out, points);
    return out.str();
}

std::vector<PlotPoint> numbered(int n) {   // (1, 2), (3, 4), ...
    std::vector<PlotPoint> points;
    for (int i = 0; i < n; ++i) points.push_back({2 * i + 1, 2 * i + 2});
    return points;
}

std::string elevationText(double elevation, PlotPoint origin = {1, 2}) {
    PlotFrame frame;
    std::ostringstream out;
    writeElevationText(out, frame, origin, elevation);
    return out.str();
}

}   // namespace

TEST(PlotFrame, HeaderAndTextSize) {
    PlotTestRun zero('R', 0.0, 0.0f);
    EXPECT_EQ(zero.take(), (std::vector<std::string>{"DID/NA=ZNQ", "FNT/68", "TLC/CO=10,JU=3"}));
    EXPECT_EQ(zero.ctx.frame.textSize, 6.0f);
    EXPECT_EQ(zero.ctx.frame.textHeight, 6000);
    EXPECT_EQ(zero.ctx.frame.textWidth, 6000);

    PlotTestRun large('R', 7.5, 0.0f);
    EXPECT_EQ(large.ctx.frame.textHeight, 7500);
    EXPECT_EQ(large.ctx.frame.textWidth, 7500);

    // 0.29 in: the single-precision product is 290.0; formed in double it
    // would be 289.9999917 and truncate to 289.
    PlotTestRun small('R', 0.29, 0.0f);
    EXPECT_EQ(small.ctx.frame.textHeight, 290);
}

TEST(PlotFrame, ScalingRoundsOnlyNonNegativeProducts) {
    PlotTestRun run('R', 0.0, 0.0f);
    const PlotFrame& f = run.ctx.frame;
    EXPECT_EQ(toPlotUnits(f, 1.0, 2.0).x, 12000);
    EXPECT_EQ(toPlotUnits(f, 1.0, 2.0).y, 24000);
    EXPECT_EQ(toPlotUnits(f, -100.3 / 12000.0, 0.0).x, -99);
    EXPECT_EQ(toPlotUnits(f, 0.0, 0.01).y, 120);
    EXPECT_EQ(toPlotUnits(f, 0.0, -0.01).y, -119);
    EXPECT_EQ(toPlotUnits(f, -83333.0, 0.0).x, -999995999);
}

TEST(PlotFrame, MirrorForALeftTurningRoad) {
    PlotTestRun run('L', 0.0, 0.0f);
    const PlotFrame& f = run.ctx.frame;
    EXPECT_EQ(toPlotUnits(f, 0.0, 0.01).y, -120);
    EXPECT_EQ(toPlotUnits(f, 0.0, -0.01).y, 119);
    EXPECT_EQ(toPlotUnits(f, 1.0, 0.01).x, 12000);
}

TEST(PlotFrame, RotationUsesTheSinglePrecisionDegreeFactor) {
    // 90 degrees times pi/180 in single precision falls 1.6e-8 rad short of
    // a right angle: a point 1000 ft along X lands at y = 11999999, not 12000000.
    PlotTestRun right('R', 0.0, 90.0f);
    PlotPoint p = toPlotUnits(right.ctx.frame, 1000.0, 0.0);
    EXPECT_EQ(p.x, 0);
    EXPECT_EQ(p.y, 11999999);

    PlotTestRun thirty('R', 0.0, 30.0f);
    p = toPlotUnits(thirty.ctx.frame, 100.0, 50.0);
    EXPECT_EQ(p.x, 739230);    // 1039230.48 - 300000
    EXPECT_EQ(p.y, 1119615);   // 600000 + 519615.24

    // Mirrored: Y negated, then rotated by -30 degrees.
    PlotTestRun left('L', 0.0, 30.0f);
    p = toPlotUnits(left.ctx.frame, 100.0, 50.0);
    EXPECT_EQ(p.x, 739230);
    EXPECT_EQ(p.y, -1119615);
}

TEST(PlotCommands, PolylineLineBreaking) {
    EXPECT_EQ(polyline(numbered(2)), "LST/OP,         1,         2,         3,         4\n");
    EXPECT_EQ(polyline(numbered(3)),
              "LST/OP,         1,         2,         3,         4,         5,         6\n");
    EXPECT_EQ(polyline(numbered(4)),
              "LST/OP,         1,         2,         3,         4,         5,         6,\n"
              "             7,         8\n");
    EXPECT_EQ(polyline(numbered(5)),
              "LST/OP,         1,         2,         3,         4,         5,         6,\n"
              "             7,         8,         9,        10\n");

    std::string full = polyline(numbered(22));
    std::vector<std::string> lines;
    std::istringstream in(full);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].size(), 73u);
    EXPECT_EQ(lines[1], "             7,         8,         9,        10,        11,        12,");
    EXPECT_EQ(lines[6].size(), 70u);
    EXPECT_EQ(lines[7], "            43,        44");
}

TEST(PlotCommands, PolylineRefusesAPointCountOutsideTheCommand) {
    EXPECT_THROW(polyline(numbered(1)), ProblemAbandoned);
    EXPECT_THROW(polyline(numbered(23)), ProblemAbandoned);
}

TEST(PlotCommands, IntegerFieldsThatDoNotFit) {
    EXPECT_EQ(polyline({{-999999999, 9999999999}, {-1000000000, 10000000000}}),
              "LST/OP,-999999999,9999999999,**********,**********\n");
    // Far beyond the 32-bit range, and a point that is not a number at all.
    PlotTestRun run('R', 0.0, 0.0f);
    PlotPoint p = toPlotUnits(run.ctx.frame, 1e30, std::nan(""));
    EXPECT_EQ(polyline({p, p}), "LST/OP,**********,**********,**********,**********\n");
    // 200000 ft: beyond a 32-bit integer, still within the field.
    EXPECT_EQ(toPlotUnits(run.ctx.frame, 200000.0, 0.0).x, 2400000000LL);
}

TEST(PlotCommands, ElevationText) {
    PlotFrame frame;
    std::ostringstream out;
    writeElevationText(out, frame, {1234567, 2345678}, 123.4567);
    EXPECT_EQ(out.str(), "TXT/TH=      6000,TW=      6000,OR=   1234567,   2345678,AN=0.0,EL.123.457\n");

    auto ending = [](double e) {
        std::string text = elevationText(e);
        return text.substr(text.find(",EL.") + 1);
    };
    EXPECT_EQ(ending(9.5), "EL.9.500\n");
    EXPECT_EQ(ending(95.25), "EL.95.250\n");
    EXPECT_EQ(ending(999.1), "EL.999.100\n");
    EXPECT_EQ(ending(0.25), "EL.0.250\n");
    EXPECT_EQ(ending(-0.5), "EL.-.500\n");
    EXPECT_EQ(ending(-1.5), "EL.*****\n");
    EXPECT_EQ(ending(9.9996), "EL.*****\n");   // rounds up to 10.000 in width 5
    EXPECT_EQ(ending(999.9996), "EL.*******\n");
    EXPECT_EQ(elevationText(1000.0), "");
    EXPECT_EQ(elevationText(1234.5), "");
}

TEST(PlotCommands, Arcs) {
    std::ostringstream out;
    writeArc(out, ArcSense::Clockwise, {100, -200}, {300, 400});
    writeArc(out, ArcSense::CounterClockwise, {1, 2}, {3, 4});
    EXPECT_EQ(out.str(),
              "ARC/CL,CE=  0,  0,P1=       100,      -200,P2=       300,       400\n"
              "ARC/CC,CE=  0,  0,P1=         1,         2,P2=         3,         4\n");
}
