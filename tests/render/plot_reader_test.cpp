// Reading plot command files back: every command the writer emits, the
// attribute lines that carry over, and lines that cannot be read.
#include <cmath>
#include <numbers>
#include <sstream>

#include <gtest/gtest.h>

#include "render/drawing_writers.hpp"
#include "render/plot_drawing.hpp"

namespace bp::render {
namespace {

PlotFile read(const std::string& text) {
    std::istringstream in(text);
    return readPlotFile(in);
}

const char* HEADER = "DID/NA=ZNQ\nFNT/68\nTLC/CO=10,JU=3\n";

TEST(PlotReader, PolylinesRunOnOverContinuationLinesAndZeroLengthOnesAreMarkers) {
    const PlotFile f = read(std::string(HEADER) +
                            "LAC/LT=4,LC=0,LS=3\nOVR/2\n"
                            "LST/OP,         1,         2,         3,         4,         5,         6,\n"
                            "             7,         8,\n"
                            "             9,        10\n"
                            "LAC/LT=3,LC=1,LS=0\nOVR/20\n"
                            "LST/OP,  -1000,  2000,  -1000,  2000\r\n");
    ASSERT_TRUE(f.diagnostics.empty()) << f.diagnostics[0].message;
    ASSERT_EQ(f.drawings.size(), 1u);
    const PlotDrawing& d = f.drawings[0];
    EXPECT_EQ(d.name, "ZNQ");
    EXPECT_EQ(d.font, 68);
    EXPECT_EQ(d.textJustification, 3);
    ASSERT_EQ(d.elements.size(), 2u);
    EXPECT_EQ(d.elements[0].kind, ElementKind::Polyline);
    ASSERT_EQ(d.elements[0].points.size(), 5u);
    EXPECT_EQ(d.elements[0].points[4], (PlotPoint{9, 10}));
    EXPECT_EQ(d.elements[0].pen.style, 3);
    EXPECT_EQ(d.elements[0].pen.lineType, 4);
    EXPECT_EQ(d.elements[0].pen.level, 2);
    EXPECT_EQ(d.elements[1].kind, ElementKind::Marker);
    EXPECT_EQ(d.elements[1].points, (std::vector<PlotPoint>{{-1000, 2000}}));
    EXPECT_EQ(d.elements[1].pen.colour, 1);
    EXPECT_EQ(d.elements[1].sourceLine, 11);
}

TEST(PlotReader, AttributeLinesChangeOnlyWhatTheyNameAndEveryHeaderStartsADrawing) {
    const PlotFile f = read(std::string(HEADER) +
                            "LAC/LT=1,LC=2,LS=6\nOVR/5\nLAC/LC=3\nASC/-1\n"
                            "ARC/CL,CE=  0,  0,P1=    120000,         0,P2=         0,   -120000\n"
                            "ASC/0\n" +
                            HEADER + "ARC/CC,CE=  0,  0,P1=    120000,         0,P2=         0,    120000\n");
    ASSERT_TRUE(f.diagnostics.empty());
    ASSERT_EQ(f.drawings.size(), 2u);
    const Element& a = f.drawings[0].elements.at(0);
    EXPECT_EQ(a.kind, ElementKind::Arc);
    EXPECT_TRUE(a.clockwise);
    EXPECT_EQ(a.pen.lineType, 1);
    EXPECT_EQ(a.pen.colour, 3);
    EXPECT_EQ(a.pen.style, 6);
    EXPECT_TRUE(a.pen.inLabel);
    // The next problem's drawing starts with a fresh pen.
    const Element& b = f.drawings[1].elements.at(0);
    EXPECT_FALSE(b.clockwise);
    EXPECT_EQ(b.pen.colour, 0);
    EXPECT_EQ(b.pen.level, 0);
}

TEST(PlotReader, TextKeepsItsHeightOriginAngleAndEverythingAfterTheAngle) {
    const PlotFile f = read(std::string(HEADER) +
                            "TXT/TH=      6000,TW=      7500,OR= -12773155,  -1023253,AN=0.0,EL.621.807\n"
                            "TXT/TH=      6000,TW=      6000,OR=         0,         0,AN=30.0,A,B\n");
    ASSERT_TRUE(f.diagnostics.empty());
    const auto& e = f.drawings[0].elements;
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].text, "EL.621.807");
    EXPECT_EQ(e[0].textHeight, 6000);
    EXPECT_EQ(e[0].textWidth, 7500);
    EXPECT_EQ(e[0].points[0], (PlotPoint{-12773155, -1023253}));
    EXPECT_EQ(e[1].text, "A,B");
    EXPECT_DOUBLE_EQ(e[1].textAngle, 30.0);
}

