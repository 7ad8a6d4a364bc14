#pragma once
// What the span report, the bents and the tests need of the transverse-line
// cards: the packed transverse angle, the distance of a constant-distance
// line, and the straight form of a transverse line.

#include "alignment/point_operations.hpp"
#include "bridgeplan/transverse_table.hpp"

namespace bp {

// Gives the transverse line (T-line or bent) the straight form f, running
// in `direction` (radians); it keeps no cosine and sine of its direction.
inline void copyLineForm(TransverseLine& line, const LineForm& f, double direction) {
    line.form = f.form;
    line.slope = f.slope;
    line.intercept = f.intercept;
    line.normFactor = f.normFactor;
    line.direction = direction;
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

}  // namespace bp
