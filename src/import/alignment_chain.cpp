#include "import/alignment_chain.hpp"

#include <cmath>
#include <numbers>

#include <fmt/format.h>

#include "import/import_messages.hpp"

namespace bp::import {

namespace {

constexpr double PI = std::numbers::pi;
// Elements that meet within this distance (ft) are taken to join.
constexpr double JOIN_TOLERANCE = 0.0005;

double distance(PlanePoint a, PlanePoint b) { return std::hypot(b.x - a.x, b.y - a.y); }
double directionOf(PlanePoint from, PlanePoint to) { return std::atan2(to.y - from.y, to.x - from.x); }
// z of (b - a) x (c - b): negative when a -> b -> c turns right (clockwise).
double turnOf(PlanePoint a, PlanePoint b, PlanePoint c) {
    return (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
}

const char* kindName(ElementKind k) {
    return k == ElementKind::Line ? "Line" : k == ElementKind::Curve ? "Curve" : "Spiral";
}

}   // namespace

double StationNaming::displayed(double continuous) const {
    double shown = continuous;
    for (const StationEquation& eq : equations)
        if (continuous >= eq.internal) shown = eq.ahead + (continuous - eq.internal);
    return shown;
}

std::string StationNaming::text(double continuous) const {
    return fmt::format("{:.4f}", displayed(continuous) / toFeet);
}

// Line: direction and length from Start to End. Curve: radius |Start - Center|;
// the turn is the one whose start direction runs on from the element before
// (tangent either way round); for a first element, clockwise when
// Start -> PI -> End turns right (without a PI, when the radius turns
// clockwise from Start to End, or by `rot` for a half circle); central angle
// from the two radii, the long way round when the turn disagrees with the
// short one; length R times the central angle.
AlignmentChain::AlignmentChain(const FileAlignment& alignment, double toFeet)
    : naming_{toFeet, alignment.equations}, begin_(alignment.staStart) {
    double station = alignment.staStart;
    for (const PlanElement& p : alignment.elements) {
        ChainElement e;
        e.kind = p.kind;
        e.position = p.position;
        e.name = p.name;
        e.begin = station;
        e.start = p.start;
        e.end = p.end;
        const std::string where = describe(e);
        if (!p.hasStart || !p.hasEnd)
            throw ImportRefused(where +
                                ": the element lacks its Start or End point; export the "
                                "alignment with its points");
        if (p.kind == ElementKind::Line) {
            e.length = distance(p.start, p.end);
            e.startDirection = e.endDirection = directionOf(p.start, p.end);
        } else if (p.kind == ElementKind::Curve) {
            if (!p.hasCenter)
                throw ImportRefused(where +
                                    ": the curve has no Center point; export the "
                                    "alignment with curve centres");
            e.center = p.center;
            const double r1 = distance(p.center, p.start), r2 = distance(p.center, p.end);
            if (std::fabs(r1 - r2) > JOIN_TOLERANCE)
                throw ImportRefused(
                    fmt::format("{}: Start and End lie {:.4f} and {:.4f} ft from "
                                "the Center, not on one circle",
                                where, r1, r2));
            e.radius = 0.5 * (r1 + r2);
            const double ax = p.start.x - p.center.x, ay = p.start.y - p.center.y;
            const double bx = p.end.x - p.center.x, by = p.end.y - p.center.y;
            const double cross = ax * by - ay * bx, dot = ax * bx + ay * by;
            double delta = std::atan2(std::fabs(cross), dot);   // 0..pi, the short way
            const double radial = std::atan2(ay, ax);
            bool clockwise;
            if (!elements_.empty())   // the turn whose start runs on from the element before
                clockwise = std::cos(elements_.back().endDirection - (radial - PI / 2)) > 0;
            else if (p.hasPi && std::fabs(turnOf(p.start, p.pi, p.end)) > 1e-9 * e.radius * e.radius)
                clockwise = turnOf(p.start, p.pi, p.end) < 0;
            else if (std::fabs(cross) > 1e-9 * e.radius * e.radius)
                clockwise = cross < 0;
            else if (p.rot == "cw" || p.rot == "ccw")
                clockwise = p.rot == "cw";
            else
                throw ImportRefused(where +
                                    ": a half circle without PI or rot; its turn is "
                                    "not known");
            if ((cross < 0) != clockwise && std::fabs(cross) > 1e-9 * e.radius * e.radius)
                delta = 2 * PI - delta;
            e.clockwise = clockwise;
            e.length = e.radius * delta;
            e.startDirection = radial + (clockwise ? -PI / 2 : PI / 2);
            e.endDirection = e.startDirection + (clockwise ? -delta : delta);
        } else {
            e.length = p.spiralLength;
            if (!(e.length > 0)) throw ImportRefused(where + ": the spiral has no length");
        }
        if (!elements_.empty() && distance(elements_.back().end, e.start) > JOIN_TOLERANCE)
            throw ImportRefused(
                fmt::format("{}: it starts {:.4f} ft from the end of the element "
                            "before it; the alignment is not continuous",
                            where, distance(elements_.back().end, e.start)));
        station += e.length;
        elements_.push_back(e);
    }
    if (elements_.empty())
        throw ImportRefused(fmt::format("alignment \"{}\" has no CoordGeom elements", alignment.name));
}

const ChainElement& AlignmentChain::elementAt(double s) const {
    for (const ChainElement& e : elements_)
        if (s <= e.finish()) return e;
    return elements_.back();
}

// Line: start + u (cos a, sin a). Curve: the start radius turned by u / R,
// clockwise for a right-hand curve.
ChainPoint pointAlong(const ChainElement& e, double u) {
    ChainPoint p;
    if (e.kind == ElementKind::Curve) {
        const double turn = (e.clockwise ? -u : u) / e.radius;
        const double radial = std::atan2(e.start.y - e.center.y, e.start.x - e.center.x) + turn;
        p.point = {e.center.x + e.radius * std::cos(radial), e.center.y + e.radius * std::sin(radial)};
        p.direction = e.startDirection + turn;
    } else {
        p.point = {e.start.x + u * std::cos(e.startDirection), e.start.y + u * std::sin(e.startDirection)};
        p.direction = e.startDirection;
    }
    return p;
}

ChainPoint AlignmentChain::at(double s) const {
    const ChainElement& e = elementAt(s);
    return pointAlong(e, s - e.begin);
}

std::string AlignmentChain::describe(const ChainElement& e) const {
    return fmt::format("{} {}{} (station {})", kindName(e.kind), e.position,
                       e.name.empty() ? "" : " \"" + e.name + "\"", naming_.text(e.begin));
}

}   // namespace bp::import
