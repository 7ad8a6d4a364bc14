#pragma once
// Writing one drawing of a plot file as an SVG picture or an ASCII DXF
// drawing for CAD.

#include <ostream>
#include <string_view>

#include "render/plot_drawing.hpp"

namespace bp::render {

struct SvgOptions {
    int maxPixels = 1000;   // the longer side of the picture, in pixels: a screen's height
};

// SVG in plot units with y upwards as in the plan (the viewBox is the
// drawing's extents with a margin); one group per level, id "level-N",
// levels in ascending order so labels lie over lines.
void writeSvg(std::ostream& out, const PlotDrawing& drawing, std::string_view title,
              const SvgOptions& options = {});

// ASCII DXF (AutoCAD R12) in feet of the plan: plot units / 12000. One
// layer per level ("LEVEL_N"), the linetypes of the line styles in the
// tables; polylines as LINE entities, markers as POINT, texts as TEXT,
// arcs as ARC.
void writeDxf(std::ostream& out, const PlotDrawing& drawing, std::string_view title);

// The layer of a level, as the DXF names it.
std::string layerOfLevel(int level);

}   // namespace bp::render
