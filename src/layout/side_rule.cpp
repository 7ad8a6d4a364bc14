// The side rule for a line moved by a normal distance from a reference
// line (PARL and PREV bents, PARL/NORM T-lines): a positive distance puts
// the line ahead of its reference (towards higher stations), a negative
// one behind it, whichever way the reference line's normal points.
#include <fmt/format.h>

#include "bridgeplan/errors.hpp"
#include "layout/span_crossings.hpp"
#include "layout/span_parts.hpp"
#include "layout/transverse_lines.hpp"
#include "run/run_context.hpp"

namespace bp {

// S' = station where the moved line crosses the mainline. When S' - S0 and
// d differ in sign the line is mirrored about its reference:
// intercept := intercept - 2 d normFactor (the point the line was built
// through moves with it), and S' is found again.
double applySideRule(RunContext& ctx, int slot, double d, double referenceStation) {
    if (d == 0) abandon(err::INTERNAL, "a line moved by a normal distance of 0 has no side to lie on");
    double s = stationOnMainline(ctx, slot);
    if (s == referenceStation)
        abandon(err::INTERNAL, fmt::format("a line moved by {:.4f} ft still crosses the mainline at its "
                                           "reference station {:.4f}",
                                           d, referenceStation));
    if ((s - referenceStation > 0) != (d > 0)) {
        TransverseLine& line = ctx.transverse[slot];
        shiftIntercept(line, -(2.0 * d * line.normFactor));
        s = stationOnMainline(ctx, slot);
    }
    return s;
}

}   // namespace bp
