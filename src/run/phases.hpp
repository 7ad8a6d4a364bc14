#pragma once
// The two halves of a problem after its title, called by the driver.

namespace bp {

struct RunContext;

// Location, horizontal curve, vertical curve, crown and superelevation
// cards, in their fixed order; each reads, echoes and builds its part.
void readAlignmentGroups(RunContext& ctx);

// The bridge-layout phase: plot header, longitudinal lines, span cycle.
void PH2(RunContext& ctx);

}  // namespace bp
