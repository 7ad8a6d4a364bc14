// Placeholder until the plot command writer is built.
#include "plot/plot_writer.hpp"
#include "run/run_context.hpp"

namespace bp {
void startPlot(RunContext&) {}
}  // namespace bp
