#pragma once
// The plan sheet: the plan of one problem composed into drawing items in
// sheet coordinates (feet) on named layers, with every text sized and every
// elevation label placed, so that the SVG and the DXF writers only write
// what is here, each in its own form.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/label_placement.hpp"
#include "drawing/plan_model.hpp"

namespace bp::drawing {

enum class Layer { Alignment, Stations, Lines, Bents, TLines, Points, Requests, Labels, Title };
inline constexpr std::array<std::string_view, 9> LAYER_NAMES = {
    "alignment", "stations", "lines", "bents", "tlines", "points", "requests", "labels", "title"};
inline std::string_view layerName(Layer l) { return LAYER_NAMES[static_cast<int>(l)]; }

// Line styles of the legend; the DXF defines a linetype for each.
enum class LineStyle { Continuous, Center, Dashed, Phantom };

// Pens: what is drawn, hence colour and weight.
enum class Pen {
    Mainline,
    Straight,
    Circle,
    Spiral,
    FollowsMainline,
    Bent,
    TLine,
    Point,
    BentPoint,
    Request,
    Text,
    Leader,
    Frame
};

enum class Anchor { Start, Middle, End };

struct SheetItem {
    enum class Kind { Line, Arc, Polyline, Marker, Text };
    Kind kind = Kind::Line;
    Layer layer = Layer::Lines;
    Pen pen = Pen::Straight;
    LineStyle style = LineStyle::Continuous;
    bool heavy = false;       // deck edges (plot mark "E")
    std::vector<XY> points;   // Line 2, Polyline n, Marker 1, Text 1 (its origin on the baseline)
    XY centre;                // Arc: counter-clockwise on the sheet from startAngle to endAngle
    double radius = 0, startAngle = 0, endAngle = 0;
    bool clockwise = false;         // Arc: runs clockwise on the sheet from points[0] to points[1]
    double height = 0, angle = 0;   // Text: height (ft), direction of the baseline (radians)
    Anchor anchor = Anchor::Start;
    std::string text;
    std::string tooltip;   // the full row of a point
    std::string role;      // what the item is, for readers: "elevation", "station", ...
    int span = -1;         // the span (0, 1 ...) an elevation label or point belongs to
};

struct SheetStyle {
    double textHeight = 1.0;   // ft on the sheet of an elevation label
    std::string scaleNote;     // e.g. "1 IN = 20 FT"
};

struct Sheet {
    std::vector<SheetItem> items;
    Box frame;    // the bridge and its surroundings, ft
    Box extent;   // everything on the sheet but the mainline beyond the frame
    double textHeight = 1.0;
};

// The sheet area of the bridge: its lines, bents and coordinate requests,
// with a margin; the writers choose their scale from it.
Box bridgeFrame(const PlanProblem& p);

Sheet composeSheet(const PlanProblem& p, const SheetStyle& style);

// The full row of a point as its tooltip reads.
std::string rowText(const PlanRow& r);
// Station as written on plans: 14+50.00.
std::string stationText(double station);
// An angle in radians as degrees, minutes and seconds: 20°00'00".
std::string dmsText(double radians);

}   // namespace bp::drawing
