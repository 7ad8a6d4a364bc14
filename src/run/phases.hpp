#pragma once
// The bridge-layout half of a problem, called by the driver after the
// alignment card groups (alignment/alignment_parts.hpp).

namespace bp {

struct RunContext;

// The bridge-layout phase: plot header, longitudinal lines, span cycle.
void PH2(RunContext& ctx);

}   // namespace bp
