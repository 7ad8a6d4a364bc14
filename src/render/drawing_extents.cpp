// The extents of a drawing and the geometry of its arcs, in plot units.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/plot_drawing.hpp"

namespace bp::render {

namespace {
constexpr double TWO_PI = 2 * std::numbers::pi;
}   // namespace

void Extents::add(double x, double y) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

// Radius r1 = |P1 - C|, r2 = |P2 - C|. When they differ by more than the
// tolerance the centre moves to C' at the mean radius r from both ends:
// C' = M +- h n, M the chord's midpoint, n its unit normal,
// h = sqrt(r^2 - (c/2)^2) for a chord of length c (r at least c/2), the
// sign giving the C' nearer C. Directions by atan2; the sweep is the turn
// from P1 to P2 in the arc's sense, in (0, 2 pi].
ArcGeometry arcGeometry(const Element& arc) {
    const double px1 = double(arc.points[0].x), py1 = double(arc.points[0].y);
    const double px2 = double(arc.points[1].x), py2 = double(arc.points[1].y);
    ArcGeometry g;
    g.centreX = double(arc.centre.x);
    g.centreY = double(arc.centre.y);
    const double r1 = std::hypot(px1 - g.centreX, py1 - g.centreY);
    const double r2 = std::hypot(px2 - g.centreX, py2 - g.centreY);
    g.radius = r1;
    if (std::abs(r1 - r2) > ARC_END_TOLERANCE) {
        const double chord = std::hypot(px2 - px1, py2 - py1);
        const double r = std::max(0.5 * (r1 + r2), 0.5 * chord);
        const double h = std::sqrt(std::max(0.0, r * r - 0.25 * chord * chord));
        const double mx = 0.5 * (px1 + px2), my = 0.5 * (py1 + py2);
        const double nx = -(py2 - py1) / chord, ny = (px2 - px1) / chord;
        const double ax = mx + h * nx, ay = my + h * ny, bx = mx - h * nx, by = my - h * ny;
        const bool first =
            std::hypot(ax - g.centreX, ay - g.centreY) <= std::hypot(bx - g.centreX, by - g.centreY);
        g.centreX = first ? ax : bx;
        g.centreY = first ? ay : by;
        g.radius = r;
        g.refitted = true;
    }
    g.startAngle = std::atan2(py1 - g.centreY, px1 - g.centreX);
    g.endAngle = std::atan2(py2 - g.centreY, px2 - g.centreX);
    double turn = arc.clockwise ? g.startAngle - g.endAngle : g.endAngle - g.startAngle;
    turn = std::fmod(turn, TWO_PI);
    if (turn <= 0) turn += TWO_PI;
    g.sweep = turn;
    return g;
}

namespace {

// An arc's box: its ends and every quadrant point (0, 90, 180, 270
// degrees) that lies within its sweep.
void addArc(Extents& e, const Element& arc) {
    const ArcGeometry g = arcGeometry(arc);
    const double cx = g.centreX, cy = g.centreY;
    e.add(double(arc.points[0].x), double(arc.points[0].y));
    e.add(double(arc.points[1].x), double(arc.points[1].y));
    for (int q = 0; q < 4; ++q) {
        const double a = q * std::numbers::pi / 2;
        double from = arc.clockwise ? g.startAngle - a : a - g.startAngle;
        from = std::fmod(from, TWO_PI);
        if (from < 0) from += TWO_PI;
        if (from <= g.sweep) e.add(cx + g.radius * std::cos(a), cy + g.radius * std::sin(a));
    }
}

// A text's box: the origin is its lower left; it runs along its angle
// for the number of characters times the character advance, and rises
// by its height.
void addText(Extents& e, const Element& t) {
    const double a = t.textAngle * std::numbers::pi / 180.0;
    const double width = double(t.text.size()) * CHARACTER_ADVANCE * double(t.textWidth);
    const double h = double(t.textHeight);
    const double ox = double(t.points[0].x), oy = double(t.points[0].y);
    const double ux = std::cos(a), uy = std::sin(a);
    e.add(ox, oy);
    e.add(ox + width * ux, oy + width * uy);
    e.add(ox - h * uy, oy + h * ux);
    e.add(ox + width * ux - h * uy, oy + width * uy + h * ux);
}

}   // namespace

Extents drawingExtents(const PlotDrawing& d) {
    Extents e;
    for (const Element& el : d.elements) {
        switch (el.kind) {
        case ElementKind::Polyline:
        case ElementKind::Marker:
            for (const PlotPoint& p : el.points) e.add(double(p.x), double(p.y));
            break;
        case ElementKind::Text: addText(e, el); break;
        case ElementKind::Arc: addArc(e, el); break;
        }
    }
    return e;
}

}   // namespace bp::render
