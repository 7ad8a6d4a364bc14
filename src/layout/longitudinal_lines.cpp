// Placeholder until the longitudinal lines are built.
#include "layout/layout_parts.hpp"
#include "run/run_context.hpp"

namespace bp {
void deriveMainlineShape(RunContext&) {}
void readLongitudinalLines(RunContext&) {}
}  // namespace bp
