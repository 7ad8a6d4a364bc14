// Placeholder until the plot command writer is built.
#include "bridgeplan/errors.hpp"
#include "plot/plot_writer.hpp"
#include "run/run_context.hpp"

namespace bp {
void startPlot(RunContext&) {}
PlotPoint toPlotUnits(const PlotFrame&, double, double) { abandon(err::INTERNAL, "the plot writer is not built yet"); }
void writeAttributeGroup(std::ostream&, AttributeGroup) { abandon(err::INTERNAL, "the plot writer is not built yet"); }
void writePolyline(std::ostream&, std::span<const PlotPoint>) { abandon(err::INTERNAL, "the plot writer is not built yet"); }
void writeElevationText(std::ostream&, const PlotFrame&, PlotPoint, double) { abandon(err::INTERNAL, "the plot writer is not built yet"); }
void writeArc(std::ostream&, ArcSense, PlotPoint, PlotPoint) { abandon(err::INTERNAL, "the plot writer is not built yet"); }
}  // namespace bp
