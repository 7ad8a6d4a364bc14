#include "run/phases.hpp"
#include "run/run_context.hpp"

namespace bp {

void readAlignmentGroups(RunContext& /*ctx*/) {}

}  // namespace bp
