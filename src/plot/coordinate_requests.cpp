// Placeholder until coordinate requests are built.
#include "bridgeplan/errors.hpp"
#include "layout/span_parts.hpp"

namespace bp {
void runCoordinateGroup(RunContext&) { abandon(err::INTERNAL, "coordinate requests are not built yet"); }
}  // namespace bp
