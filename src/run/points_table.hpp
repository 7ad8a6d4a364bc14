#pragma once
// The points table: one CSV row per reported point (T-line rows, bent rows
// of the "LONG. LINE" tables and coordinate requests) at full precision,
// for spreadsheets. It only listens: the report and the plot are written
// exactly as without it. A null table in the RunContext means none asked.

#include <optional>
#include <ostream>
#include <string_view>

namespace bp {

struct GridPoint;
struct RunContext;
struct StationOffset;
struct SurfacePoint;

// One reported point; empty optionals are empty cells (a coordinate
// request has no line, no distances along it and no crossing angle).
struct PointRow {
    std::string_view kind;     // "T" T-line, "B" bent, "P" coordinate request
    std::string_view number;   // T-line number, bent number or point number
    int line = 0;              // longitudinal line, 0 for none
    double station = 0, elevation = 0;
    char edgeMark = ' ';
    double dtToMl = 0;
    std::optional<double> dtToBt, dtToPp, angleDegrees;
    double x = 0, y = 0;
    std::string_view remarks, type;
    std::optional<double> northing, easting;   // ft; none without a tie card
};

class PointsTable {
public:
    explicit PointsTable(std::ostream& out);   // writes the header row
    void write(std::string_view problem, std::string_view span, const PointRow& row);
    void flush() { out_.flush(); }

private:
    void field(std::string_view text, bool first = false);
    void number(double v);
    void number(const std::optional<double>& v);
    std::ostream& out_;
};

// The hooks, one per kind of row; each does nothing when no table is open.
// The working point of the row just written is what they record; with a
// tie its northing and easting come from the problem's project frame.
void tabulateTLinePoint(const RunContext& ctx, int line, int tline);
void tabulateBentPoint(const RunContext& ctx, int line, int slot);
// A request given in northing and easting passes them as `asRead`.
void tabulateCoordinatePoint(const RunContext& ctx, long number, double x, double y,
                             const StationOffset& so, const SurfacePoint& surface,
                             std::string_view name, std::string_view remarks,
                             const GridPoint* asRead = nullptr);

}  // namespace bp
