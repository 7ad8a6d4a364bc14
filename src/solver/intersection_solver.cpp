// The intersection solver: a transverse slot (T-line or bent) crossed with
// a straight line, a circle, a spiral about a mainline curve centre, or the
// mainline moved sideways. Every result goes into the one work point.
//
// Plane coordinates in feet, angles in radians counter-clockwise from +X,
// stations increasing clockwise about the curve centres.
#include "solver/intersection_solver.hpp"

#include <cmath>
#include <optional>

#include <fmt/format.h>

#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "run/run_context.hpp"
#include "solver/distances.hpp"
#include "solver/solver_geometry.hpp"

namespace bp {

namespace {

const TransverseLine& slotLine(const RunContext& ctx, int slot) {
    const TransverseLine& l = ctx.transverse[slot];
    if (l.form != form::Y_OF_X && l.form != form::X_OF_Y)
        abandon(err::INTERNAL, fmt::format("transverse line {} is not a straight line", slot));
    return l;
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

// What a crossing point that no mainline piece accepts means: error 15
// for a crossing the slot must have, or no crossing with this target when
// the caller tries the next one (the pieces of the moved mainline).
enum class OffMainline { Abandon, NoCrossing };

// Locates (x, y) on the mainline into the work point; false only for a
// point no piece accepts when that means no crossing.
bool locate(RunContext& ctx, double x, double y, OffMainline off) {
    if (off == OffMainline::NoCrossing) return geometry::tryLocateWorkPoint(ctx, x, y);
    geometry::locateWorkPoint(ctx, x, y);
    return true;
}

// The point at u on the slot line, located on the mainline.
bool locateAt(RunContext& ctx, const TransverseLine& l, double u, OffMainline off) {
    double x = 0, y = 0;
    fromLineFrame(l, u, l.slope * u + l.intercept, x, y);
    return locate(ctx, x, y, off);
}

// IntersectWithSlot without its error: false when there is no crossing.
// A circle is cut at the root nearer to the point the slot line was built
// through (distances along the line are |u - u0| sqrt(k), u0 that point's
// free coordinate), so that the crossing belongs to the bridge and not to
// the orientation of the plane frame. Only when both roots are equally
// near is the first root taken, and the second when the first lies outside
// the back and ahead stations, wherever the second lies.
bool tryIntersect(RunContext& ctx, int slot, const CrossTarget& target,
                  OffMainline off = OffMainline::Abandon) {
    const TransverseLine& l = slotLine(ctx, slot);
    if (!target.circle) {
        double x = 0, y = 0;
        if (!crossStraights(l, target, x, y)) return false;
        return locate(ctx, x, y, off);
    }
    double first = 0, second = 0;
    if (!circleRoots(l, target, first, second)) return false;
    const double through = (l.form == form::Y_OF_X) ? l.throughX : l.throughY;
    const double toFirst = std::fabs(first - through), toSecond = std::fabs(second - through);
    if (toFirst != toSecond) return locateAt(ctx, l, toFirst < toSecond ? first : second, off);
    if (!locateAt(ctx, l, first, off)) return false;
    if (ctx.wp.rangeFlag != 0) return locateAt(ctx, l, second, off);
    return true;
}

// Angle with a straight line of direction phi: A - phi; the normal is
// phi + pi/2.
void angleWithStraight(RunContext& ctx, int slot, double phi) {
    ctx.wp.angle = ctx.transverse[slot].direction - phi;
    ctx.wp.normal = phi + HALF_PI;
}

// Angle with a circle or spiral about (xc, yc): A - delta, delta being the
// radial direction of the work point; the normal is delta.
void angleWithCircle(RunContext& ctx, int slot, double xc, double yc) {
    const double delta = DirectionBetween(xc, yc, ctx.wp.x, ctx.wp.y).angle;
    ctx.wp.angle = ctx.transverse[slot].direction - delta;
    ctx.wp.normal = delta;
}

// Angle with mainline piece k (or the mainline moved sideways there).
void angleWithPiece(RunContext& ctx, int slot, int k) {
    if (geometry::pieceIsCurve(ctx, k)) {
        const AlignmentSegment& seg = ctx.alignment.segments[k];
        angleWithCircle(ctx, slot, seg.xc, seg.yc);
    } else {
        angleWithStraight(ctx, slot, ctx.lines[MAINLINE_SLOT + k].direction);
    }
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
// over like an absent one; error 15 only when no piece is accepted.
// `located` receives the normal as the projection left it.
void crossOffsetMainline(RunContext& ctx, int slot, double d, double* located) {
    static constexpr int order[] = {2, 1, 3};
    const TransverseLine& l = slotLine(ctx, slot);
    std::optional<WorkPoint> best;
    double bestDistance = 0, bestNormal = 0;
    for (int k : order) {
        const LongitudinalLine& piece = ctx.lines[MAINLINE_SLOT + k];
        if (piece.form == form::ABSENT) continue;
        CrossTarget target;
        if (piece.form == form::CIRCLE) {
            const AlignmentSegment& seg = ctx.alignment.segments[k];
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
        if (!tryIntersect(ctx, slot, target, OffMainline::NoCrossing)) continue;
        const double normal = ctx.wp.normal;
        angleWithPiece(ctx, slot, k);
        if (ctx.wp.piece != k) continue;
        const double distance = std::hypot(ctx.wp.x - l.throughX, ctx.wp.y - l.throughY);
        if (!best || distance < bestDistance) {
            best = ctx.wp;
            bestDistance = distance;
            bestNormal = normal;
        }
    }
    if (best) {
        ctx.wp = *best;
        if (located) *located = bestNormal;
        return;
    }
    abandon(err::NO_CROSSING,
            fmt::format("transverse line {} does not cross the mainline moved by {:.4f} ft on any of its pieces",
                        slot, d));
}

}  // namespace

void IntersectWithSlot(RunContext& ctx, int slot, const CrossTarget& target) {
    if (!tryIntersect(ctx, slot, target))
        abandon(err::NO_CROSSING,
                target.circle ? fmt::format("transverse line {} misses a circle", slot)
                              : fmt::format("transverse line {} is parallel to the line it should cross", slot));
}

void CrossLongitudinalLine(RunContext& ctx, int slot, int line) {
    const int f = ctx.spanLines.spanForm[line];
    const LongitudinalLine& n = ctx.lines[line];
    CrossTarget target;
    if (f > 0) {
        target.form = f;
        target.slope = n.slope;
        target.intercept = n.intercept;
    } else if (f == form::CIRCLE) {
        target.circle = true;
        target.xc = n.slope;
        target.yc = n.intercept;
        target.rSquared = n.radiusSq;
    } else {
        abandon(err::INTERNAL, fmt::format("longitudinal line {} has no geometry in this span", line));
    }
    IntersectWithSlot(ctx, slot, target);
}

void CrossOffsetMainline(RunContext& ctx, int slot, double d) {
    crossOffsetMainline(ctx, slot, d, nullptr);
}

void CrossingAngle(RunContext& ctx, int slot, int line) {
    if (line > MAINLINE_SLOT) {
        angleWithPiece(ctx, slot, line - MAINLINE_SLOT);
        return;
    }
    const LongitudinalLine& n = ctx.lines[line];
    const int state = ctx.spanLines.spanState[line];
    const int f = ctx.spanLines.spanForm[line];
    if (state < 0) {
        // Follows the mainline: the piece the crossing lies in.
        angleWithPiece(ctx, slot, ctx.wp.piece);
    } else if (f > 0) {
        angleWithStraight(ctx, slot, n.direction);
    } else if (f == form::CIRCLE) {
        if (state > 0) {
            const AlignmentSegment& seg = ctx.alignment.segments[state];
            angleWithCircle(ctx, slot, seg.xc, seg.yc);
        } else {
            angleWithCircle(ctx, slot, n.slope, n.intercept);
        }
    } else {
        abandon(err::INTERNAL, fmt::format("longitudinal line {} has no geometry in this span", line));
    }
}

// The side rule's crossing with the mainline itself: the angle is taken
// from the normal as the projection onto the mainline leaves it.
double StationOnMainline(RunContext& ctx, int slot) {
    double normal = 0;
    crossOffsetMainline(ctx, slot, 0.0, &normal);
    ctx.wp.normal = normal;
    ctx.wp.angle = ctx.transverse[slot].direction - normal;
    return ctx.wp.station;
}

// The spiral r(theta) = r0 + |a| (theta0 - theta) about the centre of
// mainline piece k: the slot line is cut with the circle of the current
// radius, the polar angle of the cut corrects the radius, until the
// correction falls below the spiral tolerance; error 15 when a correction
// takes the radius through the spiral's pole. distBent is the arc length
// s(r) - s(r0) from the spiral's reference.
void SpiralCrossing(RunContext& ctx, int slot, int line) {
    const int k = ctx.spanLines.spanState[line];
    if (k < 1 || k > 3 || !geometry::piecePresent(ctx, k))
        abandon(err::INTERNAL, fmt::format("longitudinal line {} is not a spiral", line));
    const AlignmentSegment& seg = ctx.alignment.segments[k];
    const LongitudinalLine& n = ctx.lines[line];
    const double rate = std::fabs(n.slope);
    double r = n.radius, thetaPrev = n.radiusSq, dr = 0;
    for (int pass = 1;; ++pass) {
        if (pass > SPIRAL_PASS_LIMIT)
            abandon(err::NO_CROSSING, fmt::format("the crossing of transverse line {} with spiral line {} "
                                                  "does not settle",
                                                  slot, line));
        r += dr;
        // The radius keeps the sign of the rate on the spiral's own arm; a
        // correction that carries it through the pole (or leaves no number)
        // finds no point of that arm.
        if (!(r * n.slope > 0))
            abandon(err::NO_CROSSING, fmt::format("transverse line {} does not cross spiral line {} on "
                                                  "the spiral's side of its pole",
                                                  slot, line));
        CrossTarget target;
        target.circle = true;
        target.xc = seg.xc;
        target.yc = seg.yc;
        target.rSquared = r * r;
        IntersectWithSlot(ctx, slot, target);
        angleWithCircle(ctx, slot, seg.xc, seg.yc);
        const double theta = ctx.wp.normal;
        dr = geometry::angleDifference(thetaPrev, theta) * rate;
        thetaPrev = theta;
        if (std::fabs(dr) < SPIRAL_TOLERANCE) break;
    }
    ctx.spanLines.spiralRadius = r;
    ctx.wp.distBent = SpiralArcLength(n.slope, r) - n.intercept;
}

void StoreBentPoint(RunContext& ctx, int slot, int line) {
    const WorkPoint& wp = ctx.wp;
    SpanLines& sl = ctx.spanLines;
    const BentPoint p{wp.x, wp.y, wp.angle, wp.station, wp.offset, wp.normal, wp.piece};
    if (slot == BACK_BENT_SLOT) {
        sl.backPoint[line] = p;
        if (sl.spanState[line] > 0) {
            // The spiral's reference moves to the back bent, so that every
            // later arc length on it is measured from there.
            LongitudinalLine& n = ctx.lines[line];
            n.radius = sl.spiralRadius;
            n.intercept = SpiralArcLength(n.slope, sl.spiralRadius);
            n.radiusSq = wp.normal;
        }
        // The span's bents are crossed before any row of it is reported, so
        // no transverse slot keeps a previous point from an earlier span.
        ForgetPreviousPoints(ctx);
    } else if (slot == AHEAD_BENT_SLOT) {
        sl.aheadPoint[line] = p;
    } else {
        abandon(err::INTERNAL, fmt::format("slot {} is not a bent", slot));
    }
}

void CrossBySpanState(RunContext& ctx, int slot, int line, double d) {
    const int state = ctx.spanLines.spanState[line];
    if (state > 0) {
        SpiralCrossing(ctx, slot, line);
    } else if (state == 0) {
        CrossLongitudinalLine(ctx, slot, line);
        CrossingAngle(ctx, slot, line);
    } else {
        CrossOffsetMainline(ctx, slot, d);
    }
}

}  // namespace bp
