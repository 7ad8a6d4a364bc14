// Placeholder until the alignment point operations are built.
#include "alignment/point_operations.hpp"
#include "bridgeplan/errors.hpp"

namespace bp {
namespace {
[[noreturn]] void notBuilt() { abandon(err::INTERNAL, "the alignment operations are not built yet"); }
}  // namespace
int PieceOfStation(const Alignment&, const LineTable&, double) { notBuilt(); }
int RangeFlagOfStation(const Alignment&, double) { notBuilt(); }
StationPoint PointAtStation(const Alignment&, const LineTable&, double) { notBuilt(); }
StationOffset StationOffsetOfPoint(const Alignment&, const LineTable&, double, double) { notBuilt(); }
Direction DirectionBetween(double, double, double, double) { notBuilt(); }
LineForm LineThroughPoint(double, double, double) { notBuilt(); }
}  // namespace bp
