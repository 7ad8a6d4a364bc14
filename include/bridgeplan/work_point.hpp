#pragma once
// The one working point of the layout, from which report rows print and
// the drawing draws, and the per-span state of every longitudinal line.

#include "bridgeplan/line_table.hpp"
#include "bridgeplan/slot_table.hpp"

namespace bp {

struct WorkPoint {
    double x = 0, y = 0;
    double station = 0;
    double offset = 0;     // DT TO ML, positive to the left of travel
    double distBent = 0;   // DT TO BT
    double distPrev = 0;   // DT TO PP
    double angle = 0;      // crossing angle, radians
    double normal = 0;     // normal direction of the crossed line at the point
    int piece = 2;
    int rangeFlag = 0;
    double elevation = 0;
    char edgeMark = ' ';
};

// A bent's crossing of one longitudinal line.
struct BentPoint {
    double x = 0, y = 0, angle = 0, station = 0, offset = 0, normal = 0;
    int piece = 2;
};

// Makes a stored bent point the work point again (position, crossing angle,
// station, offset, piece and normal).
inline void loadWorkPoint(WorkPoint& wp, const BentPoint& p) {
    wp.x = p.x;
    wp.y = p.y;
    wp.angle = p.angle;
    wp.station = p.station;
    wp.offset = p.offset;
    wp.piece = p.piece;
    wp.normal = p.normal;
}

struct SpanLines {
    SlotTable<int, MAX_LINES> spanForm, spanState;
    SlotTable<bool, MAX_LINES> spanDone;
    SlotTable<BentPoint, MAX_LINES> backPoint, aheadPoint;
    SlotTable<double, MAX_LINES> spanLength;
    SlotTable<double, 22> prevX, prevY;   // last point of each transverse slot
    SlotTable<bool, 22> hasPrev;          // the slot has a previous point in this span
    double spiralRadius = 0;              // signed radius of the last spiral crossing
};

}   // namespace bp
