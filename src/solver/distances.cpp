// Placeholder until distances along lines are built.
#include "bridgeplan/errors.hpp"
#include "solver/distances.hpp"

namespace bp {
namespace {
[[noreturn]] void notBuilt() { abandon(err::INTERNAL, "distances along lines are not built yet"); }
}  // namespace
void DistanceAlongLine(RunContext&, int, double) { notBuilt(); }
void PointAtDistance(RunContext&, int, double, bool) { notBuilt(); }
void DistanceToPrevious(RunContext&, int, int) { notBuilt(); }
double SpiralArcLength(double, double) { notBuilt(); }
}  // namespace bp
