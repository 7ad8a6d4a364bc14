#pragma once
// What the span report, the bents and the tests need of the transverse-line
// cards: the packed transverse angle, the distance of a constant-distance
// line, and the straight form of a transverse line and its moves.

#include "alignment/point_operations.hpp"
#include "bridgeplan/transverse_table.hpp"

namespace bp {

// Makes the transverse line (T-line or bent) the straight line through
// (x, y) running in `direction` (radians), and keeps (x, y) as the point it
// was built through; it keeps no cosine and sine of its direction.
inline void buildLineThrough(TransverseLine& line, double x, double y, double direction) {
    const LineForm f = LineThroughPoint(x, y, direction);
    line.form = f.form;
    line.slope = f.slope;
    line.intercept = f.intercept;
    line.normFactor = f.normFactor;
    line.direction = direction;
    line.throughX = x;
    line.throughY = y;
}

// Moves the straight transverse line sideways by changing its intercept by
// `delta` (a normal distance d is delta = d normFactor); the point it was
// built through moves square to the line with it, by delta / (1 + m^2)
// along (-m, 1) for y = m x + b and along (1, -m) for x = m y + b.
inline void shiftIntercept(TransverseLine& line, double delta) {
    line.intercept += delta;
    const double t = delta / (1.0 + line.slope * line.slope);
    if (line.form == form::Y_OF_X) {
        line.throughX -= line.slope * t;
        line.throughY += t;
    } else {
        line.throughX += t;
        line.throughY -= line.slope * t;
    }
}

// The packed angle of a T-line card, read with F8.4 from DDDMMSSs:
// d = trunc(V / 10); w = trunc((V - 10 d) 10000 +- 0.5) (sign of V);
// m = trunc(w / 1000); s = (w - 1000 m) / 10; m and s carry the sign of V.
struct TransverseAngle {
    long degrees = 0;
    long minutes = 0;
    double seconds = 0;
    double radians = 0;   // ((s / 60 + m) / 60 + d) pi / 180
};
TransverseAngle decodeTransverseAngle(double packed);

// Distance (ft) from the back bent along a longitudinal line of length L
// between the bents at which a constant-distance line lies: the value
// (from the back bent), the value + L (from the ahead bent), or value x L
// (a proportion, always from the back bent).
double consDistance(const TransverseLine& tline, double length);

}   // namespace bp
