#pragma once
// The one reduction of an angle by whole turns into a half turn either side
// of zero, for every difference of directions and every angle between lines.

#include <cmath>

#include "bridgeplan/constants.hpp"

namespace bp {

// The angle a (radians) less the whole turns nearest it, in (-pi, pi]; a
// half turn below, -pi, becomes pi. Within [-pi, pi] the remainder by a
// whole turn is the angle itself, exactly (the nearest multiple is zero, a
// half turn rounding to the even one), so the library call is made only
// for a larger angle; the remainder is exact however large the angle, and
// a zero keeps its sign. Not a number, or an infinite angle, gives NaN.
inline double reduceToHalfTurn(double a) {
    double r = std::fabs(a) <= PI ? a : std::remainder(a, 2.0 * PI);
    if (r <= -PI) r += 2.0 * PI;
    return r;
}

}   // namespace bp
