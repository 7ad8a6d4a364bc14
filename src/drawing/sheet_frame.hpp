#pragma once
// The sheet frame: where a point of the plane frame lands on the drawing.
// Without a tie to project coordinates the sheet is the plane frame itself,
// except that a road punched "L" (computed as its mirror image) is turned
// back into the real road: Y becomes -Y, so arcs change their sense and
// directions their sign. Every drawing goes through this one function pair.

#include <string_view>

#include "drawing/plan_model.hpp"

namespace bp::drawing {

struct SheetFrame {
    double mirror = 1.0;

    XY toSheet(XY p) const { return {p.x, mirror * p.y}; }
    // A direction (radians) of the plane frame, as seen on the sheet.
    double angleOnSheet(double radians) const { return mirror * radians; }
    bool clockwiseOnSheet(bool clockwise) const { return mirror > 0 ? clockwise : !clockwise; }
    // The names of the sheet's axes for the axes symbol and the DXF header.
    std::string_view eastName() const { return "X"; }
    std::string_view northName() const { return mirror > 0 ? "Y" : "-Y"; }
    bool projectCoordinates() const { return false; }
};

inline SheetFrame sheetFrameOf(const PlanProblem& p) { return SheetFrame{p.mirror}; }

}  // namespace bp::drawing
