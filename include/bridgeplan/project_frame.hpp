#pragma once
// Project coordinates: the rigid motion that carries the plane frame of a
// problem (X, Y in feet, origin at the centre of the main curve) onto the
// project's grid (northing, easting in feet), fixed by a tie: one mainline
// station whose real point and direction of travel are known on the grid.
//
// Sign conventions. The plane frame has angles counter-clockwise from +X;
// the grid has azimuths clockwise from grid north, easting to the right of
// northing. A road punched "L" is computed as its mirror image; its real
// points are the plane points mirrored in the X axis, (X, -Y), and then
// turned and moved like any other. With m the mirror factor (-1 for "L",
// +1 otherwise), the tie's plane point (X0, Y0) and direction of travel
// phi0, its grid point (N0, E0) and azimuth az0:
//
//   rho = (pi/2 - az0) - m phi0              turn from plane to grid, counter-clockwise
//   u = X - X0,  v = m (Y - Y0)              mirrored, relative to the tie point
//   E = E0 + u cos rho - v sin rho
//   N = N0 + u sin rho + v cos rho
//
// and the inverse u = dE cos rho + dN sin rho, v = dN cos rho - dE sin rho,
// X = X0 + u, Y = Y0 + m v (dE = E - E0, dN = N - N0). A plane direction
// phi has the azimuth pi/2 - (rho + m phi). The tie point itself lands on
// (N0, E0) exactly, its direction on az0.
//
// A value type: copy it out of a run and ask it anything.

#include <string>
#include <string_view>

namespace bp {

struct GridPoint {
    double northing = 0, easting = 0;   // ft
};

struct PlanePoint {
    double x = 0, y = 0;   // ft, the plane frame of the report
};

class ProjectFrame {
public:
    // The frame that puts the plane point (x0, y0), travelled through in the
    // plane direction phi0 (radians), at (northing0, easting0) travelling at
    // the azimuth az0 (radians clockwise from grid north). mirror is -1 for
    // a road punched "L", +1 otherwise.
    ProjectFrame(double x0, double y0, double phi0, double mirror, double northing0, double easting0,
                 double az0, std::string_view coordinateSystem = {});

    GridPoint toProject(double x, double y) const;
    PlanePoint fromProject(double northing, double easting) const;
    // Azimuth (radians clockwise from grid north, in [0, 2 pi)) of the real
    // direction whose computed plane direction is phi (radians from +X).
    double azimuth(double phi) const;
    // True when the real road is the mirror image of the computed one: a
    // curve computed as turning right turns left on the grid.
    bool mirrored() const { return mirror_ < 0.0; }
    // The coordinate system the tie card names ("EPSG:2264"), empty for none.
    const std::string& coordinateSystem() const { return coordinateSystem_; }

private:
    double x0_, y0_, mirror_, northing0_, easting0_;
    double cosRho_, sinRho_, rho_;
    std::string coordinateSystem_;
};

}   // namespace bp
