#pragma once
// The plan drawing of a span: every reported point with its elevation
// label, every longitudinal line between its bents, and the transverse
// lines through the plot-marked lines. It listens to the span pages: a
// point after each row, a segment at the end of each line's table, the
// transverse lines at the end of the span or coordinate page.

#include "bridgeplan/point_listener.hpp"

namespace bp {

struct RunContext;

// After the T-line or bent row of a slot on a line. Coordinate requests
// are not drawn.
void drawPoint(RunContext& ctx, const PointRow& row);
// At the end of line N's table: draws the segment when both bent points
// were drawn, and closes the line's list and grid column.
void finishLineDrawing(RunContext& ctx, int line);
// At the end of a span or coordinate group.
void drawTransverseLines(RunContext& ctx);

// The plan drawing as a listener of the run's point pages.
class LayoutDrawing final : public PointListener {
public:
    explicit LayoutDrawing(RunContext& ctx) : ctx_(ctx) {}
    void point(const PointRow& row) override { drawPoint(ctx_, row); }
    void endLine(int line) override { finishLineDrawing(ctx_, line); }
    void endPage() override { drawTransverseLines(ctx_); }

private:
    RunContext& ctx_;
};

}   // namespace bp
