#include "layout/point_rows.hpp"

#include <charconv>

#include "alignment/elevation.hpp"
#include "layout/span_crossings.hpp"
#include "run/run_context.hpp"

namespace bp {

PointRow workPointRow(const WorkPoint& wp, int line, int slot) {
    PointRow row;
    row.slot = slot;
    row.line = line;
    row.station = wp.station;
    row.elevation = wp.elevation;
    row.edgeMark = wp.edgeMark;
    row.dtToMl = wp.offset;
    row.dtToBt = wp.distBent;
    row.dtToPp = wp.distPrev;
    // The fold takes pi off above pi/2 and adds pi below -pi/2, once; the
    // notation rounds with the sign of the folded value (-pi/2 exactly
    // stays negative, +pi/2 positive).
    row.angle = foldAngle(wp.angle);
    row.x = wp.x;
    row.y = wp.y;
    return row;
}

Record& pointColumns(Record& r, const PointRow& row, const AngleParts& angle) {
    const char mark[1] = {row.edgeMark};
    return r.station(7, splitStation(row.station))
        .F(11, 4, row.elevation)
        .A(1, std::string_view(mark, 1))
        .F(10, 4, row.dtToMl)
        .F(10, 4, row.dtToBt.value_or(0.0))
        .F(10, 4, row.dtToPp.value_or(0.0))
        .angle(5, angle)
        .F(12, 4, row.x)
        .F(12, 4, row.y)
        .X(2)
        .A(14, row.remarks)
        .X(2)
        .A(4, row.type);
}

namespace {

// Layouts: T-line ('0 T ',I2, point columns,'/',A4); bent ('0 B ',A2,
// point columns); request ('0 P',I3,I7,'+',I1,F6.4,F11.4,A1,F10.4,2F12.4,
// 2X,A4,2X,5A4).
void writeReportRow(RunContext& ctx, const PointRow& row, const AngleParts& angle) {
    Record r('0');
    if (row.kind == "T") {
        r.X(1).lit("T").X(1).I(2, row.slot);
        pointColumns(r, row, angle).lit("/").A(4, row.code);
    } else if (row.kind == "B") {
        r.X(1).lit("B").X(1).A(2, row.number);
        pointColumns(r, row, angle);
    } else {
        const char mark[1] = {row.edgeMark};
        r.X(1)
            .lit("P")
            .I(3, row.pointNumber)
            .station(7, splitStation(row.station))
            .F(11, 4, row.elevation)
            .A(1, std::string_view(mark, 1))
            .F(10, 4, row.dtToMl)
            .F(12, 4, row.x)
            .F(12, 4, row.y)
            .X(2)
            .A(4, row.type)
            .X(2)
            .A(20, row.remarks);
    }
    ctx.report.write(r);
}

}   // namespace

void emitPointRow(RunContext& ctx, PointRow row) {
    char digits[24];
    if (row.kind == "T" || row.kind == "P") {
        const long n = row.kind == "T" ? row.slot : row.pointNumber;
        const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        row.number = std::string_view(digits, static_cast<std::size_t>(end - digits));
    }
    if (ctx.project && !row.northing) {
        const GridPoint g = ctx.project->toProject(row.x, row.y);
        row.northing = g.northing;
        row.easting = g.easting;
    }
    const AngleParts angle = row.angle ? splitAngle(*row.angle) : AngleParts{};
    writeReportRow(ctx, row, angle);
    for (PointListener* listener : ctx.listeners) listener->point(row);
    if (row.angle && needsSignOverprint(angle)) writeSignOverprint(ctx, POINT_ROW_SIGN_COLUMN);
}

void beginPointPage(RunContext& ctx, bool coordinatePage) {
    PageStart page;
    page.problem = ctx.problem.number;
    if (!coordinatePage) {
        page.span = ctx.span.spanId;
        page.backBent = ctx.transverse[BACK_BENT_SLOT].bentNumber;
        page.aheadBent = ctx.transverse[AHEAD_BENT_SLOT].bentNumber;
        page.lineCount = ctx.lineCount;
    }
    for (PointListener* listener : ctx.listeners) listener->beginPage(page);
}

void endLineTable(RunContext& ctx, int line) {
    for (PointListener* listener : ctx.listeners) listener->endLine(line);
}

void endPointPage(RunContext& ctx) {
    for (PointListener* listener : ctx.listeners) listener->endPage();
}

bool needsSignOverprint(const AngleParts& a) {
    return a.needsOverprint() &&
           (a.minuteTens != 0 || a.minuteUnits != 0 || a.secondTens != 0 || a.secondRest != 0.0);
}

void writeSignOverprint(RunContext& ctx, int recordColumn) {
    ctx.report.write(Record('+').put(recordColumn, '-'));
}

void measureToPrevious(RunContext& ctx, int slot, int line) {
    auto& sl = ctx.spanLines;
    bool first = !sl.hasPrev[slot];
    distanceToPrevious(ctx, slot, line);
    if (first) ctx.wp.distPrev = 0;
    sl.hasPrev[slot] = true;
}

void elevateWorkPoint(RunContext& ctx) {
    SurfacePoint surface = SectionElevation(ctx.alignment, ctx.wp.station, ctx.wp.offset);
    ctx.wp.elevation = surface.elevation;
    ctx.wp.edgeMark = surface.edgeMark;
}

}   // namespace bp
