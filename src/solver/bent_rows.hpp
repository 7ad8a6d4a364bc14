#pragma once
// The bent rows of the span output page ("BENT DATA" and the bent rows of
// every "LONG. LINE" table), and what the T-line rows share with them: the
// point columns, the angle fold with its overprinted sign, DT TO PP and the
// elevation of the work point.

#include <string_view>

#include "run/notation.hpp"
#include "run/record.hpp"

namespace bp {

struct RunContext;
struct TransverseLine;
struct WorkPoint;

// Record column of the overprinted "-" in front of a zero degree digit.
inline constexpr int BENT_DATA_SIGN_COLUMN = 25;   // print column 24
inline constexpr int POINT_ROW_SIGN_COLUMN = 67;   // print column 66

// The "BENT DATA" rows of the back bent (slot 21) and the ahead bent
// (slot 22): code letter, NO., station, skew, remarks and type.
void writeBentDataRows(RunContext& ctx);

// The row of the back bent (slot 21, DT TO BT 0) or the ahead bent
// (slot 22, DT TO BT = spanLength) in line N's table, drawn after it.
void reportBentPoint(RunContext& ctx, int line, int slot);

// True when the slot leaves line N out of its rows (flag > 0); a negative
// flag is an inconsistency (error 16).
bool slotSkipsLine(const TransverseLine& slot, int line);

// Folds the work point's angle once into [-pi/2, pi/2] (the folded value
// replaces it) and splits it for the angle notation.
AngleParts foldWorkPointAngle(WorkPoint& wp);

// DT TO PP of the work point on transverse slot L, line N; a slot's first
// reported point in the span measures 0.
void measureToPrevious(RunContext& ctx, int slot, int line);

// Finished elevation and edge mark at the work point's station and offset.
void elevateWorkPoint(RunContext& ctx);

// The columns from the station on that bent rows and T-line rows share:
// station (I7 hundreds), elevation, edge mark, DT TO ML, DT TO BT, DT TO PP,
// angle, X, Y, remarks and the slot's line type (print columns 6..121).
Record& pointColumns(Record& r, const WorkPoint& wp, const AngleParts& angle,
                     const TransverseLine& slot);

// A negative angle below one degree carries its sign on an overprint; one
// that rounds to 0-00-00.0 (a square crossing computed a hair below zero)
// prints without a sign, as every number that rounds to zero.
bool needsSignOverprint(const AngleParts& angle);

// The "+" record that prints "-" in front of a zero degree digit.
void writeSignOverprint(RunContext& ctx, int recordColumn);

}  // namespace bp
