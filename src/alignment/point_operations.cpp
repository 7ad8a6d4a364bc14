// Station to plane point, plane point to station and offset, direction
// between two points and the line through a point, on the mainline pieces
// built from the horizontal curve card (segments 1..3, line slots 31..33).
#include "alignment/point_operations.hpp"

#include <cmath>

#include <fmt/format.h>

#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/half_turn.hpp"

namespace bp {
namespace {

constexpr double TWO_PI = 2.0 * PI;

// Of the stations s0 + k C (one per whole turn about a circle of
// circumference C), the one nearest to the range [begin, end]; when several
// lie inside (a piece of more than a full turn), the one nearest the
// reference station sR; when none does, the nearer of the two about it.
double nearestTurn(double s0, double circumference, double begin, double end, double sR) {
    double kLo = std::ceil((begin - s0) / circumference);
    double kHi = std::floor((end - s0) / circumference);
    if (kLo <= kHi) {
        double k = std::round((sR - s0) / circumference);
        k = std::fmin(std::fmax(k, kLo), kHi);
        return s0 + k * circumference;
    }
    double below = s0 + kHi * circumference, above = s0 + kLo * circumference;
    return (begin - below) <= (above - end) ? below : above;
}

// P's offset from a piece, as its projection gives it: |P - centre| - R
// on a circle, the stored form's residual over q on a straight.
double offsetFrom(const AlignmentSegment& seg, const LongitudinalLine& line, double x, double y) {
    if (line.form == form::CIRCLE) return std::hypot(x - seg.xc, y - seg.yc) - seg.r;
    const double residual =
        line.form == form::Y_OF_X ? y - line.slope * x - line.intercept : x - line.slope * y - line.intercept;
    return residual / line.normFactor;
}

struct Projection {
    double station = 0, offset = 0, normal = 0;
};

// Circle piece: psi = direction from the centre to P; station =
// R (thetaR - psi) + sR, taken by whole turns nearest the piece's own
// stations; offset = |P - centre| - R (positive away from the centre, to
// the left of travel).
Projection projectOnCircle(const AlignmentSegment& seg, const LongitudinalLine& line, double x, double y) {
    Direction d = DirectionBetween(seg.xc, seg.yc, x, y);
    Projection p;
    p.normal = d.angle;
    double s0 = seg.r * reduceToHalfTurn(seg.theta - d.angle) + seg.referenceStation;
    p.station = nearestTurn(s0, TWO_PI * seg.r, seg.beginStation, seg.endStation, seg.referenceStation);
    p.offset = offsetFrom(seg, line, x, y);
    return p;
}

// On a straight piece: whether P lies behind the reference point, that is
// counter-clockwise of thetaR seen from the piece's centre point.
bool behindReference(const AlignmentSegment& seg, double x, double y) {
    return reduceToHalfTurn(DirectionBetween(seg.xc, seg.yc, x, y).angle - seg.theta) > 0;
}

// Straight piece: d = |P - reference point|, negative when P lies behind
// the reference point (`behind`, from behindReference); station = sR + d |cos(alpha - phi)|,
// alpha the raw angle from the reference point to P, phi the direction of
// travel. The offset is P's signed distance from the stored line form:
// positive towards larger y (form 1) or larger x (form 2), which is the
// left of travel except on a straight heading the -X or -Y way.
Projection projectOnStraight(const AlignmentSegment& seg, const LongitudinalLine& line, double x, double y,
                             bool behind) {
    Direction fromRef = DirectionBetween(seg.xp, seg.yp, x, y);
    double d = std::hypot(fromRef.dx, fromRef.dy);
    if (behind) d = -d;
    Projection p;
    p.normal = seg.theta;
    p.station = seg.referenceStation + d * std::fabs(std::cos(fromRef.raw - line.direction));
    p.offset = offsetFrom(seg, line, x, y);
    return p;
}

}   // namespace

int PieceOfStation(const Alignment& a, const LineTable& lines, double s) {
    return Mainline(a, lines).pieceOfStation(s);
}

int RangeFlagOfStation(const Alignment& a, double s) {
    if (s < a.location.backStation) return -1;
    if (s > a.location.backStation && s > a.location.aheadStation) return 1;
    return 0;
}

// With L = sR - s on the piece of s: circle theta = thetaR + L D / 100,
// (X, Y) = centre + R (cos theta, sin theta); straight theta = thetaR,
// (X, Y) = (XP - L sin theta, YP + L cos theta). A station beyond the
// pieces extends the nearest one.
StationPoint PointAtStation(const Alignment& a, const LineTable& lines, double s) {
    return Mainline(a, lines).PointAtStation(s);
}

StationPoint Mainline::PointAtStation(double s) const {
    StationPoint p;
    p.piece = pieceOfStation(s);
    p.rangeFlag = RangeFlagOfStation(alignment_, s);
    if (!pieceExists(p.piece)) abandon(err::INTERNAL, fmt::format("mainline piece {} is not built", p.piece));
    const LongitudinalLine& line = pieceLine(p.piece);
    const AlignmentSegment& seg = segment(p.piece);
    double L = seg.referenceStation - s;
    if (line.form == form::CIRCLE) {
        p.theta = seg.theta + L * seg.degree / CURVE_ARC;
        p.x = seg.xc + seg.r * std::cos(p.theta);
        p.y = seg.yc + seg.r * std::sin(p.theta);
    } else {
        p.theta = seg.theta;
        p.x = seg.xp - L * std::sin(p.theta);
        p.y = seg.yp + L * std::cos(p.theta);
    }
    return p;
}

// Pieces are tried in the order 2, 1, 3; a piece accepts the point when the
// station found on it lies in it. Where pieces overlap in plan (a loop of
// more than half a turn with its tangents) several may accept; the one the
// point lies nearest to (smallest |offset|, the earlier in that order on a
// tie) is taken. When none accepts, piece 1's station is taken when it lies
// one piece ahead of the piece that piece 2's station pointed to, and piece 3's
// when it lies one piece behind (a point outside a junction); otherwise
// error 15.
StationOffset StationOffsetOfPoint(const Alignment& a, const LineTable& lines, double x, double y) {
    return Mainline(a, lines).StationOffsetOfPoint(x, y);
}

StationOffset Mainline::StationOffsetOfPoint(double x, double y) const {
    if (const std::optional<StationOffset> so = stationOffsetOnAnyPiece(x, y)) return *so;
    abandon(err::NO_CROSSING,
            fmt::format("the point ({:.4f}, {:.4f}) lies on no piece of the mainline", x, y));
}

std::optional<StationOffset> Mainline::stationOffsetOnAnyPiece(double x, double y) const {
    static constexpr int ORDER[] = {2, 1, 3};
    StationOffset on[4];   // the projection onto piece c
    bool tried[4] = {};
    int found = 0, hint = 0, foundAfter1 = 0, foundAfter3 = 0;
    const StationOffset* nearest = nullptr;
    for (int c : ORDER) {
        if (pieceExists(c)) {
            const AlignmentSegment& seg = segment(c);
            const LongitudinalLine& line = pieceLine(c);
            // Once a piece has accepted the point, a piece the point lies no
            // nearer to cannot be taken instead, whatever its station: its
            // offset (the same arithmetic as the projection's) settles it
            // without the directions, and the rules for a point no piece
            // accepts are not needed any more.
            if (nearest && !(std::fabs(offsetFrom(seg, line, x, y)) < std::fabs(nearest->offset))) continue;
            const bool circle = line.form == form::CIRCLE;
            const bool behind = !circle && behindReference(seg, x, y);
            // A straight's station is sR + d |cos|, d negative only behind the
            // reference point. Where sR is the junction (piece 1 ends at it,
            // piece 3 begins at it), a point on the other side of the
            // junction's normal cannot land on the piece: once a piece has
            // accepted the point, the rest of the projection is not needed.
            if (nearest && !circle &&
                ((c == 1 && !behind && seg.referenceStation == pieceRange(1).hi) ||
                 (c == 3 && behind && seg.referenceStation == pieceRange(3).lo)))
                continue;
            Projection p = circle ? projectOnCircle(seg, line, x, y) : projectOnStraight(seg, line, x, y, behind);
            found = pieceOfStation(p.station);
            on[c] = {p.station, p.offset, found, RangeFlagOfStation(alignment_, p.station), p.normal};
            tried[c] = true;
            if (found == c && (!nearest || std::fabs(p.offset) < std::fabs(nearest->offset)))
                nearest = &on[c];
        }
        // The piece found is the one of the last projection made.
        if (c == 2) hint = found;
        if (c == 1) foundAfter1 = found;
        if (c == 3) foundAfter3 = found;
    }
    if (nearest) return *nearest;
    if (tried[1] && foundAfter1 == hint + 1) return on[1];
    if (tried[3] && foundAfter3 == hint - 1) return on[3];
    return std::nullopt;
}

// dx = X2 - X1, dy = Y2 - Y1; raw = atan(dy / dx), the direction raw for
// dx > 0 and raw + pi for dx < 0; a dx below the single-precision 1e-6 is
// vertical: +pi/2 for dy >= 0, else -pi/2. The direction lies in
// (-pi/2, 3pi/2).
Direction DirectionBetween(double x1, double y1, double x2, double y2) {
    Direction d;
    d.dx = x2 - x1;
    d.dy = y2 - y1;
    if (std::isnan(d.dx)) abandon(err::INTERNAL, "a direction between points is not a number");
    if (std::fabs(d.dx) >= DIRECTION_TOLERANCE) {
        d.raw = std::atan(d.dy / d.dx);
        d.angle = d.dx > 0 ? d.raw : d.raw + PI;
    } else {
        d.raw = d.dy >= 0 ? HALF_PI : -HALF_PI;
        d.angle = d.raw;
    }
    return d;
}

// The line through (X0, Y0) in direction A: y = m x + b with m = tan A
// (form 1) when |cos A| >= |sin A|, else x = m y + b with m = cot A
// (form 2); q = sqrt(m^2 + 1) turns the form's residual into a distance.
LineForm LineThroughPoint(double x0, double y0, double angle) {
    LineForm f;
    f.cosA = std::cos(angle);
    f.sinA = std::sin(angle);
    if (std::fabs(f.cosA) - std::fabs(f.sinA) >= 0) {
        f.form = form::Y_OF_X;
        f.slope = f.sinA / f.cosA;
        f.intercept = y0 - f.slope * x0;
    } else {
        f.form = form::X_OF_Y;
        f.slope = f.cosA / f.sinA;
        f.intercept = x0 - f.slope * y0;
    }
    f.normFactor = std::sqrt(f.slope * f.slope + 1.0);
    return f;
}

}   // namespace bp
