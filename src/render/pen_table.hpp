#pragma once
// How the attribute values of the plot file are drawn: the colour of LC,
// the dash pattern of LS and the weight of LT, shared by the SVG and the
// DXF output so both show the same drawing.

#include <span>
#include <string_view>

namespace bp::render {

struct Colour {
    std::string_view svg;   // on a white sheet
    int aci;                // CAD colour index
};

// LC 0 to 7: black, blue, green, red, yellow, magenta, cyan, grey; any
// other value draws in dark grey (index LC where it is a valid index).
Colour colourOf(int lc);

// Dash pattern in feet of plan: dash lengths positive, gaps negative, a
// dot 0 (the CAD convention); empty for a solid line.
struct LineStyle {
    std::string_view name;   // linetype name in the DXF tables
    std::string_view description;
    std::span<const double> pattern;
};

// LS 0 solid, 1 dotted, 2 dashed, 3 dash-dot, 4 long dashes, 5 dash-dot-dot,
// 6 short dashes, 7 long-short-short; any other value solid.
const LineStyle& styleOf(int ls);
std::span<const LineStyle> allStyles();

// LT as a stroke weight in screen pixels of the SVG.
double weightOf(int lt);

}   // namespace bp::render
