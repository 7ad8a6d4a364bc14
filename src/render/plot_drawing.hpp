#pragma once
// A plot command file read back into drawings: one drawing per problem
// (each starts at its "DID/" header), each a list of elements in the order
// of the file with the pen (line type, colour, style, level) that the
// attribute lines before it selected. Coordinates stay in plot units
// (12000 to the foot of plan, origin at the curve centre, y upwards).

#include <cstdint>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bp::render {

inline constexpr double PLOT_UNITS_PER_FOOT = 12000.0;

struct PlotPoint {
    std::int64_t x = 0, y = 0;
    bool operator==(const PlotPoint&) const = default;
};

// The attribute lines in force: "LAC/LT=,LC=,LS=" and "OVR/". A label
// bracket "ASC/-1" ... "ASC/0" is remembered as `inLabel`.
struct Pen {
    int lineType = 0;   // LT: the weight of the line
    int colour = 0;     // LC
    int style = 0;      // LS: solid, dotted, dashed ...
    int level = 0;      // OVR
    bool inLabel = false;
};

enum class ElementKind { Polyline, Marker, Text, Arc };

struct Element {
    ElementKind kind = ElementKind::Polyline;
    Pen pen;
    int sourceLine = 0;
    // Polyline: its points; marker: the point; text: the origin (lower
    // left of the text); arc: start and end point.
    std::vector<PlotPoint> points;
    PlotPoint centre;                             // arcs
    bool clockwise = false;                       // arcs: "ARC/CL" clockwise, "ARC/CC" counter-clockwise
    std::int64_t textHeight = 0, textWidth = 0;   // plot units
    double textAngle = 0;                         // degrees, counter-clockwise
    std::string text;
};

struct PlotDrawing {
    std::string name;                            // "DID/NA=" value
    int headerLine = 0;                          // 0: elements came before any header
    int font = 0;                                // "FNT/"
    int textColour = 0, textJustification = 0;   // "TLC/CO=,JU="
    std::vector<Element> elements;
};

struct Diagnostic {
    int line = 0;
    std::string message;
};

struct PlotFile {
    std::vector<PlotDrawing> drawings;
    std::vector<Diagnostic> diagnostics;   // lines reported and skipped
};

// A plot command file read as a stream, one drawing at a time: only the
// drawing being read is held in memory, and no line longer than
// MAX_PLOT_LINE characters is (such a line ends the reading: the file is
// no plot command file). Unknown and malformed lines are reported with
// their line number and skipped; everything else is kept.
inline constexpr std::size_t MAX_PLOT_LINE = 1 << 16;

class PlotReader {
public:
    explicit PlotReader(std::istream& in);
    ~PlotReader();
    PlotReader(const PlotReader&) = delete;
    PlotReader& operator=(const PlotReader&) = delete;

    // The next drawing, complete; nothing at the end of the file.
    std::optional<PlotDrawing> next();
    // The lines reported since the last call, in file order.
    std::vector<Diagnostic> takeDiagnostics();
    // The number of the over-long line that ended the reading, 0 for none.
    int overlongLine() const;

private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

// Reads a whole plot command file; an over-long line is reported as the
// last diagnostic.
PlotFile readPlotFile(std::istream& in);

// The drawing's extents in plot units, with the bulge of every arc and the
// box of every text; `empty` when nothing is drawn.
struct Extents {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;
    void add(double x, double y);
    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
};
Extents drawingExtents(const PlotDrawing& d);

// Arc geometry: centre, radius, start and end direction (radians,
// counter-clockwise from +x) and the angle swept in the arc's own sense
// (0 < sweep <= 2 pi; a closed arc sweeps the circle). The arc runs from P1
// to P2 about the command's centre. Where P2 lies off the circle of P1 by
// more than the rounding of plot units (a line drawn about the main curve's
// centre that runs onto another curve, as on a compound curve), the arc of
// the mean radius through P1 and P2, centred nearest the command's centre,
// is drawn instead, so that the line still meets both of its bent points.
struct ArcGeometry {
    double centreX = 0, centreY = 0;
    double radius = 0, startAngle = 0, endAngle = 0, sweep = 0;
    bool refitted = false;
};
inline constexpr double ARC_END_TOLERANCE = 24.0;   // plot units, 0.002 ft
ArcGeometry arcGeometry(const Element& arc);

// Average advance of one character as a share of the text height, for the
// text boxes of the extents.
inline constexpr double CHARACTER_ADVANCE = 0.6;

}   // namespace bp::render
