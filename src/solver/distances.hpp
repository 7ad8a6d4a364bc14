#pragma once
// Distances along longitudinal lines: from the back bent point to a
// crossing, the point at a given distance, and the distance to the
// previous point of the same transverse line. Answers by value; a spiral
// distance that does not settle or a point on no piece is a status.

#include <optional>

#include "alignment/mainline.hpp"
#include "bridgeplan/line_table.hpp"
#include "bridgeplan/transverse_table.hpp"
#include "bridgeplan/work_point.hpp"
#include "solver/intersection_solver.hpp"

namespace bp {

// distBent of the point p on line N, measured from N's back bent point; d
// is the offset of a line that follows the mainline. On a spiral line it
// is the arc length from the back bent to spiralRadius, the radius of the
// last spiral crossing. `lines` tells whether N's reference is a COS circle.
double DistanceAlongLine(const Mainline& ml, const LineTable& lines, const SpanLine& n, double spiralRadius,
                         const WorkPoint& p, double d);

// The point at arc length t (ft) from the back bent on the spiral line N:
// its x, y and signed radius; not settled when the iteration does not
// settle within SPIRAL_PASS_LIMIT passes.
struct SpiralPoint {
    bool settled = false;
    double x = 0, y = 0, radius = 0;
};
SpiralPoint SpiralPointAt(const Mainline& ml, const SpanLine& n, double t);

// The point at distance t along a line, located on the mainline.
struct PointOnLine {
    CrossingStatus status = CrossingStatus::Crossed;   // Crossed, OffMainline or Unsettled
    double x = 0, y = 0;                               // the point (OffMainline: the point no piece accepts)
    StationOffset at;                                  // its station, offset, piece and range flag
    double normal = 0;                                 // the line's normal there, as a crossing leaves it
    double unsettledAt = 0;                            // Unsettled: the spiral distance that did not settle
    std::optional<double> spiralRadius;                // a spiral line: its radius at the point

    bool found() const { return status == CrossingStatus::Crossed; }
};

// The point at distance t (ft) along line N from its back bent point,
// with its station, offset, piece and the line's normal there. A positive
// t runs toward increasing stations whichever way the line's direction
// points.
PointOnLine PointAtDistance(const Mainline& ml, const LineTable& lines, const SpanLine& n, double t);

// distPrev of the point (x, y) for transverse slot L on line N; updates
// the slot's previous point. 0 on line 1, on the line after one the slot
// skips, and when the slot has no previous point in this span.
double DistanceToPrevious(SpanLines& sl, const TransverseLine& tline, int slot, int line, double x, double y);

// Forgets the previous point of every transverse slot. StoreBentPoint does
// it whenever a back bent point is stored, that is at every span set-up.
void ForgetPreviousPoints(SpanLines& sl);

// The spiral arc length from the pole to radius r: (a/2)(u sqrt(1+u^2) + ln(u + sqrt(1+u^2))), u = r/a.
double SpiralArcLength(double a, double r);

}   // namespace bp
