// Placeholder until the side rule is built.
#include "bridgeplan/errors.hpp"
#include "layout/span_parts.hpp"

namespace bp {
double applySideRule(RunContext&, int, double, double) { abandon(err::INTERNAL, "the side rule is not built yet"); }
}  // namespace bp
