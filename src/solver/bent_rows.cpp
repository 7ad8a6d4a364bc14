#include "solver/bent_rows.hpp"

#include <string>

#include "alignment/elevation.hpp"
#include "bridgeplan/errors.hpp"
#include "plot/layout_drawing.hpp"
#include "run/run_context.hpp"
#include "solver/distances.hpp"

namespace bp {

bool slotSkipsLine(const TransverseLine& slot, int line) {
    int flag = slot.skip(line);
    if (flag < 0)
        abandon(err::INTERNAL, "a negative skip flag for longitudinal line " + std::to_string(line));
    return flag > 0;
}

// The fold takes pi off above pi/2 and adds pi below -pi/2, once; the
// notation rounds with the sign of the folded value (-pi/2 exactly stays
// negative, +pi/2 positive).
AngleParts foldWorkPointAngle(WorkPoint& wp) {
    wp.angle = foldAngle(wp.angle);
    return splitAngle(wp.angle);
}

void measureToPrevious(RunContext& ctx, int slot, int line) {
    auto& sl = ctx.spanLines;
    bool first = !sl.hasPrev[slot];
    DistanceToPrevious(ctx, slot, line);
    if (first) ctx.wp.distPrev = 0;
    sl.hasPrev[slot] = true;
}

void elevateWorkPoint(RunContext& ctx) {
    SurfacePoint surface = SectionElevation(ctx.alignment, ctx.wp.station, ctx.wp.offset);
    ctx.wp.elevation = surface.elevation;
    ctx.wp.edgeMark = surface.edgeMark;
}

Record& pointColumns(Record& r, const WorkPoint& wp, const AngleParts& angle,
                     const TransverseLine& slot) {
    const char mark[1] = {wp.edgeMark};
    return r.station(7, splitStation(wp.station))
        .F(11, 4, wp.elevation)
        .A(1, std::string_view(mark, 1))
        .F(10, 4, wp.offset)
        .F(10, 4, wp.distBent)
        .F(10, 4, wp.distPrev)
        .angle(5, angle)
        .F(12, 4, wp.x)
        .F(12, 4, wp.y)
        .X(2)
        .A(14, slot.remarks)
        .X(2)
        .A(4, slot.lineType.view());
}

bool needsSignOverprint(const AngleParts& a) {
    return a.needsOverprint() &&
           (a.minuteTens != 0 || a.minuteUnits != 0 || a.secondTens != 0 || a.secondRest != 0.0);
}

void writeSignOverprint(RunContext& ctx, int recordColumn) {
    ctx.report.write(Record('+').put(recordColumn, '-'));
}

void writeBentDataRows(RunContext& ctx) {
    for (int k = 1; k <= 2; ++k) {
        const int slotNumber = BACK_BENT_SLOT - 1 + k;
        const TransverseLine& slot = ctx.transverse[slotNumber];
        ctx.wp.station = ctx.bents[k].station;
        ctx.wp.angle = ctx.bents[k].skew;
        AngleParts angle = foldWorkPointAngle(ctx.wp);
        ctx.report.write(Record('0')
                             .X(1)
                             .A(1, k == 1 ? "B" : "A")
                             .X(2)
                             .A(2, slot.bentNumber)
                             .station(6, splitStation(ctx.wp.station))
                             .angle(5, angle)
                             .X(2)
                             .A(14, slot.remarks)
                             .X(2)
                             .A(4, slot.lineType.view()));
        if (needsSignOverprint(angle)) writeSignOverprint(ctx, BENT_DATA_SIGN_COLUMN);
    }
}

void reportBentPoint(RunContext& ctx, int line, int slot) {
    auto& sl = ctx.spanLines;
    const bool back = slot == BACK_BENT_SLOT;
    const BentPoint& p = back ? sl.backPoint[line] : sl.aheadPoint[line];
    WorkPoint& wp = ctx.wp;
    loadWorkPoint(wp, p);
    wp.distBent = back ? 0.0 : sl.spanLength[line];

    measureToPrevious(ctx, slot, line);
    elevateWorkPoint(ctx);
    AngleParts angle = foldWorkPointAngle(wp);
    const TransverseLine& bent = ctx.transverse[slot];
    Record row('0');
    row.X(1).lit("B").X(1).A(2, bent.bentNumber);
    ctx.report.write(pointColumns(row, wp, angle, bent));
    tabulateBentPoint(ctx, line, slot);
    drawBentPoint(ctx, line, slot);
    if (needsSignOverprint(angle)) writeSignOverprint(ctx, POINT_ROW_SIGN_COLUMN);
}

}  // namespace bp
