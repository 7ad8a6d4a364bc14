#pragma once
// The span's crossings and distances as the layout asks them: the solver's
// answers for the run's transverse slots and longitudinal lines, put into
// the run's work point and span state. Where the layout cannot go on
// without a crossing, "no crossing" abandons the problem here with error
// 15 (a spiral distance that does not settle: error 11).

namespace bp {

struct RunContext;

// Puts (x, y) into the work point with its station, offset, piece, range
// flag and normal on the mainline (error 15 when no piece accepts it).
void locateWorkPoint(RunContext& ctx, double x, double y);

// Slot L (1..20 a T-line, 21 back and 22 ahead bent) with longitudinal
// line N as N is crossed in this span (no angle taken).
void crossLongitudinalLine(RunContext& ctx, int slot, int line);

// Slot L with the mainline moved sideways by d; sets the crossing angle.
void crossOffsetMainline(RunContext& ctx, int slot, double d);

// The crossing angle of slot L with line N at the work point; N = 31..33
// is mainline piece N - 30. Sets angle and normal.
void crossingAngle(RunContext& ctx, int slot, int line);

// Slot L with the mainline itself, for the side rule: the station where
// the slot line crosses the mainline.
double stationOnMainline(RunContext& ctx, int slot);

// Slot L with the spiral line N: the crossing, its angle and distBent;
// spanLines.spiralRadius takes the spiral's radius at the crossing.
void spiralCrossing(RunContext& ctx, int slot, int line);

// Slot L with line N by its span state: spiral, fixed line, or the
// mainline moved by d when the line follows the mainline. Sets the angle.
void crossBySpanState(RunContext& ctx, int slot, int line, double d);

// Keeps the work point as line N's back (slot 21) or ahead (slot 22) bent point.
void storeBentPoint(RunContext& ctx, int slot, int line);

// distBent of the work point on line N (d: the offset of a line that
// follows the mainline).
void distanceAlongLine(RunContext& ctx, int line, double d);

// The point at distance t along line N into the work point, distBent = t.
// Error 11 for a line outside 1..lineCount (when checkLine) and for a
// spiral distance that does not settle.
void pointAtDistance(RunContext& ctx, int line, double t, bool checkLine = true);

// distPrev of the work point for slot L on line N; updates the slot's previous point.
void distanceToPrevious(RunContext& ctx, int slot, int line);

}   // namespace bp
