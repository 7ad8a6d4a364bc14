// Placeholder until the intersection solver is built.
#include "bridgeplan/errors.hpp"
#include "solver/intersection_solver.hpp"

namespace bp {
namespace {
[[noreturn]] void notBuilt() { abandon(err::INTERNAL, "the intersection solver is not built yet"); }
}  // namespace
void IntersectWithSlot(RunContext&, int, const CrossTarget&) { notBuilt(); }
void CrossLongitudinalLine(RunContext&, int, int) { notBuilt(); }
void CrossOffsetMainline(RunContext&, int, double) { notBuilt(); }
void CrossingAngle(RunContext&, int, int) { notBuilt(); }
double StationOnMainline(RunContext&, int) { notBuilt(); }
void SpiralCrossing(RunContext&, int, int) { notBuilt(); }
void StoreBentPoint(RunContext&, int, int) { notBuilt(); }
void CrossBySpanState(RunContext&, int, int, double) { notBuilt(); }
}  // namespace bp
