// Placeholder until this part of the span is built.
#include "bridgeplan/errors.hpp"
#include "layout/span_parts.hpp"

namespace bp {
void readBents(RunContext&) { abandon(err::INTERNAL, "readBents is not built yet"); }
}  // namespace bp
