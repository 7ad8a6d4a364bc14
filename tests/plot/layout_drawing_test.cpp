// The plan drawing of a span, driven in the order of the span report: per
// line its back-bent row, its T-line rows, its ahead-bent row, the end of
// its table; the transverse lines at the end of the span.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "plot/layout_drawing.hpp"
#include "plot_test_run.hpp"

using namespace bp;

namespace {

struct Pt {
    double x, y, elevation, offset;
};
using Row = std::optional<Pt>;   // nothing: the bent or T-line skips the line

struct DrawingRun : PlotTestRun {
    explicit DrawingRun(char letter = 'R', double textSize = 0.0, float angle = 0.0f)
        : PlotTestRun(letter, textSize, angle) {
        take();   // the header
    }

    void span(int tLines, char backMark = 'C', char aheadMark = 'C') {
        ctx.span.tLineCount = tLines;
        ctx.transverse[BACK_BENT_SLOT].plotMark = backMark;
        ctx.transverse[AHEAD_BENT_SLOT].plotMark = aheadMark;
    }

    void at(const Pt& p) {
        row.x = p.x;
        row.y = p.y;
        row.elevation = p.elevation;
        row.dtToMl = p.offset;
    }

    // The row of the point given last, on line N at transverse slot L.
    void draw(int n, int slot) {
        row.line = n;
        row.slot = slot;
        drawPoint(ctx, row);
    }

    PointRow row;

