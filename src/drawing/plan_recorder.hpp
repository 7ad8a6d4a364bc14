#pragma once
// The plan recorder listens to the run: it takes the mainline when a
// problem's bridge layout starts, every reported point row as it is
// written, and at the end of each span the shape of every reported
// longitudinal line between its bent points, the bents and the T-lines.
// It only reads the run's state; the drawings are written from what it
// gathered once the run is over.

#include <vector>

#include "drawing/plan_model.hpp"

namespace bp {

struct RunContext;
struct PointRow;

namespace drawing {

class PlanRecorder {
public:
    void beginProblem(const RunContext& ctx);
    void row(const RunContext& ctx, const PointRow& row);
    void endSpan(const RunContext& ctx);
    // The problem was abandoned with this error: the plan keeps what was drawn.
    void abandonProblem(int errorNumber);
    // The problem's bridge layout came to its "LAST" card.
    void endProblem() { open_ = false; }

    const std::vector<PlanProblem>& problems() const { return problems_; }

private:
    std::vector<PlanProblem> problems_;
    PlanSpan span_;       // rows of the span being reported
    bool open_ = false;   // a problem's bridge layout is under way
};

// Spiral polylines stay this close (ft) to the spiral.
inline constexpr double SPIRAL_TOLERANCE_FT = 0.005;

}  // namespace drawing
}  // namespace bp
