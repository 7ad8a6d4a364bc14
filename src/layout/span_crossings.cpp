// The solver's crossings and distances bound to the run: the transverse
// slots, longitudinal lines and span state of the run context in, the work
// point out; the problem abandoned where a crossing it needs is missing.
#include "layout/span_crossings.hpp"

#include <fmt/format.h>

#include "alignment/mainline.hpp"
#include "bridgeplan/errors.hpp"
#include "run/run_context.hpp"
#include "solver/distances.hpp"
#include "solver/intersection_solver.hpp"

namespace bp {

namespace {

Mainline mainlineOf(const RunContext& ctx) { return Mainline(ctx.alignment, ctx.lines); }

SpanLine spanLine(const RunContext& ctx, int line) { return spanLineOf(ctx.spanLines, ctx.lines, line); }

void placeWorkPoint(WorkPoint& wp, double x, double y, const StationOffset& so) {
    wp.x = x;
    wp.y = y;
    wp.station = so.station;
    wp.offset = so.offset;
    wp.piece = so.piece;
    wp.rangeFlag = so.rangeFlag;
    wp.normal = so.normal;
}

[[noreturn]] void abandonOffMainline(double x, double y) {
    abandon(err::NO_CROSSING,
            fmt::format("the point ({:.4f}, {:.4f}) lies on no piece of the mainline", x, y));
}

// The crossing of slot L with line N (d: the offset of the moved mainline)
// into the work point, its angle and normal when one was taken; the
// problem abandoned when there is none.
void take(RunContext& ctx, const Crossing& c, int slot, int line, double d) {
    switch (c.status) {
    case CrossingStatus::Crossed: break;
    case CrossingStatus::NotStraight:
        abandon(err::INTERNAL, fmt::format("transverse line {} is not a straight line", slot));
    case CrossingStatus::Parallel:
        abandon(err::NO_CROSSING,
                fmt::format("transverse line {} is parallel to the line it should cross", slot));
    case CrossingStatus::MissesCircle:
        abandon(err::NO_CROSSING, fmt::format("transverse line {} misses a circle", slot));
    case CrossingStatus::OffMainline: abandonOffMainline(c.x, c.y);
    case CrossingStatus::NoPieceCrossed:
        abandon(err::NO_CROSSING,
                fmt::format(
                    "transverse line {} does not cross the mainline moved by {:.4f} ft on any of its pieces",
                    slot, d));
    case CrossingStatus::Unsettled:
        abandon(err::NO_CROSSING,
                fmt::format("the crossing of transverse line {} with spiral line {} does not settle", slot,
                            line));
    case CrossingStatus::BeyondPole:
        abandon(err::NO_CROSSING,
                fmt::format("transverse line {} does not cross spiral line {} on the spiral's "
                            "side of its pole",
                            slot, line));
    }
    placeWorkPoint(ctx.wp, c.x, c.y, c.at);
    if (c.hasHeading) {
        ctx.wp.angle = c.heading.angle;
        ctx.wp.normal = c.heading.normal;
    }
}

}   // namespace

void locateWorkPoint(RunContext& ctx, double x, double y) {
    const std::optional<StationOffset> so = mainlineOf(ctx).stationOffsetOnAnyPiece(x, y);
    if (!so) abandonOffMainline(x, y);
    placeWorkPoint(ctx.wp, x, y, *so);
}

void crossLongitudinalLine(RunContext& ctx, int slot, int line) {
    take(ctx, CrossLongitudinalLine(mainlineOf(ctx), ctx.transverse[slot], spanLine(ctx, line)), slot, line,
         0);
}

void crossOffsetMainline(RunContext& ctx, int slot, double d) {
    take(ctx, CrossOffsetMainline(mainlineOf(ctx), ctx.transverse[slot], d), slot, 0, d);
}

void crossingAngle(RunContext& ctx, int slot, int line) {
    const Mainline ml = mainlineOf(ctx);
    const double direction = ctx.transverse[slot].direction;
    WorkPoint& wp = ctx.wp;
    Heading h;
    if (line > MAINLINE_SLOT) {
        h = AngleWithPiece(ml, direction, line - MAINLINE_SLOT, wp.x, wp.y);
    } else {
        Crossing at;
        at.x = wp.x;
        at.y = wp.y;
        at.at.piece = wp.piece;
        h = CrossingAngle(ml, direction, spanLine(ctx, line), at);
    }
    wp.angle = h.angle;
    wp.normal = h.normal;
}

double stationOnMainline(RunContext& ctx, int slot) {
    take(ctx, StationOnMainline(mainlineOf(ctx), ctx.transverse[slot]), slot, 0, 0.0);
    return ctx.wp.station;
}

void spiralCrossing(RunContext& ctx, int slot, int line) {
    const Crossing c = SpiralCrossing(mainlineOf(ctx), ctx.transverse[slot], spanLine(ctx, line));
    take(ctx, c, slot, line, 0);
    ctx.spanLines.spiralRadius = c.spiralRadius;
    ctx.wp.distBent = c.distBent;
}

void crossBySpanState(RunContext& ctx, int slot, int line, double d) {
    const SpanLine n = spanLine(ctx, line);
    const Crossing c = CrossBySpanState(mainlineOf(ctx), ctx.transverse[slot], n, d);
    take(ctx, c, slot, line, d);
    if (n.state > 0) {
        ctx.spanLines.spiralRadius = c.spiralRadius;
        ctx.wp.distBent = c.distBent;
    }
}

void storeBentPoint(RunContext& ctx, int slot, int line) {
    const WorkPoint& wp = ctx.wp;
    const BentPoint p{wp.x, wp.y, wp.angle, wp.station, wp.offset, wp.normal, wp.piece};
    StoreBentPoint(ctx.spanLines, ctx.lines, slot, line, p);
}

void distanceAlongLine(RunContext& ctx, int line, double d) {
    ctx.wp.distBent = DistanceAlongLine(mainlineOf(ctx), ctx.lines, spanLine(ctx, line),
                                        ctx.spanLines.spiralRadius, ctx.wp, d);
}

void pointAtDistance(RunContext& ctx, int line, double t, bool checkLine) {
    if (checkLine && (line < 1 || line > ctx.lineCount))
        abandon(err::TRANSVERSE_LINE,
                fmt::format("a point at a distance refers to longitudinal line {}, which is not in the list",
                            line));
    const PointOnLine p = PointAtDistance(mainlineOf(ctx), ctx.lines, spanLine(ctx, line), t);
    if (p.spiralRadius) ctx.spanLines.spiralRadius = *p.spiralRadius;
    if (p.status == CrossingStatus::Unsettled)
        abandon(
            err::TRANSVERSE_LINE,
            fmt::format("the point at {:.4f} ft along spiral line {} does not settle", p.unsettledAt, line));
    if (p.status == CrossingStatus::OffMainline) abandonOffMainline(p.x, p.y);
    placeWorkPoint(ctx.wp, p.x, p.y, p.at);
    ctx.wp.distBent = t;
    ctx.wp.normal = p.normal;
}

void distanceToPrevious(RunContext& ctx, int slot, int line) {
    ctx.wp.distPrev = DistanceToPrevious(ctx.spanLines, ctx.transverse[slot], slot, line, ctx.wp.x, ctx.wp.y);
}

}   // namespace bp
