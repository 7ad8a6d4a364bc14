#pragma once
// The intersection solver: crosses a transverse line (a T-line or a bent)
// with a longitudinal line of any kind and answers with the crossing, by
// value: the point, its station and offset on the mainline, and the
// crossing angle where one is taken. A line that does not cross is a
// status of the answer, never an exception; the caller that cannot go on
// without the crossing abandons the problem. Only a state the layout can
// never build (a line with no geometry in the span, a spiral about no
// piece) throws, as error 16.

#include "alignment/mainline.hpp"
#include "alignment/point_operations.hpp"
#include "bridgeplan/line_table.hpp"
#include "bridgeplan/transverse_table.hpp"
#include "bridgeplan/work_point.hpp"

namespace bp {

// A straight line in slope form, or a circle by centre and radius squared.
struct CrossTarget {
    bool circle = false;
    int form = 1;   // straights: 1 or 2
    double slope = 0, intercept = 0;
    double xc = 0, yc = 0, rSquared = 0;   // circles
};

// Why a crossing was not found.
enum class CrossingStatus {
    Crossed,
    NotStraight,      // the transverse line is not a straight line
    Parallel,         // the transverse line is parallel to the straight target
    MissesCircle,     // the transverse line passes the circle by
    OffMainline,      // the crossing (x, y) lies on no piece of the mainline
    NoPieceCrossed,   // the mainline moved sideways is crossed on none of its pieces
    Unsettled,        // a spiral crossing did not settle within SPIRAL_PASS_LIMIT passes
    BeyondPole,       // a spiral correction carried the radius through the pole
};

// The crossing angle (radians, the transverse line's direction less the
// crossed line's) and the normal direction of the crossed line there.
struct Heading {
    double angle = 0, normal = 0;
};

struct Crossing {
    CrossingStatus status = CrossingStatus::Crossed;
    double x = 0, y = 0;       // the point (for OffMainline the point no piece accepts)
    StationOffset at;          // its station, offset, piece and range flag; the projection's normal
    bool hasHeading = false;   // a crossing angle was taken
    Heading heading;
    double distBent = 0;       // spiral crossings: the arc length from the spiral's reference
    double spiralRadius = 0;   // spiral crossings: the signed radius at the crossing

    bool crossed() const { return status == CrossingStatus::Crossed; }
    // The normal of the crossed line, or of the projection before an angle is taken.
    double normal() const { return hasHeading ? heading.normal : at.normal; }
};

// Longitudinal line N as this span crosses it: its table entry, its form
// and state in the span (state -1 follows the mainline, 0 fixed, k a
// spiral about the centre of piece k) and its back-bent point.
struct SpanLine {
    int number = 0;
    const LongitudinalLine& line;
    int form = 0;
    int state = 0;
    const BentPoint& back;
};

inline SpanLine spanLineOf(const SpanLines& sl, const LineTable& lines, int n) {
    return SpanLine{n, lines[n], sl.spanForm[n], sl.spanState[n], sl.backPoint[n]};
}

// Crossing of the transverse line with the target, located on the
// mainline. Of a circle's two crossings the one nearer to the point the
// transverse line was built through; when both are equally near the first
// root, then the second when the first lies outside the back and ahead
// stations.
Crossing IntersectWithSlot(const Mainline& ml, const TransverseLine& slot, const CrossTarget& target);

// The target line N is in this span: its straight form or its circle;
// error 16 when N has neither.
CrossTarget TargetOfLine(const SpanLine& n);

// The transverse line with the fixed line N (no angle taken).
Crossing CrossLongitudinalLine(const Mainline& ml, const TransverseLine& slot, const SpanLine& n);

// The transverse line with the mainline moved sideways by d (ft; pieces
// tried 2, 1, 3; a piece is accepted when the crossing lies on it), with
// the angle against that piece.
Crossing CrossOffsetMainline(const Mainline& ml, const TransverseLine& slot, double d);

// The crossing angle at (x, y) against mainline piece k (or the mainline
// moved sideways there): a circle's radial direction, a straight's normal.
Heading AngleWithPiece(const Mainline& ml, double direction, int k, double x, double y);

// The crossing angle of a transverse line of direction `direction` with
// line N at the crossing c: N straight, a circle or spiral about its
// centre, or the piece of the crossing when N follows the mainline.
Heading CrossingAngle(const Mainline& ml, double direction, const SpanLine& n, const Crossing& c);

// The transverse line with the mainline itself (offset 0), for the side
// rule: the crossing with the angle taken from the projection's normal.
Crossing StationOnMainline(const Mainline& ml, const TransverseLine& slot);

// The transverse line with the spiral line N about the centre of piece
// n.state: the crossing, its angle, distBent and the spiral's radius there.
Crossing SpiralCrossing(const Mainline& ml, const TransverseLine& slot, const SpanLine& n);

// The transverse line with line N by its span state: spiral, fixed line
// (angle taken), or the mainline moved by d when N follows the mainline.
Crossing CrossBySpanState(const Mainline& ml, const TransverseLine& slot, const SpanLine& n, double d);

// Keeps the crossing p of line N as its back bent point (slot 21, where
// distances along the line start, and the moving spiral reference) or its
// ahead bent point (slot 22). On the back bent a spiral line's reference
// moves to the radius sl.spiralRadius and the polar angle p.normal, and
// every transverse slot forgets its previous point.
void StoreBentPoint(SpanLines& sl, LineTable& lines, int slot, int line, const BentPoint& p);

}   // namespace bp