    // One line's table: rows[0] the back bent, rows[i] T-line i, the last the ahead bent.
    void line(int n, char mark, const std::vector<Row>& rows) {
        ctx.lines[n].plotMark = mark;
        const int last = static_cast<int>(rows.size()) - 1;
        for (int i = 0; i <= last; ++i) {
            if (!rows[i]) continue;
            at(*rows[i]);
            if (i == 0)
                draw(n, BACK_BENT_SLOT);
            else if (i == last)
                draw(n, AHEAD_BENT_SLOT);
            else
                draw(n, i);
        }
        finishLineDrawing(ctx, n);
    }
};

// Straight rows across the span: line at Y = y ft, back bent at X = 100,
// T-lines every 10 ft, ahead bent after them; elevations rise 0.5 ft a row.
std::vector<Row> straightRows(double y, int tLines, double offset) {
    std::vector<Row> rows;
    for (int i = 0; i <= tLines + 1; ++i) rows.push_back(Pt{100.0 + 10.0 * i, y, 50.0 + 0.5 * i, offset});
    return rows;
}

// Each command reduced to its name: the attribute lines as they stand, the
// others by their first six characters; continuation lines are left out.
std::vector<std::string> commandNames(const std::vector<std::string>& lines) {
    std::vector<std::string> names;
    for (const std::string& l : lines) {
        if (l.rfind("    ", 0) == 0) continue;
        if (l.rfind("LST/OP", 0) == 0 || l.rfind("TXT/TH", 0) == 0 || l.rfind("ARC/C", 0) == 0)
            names.push_back(l.substr(0, 6));
        else
            names.push_back(l);
    }
    return names;
}

using Lines = std::vector<std::string>;

const Lines TLINE_POINT = {"LAC/LT=3,LC=1,LS=0",
                           "OVR/20",
                           "LST/OP",
                           "LAC/LT=0,LC=0,LS=0",
                           "OVR/43",
                           "ASC/-1",
                           "LST/OP",
                           "TXT/TH",
                           "ASC/0"};
const Lines BENT_POINT = {"LAC/LT=3,LC=2,LS=0",
                          "OVR/20",
                          "LST/OP",
                          "LAC/LT=0,LC=0,LS=0",
                          "OVR/43",
                          "ASC/-1",
                          "LST/OP",
                          "TXT/TH",
                          "ASC/0"};

Lines join(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

}   // namespace

// The whole span of the worked example: direction "R", two lines and both
// bents marked "C", one T-line; every value derived by hand (text size 0,
// so 6.0 in: leader rise 18000, text 4398 higher, steps 21198 for bent and
// 22398 for T-line points, leader 42000 long, labels on the right).
TEST(LayoutDrawing, WholeSpanInCommandOrder) {
    DrawingRun run;
    run.span(1);
    run.line(1, 'C', {Pt{100, 10, 50.5, 10}, Pt{110, 10, 51.0, 10}, Pt{120, 10, 51.5, 10}});
    run.line(2, 'C', {Pt{100, 20, 50.25, 20}, Pt{110, 20, 50.75, 20}, Pt{120, 20, 51.25, 20}});
    drawTransverseLines(run.ctx);
    const Lines expected = {
        // Line 1, back bent at (1200000, 120000).
        "LAC/LT=3,LC=2,LS=0",
        "OVR/20",
        "LST/OP,   1200000,    120000,   1200000,    120000",
        "LAC/LT=0,LC=0,LS=0",
        "OVR/43",
        "ASC/-1",
        "LST/OP,   1200000,    120000,   1221198,    138000,   1263198,    138000",
        "TXT/TH=      6000,TW=      6000,OR=   1221198,    142398,AN=0.0,EL.50.500",
        "ASC/0",
        // Line 1, T-line 1 at (1320000, 120000).
        "LAC/LT=3,LC=1,LS=0",
        "OVR/20",
        "LST/OP,   1320000,    120000,   1320000,    120000",
        "LAC/LT=0,LC=0,LS=0",
        "OVR/43",
        "ASC/-1",
        "LST/OP,   1320000,    120000,   1342398,    138000,   1384398,    138000",
        "TXT/TH=      6000,TW=      6000,OR=   1342398,    142398,AN=0.0,EL.51.000",
        "ASC/0",
        // Line 1, ahead bent at (1440000, 120000), then its arc.
        "LAC/LT=3,LC=2,LS=0",
        "OVR/20",
        "LST/OP,   1440000,    120000,   1440000,    120000",
        "LAC/LT=0,LC=0,LS=0",
        "OVR/43",
        "ASC/-1",
        "LST/OP,   1440000,    120000,   1461198,    138000,   1503198,    138000",
        "TXT/TH=      6000,TW=      6000,OR=   1461198,    142398,AN=0.0,EL.51.500",
        "ASC/0",
        "LAC/LT=4,LC=0,LS=0",
        "OVR/2",
        "ARC/CL,CE=  0,  0,P1=   1200000,    120000,P2=   1440000,    120000",
        // Line 2 at y = 240000.
        "LAC/LT=3,LC=2,LS=0",
        "OVR/20",
        "LST/OP,   1200000,    240000,   1200000,    240000",
        "LAC/LT=0,LC=0,LS=0",
        "OVR/43",
        "ASC/-1",
        "LST/OP,   1200000,    240000,   1221198,    258000,   1263198,    258000",
        "TXT/TH=      6000,TW=      6000,OR=   1221198,    262398,AN=0.0,EL.50.250",
        "ASC/0",
        "LAC/LT=3,LC=1,LS=0",
        "OVR/20",
        "LST/OP,   1320000,    240000,   1320000,    240000",
        "LAC/LT=0,LC=0,LS=0",
        "OVR/43",
        "ASC/-1",
        "LST/OP,   1320000,    240000,   1342398,    258000,   1384398,    258000",
        "TXT/TH=      6000,TW=      6000,OR=   1342398,    262398,AN=0.0,EL.50.750",
        "ASC/0",
        "LAC/LT=3,LC=2,LS=0",
        "OVR/20",
        "LST/OP,   1440000,    240000,   1440000,    240000",
        "LAC/LT=0,LC=0,LS=0",
        "OVR/43",
        "ASC/-1",
        "LST/OP,   1440000,    240000,   1461198,    258000,   1503198,    258000",
        "TXT/TH=      6000,TW=      6000,OR=   1461198,    262398,AN=0.0,EL.51.250",
        "ASC/0",
        "LAC/LT=4,LC=0,LS=0",
        "OVR/2",
        "ARC/CL,CE=  0,  0,P1=   1200000,    240000,P2=   1440000,    240000",
        // End of span: back bent, T-line 1, ahead bent.
        "LAC/LT=4,LC=0,LS=0",
        "OVR/2",
        "LST/OP,   1200000,    120000,   1200000,    240000",
        "LAC/LT=0,LC=4,LS=0",
        "OVR/20",
        "LST/OP,   1320000,    120000,   1320000,    240000",
        "LAC/LT=4,LC=0,LS=0",
        "OVR/2",
        "LST/OP,   1440000,    120000,   1440000,    240000",
    };
    EXPECT_EQ(run.take(), expected);
}

// Text size 7.5 in: rise 22500, text 5497 higher (5497.5 truncated), T-line
// step 27997, leader 52500. The ahead bent's skew of -10 degrees is below
// the reference angle 0, so the label goes to the left and the text starts
// at the leader's far end.
TEST(LayoutDrawing, LabelOnTheLeftAndElevationsOfAThousandFeet) {
    DrawingRun run('R', 7.5);
    run.span(1);
    run.ctx.bents[2].packedSkew = -1000000;
    run.ctx.lines[1].plotMark = ' ';
    run.at(Pt{10.0, -5.0, 999.25, 5.0});   // y = trunc(-59999.5) = -59999
    run.draw(1, 1);
    EXPECT_EQ(run.take(), (Lines{
                              "LAC/LT=3,LC=1,LS=0",
                              "OVR/20",
                              "LST/OP,    120000,    -59999,    120000,    -59999",
                              "LAC/LT=0,LC=0,LS=0",
                              "OVR/43",
                              "ASC/-1",
                              "LST/OP,    120000,    -59999,     92003,    -37499,     39503,    -37499",
                              "TXT/TH=      7500,TW=      7500,OR=     39503,    -32002,AN=0.0,EL.999.250",
                              "ASC/0",
                          }));

    run.at(Pt{10.0, -5.0, 1000.0, 5.0});
    run.draw(1, 1);
    EXPECT_EQ(commandNames(run.take()), (Lines{"LAC/LT=3,LC=1,LS=0", "OVR/20", "LST/OP", "LAC/LT=0,LC=0,LS=0",
                                               "OVR/43", "ASC/-1", "LST/OP", "ASC/0"}));
}

TEST(LayoutDrawing, LabelSideFollowsTheWholeDegreesOfTheAheadSkew) {
    auto textX = [](long packedSkew, float angle) {
        DrawingRun run('R', 0.0, angle);
        run.ctx.bents[2].packedSkew = packedSkew;
        run.at(Pt{0.0, 0.0, 5.0, 0.0});
        run.draw(1, 1);
        const std::string text = run.take()[7];
        return text.substr(text.find("OR=") + 3, 10);
    };
    const std::string right = "     22398", left = "    -64398";
    EXPECT_EQ(textX(0, 0.0f), right);
    EXPECT_EQ(textX(-99999, 0.0f), right);    // -0 59 59.9: whole degrees 0
    EXPECT_EQ(textX(-100000, 0.0f), left);    // -1 degree
    EXPECT_EQ(textX(1059000, 10.5f), left);   // 10 59 00 against 10.5
    EXPECT_EQ(textX(1100000, 10.5f), right);
}

TEST(LayoutDrawing, TransverseLinesByTheBentMarks) {
    {   // Two marked lines, three T-lines, both bents "C": five polylines.
        DrawingRun run;
        run.span(3, 'C', 'C');
        run.line(1, 'C', straightRows(10, 3, 10));
        run.line(2, 'C', straightRows(20, 3, 20));
        run.take();
        drawTransverseLines(run.ctx);
        const Lines lines = run.take();
        EXPECT_EQ(commandNames(lines),
                  (Lines{"LAC/LT=4,LC=0,LS=0", "OVR/2", "LST/OP", "LAC/LT=0,LC=4,LS=0", "OVR/20", "LST/OP",
                         "LST/OP", "LST/OP", "LAC/LT=4,LC=0,LS=0", "OVR/2", "LST/OP"}));
        EXPECT_EQ(lines[6], "LST/OP,   1440000,    120000,   1440000,    240000");   // T-line 2
    }
    {   // Back bent "S", ahead bent blank: the ahead row is left out.
        DrawingRun run;
        run.span(3, 'S', ' ');
        run.line(1, 'C', straightRows(10, 3, 10));
        run.line(2, 'C', straightRows(20, 3, 20));
        run.take();
        drawTransverseLines(run.ctx);
        EXPECT_EQ(commandNames(run.take()),
                  (Lines{"LAC/LT=4,LC=0,LS=3", "OVR/2", "LST/OP", "LAC/LT=0,LC=4,LS=0", "OVR/20", "LST/OP",
                         "LST/OP", "LST/OP"}));
    }
    {   // No T-lines: two rows, each by its bent's mark.
        DrawingRun run;
        run.span(0, ' ', 'S');
        run.line(1, 'C', straightRows(10, 0, 10));
        run.line(2, 'C', straightRows(20, 0, 20));
        run.take();
        drawTransverseLines(run.ctx);
        EXPECT_EQ(run.take(), (Lines{"LAC/LT=4,LC=0,LS=3", "OVR/2",
                                     "LST/OP,   1320000,    120000,   1320000,    240000"}));
    }
    {   // One marked line among unmarked ones: the attribute lines only.
        DrawingRun run;
        run.span(2, 'C', 'C');
        run.line(1, 'E', straightRows(10, 2, 10));
        run.line(2, 'C', straightRows(20, 2, 20));
        run.line(3, ' ', straightRows(30, 2, 30));
        run.take();
        drawTransverseLines(run.ctx);
        EXPECT_EQ(run.take(), (Lines{"LAC/LT=4,LC=0,LS=0", "OVR/2", "LAC/LT=0,LC=4,LS=0", "OVR/20",
                                     "LAC/LT=4,LC=0,LS=0", "OVR/2"}));
    }
}

TEST(LayoutDrawing, TwentyThreeMarkedPointsMakeNoPolyline) {
    // 23 marked lines cannot be had (30 lines, one column each), but a row
    // of more than 22 points is never written: 22 and 23 lines told apart.
    for (int marked : {22, 23}) {
        DrawingRun run;
        run.span(0, 'C', 'C');
        for (int n = 1; n <= marked; ++n) run.line(n, 'C', straightRows(10.0 * n, 0, 10.0 * n));
        run.take();
        drawTransverseLines(run.ctx);
        const Lines names = commandNames(run.take());
        const auto polylines = std::count(names.begin(), names.end(), "LST/OP");
        EXPECT_EQ(polylines, marked == 22 ? 2 : 0) << marked << " marked lines";
    }
}

TEST(LayoutDrawing, SegmentsByPlotMarkAndDirectionLetter) {
    auto segment = [](char letter, char mark, double offset = 10.0) {
        DrawingRun run(letter);
        run.span(0);
        run.at(Pt{100, 10, 50, offset});
        run.ctx.lines[1].plotMark = mark;
        run.draw(1, BACK_BENT_SLOT);
        run.at(Pt{120, 10, 51, offset});
        run.draw(1, AHEAD_BENT_SLOT);
        run.take();
        finishLineDrawing(run.ctx, 1);
        return run.take();
    };
    const std::string clockwise = "ARC/CL,CE=  0,  0,P1=   1200000,    120000,P2=   1440000,    120000";
    const std::string counter = "ARC/CC,CE=  0,  0,P1=   1200000,   -120000,P2=   1440000,   -120000";
    const std::string straight = "LST/OP,   1200000,    120000,   1440000,    120000";
    EXPECT_EQ(segment('R', 'C'), (Lines{"LAC/LT=4,LC=0,LS=0", "OVR/2", clockwise}));
    EXPECT_EQ(segment('X', 'C'), (Lines{"LAC/LT=4,LC=0,LS=0", "OVR/2", clockwise}));
    EXPECT_EQ(segment('L', 'C'), (Lines{"LAC/LT=4,LC=0,LS=0", "OVR/2", counter}));
    EXPECT_EQ(segment('S', 'C'), (Lines{"LAC/LT=4,LC=0,LS=0", "OVR/2", straight}));
    EXPECT_EQ(segment('R', 'B'), (Lines{"LAC/LT=1,LC=2,LS=4", "OVR/5", straight}));
    EXPECT_EQ(segment('R', 'S'), (Lines{"LAC/LT=1,LC=2,LS=6", "OVR/5", clockwise}));
    EXPECT_EQ(segment('R', 'E'), (Lines{"LAC/LT=1,LC=7,LS=0", "OVR/3", clockwise}));
    EXPECT_EQ(segment('R', 'L'), (Lines{"LAC/LT=1,LC=2,LS=7", "OVR/5", clockwise}));
    EXPECT_EQ(segment('R', 'c'), (Lines{clockwise}));   // marks are upper case
    EXPECT_EQ(segment('R', ' '), (Lines{clockwise}));

    // A line that never leaves the mainline (1.0 ft counts as on it).
    EXPECT_EQ(segment('R', 'C', -1.0), (Lines{"LAC/LT=4,LC=0,LS=0", "OVR/2", "LAC/LC=3", clockwise}));
    EXPECT_EQ(segment('R', ' ', 0.0), (Lines{"LAC/LC=3", clockwise}));
    EXPECT_EQ(segment('R', 'B', 0.0), (Lines{"LAC/LT=1,LC=2,LS=4", "OVR/5", straight}));
}

TEST(LayoutDrawing, NearMainlineIsJudgedPerLineAndSpan) {
    DrawingRun run;
    run.span(1);
    run.line(1, ' ', {Pt{100, 0, 50, 0.0}, Pt{110, 1.5, 50, 1.5}, Pt{120, 0, 50, 0.0}});
    run.line(2, ' ', {Pt{100, 0.5, 50, 0.5}, Pt{110, 0.5, 50, 0.5}, Pt{120, 0.5, 50, 0.5}});
    const Lines names = commandNames(run.take());
    const Lines line1(names.begin() + 27, names.begin() + 28);
    EXPECT_EQ(line1, (Lines{"ARC/CL"}));   // its T-line point lies 1.5 ft off
    EXPECT_EQ(Lines(names.end() - 2, names.end()), (Lines{"LAC/LC=3", "ARC/CL"}));
    EXPECT_EQ(names.size(), 27u + 1u + 27u + 2u);
}

TEST(LayoutDrawing, BentSharedByTwoSpansIsLabelledOnce) {
    DrawingRun run;
    run.span(0);
    run.line(1, 'C', {Pt{100, 10, 50, 10}, Pt{120, 10, 51, 10}});
    drawTransverseLines(run.ctx);
    run.take();

    // Span 2 starts where span 1 ended (within 0.1 ft).
    run.line(1, 'C', {Pt{120.05, 10.05, 51, 10}, Pt{140, 10, 52, 10}});
    const Lines lines = run.take();
    EXPECT_EQ(commandNames(lines), join({BENT_POINT, {"LAC/LT=4,LC=0,LS=0", "OVR/2", "ARC/CL"}}));
    // The repeat still starts the segment and fills its grid cell.
    EXPECT_EQ(lines.back(), "ARC/CL,CE=  0,  0,P1=   1440600,    120600,P2=   1680000,    120000");
    drawTransverseLines(run.ctx);
    EXPECT_EQ(run.take(), (Lines{"LAC/LT=4,LC=0,LS=0", "OVR/2", "LAC/LT=4,LC=0,LS=0", "OVR/2"}));

    // 0.1 ft apart is no repeat.
    run.line(1, 'C', {Pt{140.1, 10, 52, 10}, Pt{160, 10, 53, 10}});
    EXPECT_EQ(commandNames(run.take()),
              join({BENT_POINT, BENT_POINT, {"LAC/LT=4,LC=0,LS=0", "OVR/2", "ARC/CL"}}));
}

TEST(LayoutDrawing, LabelledBentPointsHoldMoreThanTwoThousand) {
    DrawingRun run;
    run.span(0);
    run.ctx.lines[1].plotMark = ' ';
    for (int i = 0; i < 2100; ++i) {
        run.at(Pt{1.0 * i, 0.0, 50.0, 0.0});
        run.draw(1, BACK_BENT_SLOT);
        finishLineDrawing(run.ctx, 1);
    }
    run.take();
    run.at(Pt{2050.0, 0.0, 50.0, 0.0});
    run.draw(1, BACK_BENT_SLOT);
    EXPECT_EQ(run.take(), Lines{});
}

TEST(LayoutDrawing, CoordinateGroupWritesTheRowAttributesOfTheSpanBefore) {
    DrawingRun run;
    run.span(2, 'C', 'S');
    run.line(1, 'C', straightRows(10, 2, 10));
    run.line(2, 'C', straightRows(20, 2, 20));
    drawTransverseLines(run.ctx);
    run.take();
    drawTransverseLines(run.ctx);   // a coordinate group adds no points
    EXPECT_EQ(run.take(), (Lines{"LAC/LT=4,LC=0,LS=0", "OVR/2", "LAC/LT=0,LC=4,LS=0", "OVR/20",
                                 "LAC/LT=4,LC=0,LS=3", "OVR/2"}));
}

TEST(LayoutDrawing, AheadBentSkipsALine) {
    DrawingRun run;
    run.span(1);
    std::vector<Row> first = straightRows(10, 1, 10);
    first[2].reset();
    run.line(1, 'C', first);
    run.line(2, 'C', straightRows(20, 1, 20));
    const Lines lines = run.take();
    // Line 1: two points, no segment; line 2: three points and its own arc
    // from its own back-bent point.
    EXPECT_EQ(commandNames(lines), join({BENT_POINT,
                                         TLINE_POINT,
                                         BENT_POINT,
                                         TLINE_POINT,
                                         BENT_POINT,
                                         {"LAC/LT=4,LC=0,LS=0", "OVR/2", "ARC/CL"}}));
    EXPECT_EQ(lines.back(), "ARC/CL,CE=  0,  0,P1=   1200000,    240000,P2=   1440000,    240000");
    drawTransverseLines(run.ctx);
    EXPECT_EQ(run.take(),
              (Lines{
                  "LAC/LT=4,LC=0,LS=0", "OVR/2", "LST/OP,   1200000,    120000,   1200000,    240000",
                  "LAC/LT=0,LC=4,LS=0", "OVR/20", "LST/OP,   1320000,    120000,   1320000,    240000",
                  "LAC/LT=4,LC=0,LS=0",
                  "OVR/2",   // one ahead-bent point: no polyline
              }));
}

TEST(LayoutDrawing, BackBentSkipsALine) {
    DrawingRun run;
    run.span(1);
    std::vector<Row> first = straightRows(10, 1, 10);
    first[0].reset();
    run.line(1, 'C', first);
    const Lines names = commandNames(run.take());
    EXPECT_EQ(names, join({TLINE_POINT, BENT_POINT}));   // no segment from a T-line point
}

TEST(LayoutDrawing, TLineSkipLeavesItsCellEmpty) {
    DrawingRun run;
    run.span(2);
    run.line(1, 'C', straightRows(10, 2, 10));
    std::vector<Row> second = straightRows(20, 2, 20);
    second[1].reset();   // T-line 1 skips line 2
    run.line(2, 'C', second);
    run.line(3, 'C', straightRows(30, 2, 30));
    run.take();
    drawTransverseLines(run.ctx);
    const Lines lines = run.take();
    ASSERT_EQ(lines.size(), 10u);
    // T-line 1 joins lines 1 and 3 only; T-line 2 all three.
    EXPECT_EQ(lines[5], "LST/OP,   1320000,    120000,   1320000,    360000");
    EXPECT_EQ(lines[6], "LST/OP,   1440000,    120000,   1440000,    240000,   1440000,    360000");
    EXPECT_EQ(lines[9], "LST/OP,   1560000,    120000,   1560000,    240000,   1560000,    360000");
}
