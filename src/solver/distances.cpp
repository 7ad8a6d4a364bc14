// Distances along longitudinal lines: "DT TO BT" from the back bent point,
// the inverse (the point at a given distance), and "DT TO PP" to the
// previous point of the same transverse line. Lengths in feet, angles in
// radians; a positive distance runs toward increasing stations.
#include "solver/distances.hpp"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "run/run_context.hpp"
#include "solver/solver_geometry.hpp"

namespace bp {

namespace {

// (R + d) / R on a curve piece, 1 on a straight: the length along the
// mainline moved by d per foot of station.
double offsetRatio(const RunContext& ctx, int k, double d) {
    if (!geometry::pieceIsCurve(ctx, k)) return 1.0;
    const double r = ctx.alignment.segments[k].r;
    return (r + d) / r;
}

// Along the mainline moved by d from station s0 to station s: the station
// run split at the P.C. and P.T., each piece's run scaled by its own ratio.
double runAlongOffsetMainline(const RunContext& ctx, double s0, double s, double d) {
    double total = 0;
    for (int k = 1; k <= 3; ++k) {
        if (!geometry::piecePresent(ctx, k)) continue;
        const StationRange range = geometry::mainlineOf(ctx).pieceRange(k);
        const double run = std::clamp(s, range.lo, range.hi) - std::clamp(s0, range.lo, range.hi);
        if (run != 0) total += run * offsetRatio(ctx, k, d);
    }
    return total;
}

// A COS circle, or an RLG line offset from one: a circle of its own, not
// concentric with the mainline, whose distances are turns of that circle.
bool followsCircleOfCos(const RunContext& ctx, const LongitudinalLine& n) {
    if (n.typeCode == kw::COS) return true;
    return n.typeCode == kw::RLG && n.refLine >= 1 && n.refLine <= MAX_LINES &&
           ctx.lines[n.refLine].typeCode == kw::COS;
}

// Walks the mainline moved by d from the back bent point of line N by the
// distance t: on a curve piece of radius R the station advances by
// t R / (R + d) and the point turns about the centre at radius R + d; on a
// straight it moves along the direction of travel. At the P.C. or P.T. the
// rest of the distance goes on into the next piece; the last piece in the
// direction of the walk runs on without end.
void walkOffsetMainline(RunContext& ctx, int line, double t, double d, double& x, double& y) {
    const BentPoint& back = ctx.spanLines.backPoint[line];
    const double pc = ctx.alignment.pcStation, pt = ctx.alignment.ptStation;
    int k = back.piece;
    double s = back.station, e = t;
    x = back.x;
    y = back.y;
    for (;;) {
        if (!geometry::piecePresent(ctx, k))
            abandon(err::INTERNAL, "the walk along the mainline met an absent piece");
        const bool curve = geometry::pieceIsCurve(ctx, k);
        const AlignmentSegment& seg = ctx.alignment.segments[k];
        // Moved to or beyond the centre, the line has no point on this
        // piece (and the walk would turn back on itself).
        if (curve && !(seg.r + d > 0))
            abandon(err::NO_CROSSING,
                    fmt::format("longitudinal line {} at {:.4f} ft from the mainline lies beyond the centre of "
                                "the curve of radius {:.4f} ft",
                                line, d, seg.r));
        const double rho = curve ? seg.r / (seg.r + d) : 1.0;
        double ds = rho * e;
        int next = 0;
        if (ds > 0 && k < 3 && geometry::piecePresent(ctx, k + 1)) {
            const double end = (k == 1) ? pc : pt;
            if (s + ds > end) {
                e = (s + ds - end) / rho;
                ds = end - s;
                next = k + 1;
            }
        } else if (ds < 0 && k > 1 && geometry::piecePresent(ctx, k - 1)) {
            const double begin = (k == 2) ? pc : pt;
            if (s + ds < begin) {
                e = (s + ds - begin) / rho;
                ds = begin - s;
                next = k - 1;
            }
        }
        if (curve) {
            const double psi = DirectionBetween(seg.xc, seg.yc, x, y).angle - ds / seg.r;
            x = seg.xc + (seg.r + d) * std::cos(psi);
            y = seg.yc + (seg.r + d) * std::sin(psi);
        } else {
            const LongitudinalLine& piece = ctx.lines[MAINLINE_SLOT + k];
            x += ds * piece.cosDir;
            y += ds * piece.sinDir;
        }
        s += ds;
        if (next == 0) return;
        k = next;
    }
}

// The plane point at distance t along line N from its back bent point.
void pointAlongLine(RunContext& ctx, int line, double t, double& x, double& y) {
    const LongitudinalLine& n = ctx.lines[line];
    const SpanLines& sl = ctx.spanLines;
    const BentPoint& back = sl.backPoint[line];
    const int f = sl.spanForm[line], state = sl.spanState[line];
    if (f < 0)
        abandon(err::INTERNAL, fmt::format("longitudinal line {} has no geometry in this span", line));
    if (f > 0) {
        // Straight: along the line's direction.
        x = back.x + t * n.cosDir;
        y = back.y + t * n.sinDir;
    } else if (state == 0) {
        // Circle: clockwise (toward increasing stations) by t / radius.
        const double psi = back.normal - t / n.radius;
        x = n.slope + n.radius * std::cos(psi);
        y = n.intercept + n.radius * std::sin(psi);
    } else if (state > 0) {
        SpiralPointAt(ctx, line, t);
        x = ctx.wp.x;
        y = ctx.wp.y;
    } else {
        const double d = n.dr + (n.refLine > 0 ? ctx.lines[n.refLine].dr : 0.0);
        walkOffsetMainline(ctx, line, t, d, x, y);
    }
}

// The normal of line N at the work point, as a crossing leaves it: a
// straight line's direction + pi/2, the radial direction from the centre
// of a circle or spiral; a line following the mainline keeps the normal
// of the projection onto the mainline.
void lineNormalAt(RunContext& ctx, int line) {
    const LongitudinalLine& n = ctx.lines[line];
    const int f = ctx.spanLines.spanForm[line], state = ctx.spanLines.spanState[line];
    if (f > 0) {
        ctx.wp.normal = n.direction + HALF_PI;
    } else if (state == 0) {
        ctx.wp.normal = DirectionBetween(n.slope, n.intercept, ctx.wp.x, ctx.wp.y).angle;
    } else if (state > 0) {
        const AlignmentSegment& seg = ctx.alignment.segments[state];
        ctx.wp.normal = DirectionBetween(seg.xc, seg.yc, ctx.wp.x, ctx.wp.y).angle;
    }
}

}  // namespace

// s(r) = (a/2)(u sqrt(1 + u^2) + ln(u + sqrt(1 + u^2))), u = r/a: the arc
// length of the Archimedean spiral r = a phi from its pole to radius r (ft).
double SpiralArcLength(double a, double r) {
    const double u = r / a;
    const double w = std::sqrt(1.0 + u * u);
    return (a / 2.0) * (u * w + std::log(u + w));
}

void DistanceAlongLine(RunContext& ctx, int line, double d) {
    WorkPoint& wp = ctx.wp;
    const SpanLines& sl = ctx.spanLines;
    const LongitudinalLine& n = ctx.lines[line];
    const BentPoint& o = sl.backPoint[line];
    const int f = sl.spanForm[line], state = sl.spanState[line];
    const double chord = std::sqrt((wp.x - o.x) * (wp.x - o.x) + (wp.y - o.y) * (wp.y - o.y));

    if (f < 0)
        abandon(err::INTERNAL, fmt::format("longitudinal line {} has no geometry in this span", line));
    if (f > 0) {
        // Straight line: the chord, never negative.
        wp.distBent = chord;
    } else if (state > 0) {
        // Spiral: arc length from the back bent (the spiral's reference).
        wp.distBent = SpiralArcLength(n.slope, sl.spiralRadius) - n.intercept;
    } else if (followsCircleOfCos(ctx, n)) {
        // A circle of its own: the turn from the back bent times its radius.
        wp.distBent = geometry::angleDifference(o.normal, wp.normal) * n.radius;
    } else if (o.piece == wp.piece) {
        if (geometry::pieceIsCurve(ctx, wp.piece)) {
            // Concentric with the curve: the turn times R + d.
            const double r = ctx.alignment.segments[wp.piece].r;
            wp.distBent = geometry::angleDifference(o.normal, wp.normal) * (r + d);
        } else {
            // Beside a straight piece: the chord, negative behind the bent.
            wp.distBent = (wp.station < o.station) ? -chord : chord;
        }
    } else {
        wp.distBent = runAlongOffsetMainline(ctx, o.station, wp.station, d);
    }
}

// Solves s(r) = s(r_back) + t for r by steps of the arc-length residual
// over the radius (ds ~ r dphi); the polar angle turns by the sum of the
// steps, clockwise for a positive rate.
void SpiralPointAt(RunContext& ctx, int line, double t) {
    const LongitudinalLine& n = ctx.lines[line];
    const int k = ctx.spanLines.spanState[line];
    if (k < 1 || k > 3 || !geometry::piecePresent(ctx, k))
        abandon(err::INTERNAL, fmt::format("longitudinal line {} is not a spiral", line));
    const double a = n.slope;
    const double target = t + n.intercept;
    double e = t, r = n.radius, u = r / a, sum = 0;
    for (int pass = 1;; ++pass) {
        if (pass > SPIRAL_PASS_LIMIT)
            abandon(err::TRANSVERSE_LINE,
                    fmt::format("the point at {:.4f} ft along spiral line {} does not settle", t, line));
        const double step = e / r;
        sum += step;
        u += step;
        const double w = std::sqrt(1.0 + u * u);
        e = target - (a / 2.0) * (u * w + std::log(u + w));
        r = u * a;
        if (std::fabs(e) < SPIRAL_TOLERANCE) break;
    }
    const AlignmentSegment& seg = ctx.alignment.segments[k];
    const double psi = ctx.spanLines.backPoint[line].normal - sum * (a < 0 ? -1.0 : 1.0);
    ctx.spanLines.spiralRadius = r;
    ctx.wp.x = seg.xc + std::fabs(r) * std::cos(psi);
    ctx.wp.y = seg.yc + std::fabs(r) * std::sin(psi);
}

// When the point found lies on the other side of the back bent than the
// sign of t asks for, the other direction is taken; distBent keeps the
// caller's t either way.
void PointAtDistance(RunContext& ctx, int line, double t, bool checkLine) {
    if (checkLine && (line < 1 || line > ctx.lineCount))
        abandon(err::TRANSVERSE_LINE,
                fmt::format("a point at a distance refers to longitudinal line {}, which is not in the list",
                            line));
    const double backStation = ctx.spanLines.backPoint[line].station;
    double x = 0, y = 0;
    pointAlongLine(ctx, line, t, x, y);
    geometry::locateWorkPoint(ctx, x, y);
    if ((ctx.wp.station > backStation && t < 0) || (ctx.wp.station < backStation && t > 0)) {
        pointAlongLine(ctx, line, -t, x, y);
        geometry::locateWorkPoint(ctx, x, y);
    }
    ctx.wp.distBent = t;
    lineNormalAt(ctx, line);
}

void DistanceToPrevious(RunContext& ctx, int slot, int line) {
    SpanLines& sl = ctx.spanLines;
    WorkPoint& wp = ctx.wp;
    const int skipBefore = (line > 1) ? ctx.transverse[slot].skip(line - 1) : 0;
    if (skipBefore < 0)
        abandon(err::INTERNAL, fmt::format("transverse line {} has a negative skip flag", slot));
    if (line == 1 || skipBefore > 0 || !sl.hasPrev[slot])
        wp.distPrev = 0;
    else
        wp.distPrev = std::sqrt((wp.x - sl.prevX[slot]) * (wp.x - sl.prevX[slot]) +
                               (wp.y - sl.prevY[slot]) * (wp.y - sl.prevY[slot]));
    sl.prevX[slot] = wp.x;
    sl.prevY[slot] = wp.y;
    sl.hasPrev[slot] = true;
}

void ForgetPreviousPoints(RunContext& ctx) { ctx.spanLines.hasPrev.fill(false); }

}  // namespace bp
