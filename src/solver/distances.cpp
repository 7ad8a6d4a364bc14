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
#include "bridgeplan/half_turn.hpp"
#include "bridgeplan/keywords.hpp"

namespace bp {

namespace {

// (R + d) / R on a curve piece, 1 on a straight: the length along the
// mainline moved by d per foot of station.
double offsetRatio(const Mainline& ml, int k, double d) {
    if (!ml.pieceIsCurve(k)) return 1.0;
    const double r = ml.segment(k).r;
    return (r + d) / r;
}

// Along the mainline moved by d from station s0 to station s: the station
// run split at the P.C. and P.T., each piece's run scaled by its own ratio.
double runAlongOffsetMainline(const Mainline& ml, double s0, double s, double d) {
    double total = 0;
    for (int k = 1; k <= 3; ++k) {
        if (!ml.pieceExists(k)) continue;
        const StationRange range = ml.pieceRange(k);
        const double run = std::clamp(s, range.lo, range.hi) - std::clamp(s0, range.lo, range.hi);
        if (run != 0) total += run * offsetRatio(ml, k, d);
    }
    return total;
}

// A COS circle, or an RLG line offset from one: a circle of its own, not
// concentric with the mainline, whose distances are turns of that circle.
bool followsCircleOfCos(const LineTable& lines, const LongitudinalLine& n) {
    if (n.typeCode == kw::COS) return true;
    return n.typeCode == kw::RLG && n.refLine >= 1 && n.refLine <= MAX_LINES &&
           lines[n.refLine].typeCode == kw::COS;
}

// Walks the mainline moved by d from the back bent point of line N by the
// distance t: on a curve piece of radius R the station advances by
// t R / (R + d) and the point turns about the centre at radius R + d; on a
// straight it moves along the direction of travel. At the P.C. or P.T. the
// rest of the distance goes on into the next piece; the last piece in the
// direction of the walk runs on without end.
void walkOffsetMainline(const Mainline& ml, int line, const BentPoint& back, double t, double d, double& x,
                        double& y) {
    const double pc = ml.alignment().pcStation, pt = ml.alignment().ptStation;
    int k = back.piece;
    double s = back.station, e = t;
    x = back.x;
    y = back.y;
    for (;;) {
        if (!ml.pieceExists(k)) abandon(err::INTERNAL, "the walk along the mainline met an absent piece");
        const bool curve = ml.pieceIsCurve(k);
        const AlignmentSegment& seg = ml.segment(k);
        // Moved to or beyond the centre, the line has no point on this
        // piece (and the walk would turn back on itself).
        if (curve && !(seg.r + d > 0))
            abandon(
                err::NO_CROSSING,
                fmt::format("longitudinal line {} at {:.4f} ft from the mainline lies beyond the centre of "
                            "the curve of radius {:.4f} ft",
                            line, d, seg.r));
        const double rho = curve ? seg.r / (seg.r + d) : 1.0;
        double ds = rho * e;
        int next = 0;
        if (ds > 0 && k < 3 && ml.pieceExists(k + 1)) {
            const double end = (k == 1) ? pc : pt;
            if (s + ds > end) {
                e = (s + ds - end) / rho;
                ds = end - s;
                next = k + 1;
            }
        } else if (ds < 0 && k > 1 && ml.pieceExists(k - 1)) {
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
            const LongitudinalLine& piece = ml.pieceLine(k);
            x += ds * piece.cosDir;
            y += ds * piece.sinDir;
        }
        s += ds;
        if (next == 0) return;
        k = next;
    }
}

// The plane point at distance t along line N from its back bent point;
// false when a spiral distance does not settle. A spiral line leaves its
// radius at the point in `spiralRadius`.
bool pointAlongLine(const Mainline& ml, const LineTable& lines, const SpanLine& n, double t, double& x,
                    double& y, std::optional<double>& spiralRadius) {
    const LongitudinalLine& line = n.line;
    const BentPoint& back = n.back;
    if (n.form < 0)
        abandon(err::INTERNAL, fmt::format("longitudinal line {} has no geometry in this span", n.number));
    if (n.form > 0) {
        // Straight: along the line's direction.
        x = back.x + t * line.cosDir;
        y = back.y + t * line.sinDir;
    } else if (n.state == 0) {
        // Circle: clockwise (toward increasing stations) by t / radius.
        const double psi = back.normal - t / line.radius;
        x = line.slope + line.radius * std::cos(psi);
        y = line.intercept + line.radius * std::sin(psi);
    } else if (n.state > 0) {
        const SpiralPoint p = SpiralPointAt(ml, n, t);
        if (!p.settled) return false;
        spiralRadius = p.radius;
        x = p.x;
        y = p.y;
    } else {
        const double d = line.dr + (line.refLine > 0 ? lines[line.refLine].dr : 0.0);
        walkOffsetMainline(ml, n.number, back, t, d, x, y);
    }
    return true;
}

// The normal of line N at (x, y), as a crossing leaves it: a straight
// line's direction + pi/2, the radial direction from the centre of a
// circle or spiral; a line following the mainline keeps the normal of the
// projection onto the mainline.
double lineNormalAt(const Mainline& ml, const SpanLine& n, double x, double y, double projected) {
    if (n.form > 0) return n.line.direction + HALF_PI;
    if (n.state == 0) return DirectionBetween(n.line.slope, n.line.intercept, x, y).angle;
    if (n.state > 0) {
        const AlignmentSegment& seg = ml.segment(n.state);
        return DirectionBetween(seg.xc, seg.yc, x, y).angle;
    }
    return projected;
}

}   // namespace

// s(r) = (a/2)(u sqrt(1 + u^2) + ln(u + sqrt(1 + u^2))), u = r/a: the arc
// length of the Archimedean spiral r = a phi from its pole to radius r (ft).
double SpiralArcLength(double a, double r) {
    const double u = r / a;
    const double w = std::sqrt(1.0 + u * u);
    return (a / 2.0) * (u * w + std::log(u + w));
}

double DistanceAlongLine(const Mainline& ml, const LineTable& lines, const SpanLine& n, double spiralRadius,
                         const WorkPoint& p, double d) {
    const LongitudinalLine& line = n.line;
    const BentPoint& o = n.back;
    const double chord = std::sqrt((p.x - o.x) * (p.x - o.x) + (p.y - o.y) * (p.y - o.y));

    if (n.form < 0)
        abandon(err::INTERNAL, fmt::format("longitudinal line {} has no geometry in this span", n.number));
    if (n.form > 0) {
        // Straight line: the chord, never negative.
        return chord;
    }
    if (n.state > 0) {
        // Spiral: arc length from the back bent (the spiral's reference).
        return SpiralArcLength(line.slope, spiralRadius) - line.intercept;
    }
    if (followsCircleOfCos(lines, line)) {
        // A circle of its own: the turn from the back bent times its radius.
        return reduceToHalfTurn(o.normal - p.normal) * line.radius;
    }
    if (o.piece == p.piece) {
        if (ml.pieceIsCurve(p.piece)) {
            // Concentric with the curve: the turn times R + d.
            const double r = ml.segment(p.piece).r;
            return reduceToHalfTurn(o.normal - p.normal) * (r + d);
        }
        // Beside a straight piece: the chord, negative behind the bent.
        return (p.station < o.station) ? -chord : chord;
    }
    return runAlongOffsetMainline(ml, o.station, p.station, d);
}

// Solves s(r) = s(r_back) + t for r by steps of the arc-length residual
// over the radius (ds ~ r dphi); the polar angle turns by the sum of the
// steps, clockwise for a positive rate.
SpiralPoint SpiralPointAt(const Mainline& ml, const SpanLine& n, double t) {
    const LongitudinalLine& line = n.line;
    const int k = n.state;
    if (k < 1 || k > 3 || !ml.pieceExists(k))
        abandon(err::INTERNAL, fmt::format("longitudinal line {} is not a spiral", n.number));
    const double a = line.slope;
    const double target = t + line.intercept;
    double e = t, r = line.radius, u = r / a, sum = 0;
    for (int pass = 1;; ++pass) {
        if (pass > SPIRAL_PASS_LIMIT) return SpiralPoint{};
        const double step = e / r;
        sum += step;
        u += step;
        const double w = std::sqrt(1.0 + u * u);
        e = target - (a / 2.0) * (u * w + std::log(u + w));
        r = u * a;
        if (std::fabs(e) < SPIRAL_TOLERANCE) break;
    }
    const AlignmentSegment& seg = ml.segment(k);
    const double psi = n.back.normal - sum * (a < 0 ? -1.0 : 1.0);
    return SpiralPoint{true, seg.xc + std::fabs(r) * std::cos(psi), seg.yc + std::fabs(r) * std::sin(psi), r};
}

// When the point found lies on the other side of the back bent than the
// sign of t asks for, the other direction is taken.
PointOnLine PointAtDistance(const Mainline& ml, const LineTable& lines, const SpanLine& n, double t) {
    const double backStation = n.back.station;
    PointOnLine p;
    const auto place = [&](double along) {
        if (!pointAlongLine(ml, lines, n, along, p.x, p.y, p.spiralRadius)) {
            p.status = CrossingStatus::Unsettled;
            p.unsettledAt = along;
            return false;
        }
        const std::optional<StationOffset> so = ml.stationOffsetOnAnyPiece(p.x, p.y);
        if (!so) {
            p.status = CrossingStatus::OffMainline;
            return false;
        }
        p.at = *so;
        return true;
    };
    if (!place(t)) return p;
    if ((p.at.station > backStation && t < 0) || (p.at.station < backStation && t > 0)) {
        if (!place(-t)) return p;
    }
    p.normal = lineNormalAt(ml, n, p.x, p.y, p.at.normal);
    return p;
}

double DistanceToPrevious(SpanLines& sl, const TransverseLine& tline, int slot, int line, double x,
                          double y) {
    const int skipBefore = (line > 1) ? tline.skip(line - 1) : 0;
    if (skipBefore < 0)
        abandon(err::INTERNAL, fmt::format("transverse line {} has a negative skip flag", slot));
    double dist = 0;
    if (!(line == 1 || skipBefore > 0 || !sl.hasPrev[slot]))
        dist = std::sqrt((x - sl.prevX[slot]) * (x - sl.prevX[slot]) +
                         (y - sl.prevY[slot]) * (y - sl.prevY[slot]));
    sl.prevX[slot] = x;
    sl.prevY[slot] = y;
    sl.hasPrev[slot] = true;
    return dist;
}

void ForgetPreviousPoints(SpanLines& sl) { sl.hasPrev.fill(false); }

}   // namespace bp