TEST(PlotReader, BadLinesAreReportedWithTheirNumberAndSkipped) {
    const PlotFile f = read(std::string(HEADER) +
                            "LAC/LT=3,LC=1,LS=0\n"                                   // 4
                            "FOO/1\n"                                                // 5 unknown command
                            "LST/OP,**********,         5,         6,         7\n"   // 6 no number
                            "LST/OP,         1,         2,         3\n"              // 7 odd count
                            "LAC/LT=3,XX=1\n"   // 8 unknown attribute, pen kept
                            "LST/OP,         1,         2,         3,         4,         5,         6,\n"
                            "OVR/20\n"       // 10 runs on into a command
                            "just words\n"   // 11
                            "ARC/CL,CE=  0,  0,P1=         0,         0,P2=         5,         5\n"
                            "LST/OP,         1,         2,         3,         4\n");
    std::vector<int> lines;
    for (const Diagnostic& d : f.diagnostics) lines.push_back(d.line);
    EXPECT_EQ(lines, (std::vector<int>{5, 6, 7, 8, 9, 11, 12}));
    // The line after the cut-short polyline is still read as a command.
    ASSERT_EQ(f.drawings[0].elements.size(), 1u);
    EXPECT_EQ(f.drawings[0].elements[0].pen.level, 20);
    EXPECT_EQ(f.drawings[0].elements[0].pen.colour, 1);
    EXPECT_EQ(f.drawings[0].elements[0].sourceLine, 13);
}

TEST(PlotReader, CommandsBeforeAnyHeaderStillFormADrawing) {
    const PlotFile f = read("LST/OP,         1,         2,         3,         4\n");
    ASSERT_EQ(f.drawings.size(), 1u);
    EXPECT_EQ(f.drawings[0].headerLine, 0);
    EXPECT_EQ(f.drawings[0].elements.size(), 1u);
}

// Read as a stream: each drawing comes whole when the next header (or the
// end) is reached, with the lines reported so far; a polyline running on
// over the header's line is cut there. A line too long for a plot command
// ends the reading without being held.
TEST(PlotReader, DrawingsComeOneAtATimeAndAnOverlongLineEndsTheReading) {
    std::istringstream in(std::string(HEADER) + "LST/OP,         1,         2,         3,         4\n" +
                          "XYZ/1\n" + HEADER + "LST/OP,         5,         6,\n" + HEADER +
                          "LST/OP,         7,         8,         9,        10\n" +
                          std::string(MAX_PLOT_LINE + 10, 'A') + "\nLST/OP, 1, 1, 2, 2\n");
    PlotReader reader(in);
    auto first = reader.next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->elements.size(), 1u);
    auto seen = reader.takeDiagnostics();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].line, 5);
    auto second = reader.next();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->headerLine, 6);
    EXPECT_TRUE(second->elements.empty());
    EXPECT_EQ(reader.takeDiagnostics().at(0).line, 9);
    auto third = reader.next();
    ASSERT_TRUE(third);
    EXPECT_EQ(third->headerLine, 10);
    EXPECT_EQ(third->elements.size(), 1u);
    EXPECT_FALSE(reader.next());
    EXPECT_EQ(reader.overlongLine(), 14);
}

Element arcOf(bool clockwise, PlotPoint p1, PlotPoint p2) {
    Element e;
    e.kind = ElementKind::Arc;
    e.clockwise = clockwise;
    e.points = {p1, p2};
    return e;
}

