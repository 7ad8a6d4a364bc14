#include "layout/bent_rows.hpp"

#include <fmt/format.h>

#include "bridgeplan/errors.hpp"
#include "layout/point_rows.hpp"
#include "run/run_context.hpp"

namespace bp {

bool slotSkipsLine(const TransverseLine& slot, int line) {
    int flag = slot.skip(line);
    if (flag < 0) abandon(err::INTERNAL, fmt::format("a negative skip flag for longitudinal line {}", line));
    return flag > 0;
}

void writeBentDataRows(RunContext& ctx) {
    for (int k = 1; k <= 2; ++k) {
        const int slotNumber = BACK_BENT_SLOT - 1 + k;
        const TransverseLine& slot = ctx.transverse[slotNumber];
        const Bent& bent = ctx.bents[k];
        const AngleParts angle = splitAngle(foldAngle(bent.skew));
        ctx.report.write(Record('0')
                             .X(1)
                             .A(1, k == 1 ? "B" : "A")
                             .X(2)
                             .A(2, slot.bentNumber)
                             .station(6, splitStation(bent.station))
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
    const TransverseLine& bent = ctx.transverse[slot];
    PointRow row = workPointRow(wp, line, slot);
    row.kind = "B";
    row.number = bent.bentNumber;
    row.remarks = bent.remarks;
    row.type = bent.lineType.view();
    emitPointRow(ctx, row);
}

}   // namespace bp
