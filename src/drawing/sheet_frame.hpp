#pragma once
// The sheet frame: where a point of the plane frame lands on the drawing.
// A problem tied to project coordinates is drawn in easting (sheet x) and
// northing (sheet y), through the tie's own rigid transformation, so the
// drawing overlays the roadway file; a road punched "L" comes out as the
// real road because the tie mirrors it. Without a tie the sheet is the plane
// frame itself, except that a road punched "L" (computed as its mirror
// image) is turned back into the real road: Y becomes -Y, so arcs change
// their sense and directions their sign. Every drawing goes through this
// one function pair.

#include <numbers>
#include <optional>
#include <string_view>

#include "bridgeplan/project_frame.hpp"
#include "drawing/plan_model.hpp"

namespace bp::drawing {

struct SheetFrame {
    double mirror = 1.0;
    std::optional<ProjectFrame> project;

    XY toSheet(XY p) const {
        if (project) {
            const GridPoint g = project->toProject(p.x, p.y);
            return {g.easting, g.northing};
        }
        return {p.x, mirror * p.y};
    }
    // A direction (radians, counter-clockwise from +X) of the plane frame, as
    // seen on the sheet (counter-clockwise from the sheet's x): tied, the
    // azimuth A of the direction gives pi/2 - A.
    double angleOnSheet(double radians) const {
        if (project) return std::numbers::pi / 2 - project->azimuth(radians);
        return mirror * radians;
    }
    // The tie turns the plane frame rigidly after its mirror, so the sense of
    // an arc changes with the mirror alone, tied or not.
    bool clockwiseOnSheet(bool clockwise) const { return mirror > 0 ? clockwise : !clockwise; }
    // The names of the sheet's axes for the axes symbol (a north arrow when
    // tied) and the DXF header.
    std::string_view eastName() const { return project ? "E" : "X"; }
    std::string_view northName() const { return project ? "N" : (mirror > 0 ? "Y" : "-Y"); }
    bool projectCoordinates() const { return project.has_value(); }
};

inline SheetFrame sheetFrameOf(const PlanProblem& p) { return SheetFrame{p.mirror, p.project}; }

}   // namespace bp::drawing
