// Placeholder until this part of the span is built.
#include "bridgeplan/errors.hpp"
#include "layout/span_parts.hpp"

namespace bp {
void setUpSpan(RunContext&) { abandon(err::INTERNAL, "setUpSpan is not built yet"); }
}  // namespace bp
