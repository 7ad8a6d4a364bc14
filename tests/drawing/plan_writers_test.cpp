// The plan writers on a hand-built plan: a left-turning road (computed as
// its mirror image) with one span whose line is a circle of its own, and
// the label placement on crowded points.
#include <fmt/format.h>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <sstream>
#include <string>

#include "drawing/label_placement.hpp"
#include "drawing/plan_model.hpp"
#include "drawing/plan_sheet.hpp"
#include "drawing/plan_writers.hpp"

namespace bp::drawing {
namespace {

// A circle of radius 500 about (0, 0) from (0, 500) clockwise to
// (500 sin 0.2, 500 cos 0.2): stations run clockwise about the centre.
PlanProblem mirroredCircleSpan() {
    PlanProblem p;
    p.number = "0042";
    p.title = "HAND-BUILT";
    p.date = "01-JAN-70";
    p.mirror = -1.0;
    const XY a{0, 500}, b{500 * std::sin(0.2), 500 * std::cos(0.2)};
    PlanSpan span;
    span.id = "1";
    PlanLine line;
    line.number = 1;
    line.shape = LineShape::Circle;
    Stroke s;
    s.kind = Stroke::Kind::Arc;
    s.centre = {0, 0};
    s.radius = 500;
    s.clockwise = true;
    s.points = {a, b};
    line.strokes.push_back(s);
    span.lines.push_back(line);
    for (XY q : {a, b}) {
        PlanRow r;
        r.kind = 'B';
        r.line = 1;
        r.x = q.x;
        r.y = q.y;
        r.elevation = 100;
        span.rows.push_back(r);
    }
    p.spans.push_back(span);
    return p;
}

TEST(PlanSheet, MirroredArcKeepsItsCircleAndTurnsItsSense) {
    const PlanProblem p = mirroredCircleSpan();
    const Sheet sheet = composeSheet(p, SheetStyle{});
    int arcs = 0;
    for (const SheetItem& it : sheet.items) {
        if (it.kind != SheetItem::Kind::Arc) continue;
        ++arcs;
        EXPECT_NEAR(it.centre.x, 0, 1e-12);
        EXPECT_NEAR(it.centre.y, 0, 1e-12);
        EXPECT_EQ(it.radius, 500);
        // Clockwise in the plane frame is counter-clockwise on the mirrored sheet.
        EXPECT_FALSE(it.clockwise);
        EXPECT_NEAR(it.points[0].y, -500, 1e-9);
        // The counter-clockwise sweep from start to end is the 0.2 rad of the line.
        EXPECT_NEAR(it.endAngle - it.startAngle, 0.2, 1e-12);
        EXPECT_NEAR(std::remainder(it.startAngle - (-std::numbers::pi / 2), 2 * std::numbers::pi), 0, 1e-12);
    }
    EXPECT_EQ(arcs, 1);
}

TEST(PlanWriters, DxfArcAndSvgPathOfTheMirroredCircle) {
    const PlanProblem p = mirroredCircleSpan();
    std::ostringstream dxf, svg;
    writePlanDxf(dxf, p);
    writePlanSvg(svg, p);
    // DXF: the ARC about (0, 0), radius 500, from 270 to 270 + 11.459... degrees.
    const std::string d = dxf.str();
    const auto at = d.find("\n  0\nARC\n");
    ASSERT_NE(at, std::string::npos);
    const std::string arc = d.substr(at, 300);
    EXPECT_NE(arc.find("\n 40\n500.00000000\n"), std::string::npos) << arc;
    EXPECT_NE(arc.find("\n 50\n270.00000000\n"), std::string::npos) << arc;
    EXPECT_NE(arc.find(fmt::format("\n 51\n{:.8f}\n", 270 + 0.2 * 180 / std::numbers::pi)), std::string::npos)
        << arc;
    // SVG: one path, small arc, sweep 0 (counter-clockwise on the sheet).
    const std::string s = svg.str();
    const auto path = s.find("<path");
    ASSERT_NE(path, std::string::npos);
    const std::string el = s.substr(path, s.find('>', path) - path);
    EXPECT_NE(el.find(" 0 0 0 "), std::string::npos) << el;
    EXPECT_NE(el.find("data-radius=\"500.000000\""), std::string::npos) << el;
    EXPECT_EQ(s.find("<path", path + 1), std::string::npos);
}

// Crowded points with room around them: every label finds a free place,
// no two labels overlap and none covers a line held clear.
TEST(LabelPlacer, CrowdedPointsGetLabelsThatCoverNothing) {
    std::mt19937 random(17);
    std::uniform_real_distribution<double> along(0, 60), across(0, 20);
    LabelPlacer placer(4.0);
    const XY lineFrom{30, -40}, lineTo{30, 60};
    placer.holdClear(lineFrom, lineTo);
    std::vector<LabelRequest> labels;
    for (int i = 0; i < 120; ++i) labels.push_back({{along(random), across(random)}, 4.0, 1.0});
    const std::vector<LabelPlace> places = placer.place(labels);
    ASSERT_EQ(places.size(), labels.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
        EXPECT_TRUE(places[i].clear) << i;
        EXPECT_FALSE(crosses(places[i].box, lineFrom, lineTo)) << i;
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_FALSE(overlaps(places[i].box, places[j].box)) << i << " " << j;
    }
}

}   // namespace
}   // namespace bp::drawing
