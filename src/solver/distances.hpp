#pragma once
// Distances along longitudinal lines: from the back bent point to the work
// point, the point at a given distance, and the distance to the previous
// point of the same transverse line.

namespace bp {

struct RunContext;

// distBent of the work point on line N, measured from backPoint(N), the
// back bent point of the line; d is the offset of a line that follows the
// mainline.
// On a spiral line it is the arc length from the back bent to the radius
// of the last spiral crossing (spanLines.spiralRadius).
void DistanceAlongLine(RunContext& ctx, int line, double d);

// The point at distance t (ft) along line N from backPoint(N), into the
// work point with station, offset, piece and distBent = t; normal is the
// line's normal there (as a crossing would leave it). A positive t runs
// toward increasing stations whichever way the line's direction points. Error 11 for a
// line number outside 1..lineCount (when checkLine), error 11 also when a
// spiral distance does not converge.
void PointAtDistance(RunContext& ctx, int line, double t, bool checkLine = true);

// distPrev of the work point for transverse slot L on line N; updates the
// slot's previous point. 0 on line 1, on the line after one the slot skips,
// and when the slot has no previous point in this span.
void DistanceToPrevious(RunContext& ctx, int slot, int line);

// Forgets the previous point of every transverse slot. StoreBentPoint does
// it whenever a back bent point is stored, that is at every span set-up.
void ForgetPreviousPoints(RunContext& ctx);

// The point at arc length t from the back bent on spiral line N, into the
// work point's x and y. Error 11 when the iteration does not settle.
void SpiralPointAt(RunContext& ctx, int line, double t);

// The spiral arc length from the pole to radius r: (a/2)(u sqrt(1+u^2) + ln(u + sqrt(1+u^2))), u = r/a.
double SpiralArcLength(double a, double r);

}  // namespace bp
