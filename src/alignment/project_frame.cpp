#include "bridgeplan/project_frame.hpp"

#include <cmath>

#include "bridgeplan/constants.hpp"

namespace bp {

namespace {

constexpr double FULL_TURN = 2.0 * PI;

// An angle brought into [0, 2 pi).
double wrapTurn(double a) {
    a = std::fmod(a, FULL_TURN);
    if (a < 0.0) a += FULL_TURN;
    return a >= FULL_TURN ? 0.0 : a;
}

}   // namespace

ProjectFrame::ProjectFrame(double x0, double y0, double phi0, double mirror, double northing0,
                           double easting0, double az0, std::string_view coordinateSystem)
    : x0_(x0),
      y0_(y0),
      mirror_(mirror < 0.0 ? -1.0 : 1.0),
      northing0_(northing0),
      easting0_(easting0),
      coordinateSystem_(coordinateSystem) {
    rho_ = (HALF_PI - az0) - mirror_ * phi0;
    cosRho_ = std::cos(rho_);
    sinRho_ = std::sin(rho_);
}

// E = E0 + u cos rho - v sin rho, N = N0 + u sin rho + v cos rho with
// u = X - X0, v = m (Y - Y0). At the tie point u = v = 0 exactly.
GridPoint ProjectFrame::toProject(double x, double y) const {
    const double u = x - x0_, v = mirror_ * (y - y0_);
    return {northing0_ + (u * sinRho_ + v * cosRho_), easting0_ + (u * cosRho_ - v * sinRho_)};
}

// u = dE cos rho + dN sin rho, v = dN cos rho - dE sin rho; X = X0 + u, Y = Y0 + m v.
PlanePoint ProjectFrame::fromProject(double northing, double easting) const {
    const double dn = northing - northing0_, de = easting - easting0_;
    const double u = de * cosRho_ + dn * sinRho_, v = dn * cosRho_ - de * sinRho_;
    return {x0_ + u, y0_ + mirror_ * v};
}

// The real direction of plane direction phi is m phi; on the grid it is
// rho + m phi counter-clockwise from east, that is pi/2 - (rho + m phi)
// clockwise from north.
double ProjectFrame::azimuth(double phi) const { return wrapTurn(HALF_PI - (rho_ + mirror_ * phi)); }

}   // namespace bp
