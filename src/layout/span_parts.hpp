#pragma once
// The parts of one span, in the order the span cycle calls them, and the
// side rule shared by bents and transverse lines moved by a normal distance.

namespace bp {

struct RunContext;
struct TransverseLine;

// Back bent (slot 21, card "B") then ahead bent (slot 22, card "A"):
// read, echo, build; fills ctx.bents[1], ctx.bents[2].
void readBents(RunContext& ctx);

// Crosses every longitudinal line with both bents: bent points and spanLength.
void setUpSpan(RunContext& ctx);

// Reads, echoes and builds the span's ctx.span.tLineCount T-line cards.
void readTransverseLines(RunContext& ctx);

// The span output page: bent data, one table per reported longitudinal
// line, each row drawn in the plot; then the transverse lines are drawn.
void reportSpan(RunContext& ctx);

// A "COOR" group: the coordinate output page, one row per "C" card.
void runCoordinateGroup(RunContext& ctx);

// Side rule for a line moved by the normal distance d from a reference
// line crossing the mainline at referenceStation: keeps the moved line
// ahead of the reference for d > 0 and behind it for d < 0 (mirroring it
// when needed). `slot` is where `line` is stored. Returns the station where
// the final line crosses the mainline.
double applySideRule(RunContext& ctx, int slot, double d, double referenceStation);

}   // namespace bp
