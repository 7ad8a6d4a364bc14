#include "layout/layout_parts.hpp"
#include "plot/plot_writer.hpp"
#include "run/phases.hpp"
#include "run/run_context.hpp"

namespace bp {

// The bridge-layout phase of one problem: the plot header, the
// longitudinal lines, then span after span until a "LAST" card; a "YES"
// card reads a new set of longitudinal lines first.
void PH2(RunContext& ctx) {
    ctx.drawing.reset();
    ctx.firstSpan = true;
    startPlot(ctx);
    deriveMainlineShape(ctx);
    readLongitudinalLines(ctx);
    for (;;) {
        switch (runSpanCard(ctx)) {
        case AfterSpan::EndOfProblem: return;
        case AfterSpan::NewLines: readLongitudinalLines(ctx); break;
        case AfterSpan::NextSpan: break;
        }
    }
}

}   // namespace bp
