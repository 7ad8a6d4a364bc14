// The intersection solver: a transverse line (T-line or bent) crossed with
// a straight line, a circle, a spiral about a mainline curve centre, or the
// mainline moved sideways. Every answer is a Crossing returned by value.
//
// Plane coordinates in feet, angles in radians counter-clockwise from +X,
// stations increasing clockwise about the curve centres.
#include "solver/intersection_solver.hpp"

#include <cmath>
#include <optional>

#include <fmt/format.h>

#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/half_turn.hpp"
#include "solver/distances.hpp"

namespace bp {

namespace {

bool isStraight(const TransverseLine& l) { return l.form == form::Y_OF_X || l.form == form::X_OF_Y; }

Crossing withStatus(CrossingStatus s) {
    Crossing c;
    c.status = s;
    return c;
}

// A point (u, v) in the slot line's own frame (u its free coordinate, v = m u
// + c) back in plane coordinates: (x, y) = (u, v) for form 1, (v, u) for form 2.
void fromLineFrame(const TransverseLine& l, double u, double v, double& x, double& y) {
    if (l.form == form::Y_OF_X) {
        x = u;
        y = v;
    } else {
        x = v;
        y = u;
    }
}

// Two straight lines, slot line (f, m, c) and target (F, M, C). False when
// they are parallel.
bool crossStraights(const TransverseLine& l, const CrossTarget& t, double& x, double& y) {
    const double m = l.slope, c = l.intercept, M = t.slope, C = t.intercept;
    if (l.form + t.form == 3) {
        // One line y = m x + c, the other x = M y + C (or the reverse).
        const double k = 1.0 - m * M;
        if (k == 0) return false;
        if (l.form == form::Y_OF_X) {
            x = (M * c + C) / k;
            y = m * x + c;
        } else {
            x = (m * C + c) / k;
            y = M * x + C;
        }
        return true;
    }
    // Same form: u = (C - c) / (m - M) along the form's free coordinate.
    const double delta = m - M;
    if (delta == 0) return false;
    const double u = (C - c) / delta;
    fromLineFrame(l, u, m * u + c, x, y);
    return true;
}

// The slot line with a circle, worked in the slot line's frame (x and y
// swapped for form 2): with k = m^2 + 1, q = Y' - c, e = m X' - q, the
// roots are u = (X' + q m +- sqrt(R^2 k - e^2)) / k along the line's free
// coordinate u; `first` takes +sqrt, `second` -sqrt. False when the line
// misses the circle.
bool circleRoots(const TransverseLine& l, const CrossTarget& t, double& first, double& second) {
    const double m = l.slope, c = l.intercept;
    const double xp = (l.form == form::Y_OF_X) ? t.xc : t.yc;
    const double yp = (l.form == form::Y_OF_X) ? t.yc : t.xc;
    const double k = m * m + 1.0;
    const double q = yp - c;
    const double e = m * xp - q;
    const double disc = t.rSquared * k - e * e;
    if (disc < 0) return false;
    first = (std::sqrt(disc) + q * m + xp) / k;
    second = (-std::sqrt(disc) + q * m + xp) / k;
    return true;
}

// (x, y) located on the mainline; OffMainline when no piece accepts it.
Crossing locate(const Mainline& ml, double x, double y) {
    Crossing c;
    c.x = x;
    c.y = y;
    if (const std::optional<StationOffset> so = ml.stationOffsetOnAnyPiece(x, y))
        c.at = *so;
    else
        c.status = CrossingStatus::OffMainline;
    return c;
}

// The point at u on the slot line, located on the mainline.
Crossing locateAt(const Mainline& ml, const TransverseLine& l, double u) {
    double x = 0, y = 0;
    fromLineFrame(l, u, l.slope * u + l.intercept, x, y);
    return locate(ml, x, y);
}

// Angle with a straight line of direction phi: A - phi; the normal is
// phi + pi/2.
Heading angleWithStraight(double direction, double phi) { return {direction - phi, phi + HALF_PI}; }

// Angle with a circle or spiral about (xc, yc): A - delta, delta being the
// radial direction of the point (x, y); the normal is delta.
Heading angleWithCircle(double direction, double xc, double yc, double x, double y) {
    const double delta = DirectionBetween(xc, yc, x, y).angle;
    return {direction - delta, delta};
}

// The point where the slot line meets the target, as IntersectWithSlot
// takes it, when that does not depend on where the point lies on the
// mainline; false when there is no crossing or the circle's two roots are
// equally near the slot line's own point.
bool pointWithoutLocating(const TransverseLine& l, const CrossTarget& target, double& x, double& y) {
    if (!isStraight(l)) return false;
    if (!target.circle) return crossStraights(l, target, x, y);
    double first = 0, second = 0;
    if (!circleRoots(l, target, first, second)) return false;
    const double through = (l.form == form::Y_OF_X) ? l.throughX : l.throughY;
    const double toFirst = std::fabs(first - through), toSecond = std::fabs(second - through);
    if (toFirst == toSecond) return false;
    const double u = toFirst < toSecond ? first : second;
    fromLineFrame(l, u, l.slope * u + l.intercept, x, y);
    return true;
}

Crossing withHeading(Crossing c, const Heading& h) {
    c.hasHeading = true;
    c.heading = h;
    return c;
}

}   // namespace

// A circle is cut at the root nearer to the point the slot line was built
// through (distances along the line are |u - u0| sqrt(k), u0 that point's
// free coordinate), so that the crossing belongs to the bridge and not to
// the orientation of the plane frame. Only when both roots are equally
// near is the first root taken, and the second when the first lies outside
// the back and ahead stations, wherever the second lies.
Crossing IntersectWithSlot(const Mainline& ml, const TransverseLine& l, const CrossTarget& target) {
    if (!isStraight(l)) return withStatus(CrossingStatus::NotStraight);
    double x = 0, y = 0;
    if (pointWithoutLocating(l, target, x, y)) return locate(ml, x, y);
    if (!target.circle) return withStatus(CrossingStatus::Parallel);
    double first = 0, second = 0;
    if (!circleRoots(l, target, first, second)) return withStatus(CrossingStatus::MissesCircle);
    // Both roots equally near.
    const Crossing c = locateAt(ml, l, first);
    if (c.crossed() && c.at.rangeFlag != 0) return locateAt(ml, l, second);
    return c;
}

CrossTarget TargetOfLine(const SpanLine& n) {
    CrossTarget target;
    if (n.form > 0) {
        target.form = n.form;
        target.slope = n.line.slope;
        target.intercept = n.line.intercept;
    } else if (n.form == form::CIRCLE) {
        target.circle = true;
        target.xc = n.line.slope;
        target.yc = n.line.intercept;
        target.rSquared = n.line.radiusSq;
    } else {
        abandon(err::INTERNAL, fmt::format("longitudinal line {} has no geometry in this span", n.number));
    }
    return target;
}

Crossing CrossLongitudinalLine(const Mainline& ml, const TransverseLine& slot, const SpanLine& n) {
    return IntersectWithSlot(ml, slot, TargetOfLine(n));
}

Heading AngleWithPiece(const Mainline& ml, double direction, int k, double x, double y) {
    if (ml.pieceIsCurve(k)) {
        const AlignmentSegment& seg = ml.segment(k);
        return angleWithCircle(direction, seg.xc, seg.yc, x, y);
    }
    return angleWithStraight(direction, ml.pieceLine(k).direction);
}

// The mainline moved sideways by d, piece by piece in the order 2, 1, 3: a
// straight piece keeps its slope, its intercept grows by d q; the curve
// piece becomes the concentric circle of radius R + d, cut at the root
// nearer to the slot line's own point. A piece is accepted when the
// crossing's station lies in it. Where several accept (a curve of more
// than a quarter turn: the normals of one tangent cut the other tangent
// run on behind its end), the crossing nearest the slot line's own point
// is taken, the earlier in that order on a tie. A piece that the slot line
// does not cross (parallel, missed, or a point no piece accepts) is passed
// over like an absent one; NoPieceCrossed only when no piece is accepted.
Crossing CrossOffsetMainline(const Mainline& ml, const TransverseLine& slot, double d) {
    static constexpr int order[] = {2, 1, 3};
    std::optional<Crossing> best;
    double bestDistance = 0;
    for (int k : order) {
        if (!ml.pieceExists(k)) continue;
        const LongitudinalLine& piece = ml.pieceLine(k);
        CrossTarget target;
        if (ml.pieceIsCurve(k)) {
            const AlignmentSegment& seg = ml.segment(k);
            const double r = seg.r + d;
            target.circle = true;
            target.xc = seg.xc;
            target.yc = seg.yc;
            target.rSquared = r * r;
        } else {
            target.form = piece.form;
            target.slope = piece.slope;
            target.intercept = piece.intercept + d * piece.normFactor;
        }
        // A crossing no nearer than the one taken cannot replace it, whether
        // its piece accepts it or not: it need not be located.
        double x = 0, y = 0;
        const bool atPoint = pointWithoutLocating(slot, target, x, y);
        if (atPoint && best && !(std::hypot(x - slot.throughX, y - slot.throughY) < bestDistance)) continue;
        const Crossing c = atPoint ? locate(ml, x, y) : IntersectWithSlot(ml, slot, target);
        if (c.status == CrossingStatus::NotStraight) return c;
        if (!c.crossed() || c.at.piece != k) continue;
        const double distance = std::hypot(c.x - slot.throughX, c.y - slot.throughY);
        if (!best || distance < bestDistance) {
            best = withHeading(c, AngleWithPiece(ml, slot.direction, k, c.x, c.y));
            bestDistance = distance;
        }
    }
    if (best) return *best;
    return withStatus(CrossingStatus::NoPieceCrossed);
}

Heading CrossingAngle(const Mainline& ml, double direction, const SpanLine& n, const Crossing& c) {
    if (n.state < 0) {
        // Follows the mainline: the piece the crossing lies in.
        return AngleWithPiece(ml, direction, c.at.piece, c.x, c.y);
    }
    if (n.form > 0) return angleWithStraight(direction, n.line.direction);
    if (n.form == form::CIRCLE) {
        if (n.state > 0) {
            const AlignmentSegment& seg = ml.segment(n.state);
            return angleWithCircle(direction, seg.xc, seg.yc, c.x, c.y);
        }
        return angleWithCircle(direction, n.line.slope, n.line.intercept, c.x, c.y);
    }
    abandon(err::INTERNAL, fmt::format("longitudinal line {} has no geometry in this span", n.number));
}

// The side rule's crossing with the mainline itself: the angle is taken
// from the normal as the projection onto the mainline leaves it.
Crossing StationOnMainline(const Mainline& ml, const TransverseLine& slot) {
    const Crossing c = CrossOffsetMainline(ml, slot, 0.0);
    if (!c.crossed()) return c;
    return withHeading(c, {slot.direction - c.at.normal, c.at.normal});
}

// The spiral r(theta) = r0 + |a| (theta0 - theta) about the centre of
// mainline piece k: the slot line is cut with the circle of the current
// radius, the polar angle of the cut corrects the radius, until the
// correction falls below the spiral tolerance; BeyondPole when a correction
// takes the radius through the spiral's pole. distBent is the arc length
// s(r) - s(r0) from the spiral's reference.
Crossing SpiralCrossing(const Mainline& ml, const TransverseLine& slot, const SpanLine& n) {
    const int k = n.state;
    if (k < 1 || k > 3 || !ml.pieceExists(k))
        abandon(err::INTERNAL, fmt::format("longitudinal line {} is not a spiral", n.number));
    const AlignmentSegment& seg = ml.segment(k);
    const LongitudinalLine& line = n.line;
    const double rate = std::fabs(line.slope);
    double r = line.radius, thetaPrev = line.radiusSq, dr = 0;
    Crossing c;
    for (int pass = 1;; ++pass) {
        if (pass > SPIRAL_PASS_LIMIT) return withStatus(CrossingStatus::Unsettled);
        r += dr;
        // The radius keeps the sign of the rate on the spiral's own arm; a
        // correction that carries it through the pole (or leaves no number)
        // finds no point of that arm.
        if (!(r * line.slope > 0)) return withStatus(CrossingStatus::BeyondPole);
        CrossTarget target;
        target.circle = true;
        target.xc = seg.xc;
        target.yc = seg.yc;
        target.rSquared = r * r;
        c = IntersectWithSlot(ml, slot, target);
        if (!c.crossed()) return c;
        c = withHeading(c, angleWithCircle(slot.direction, seg.xc, seg.yc, c.x, c.y));
        const double theta = c.heading.normal;
        dr = reduceToHalfTurn(thetaPrev - theta) * rate;
        thetaPrev = theta;
        if (std::fabs(dr) < SPIRAL_TOLERANCE) break;
    }
    c.spiralRadius = r;
    c.distBent = SpiralArcLength(line.slope, r) - line.intercept;
    return c;
}

Crossing CrossBySpanState(const Mainline& ml, const TransverseLine& slot, const SpanLine& n, double d) {
    if (n.state > 0) return SpiralCrossing(ml, slot, n);
    if (n.state < 0) return CrossOffsetMainline(ml, slot, d);
    const Crossing c = CrossLongitudinalLine(ml, slot, n);
    if (!c.crossed()) return c;
    return withHeading(c, CrossingAngle(ml, slot.direction, n, c));
}

void StoreBentPoint(SpanLines& sl, LineTable& lines, int slot, int line, const BentPoint& p) {
    if (slot == BACK_BENT_SLOT) {
        sl.backPoint[line] = p;
        if (sl.spanState[line] > 0) {
            // The spiral's reference moves to the back bent, so that every
            // later arc length on it is measured from there.
            LongitudinalLine& n = lines[line];
            n.radius = sl.spiralRadius;
            n.intercept = SpiralArcLength(n.slope, sl.spiralRadius);
            n.radiusSq = p.normal;
        }
        // The span's bents are crossed before any row of it is reported, so
        // no transverse slot keeps a previous point from an earlier span.
        ForgetPreviousPoints(sl);
    } else if (slot == AHEAD_BENT_SLOT) {
        sl.aheadPoint[line] = p;
    } else {
        abandon(err::INTERNAL, fmt::format("slot {} is not a bent", slot));
    }
}

}   // namespace bp
