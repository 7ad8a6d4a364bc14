// Placeholder until this part of the span is built.
#include "bridgeplan/errors.hpp"
#include "layout/span_parts.hpp"

namespace bp {
void readTransverseLines(RunContext&) { abandon(err::INTERNAL, "readTransverseLines is not built yet"); }
}  // namespace bp
