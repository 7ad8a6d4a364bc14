#pragma once
// Small geometric helpers shared by the intersection solver and the
// distances along lines.

#include <cmath>
#include <optional>

#include "bridgeplan/constants.hpp"
#include "bridgeplan/half_turn.hpp"
#include "alignment/mainline.hpp"
#include "alignment/point_operations.hpp"
#include "bridgeplan/line_table.hpp"
#include "run/run_context.hpp"

namespace bp::geometry {

// The difference of two directions (radians) brought into (-pi, pi], so
// that two directions on either side of the -pi/2 cut of DirectionBetween
// differ by the small angle between them, not by a full turn.
inline double angleDifference(double from, double to) { return reduceToHalfTurn(from - to); }

inline Mainline mainlineOf(const RunContext& ctx) { return Mainline(ctx.alignment, ctx.lines); }

inline bool piecePresent(const RunContext& ctx, int k) { return mainlineOf(ctx).pieceExists(k); }

inline bool pieceIsCurve(const RunContext& ctx, int k) { return mainlineOf(ctx).pieceIsCurve(k); }

// Puts (x, y) into the work point with its station, offset, piece, range
// flag and normal on the mainline as the projection gives them.
inline void placeWorkPoint(WorkPoint& wp, double x, double y, const StationOffset& so) {
    wp.x = x;
    wp.y = y;
    wp.station = so.station;
    wp.offset = so.offset;
    wp.piece = so.piece;
    wp.rangeFlag = so.rangeFlag;
    wp.normal = so.normal;
}

// Puts (x, y) into the work point located on the mainline (error 15 when
// no piece accepts it).
inline void locateWorkPoint(RunContext& ctx, double x, double y) {
    placeWorkPoint(ctx.wp, x, y, StationOffsetOfPoint(ctx.alignment, ctx.lines, x, y));
}

// The same, or false (the work point untouched) when no piece accepts the point.
inline bool tryLocateWorkPoint(RunContext& ctx, double x, double y) {
    const std::optional<StationOffset> so = mainlineOf(ctx).stationOffsetOnAnyPiece(x, y);
    if (!so) return false;
    placeWorkPoint(ctx.wp, x, y, *so);
    return true;
}

}  // namespace bp::geometry
