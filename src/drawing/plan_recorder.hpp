#pragma once
// The plan recorder listens to the run: the mainline when a problem's
// first page of points opens, every reported point row as it is written,
// and at the end of each span page the shape of every reported
// longitudinal line between its bent points, the bents and the T-lines.
// It only reads the run's state; the drawings are written from what it
// gathered once the run is over.

#include <vector>

#include "bridgeplan/point_listener.hpp"
#include "drawing/plan_model.hpp"

namespace bp {

struct RunContext;

namespace drawing {

class PlanRecorder : public PointListener {
public:
    // The run whose state is read at the start and the end of every page.
    void attach(const RunContext& ctx) { ctx_ = &ctx; }
    // A problem card was read; its plan starts with its first page.
    void beginProblem() { pending_ = true; }
    // The problem was abandoned with this error: the plan keeps what was drawn.
    void abandonProblem(int errorNumber);

    void beginPage(const PageStart& page) override;
    void point(const PointRow& row) override;
    void endPage() override;

    const std::vector<PlanProblem>& problems() const { return problems_; }

private:
    void startPlan();
    void finishSpan();
    const RunContext* ctx_ = nullptr;
    std::vector<PlanProblem> problems_;
    PlanSpan span_;           // rows of the span page being reported
    bool pending_ = false;    // a problem started and has no plan yet
    bool spanPage_ = false;   // the open page is a span page
};

// Spiral polylines stay this close (ft) to the spiral.
inline constexpr double SPIRAL_TOLERANCE_FT = 0.005;

}   // namespace drawing
}   // namespace bp
