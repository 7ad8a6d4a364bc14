// Placeholder until the profile and cross-section are built.
#include "alignment/elevation.hpp"
#include "bridgeplan/errors.hpp"

namespace bp {
double ProfileElevation(const Alignment&, double) { abandon(err::INTERNAL, "the profile is not built yet"); }
SurfacePoint SectionElevation(const Alignment&, double, double) { abandon(err::INTERNAL, "the cross-section is not built yet"); }
}  // namespace bp
