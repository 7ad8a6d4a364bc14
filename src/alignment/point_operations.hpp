#pragma once
// The alignment point operations: station to plane point, plane point to
// station and offset, the direction between two points and the line
// through a point. Every later subsystem goes through these; none computes
// curve geometry of its own.
//
// Conventions: X, Y in feet, angles in radians counter-clockwise from +X,
// stations increasing clockwise about every curve centre, offsets positive
// to the left of travel. theta (the normal angle) points to the left of
// travel; the direction of travel is theta - pi/2.

#include "alignment/mainline.hpp"
#include "bridgeplan/alignment_records.hpp"
#include "bridgeplan/line_table.hpp"

namespace bp {

struct StationPoint {
    int piece = 2;       // 1, 2 or 3
    int rangeFlag = 0;   // -1 below the back station, +1 beyond the ahead station
    double x = 0, y = 0;
    double theta = 0;   // normal angle at the point
};

// The piece a station belongs to (PointAtStation starts from it): 1 below the
// P.C. when piece 1 exists, 3 above the P.T. when piece 3 exists, else 2.
int PieceOfStation(const Alignment& a, const LineTable& lines, double s);
// -1 below the back station, +1 beyond the ahead station, else 0.
int RangeFlagOfStation(const Alignment& a, double s);

// The mainline point at station s (ft): its piece, range flag, X, Y and
// normal angle theta (radians, to the left of travel).
StationPoint PointAtStation(const Alignment& a, const LineTable& lines, double s);

struct StationOffset {
    double station = 0;
    double offset = 0;   // DT TO ML
    int piece = 2;       // piece the station lies in
    int rangeFlag = 0;   // of the station, as PointAtStation gives it
    double normal = 0;   // circle piece: direction centre -> point; straight: its theta
};

// Projects P onto the alignment, pieces tried in the order 2, 1, 3 with
// the hint rule; error 15 when no piece accepts the point.
StationOffset StationOffsetOfPoint(const Alignment& a, const LineTable& lines, double x, double y);

struct Direction {
    double dx = 0, dy = 0;
    double raw = 0;     // atan(dy/dx), or +-pi/2 for a vanishing dx
    double angle = 0;   // direction from P1 to P2, in (-pi/2, 3pi/2)
};

Direction DirectionBetween(double x1, double y1, double x2, double y2);

struct LineForm {
    int form = 1;   // 1: y = m x + b, 2: x = m y + b
    double slope = 0, intercept = 0;
    double cosA = 1, sinA = 0;
    double normFactor = 1;   // sqrt(m^2 + 1)
};

LineForm LineThroughPoint(double x0, double y0, double angle);

// Gives `line` the straight form f, running in `direction` (radians).
inline void copyLineForm(LongitudinalLine& line, const LineForm& f, double direction) {
    line.form = f.form;
    line.slope = f.slope;
    line.intercept = f.intercept;
    line.cosDir = f.cosA;
    line.sinDir = f.sinA;
    line.normFactor = f.normFactor;
    line.direction = direction;
}

}   // namespace bp
