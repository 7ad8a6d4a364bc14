#pragma once
// The plan drawing of a span: every reported point with its elevation
// label, every longitudinal line between its bents, and the transverse
// lines through the plot-marked lines. Called by the span report after
// each row, at the end of each line's table and at the end of the span.

namespace bp {

struct RunContext;

// After the T-line row of T-line i on line N (the work point).
void drawTLinePoint(RunContext& ctx, int line, int tline);
// After the bent row of slot 21 or 22 on line N (the work point).
void drawBentPoint(RunContext& ctx, int line, int slot);
// At the end of line N's table: draws the segment when both bent points
// were drawn, and closes the line's list and grid column.
void finishLineDrawing(RunContext& ctx, int line);
// At the end of a span or coordinate group.
void drawTransverseLines(RunContext& ctx);

}  // namespace bp
