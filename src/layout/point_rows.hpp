#pragma once
// The point rows of the span pages and the coordinate page, and what the
// T-line, bent and coordinate rows share: the point columns, the angle fold
// with its overprinted sign, DT TO PP and the elevation of the work point.
// One routine writes every point row: the report row, then the listeners
// (points table, plan drawing, ...), then the overprint of the sign.

#include <string_view>

#include "bridgeplan/point_listener.hpp"
#include "run/notation.hpp"
#include "run/record.hpp"

namespace bp {

struct RunContext;
struct WorkPoint;

// Record column of the overprinted "-" in front of a zero degree digit.
inline constexpr int BENT_DATA_SIGN_COLUMN = 25;   // print column 24
inline constexpr int POINT_ROW_SIGN_COLUMN = 67;   // print column 66

// The values of a T-line or bent row at the work point: station,
// elevation, edge mark, DT TO ML, DT TO BT, DT TO PP, X, Y and the crossing
// angle folded once into [-pi/2, pi/2] (the work point keeps its own angle).
PointRow workPointRow(const WorkPoint& wp, int line, int slot);

// The columns from the station on that bent rows and T-line rows share:
// station (I7 hundreds), elevation, edge mark, DT TO ML, DT TO BT, DT TO PP,
// angle, X, Y, remarks and the line type (print columns 6..121).
Record& pointColumns(Record& r, const PointRow& row, const AngleParts& angle);

// Writes the row of a reported point in the layout of its kind, tells every
// listener of the run context, then overprints the sign of a small negative
// angle. The text of a T-line's or request's number is made here, and with
// a tie the point's northing and easting.
void emitPointRow(RunContext& ctx, PointRow row);

// A page of point rows opens, a line's table ends, the page ends: told to
// every listener. A coordinate page has no span id and no bents.
void beginPointPage(RunContext& ctx, bool coordinatePage);
void endLineTable(RunContext& ctx, int line);
void endPointPage(RunContext& ctx);

// A negative angle below one degree carries its sign on an overprint; one
// that rounds to 0-00-00.0 (a square crossing computed a hair below zero)
// prints without a sign, as every number that rounds to zero.
bool needsSignOverprint(const AngleParts& angle);

// The "+" record that prints "-" in front of a zero degree digit.
void writeSignOverprint(RunContext& ctx, int recordColumn);

// DT TO PP of the work point on transverse slot L, line N; a slot's first
// reported point in the span measures 0.
void measureToPrevious(RunContext& ctx, int slot, int line);

// Finished elevation and edge mark at the work point's station and offset.
void elevateWorkPoint(RunContext& ctx);

}   // namespace bp
