// Coordinate request groups: a span card "8" with "COOR" is followed by
// its count of "C" cards, each a plan point (X, Y) whose station, distance
// to the mainline and finished elevation are printed on the "COORDINATE
// OUTPUT DATA" page. The points are located on the mainline alone. With
// "NE" in columns 77-80 of the group card the points are given in northing
// and easting and carried into the plane frame by the problem's tie; the
// page shows their plane X and Y like any other point.
#include <fmt/format.h>

#include "alignment/elevation.hpp"
#include "alignment/point_operations.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "layout/point_rows.hpp"
#include "layout/span_parts.hpp"
#include "run/run_context.hpp"

namespace bp {
namespace {

constexpr Word NE{"NE"};

void printHeading(RunContext& ctx) {
    Report& r = ctx.report;
    r.write(Record('1')
                .X(15)
                .lit("COORDINATE OUTPUT DATA")
                .X(3)
                .A(56, ctx.span.title)
                .X(2)
                .lit("PROB. NO.")
                .A(5, ctx.problem.number));
    r.empty();
    r.write(Record(' ')
                .X(1)
                .lit("COOR      STATION    ELEVATION   DT TO ML       X           Y")
                .X(7)
                .lit("PT.  REMARKS"));
}

// Request card, layout (2A1,I2,A4,2F10.4,5A4): code "C" (1), point number
// (3-4), point name (5-8), X (9-18), Y (19-28), remarks (29-48). In a
// group in northing and easting, (2A1,I2,A4,2F14.4,5A4): northing (9-22),
// easting (23-36), remarks (37-56). Row
// ('0 P',I3,I7,'+',I1,F6.4,F11.4,A1,F10.4,2F12.4,2X,A4,2X,5A4).
void reportRequest(RunContext& ctx, int i, bool onGrid) {
    const Card card = ctx.deck.require("a coordinate request card \"C\"");
    if (!(card.code() == kw::C))
        abandon(err::COORDINATE_CARD,
                fmt::format("coordinate request {} of {}: the card has \"{}\" in column 1, not "
                            "\"C\"",
                            i, ctx.span.tLineCount, card.text(1, 1)));
    const long number = card.integer(3, 2, err::COORDINATE_CARD);
    double x = 0, y = 0;
    GridPoint grid;
    std::string_view remarks = card.text(29, 20);
    if (onGrid) {
        grid.northing = card.number(9, 14, 4, err::COORDINATE_CARD);
        grid.easting = card.number(23, 14, 4, err::COORDINATE_CARD);
        remarks = card.text(37, 20);
        const PlanePoint p = ctx.project->fromProject(grid.northing, grid.easting);
        x = p.x;
        y = p.y;
    } else {
        x = card.number(9, 10, 4, err::COORDINATE_CARD);
        y = card.number(19, 10, 4, err::COORDINATE_CARD);
    }

    const StationOffset so = StationOffsetOfPoint(ctx.alignment, ctx.lines, x, y);
    const SurfacePoint surface = SectionElevation(ctx.alignment, so.station, so.offset);
    PointRow row;
    row.kind = "P";
    row.pointNumber = number;
    row.station = so.station;
    row.elevation = surface.elevation;
    row.edgeMark = surface.edgeMark;
    row.dtToMl = so.offset;
    row.x = x;
    row.y = y;
    row.type = card.text(5, 4);
    row.remarks = remarks;
    if (onGrid) {   // as read, not carried there and back
        row.northing = grid.northing;
        row.easting = grid.easting;
    }
    emitPointRow(ctx, row);
}

}   // namespace

void runCoordinateGroup(RunContext& ctx) {
    printHeading(ctx);
    beginPointPage(ctx, true);
    const int count = ctx.span.tLineCount;
    if (count <= 0)
        abandon(err::SPAN_KEYWORD,
                fmt::format("a coordinate request group needs at least 1 request; its card says {}", count));
    // Columns 77-80: blank for plane X and Y, "NE" for northing and easting.
    const Word mark = ctx.span.gridMark;
    const bool onGrid = mark == NE;
    if (!onGrid && !(mark == kw::BLANK))
        abandon(err::SPAN_KEYWORD,
                fmt::format("columns 77-80 of a coordinate request group card hold \"NE\" for "
                            "northing and easting, or nothing; this card has \"{}\"",
                            mark.view()));
    if (onGrid && !ctx.project)
        abandon(err::SPAN_KEYWORD,
                "coordinate requests in northing and easting (\"NE\") need "
                "a tie card \"T\" after the location card");
    for (int i = 1; i <= count; ++i) reportRequest(ctx, i, onGrid);
    endPointPage(ctx);
}

}   // namespace bp
