#pragma once
// Elevations of the finished surface: the profile grade at a station and
// the cross-section at a station and offset.

#include "bridgeplan/alignment_records.hpp"

namespace bp {

// Profile grade elevation (ft) at station s; error 17 outside the back and
// ahead stations, error 13 outside the profile segments.
double ProfileElevation(const Alignment& a, double s);

struct SurfacePoint {
    double elevation = 0;
    char edgeMark = ' ';   // "*" when the offset lies outside the described surface
};

// Finished elevation at station s and offset o (ft, positive left).
SurfacePoint SectionElevation(const Alignment& a, double s, double o);

}   // namespace bp
