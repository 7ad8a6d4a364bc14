#include "run/points_table.hpp"

#include <fmt/format.h>

#include "alignment/elevation.hpp"
#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/word.hpp"
#include "landxml/landxml_writer.hpp"
#include "run/run_context.hpp"

namespace bp {
namespace {

// The same pi as the report's angle notation, so both read alike.
constexpr double DEGREES_PER_RADIAN = 180.0 / PI;

// The grid cells of a plane point: empty without a tie.
void placeOnGrid(const RunContext& ctx, PointRow& row) {
    if (!ctx.project) return;
    const GridPoint g = ctx.project->toProject(row.x, row.y);
    row.northing = g.northing;
    row.easting = g.easting;
}

// The cells common to the T-line and bent rows: the working point as the
// row was printed (station, elevation, offsets, folded angle, X, Y).
PointRow workPointRow(const RunContext& ctx, std::string_view kind, std::string_view number,
                      int line, std::string_view remarks, std::string_view type) {
    const WorkPoint& wp = ctx.wp;
    PointRow row;
    row.kind = kind;
    row.number = number;
    row.line = line;
    row.station = wp.station;
    row.elevation = wp.elevation;
    row.edgeMark = wp.edgeMark;
    row.dtToMl = wp.offset;
    row.dtToBt = wp.distBent;
    row.dtToPp = wp.distPrev;
    row.angleDegrees = wp.angle * DEGREES_PER_RADIAN;
    row.x = wp.x;
    row.y = wp.y;
    row.remarks = remarks;
    row.type = type;
    placeOnGrid(ctx, row);
    return row;
}

// A row goes to every listener that is open: the points table, the LandXML.
void emit(const RunContext& ctx, std::string_view span, const PointRow& row) {
    if (ctx.points) ctx.points->write(ctx.problem.number, span, row);
    if (ctx.landxml) ctx.landxml->point(ctx.problem.number, span, row);
}

}  // namespace

PointsTable::PointsTable(std::ostream& out) : out_(out) {
    out_ << "problem,span,long_line,row,number,station_ft,elevation_ft,edge_mark,dt_to_ml_ft,"
            "dt_to_bt_ft,dt_to_pp_ft,angle_deg,x_ft,y_ft,remarks,type,northing_ft,easting_ft\r\n";
}

// A cell is quoted only when it holds a comma, a quote or a line break; a
// quote inside is doubled (RFC 4180).
void PointsTable::field(std::string_view text, bool first) {
    if (!first) out_.put(',');
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out_ << text;
        return;
    }
    out_.put('"');
    for (char c : text) {
        if (c == '"') out_.put('"');
        out_.put(c);
    }
    out_.put('"');
}

// Shortest text that reads back as the same double; a negative zero is
// written as 0.
void PointsTable::number(double v) {
    out_.put(',');
    if (v == 0.0) v = 0.0;
    out_ << fmt::format("{}", v);
}

void PointsTable::number(const std::optional<double>& v) {
    if (v) number(*v);
    else out_.put(',');
}

// Report words and card texts are fixed-width and blank-padded; a cell
// holds them without the padding.
void PointsTable::write(std::string_view problem, std::string_view span, const PointRow& row) {
    field(trimBlanks(problem), true);
    field(trimBlanks(span));
    if (row.line > 0) out_ << ',' << row.line;
    else out_.put(',');
    field(row.kind);
    field(trimBlanks(row.number));
    number(row.station);
    number(row.elevation);
    field(row.edgeMark == ' ' ? std::string_view() : std::string_view(&row.edgeMark, 1));
    number(row.dtToMl);
    number(row.dtToBt);
    number(row.dtToPp);
    number(row.angleDegrees);
    number(row.x);
    number(row.y);
    field(trimBlanks(row.remarks));
    field(trimBlanks(row.type));
    number(row.northing);
    number(row.easting);
    out_ << "\r\n";
}

void tabulateTLinePoint(const RunContext& ctx, int line, int tline) {
    if (!ctx.points && !ctx.landxml) return;
    const TransverseLine& t = ctx.transverse[tline];
    const std::string number = std::to_string(tline);
    // The report's TYPE column, "SKEW/" with a blank code written as "SKEW".
    const std::string_view code = trimBlanks(t.code.view());
    const std::string type = code.empty() ? std::string(trimBlanks(t.lineType.view()))
                                          : fmt::format("{}/{}", trimBlanks(t.lineType.view()), code);
    emit(ctx, ctx.span.spanId, workPointRow(ctx, "T", number, line, t.remarks, type));
}

void tabulateBentPoint(const RunContext& ctx, int line, int slot) {
    if (!ctx.points && !ctx.landxml) return;
    const TransverseLine& bent = ctx.transverse[slot];
    emit(ctx, ctx.span.spanId,
         workPointRow(ctx, "B", bent.bentNumber, line, bent.remarks, bent.lineType.view()));
}

void tabulateCoordinatePoint(const RunContext& ctx, long number, double x, double y,
                             const StationOffset& so, const SurfacePoint& surface,
                             std::string_view name, std::string_view remarks,
                             const GridPoint* asRead) {
    if (!ctx.points && !ctx.landxml) return;
    const std::string pointNumber = std::to_string(number);
    PointRow row;
    row.kind = "P";
    row.number = pointNumber;
    row.station = so.station;
    row.elevation = surface.elevation;
    row.edgeMark = surface.edgeMark;
    row.dtToMl = so.offset;
    row.x = x;
    row.y = y;
    row.remarks = remarks;
    row.type = name;
    if (asRead) {
        row.northing = asRead->northing;
        row.easting = asRead->easting;
    } else {
        placeOnGrid(ctx, row);
    }
    // The coordinate page belongs to no span: its span cell stays empty.
    emit(ctx, {}, row);
}

}  // namespace bp