TEST(ArcGeometry, SweepFollowsTheSenseAndExtentsTakeTheBulge) {
    // A quarter circle clockwise from +x to -y sweeps pi/2; the same ends
    // counter-clockwise sweep 3 pi/2 and pass through +y and -x.
    const ArcGeometry cw = arcGeometry(arcOf(true, {1000, 0}, {0, -1000}));
    EXPECT_NEAR(cw.sweep, std::numbers::pi / 2, 1e-12);
    EXPECT_DOUBLE_EQ(cw.radius, 1000);
    EXPECT_FALSE(cw.refitted);
    const ArcGeometry ccw = arcGeometry(arcOf(false, {1000, 0}, {0, -1000}));
    EXPECT_NEAR(ccw.sweep, 3 * std::numbers::pi / 2, 1e-12);

    PlotDrawing d;
    d.elements.push_back(arcOf(false, {1000, 0}, {0, -1000}));
    const Extents e = drawingExtents(d);
    EXPECT_NEAR(e.minX, -1000, 1e-9);
    EXPECT_NEAR(e.maxY, 1000, 1e-9);
    EXPECT_NEAR(e.minY, -1000, 1e-9);
    d.elements[0].clockwise = true;
    EXPECT_NEAR(drawingExtents(d).maxY, 0, 1e-9);
    EXPECT_NEAR(drawingExtents(d).minX, 0, 1e-9);
}

TEST(ArcGeometry, AnEndOffTheCircleGivesTheArcOfTheMeanRadiusThroughBothEnds) {
    // P2 lies 1 ft (12000 units) outside the circle of P1 about the origin.
    const Element arc = arcOf(true, {0, 1200000}, {1212000, 0});
    const ArcGeometry g = arcGeometry(arc);
    ASSERT_TRUE(g.refitted);
    EXPECT_NEAR(g.radius, 1206000, 1e-6);
    for (const PlotPoint& p : arc.points)
        EXPECT_NEAR(std::hypot(double(p.x) - g.centreX, double(p.y) - g.centreY), g.radius, 1e-6);
    EXPECT_LT(std::hypot(g.centreX, g.centreY), 12000);   // near the given centre
    // Within the rounding of plot units the given centre stands.
    EXPECT_FALSE(arcGeometry(arcOf(true, {0, 1200000}, {1200010, 0})).refitted);
}

TEST(DrawingWriters, SvgTurnsYUpwardsAndDxfArcsRunCounterClockwise) {
    PlotDrawing d;
    Element a = arcOf(true, {120000, 0}, {0, -120000});
    a.pen.level = 7;
    d.elements.push_back(a);
    std::ostringstream dxf;
    writeDxf(dxf, d, "t");
    // A clockwise quarter from 0 to 270 degrees is the counter-clockwise
    // arc from 270 to 0; radius 10 ft.
    const std::string s = dxf.str();
    EXPECT_NE(s.find(" 40\n10.00000000\n 50\n270.00000000\n 51\n0.00000000\n"), std::string::npos) << s;
    EXPECT_NE(s.find("  8\nLEVEL_7\n"), std::string::npos);

    std::ostringstream svg;
    writeSvg(svg, d, "a < b");
    EXPECT_NE(svg.str().find("<g id=\"level-7\">"), std::string::npos);
    EXPECT_NE(svg.str().find("<title>a &lt; b</title>"), std::string::npos);
    // Clockwise in the plan is sweep flag 1 on the y-down sheet.
    EXPECT_NE(svg.str().find(" 0 0 1 "), std::string::npos) << svg.str();
}

TEST(DrawingWriters, APointMarkerCarriesTheTextOfItsLabel) {
    const PlotFile f = read(std::string(HEADER) +
                            "LAC/LT=3,LC=2,LS=0\nOVR/20\n"
                            "LST/OP,         0,         0,         0,         0\n"
                            "LAC/LT=0,LC=0,LS=0\nOVR/43\nASC/-1\n"
                            "LST/OP,         0,         0,      1000,      1000\n"
                            "TXT/TH=      6000,TW=      6000,OR=      1000,      1000,AN=0.0,EL.9.500\n"
                            "ASC/0\n"
                            "LST/OP,     50000,         0,     50000,         0\n");
    ASSERT_TRUE(f.diagnostics.empty());
    std::ostringstream svg;
    writeSvg(svg, f.drawings[0], "t");
    const std::string s = svg.str();
    EXPECT_NE(s.find("\"#138a13\"><title>EL.9.500</title></circle>"), std::string::npos) << s;
    // The second marker has no label of its own.
    EXPECT_EQ(s.find("<title>", s.find("</circle>")), std::string::npos);
    EXPECT_NE(s.find("<text x="), std::string::npos);
}

}   // namespace
}   // namespace bp::render
