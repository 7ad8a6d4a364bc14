#include "run/points_table.hpp"

#include <fmt/format.h>

#include <iterator>

#include "bridgeplan/constants.hpp"
#include "bridgeplan/word.hpp"

namespace bp {
namespace {

// The same pi as the report's angle notation, so both read alike.
constexpr double DEGREES_PER_RADIAN = 180.0 / PI;

}   // namespace

PointsTable::PointsTable(std::ostream& out) : out_(out) {
    out_ << "problem,span,long_line,row,number,station_ft,elevation_ft,edge_mark,dt_to_ml_ft,"
            "dt_to_bt_ft,dt_to_pp_ft,angle_deg,x_ft,y_ft,remarks,type,northing_ft,easting_ft\r\n";
}

namespace {

// A plain decimal number, as a spreadsheet reads it: an optional sign,
// digits and at most one point.
bool isPlainNumber(std::string_view text) {
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    bool digit = false, point = false;
    for (char c : text) {
        if (c >= '0' && c <= '9')
            digit = true;
        else if (c == '.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}

// A text cell that a spreadsheet would take for a formula ("=", "+", "-",
// "@", a tab or a CR first) is written after an apostrophe, so that it is
// shown as the text it is; a plain number stays as it is.
bool mayReadAsFormula(std::string_view text) {
    return !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos &&
           !isPlainNumber(text);
}

}   // namespace

// A cell is quoted only when it holds a comma, a quote or a line break; a
// quote inside is doubled (RFC 4180).
void PointsTable::field(std::string_view text, bool first) {
    if (!first) out_.put(',');
    const bool guarded = mayReadAsFormula(text);
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        if (guarded) out_.put('\'');
        out_ << text;
        return;
    }
    out_.put('"');
    if (guarded) out_.put('\'');
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
    if (v)
        number(*v);
    else
        out_.put(',');
}

// Report words and card texts are fixed-width and blank-padded; a cell
// holds them without the padding.
void PointsTable::write(std::string_view problem, std::string_view span, const PointRow& row) {
    field(trimBlanks(problem), true);
    field(trimBlanks(span));
    if (row.line > 0)
        out_ << ',' << row.line;
    else
        out_.put(',');
    field(row.kind);
    field(trimBlanks(row.number));
    number(row.station);
    number(row.elevation);
    field(row.edgeMark == ' ' ? std::string_view() : std::string_view(&row.edgeMark, 1));
    number(row.dtToMl);
    number(row.dtToBt);
    number(row.dtToPp);
    if (row.angle)
        number(*row.angle * DEGREES_PER_RADIAN);
    else
        number(std::nullopt);
    number(row.x);
    number(row.y);
    field(trimBlanks(row.remarks));
    // The report's TYPE column: a T-line's type and code as "SKEW/PROP", or
    // the type alone when the code is blank.
    const std::string_view code = trimBlanks(row.code);
    if (code.empty()) {
        field(trimBlanks(row.type));
    } else {
        fmt::memory_buffer type;
        fmt::format_to(std::back_inserter(type), "{}/{}", trimBlanks(row.type), code);
        field(std::string_view(type.data(), type.size()));
    }
    number(row.northing);
    number(row.easting);
    out_ << "\r\n";
}

void PointsTable::beginPage(const PageStart& page) {
    problem_.assign(page.problem);
    span_.assign(page.span);
}

}   // namespace bp
