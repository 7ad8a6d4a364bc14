#pragma once
// Mainlines built from card values by the alignment's own builder, shared
// by the alignment tests.

#include "alignment/alignment_parts.hpp"
#include "alignment/mainline.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"

#include "../error_of.hpp"

namespace bp::testing {

// What the horizontal curve card builds, and the mainline seen through it.
struct BuiltMainline {
    Alignment a;
    LineTable lines;
    bp::Mainline mainline() const { return bp::Mainline(a, lines); }
};

// Degree of curve from whole degrees.
inline EnteredAngle degrees(double d) { return {d, 0, 0}; }

// back, ahead, reference station; reference angle in degrees; reference distance.
inline BuiltMainline buildMainline(double back, double ahead, double ref, double refAngleDeg, double refDist,
                                   const HorizontalCurveCard& card) {
    BuiltMainline m;
    m.a.location.backStation = back;
    m.a.location.aheadStation = ahead;
    m.a.location.referenceStation = ref;
    m.a.location.referenceAngle = refAngleDeg * DEG_TO_RAD;
    m.a.location.referenceDistance = refDist;
    buildHorizontalAlignment(m.a, m.lines, card);
    return m;
}

inline HorizontalCurveCard curves(double d1, double pc, double d2, double pt, double d3) {
    HorizontalCurveCard c;
    c.curve1 = degrees(d1);
    c.pcStation = pc;
    c.curve2 = degrees(d2);
    c.ptStation = pt;
    c.curve3 = degrees(d3);
    return c;
}

}   // namespace bp::testing
