#pragma once
// The intersection solver: crosses a transverse slot (a T-line, 1..20, or
// a bent, 21 back and 22 ahead) with a longitudinal line of any kind and
// leaves the crossing in the context's WorkPoint (x, y, station, offset,
// piece, rangeFlag, angle, normal; distBent for a spiral).
//
// Every function raises error 15 (no crossing) or 16 (inconsistent state)
// by throwing ProblemAbandoned.

namespace bp {

struct RunContext;

// A straight line in slope form, or a circle by centre and radius squared.
struct CrossTarget {
    bool circle = false;
    int form = 1;              // straights: 1 or 2
    double slope = 0, intercept = 0;
    double xc = 0, yc = 0, rSquared = 0;   // circles
};

// Crossing of slot L with the target (of a circle's two crossings the one
// nearer to the point the slot line was built through; when both are
// equally near the first root, then the second when the first lies outside
// the back and ahead stations); then the station, offset, piece, rangeFlag
// and normal of the point.
void IntersectWithSlot(RunContext& ctx, int slot, const CrossTarget& target);

// Slot L with longitudinal line N, as N is crossed in this span (spanForm).
void CrossLongitudinalLine(RunContext& ctx, int slot, int line);

// Slot L with the mainline moved sideways by d (pieces tried 2, 1, 3; the
// curve piece is accepted when the nearer crossing lies on it). Also sets
// the crossing angle.
void CrossOffsetMainline(RunContext& ctx, int slot, double d);

// Crossing angle of slot L with line N at the work point (N straight, or a
// circle/spiral about its centre, or the piece of the work point when N
// follows the mainline; N = 31..33 is mainline piece N - 30); sets angle
// and normal.
void CrossingAngle(RunContext& ctx, int slot, int line);

// Slot L with the mainline itself (offset 0), for the side rule: returns
// the station where the slot line crosses the mainline.
double StationOnMainline(RunContext& ctx, int slot);

// Slot L with the spiral line N: the crossing, its angle and distBent;
// spanLines.spiralRadius holds the spiral's radius at the crossing. Error
// 15 when the crossing does not settle within SPIRAL_PASS_LIMIT passes.
void SpiralCrossing(RunContext& ctx, int slot, int line);

// Stores the work point as backPoint(N) (slot 21, where distances along
// the line start, and the moving spiral reference) or aheadPoint(N)
// (slot 22).
// On the back bent a spiral line's reference moves to the radius
// spanLines.spiralRadius and the polar angle wp.normal (a caller placing a
// spiral bent point itself sets spiralRadius first), and every transverse
// slot forgets its previous point (ForgetPreviousPoints).
void StoreBentPoint(RunContext& ctx, int slot, int line);

// Crosses slot L with line N by its span state: spiral, fixed line, or
// the mainline moved by d when the line follows the mainline. Sets angle.
void CrossBySpanState(RunContext& ctx, int slot, int line, double d);

}  // namespace bp
