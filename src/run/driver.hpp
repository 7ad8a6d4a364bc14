#pragma once
// The driver: reads the deck problem by problem, prints each banner and
// title, runs the alignment groups and the layout phase, and reports an
// abandoned problem before skipping to the next problem card.

#include <istream>
#include <ostream>

#include "bridgeplan/point_listener.hpp"
#include "run/report.hpp"
#include "run/run_clock.hpp"

namespace bp {
namespace drawing {
class PlanRecorder;
}

class LandXmlWriter;

struct RunResult {
    // exit_status::DONE every problem done; PARTLY_DONE the deck was read to its
    // end but some problems were abandoned; INCOMPLETE it ended inside a
    // problem or held none.
    int exitStatus = 0;
    int problems = 0;
    int abandoned = 0;
};

// Processes a whole deck. Plain-word diagnostics go to `diagnostics`; the
// report and plot streams receive exactly the report and the plot file.
// `points` (the points table, or any listener) is told of every reported
// point before the plan drawing is; `landxml`, when given, is told of
// every problem's mainline and every reported point.
RunResult MAIN(std::istream& deck, std::ostream& report, std::ostream& plot, std::ostream& diagnostics,
               const RunClock& clock, ReportMode mode, PointListener* points = nullptr,
               drawing::PlanRecorder* plan = nullptr, LandXmlWriter* landxml = nullptr);

}   // namespace bp
