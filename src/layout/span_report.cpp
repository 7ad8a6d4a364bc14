// The span output page: the bent data, then for every reported
// longitudinal line a "LONG. LINE" table with its back-bent row, one row
// per transverse line crossing it and its ahead-bent row, each row told to
// the listeners (points table, plan drawing) right after it is printed.
#include <cmath>

#include <fmt/format.h>

#include "alignment/point_operations.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "layout/bent_rows.hpp"
#include "layout/point_rows.hpp"
#include "layout/span_crossings.hpp"
#include "layout/span_parts.hpp"
#include "layout/transverse_lines.hpp"
#include "run/record.hpp"
#include "run/run_context.hpp"
#include "solver/distances.hpp"

namespace bp {

namespace {

bool isRlg(const LongitudinalLine& line) { return line.typeCode == kw::RLG; }

void writePageHeading(RunContext& ctx) {
    ctx.report.write(Record('1')
                         .X(18)
                         .lit("SPAN ")
                         .A(2, ctx.span.spanId)
                         .lit(" OUTPUT DATA")
                         .X(3)
                         .A(56, ctx.span.title)
                         .X(16)
                         .lit("PROB. NO.")
                         .A(5, ctx.problem.number));
    ctx.report.empty();
    ctx.report.write(Record(' ').X(23).lit("BENT DATA"));
    ctx.report.empty();
    ctx.report.write(Record(' ').lit("BT. NO.    STATION     SKEW ANGLE     REMARKS      TYPE"));
}

void writeTableHeading(RunContext& ctx, int n) {
    const LongitudinalLine& line = ctx.lines[n];
    ctx.report.write(Record('0').X(2));
    ctx.report.empty();
    ctx.report.write(
        Record(' ').X(36).lit("LONG. LINE").I(3, n).X(2).A(3, line.typeCode.view()).X(2).A(31, line.remarks));
    ctx.report.empty();
    ctx.report.write(
        Record(' ').lit("T-LINE     STATION    ELEVATION   DT TO ML  DT TO BT  DT TO PP     ANGLE"
                        "          X           Y         REMARKS      TYPE LINE"));
}

// Constant-distance T-line i on line N: the point at its distance from the
// back bent; angle 0, DT TO PP 0, and the T-line's previous point is kept.
void consPoint(RunContext& ctx, int i, int n) {
    double t = consDistance(ctx.transverse[i], ctx.spanLines.spanLength[n]);
    pointAtDistance(ctx, n, t, false);
    ctx.wp.angle = 0;
    ctx.wp.distPrev = 0;
}

// Radial point of T-line i on the RLG line N (the T-line's C is 0): the
// crossing with N's reference line R moved by dr(N) along R's normal there;
// angle 0. For a spiral N the distance from the back bent is the spiral's
// arc length to the moved radius r + dr(N) sign(a).
void radialPoint(RunContext& ctx, int i, int n) {
    const LongitudinalLine& line = ctx.lines[n];
    const int r = line.refLine;
    const LongitudinalLine& ref = ctx.lines[r];
    WorkPoint& wp = ctx.wp;
    crossBySpanState(ctx, i, r, ref.dr);
    const double refNormal = wp.normal;
    const double spiralRadius = ctx.spanLines.spiralRadius;   // of R's crossing, when R is a spiral
    wp.x += line.dr * std::cos(refNormal);
    wp.y += line.dr * std::sin(refNormal);
    wp.angle = 0;
    locateWorkPoint(ctx, wp.x, wp.y);   // normal: the mainline's there
    if (ctx.spanLines.spanState[n] > 0) {
        double moved = spiralRadius + line.dr * (line.slope < 0 ? -1.0 : 1.0);
        wp.distBent = SpiralArcLength(line.slope, moved) - line.intercept;
    } else {
        wp.normal = refNormal;
        distanceAlongLine(ctx, n, line.dr + ref.dr);
    }
}

// Crossing of the straight T-line i with line N by N's span state, then
// the distance from N's back-bent point (a spiral crossing gives it).
void crossingPoint(RunContext& ctx, int i, int n) {
    const LongitudinalLine& line = ctx.lines[n];
    double d = line.dr;
    if (isRlg(line)) d += ctx.lines[line.refLine].dr;
    crossBySpanState(ctx, i, n, d);
    if (ctx.spanLines.spanState[n] <= 0) {
        distanceAlongLine(ctx, n, d);
    }
}

void reportTLinePoint(RunContext& ctx, int i, int n) {
    const TransverseLine& tline = ctx.transverse[i];
    const LongitudinalLine& line = ctx.lines[n];
    if (tline.form <= 0) {
        consPoint(ctx, i, n);
    } else {
        if (isRlg(line) && tline.cCode < 0)
            abandon(err::INTERNAL, fmt::format("transverse line {} has a negative C", i));
        if (isRlg(line) && tline.cCode == 0)
            radialPoint(ctx, i, n);
        else
            crossingPoint(ctx, i, n);
        measureToPrevious(ctx, i, n);
    }
    elevateWorkPoint(ctx);
    PointRow row = workPointRow(ctx.wp, n, i);
    row.kind = "T";
    row.remarks = tline.remarks;
    row.type = tline.lineType.view();
    row.code = tline.code.view();
    emitPointRow(ctx, row);
}

void reportLine(RunContext& ctx, int n) {
    writeTableHeading(ctx, n);
    if (!slotSkipsLine(ctx.transverse[BACK_BENT_SLOT], n)) reportBentPoint(ctx, n, BACK_BENT_SLOT);
    for (int i = 1; i <= ctx.span.tLineCount; ++i)
        if (!slotSkipsLine(ctx.transverse[i], n)) reportTLinePoint(ctx, i, n);
    if (!slotSkipsLine(ctx.transverse[AHEAD_BENT_SLOT], n)) reportBentPoint(ctx, n, AHEAD_BENT_SLOT);
    endLineTable(ctx, n);
}

}   // namespace

void reportSpan(RunContext& ctx) {
    ctx.spanLines.hasPrev.fill(false);
    writePageHeading(ctx);
    beginPointPage(ctx, false);
    writeBentDataRows(ctx);
    for (int n = 1; n <= ctx.lineCount; ++n) {
        const int skip = ctx.lines[n].skip;
        if (skip < 0)
            abandon(err::LONGITUDINAL_LINE, fmt::format("longitudinal line {} has a negative SK.", n));
        if (skip == 0) reportLine(ctx, n);
    }
    endPointPage(ctx);
}

}   // namespace bp
