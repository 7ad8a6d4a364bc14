#include "plot/layout_drawing.hpp"

#include <array>
#include <cmath>

#include "bridgeplan/errors.hpp"
#include "plot/plot_writer.hpp"
#include "run/run_context.hpp"

namespace bp {

namespace {

constexpr double OFF_MAINLINE = 1.0;          // ft: a point farther from the mainline is off it
constexpr float REPEAT_DISTANCE_SQ = 0.01f;   // ft^2: a bent point this close was labelled already
constexpr int TLINE_LABEL_OFFSET = 3733;      // per inch of text size, plot units
constexpr int BENT_LABEL_OFFSET = 3533;

// A product of the text size (inches) and a label constant, in single
// precision, truncated toward zero to plot units.
long long labelUnits(float textSize, int constant) {
    return static_cast<long long>(static_cast<float>(static_cast<float>(constant) * textSize));
}

// The label stands to the right of its point when the whole degrees of the
// ahead bent's skew field (DDDMMSSs, truncated toward zero) are at least the
// reference angle in degrees; otherwise to the left.
bool labelToTheRight(const RunContext& ctx) {
    const long wholeDegrees = ctx.bents[2].packedSkew / 100000;
    return static_cast<float>(wholeDegrees) >= ctx.alignment.location.referenceAngleDegrees;
}

// The point marker (a polyline of zero length), then the leader that rises
// 3000 units per inch of text size and runs 7000 per inch sideways after a
// step of `offset` per inch, and "EL." with the elevation 733 per inch
// above the leader, at its near end on the right or its far end on the left.
void drawElevationLabel(RunContext& ctx, PlotCommands& commands, PlotPoint p, double elevation, int offset) {
    const float s = ctx.frame.textSize;
    const long long ly = p.y + labelUnits(s, 3000);
    const long long ty = ly + labelUnits(s, 733);
    const long long side = labelToTheRight(ctx) ? 1 : -1;
    const long long ex = p.x + side * labelUnits(s, offset);
    const long long fx = ex + side * labelUnits(s, 7000);
    const PlotPoint textOrigin{side > 0 ? ex : fx, ty};
    writeElevationLabel(commands, ctx.frame, {p, PlotPoint{ex, ly}, PlotPoint{fx, ly}, textOrigin, elevation});
}

// Grid row of a transverse position: 1 the back bent, i + 1 T-line i,
// tLineCount + 2 the ahead bent.
int gridRow(const RunContext& ctx, int slot) {
    if (slot == BACK_BENT_SLOT) return 1;
    if (slot == AHEAD_BENT_SLOT) return ctx.span.tLineCount + 2;
    return slot + 1;
}

// Keeps the point of a plot-marked line in its column of the grid.
void storeMarkedPoint(RunContext& ctx, int line, int slot, PlotPoint p) {
    if (ctx.lines[line].plotMark != 'C') return;
    DrawingState& d = ctx.drawing;
    const int row = gridRow(ctx, slot);
    if (d.columnIndex > GRID_COLUMNS || row < 1 || row > GRID_ROWS)
        abandon(err::INTERNAL, "a plot-marked point falls outside the grid of the transverse lines");
    d.grid[d.columnIndex - 1][row - 1] = p;
    d.gridSet[d.columnIndex - 1][row - 1] = true;
}

void noteDistanceFromMainline(RunContext& ctx, const PointRow& row) {
    if (std::fabs(row.dtToMl) > OFF_MAINLINE) ctx.drawing.nearMainline = true;
}

// True when a bent point within 0.1 ft of this one was marked and labelled
// earlier in the problem (a bent shared by two spans); otherwise the point
// is remembered as labelled now.
bool isRepeatBentPoint(DrawingState& d, double x, double y) {
    for (const DrawingState::PlanPoint& k : d.labelledBentPoints) {
        const float distanceSq = static_cast<float>((x - k.x) * (x - k.x) + (y - k.y) * (y - k.y));
        if (distanceSq < REPEAT_DISTANCE_SQ) return true;
    }
    d.labelledBentPoints.push_back({x, y});
    return false;
}

// The line between its back-bent point p1 and its ahead-bent point p2,
// with the attributes of its plot mark. "B" lines are straight; the others
// are arcs about the curve centre (clockwise as computed, counter-clockwise
// once a left-turning road is mirrored), or straight when the direction
// letter is "S". "LAC/LC=3" marks a line that never leaves the mainline.
void drawSegment(RunContext& ctx, int line, PlotPoint p1, PlotPoint p2) {
    const char mark = ctx.lines[line].plotMark;
    PlotCommands& commands = ctx.plotCommands;
    switch (mark) {
    case 'C': writeAttributeGroup(commands, AttributeGroup::MarkedC); break;
    case 'B': writeAttributeGroup(commands, AttributeGroup::SegmentB); break;
    case 'S': writeAttributeGroup(commands, AttributeGroup::SegmentS); break;
    case 'E': writeAttributeGroup(commands, AttributeGroup::SegmentE); break;
    case 'L': writeAttributeGroup(commands, AttributeGroup::SegmentL); break;
    default: break;   // drawn with the attributes written last
    }
    const std::array<PlotPoint, 2> chord{p1, p2};
    if (mark == 'B') {
        writePolyline(commands, chord);
        return;
    }
    if (!ctx.drawing.nearMainline) writeAttributeGroup(commands, AttributeGroup::NearMainline);
    if (ctx.alignment.location.directionLetter == 'S')
        writePolyline(commands, chord);
    else
        writeArc(commands, ctx.frame.mirror < 0.0 ? ArcSense::CounterClockwise : ArcSense::Clockwise, p1, p2);
}

// The attributes of a bent's transverse row by the bent's plot mark; false
// when the bent is not drawn.
bool writeBentRowAttributes(PlotCommands& plot, char mark) {
    if (mark == 'C')
        writeAttributeGroup(plot, AttributeGroup::MarkedC);
    else if (mark == 'S')
        writeAttributeGroup(plot, AttributeGroup::BentS);
    else
        return false;
    return true;
}

}   // namespace

namespace {

void drawTLinePoint(RunContext& ctx, const PointRow& row) {
    noteDistanceFromMainline(ctx, row);
    PlotCommands& commands = ctx.plotCommands;
    writeAttributeGroup(commands, AttributeGroup::TLinePoint);
    const PlotPoint p = toPlotUnits(ctx.frame, row.x, row.y);
    ctx.drawing.linePoints.push_back(p);
    ctx.drawing.lineHasAheadBent = false;
    storeMarkedPoint(ctx, row.line, row.slot, p);
    drawElevationLabel(ctx, commands, p, row.elevation, TLINE_LABEL_OFFSET);
}

void drawBentPoint(RunContext& ctx, const PointRow& row) {
    DrawingState& d = ctx.drawing;
    noteDistanceFromMainline(ctx, row);
    const bool repeat = isRepeatBentPoint(d, row.x, row.y);
    PlotCommands& commands = ctx.plotCommands;
    if (!repeat) writeAttributeGroup(commands, AttributeGroup::BentPoint);
    const PlotPoint p = toPlotUnits(ctx.frame, row.x, row.y);
    if (row.slot == BACK_BENT_SLOT) d.lineHasBackBent = d.linePoints.empty();
    d.linePoints.push_back(p);
    d.lineHasAheadBent = row.slot == AHEAD_BENT_SLOT;
    storeMarkedPoint(ctx, row.line, row.slot, p);
    if (!repeat) drawElevationLabel(ctx, commands, p, row.elevation, BENT_LABEL_OFFSET);
}

}   // namespace

void drawPoint(RunContext& ctx, const PointRow& row) {
    if (row.slot == BACK_BENT_SLOT || row.slot == AHEAD_BENT_SLOT)
        drawBentPoint(ctx, row);
    else if (row.slot >= 1)
        drawTLinePoint(ctx, row);
}

// The segment is drawn only between two bent points of the line; the list
// and the line's grid column are closed whatever the bents and T-lines skipped.
void finishLineDrawing(RunContext& ctx, int line) {
    DrawingState& d = ctx.drawing;
    if (d.lineHasBackBent && d.lineHasAheadBent && d.linePoints.size() >= 2)
        drawSegment(ctx, line, d.linePoints.front(), d.linePoints.back());
    d.linePoints.clear();
    d.lineHasBackBent = d.lineHasAheadBent = false;
    d.nearMainline = false;
    if (ctx.lines[line].plotMark == 'C') {
        if (ctx.span.tLineCount + 2 > GRID_ROWS || d.columnIndex > GRID_COLUMNS)
            abandon(err::INTERNAL, "more transverse positions or plot-marked lines than the drawing holds");
        d.rowCount = ctx.span.tLineCount + 2;
        ++d.columnIndex;
    }
}

// Row 1 (back bent) and the last row (ahead bent) take the attributes of
// their bent's mark and are left out for any mark but "C" and "S"; the
// T-line rows share one group written before the first of them. A row's
// polyline joins, in line order, the points the row holds, when there are
// 2 to 22 of them.
void drawTransverseLines(RunContext& ctx) {
    DrawingState& d = ctx.drawing;
    const int columns = d.columnIndex - 1;
    const int rows = d.rowCount;
    std::array<PlotPoint, GRID_COLUMNS> rowPoints{};
    PlotCommands& commands = ctx.plotCommands;
    for (int k = 1; k <= rows; ++k) {
        if (k == 1 || k == rows) {
            const char mark = ctx.transverse[k == 1 ? BACK_BENT_SLOT : AHEAD_BENT_SLOT].plotMark;
            if (!writeBentRowAttributes(commands, mark)) continue;
        } else if (k == 2) {
            writeAttributeGroup(commands, AttributeGroup::TLineRows);
        }
        std::size_t count = 0;
        for (int c = 1; c <= columns; ++c)
            if (d.gridSet[c - 1][k - 1]) rowPoints[count++] = d.grid[c - 1][k - 1];
        if (count >= 2 && count <= MAX_POLYLINE_POINTS)
            writePolyline(commands, std::span<const PlotPoint>(rowPoints.data(), count));
    }
    d.gridSet = {};
    d.columnIndex = 1;
    d.rowIndex = 1;
}

}   // namespace bp
