#include "run/phases.hpp"
#include "run/run_context.hpp"

namespace bp {

void PH2(RunContext& /*ctx*/) {}

}  // namespace bp
