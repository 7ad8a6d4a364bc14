#pragma once
// The shape of a longitudinal line within a span, as the span set-up left
// it, asked by value: a straight, a circle about a centre of its own, a
// spiral about the centre of a mainline curve, or the mainline moved
// sideways. A drawing or a writer asks it instead of reading the span's
// form and state codes; the crossings read the same codes in the same
// order (spiral, moved mainline, straight, circle).

#include <variant>

#include "alignment/mainline.hpp"
#include "bridgeplan/line_table.hpp"
#include "solver/intersection_solver.hpp"

namespace bp {

namespace shape {

// y = slope x + intercept (form 1) or x = slope y + intercept (form 2),
// running in `direction` (radians).
struct Straight {
    int form = form::Y_OF_X;
    double slope = 0, intercept = 0, direction = 0;
};

// A circle about (xc, yc): crossings cut the circle of radius squared
// radiusSq, distances along it turn by radius (ft).
struct Circle {
    double xc = 0, yc = 0, radius = 0, radiusSq = 0;
};

// The spiral r(theta) = radius + |rate| (polarAngle - theta) about the
// centre (xc, yc) of mainline piece `piece`; radius is signed like the
// rate, arcFromPole the arc length s(radius) from the pole (ft). The
// reference is the back bent once the span is set up.
struct Spiral {
    int piece = 2;
    double xc = 0, yc = 0, rate = 0, radius = 0, polarAngle = 0, arcFromPole = 0;
};

// The mainline moved sideways by `offset` (ft, positive to the left of travel).
struct OffsetMainline {
    double offset = 0;
};

}   // namespace shape

using SpanShape = std::variant<shape::Straight, shape::Circle, shape::Spiral, shape::OffsetMainline>;

// Line N's shape in this span: a spiral for state k > 0, the mainline moved
// by dr (and the reference line's dr for an RLG line) for state -1, else
// its straight or circle form; error 16 when it has none.
SpanShape ShapeInSpan(const Mainline& ml, const LineTable& lines, const SpanLine& n);

}   // namespace bp
