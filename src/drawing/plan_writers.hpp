#pragma once
// The plan drawings of one problem: an SVG picture sized for a browser and
// an ASCII DXF drawing (release 12) in sheet feet for CAD.

#include <ostream>

#include "drawing/plan_model.hpp"

namespace bp::drawing {

// Pixels per foot of the SVG: the bridge fills some 1500 pixels of width
// (at most 2400 of height), never fewer than 2.5 pixels per foot.
double svgScale(const PlanProblem& p);
inline constexpr double SVG_LABEL_PIXELS = 11.0;   // elevation labels

void writePlanSvg(std::ostream& out, const PlanProblem& p);

// Feet per inch of paper for the DXF: the first of the engineer's scales at
// which the bridge fits a 30 by 20 inch sheet; texts are 0.1 inch high on it.
double dxfPlotScale(const PlanProblem& p);
inline constexpr double DXF_TEXT_INCHES = 0.1;

void writePlanDxf(std::ostream& out, const PlanProblem& p);

}   // namespace bp::drawing
