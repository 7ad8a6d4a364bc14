// The drawing as an ASCII DXF file of AutoCAD release 12, the form every
// CAD program reads: coordinates in feet of the plan (plot units / 12000),
// one layer per level, entity colours and linetypes from the pen.
#include <cmath>
#include <numbers>
#include <set>

#include <fmt/format.h>
#include <fmt/ostream.h>

#include "render/drawing_writers.hpp"
#include "render/pen_table.hpp"

namespace bp::render {

std::string layerOfLevel(int level) { return fmt::format("LEVEL_{}", level); }

namespace {

double feet(std::int64_t units) { return double(units) / PLOT_UNITS_PER_FOOT; }

// Degrees in [0, 360) of a direction in radians.
double degrees(double radians) {
    double d = radians * 180.0 / std::numbers::pi;
    d = std::fmod(d, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// DXF text values are single lines of printable characters.
std::string dxfText(std::string_view s) {
    std::string out;
    for (char c : s) out += (c >= 0x20 && c < 0x7f) ? c : '?';
    return out;
}

class DxfDrawing {
public:
    DxfDrawing(std::ostream& out, const PlotDrawing& d) : out_(out), drawing_(d) {}

    void write(std::string_view title) {
        code(999, dxfText(title));
        code(999, "bridgeplan plan drawing; coordinates in feet of the plan");
        header();
        tables();
        section("BLOCKS");
        code(0, "ENDSEC");
        section("ENTITIES");
        for (const Element& el : drawing_.elements) entity(el);
        code(0, "ENDSEC");
        code(0, "EOF");
    }

private:
    void code(int group, std::string_view value) { fmt::print(out_, "{:>3}\n{}\n", group, value); }
    void code(int group, int value) { fmt::print(out_, "{:>3}\n{:>6}\n", group, value); }
    void real(int group, double value) {
        if (value == 0.0) value = 0.0;
        fmt::print(out_, "{:>3}\n{:.8f}\n", group, value);
    }
    void section(std::string_view name) {
        code(0, "SECTION");
        code(2, name);
    }

    void header() {
        Extents e = drawingExtents(drawing_);
        if (e.empty) e.add(0, 0);
        double textHeight = 0.5;
        for (const Element& el : drawing_.elements)
            if (el.kind == ElementKind::Text) textHeight = feet(el.textHeight);
        section("HEADER");
        code(9, "$ACADVER");
        code(1, "AC1009");
        code(9, "$INSBASE");
        real(10, 0);
        real(20, 0);
        real(30, 0);
        code(9, "$EXTMIN");
        real(10, e.minX / PLOT_UNITS_PER_FOOT);
        real(20, e.minY / PLOT_UNITS_PER_FOOT);
        real(30, 0);
        code(9, "$EXTMAX");
        real(10, e.maxX / PLOT_UNITS_PER_FOOT);
        real(20, e.maxY / PLOT_UNITS_PER_FOOT);
        real(30, 0);
        code(9, "$LTSCALE");
        real(40, 1.0);
        // Point markers as a small circle with a cross, sized from the text.
        code(9, "$PDMODE");
        code(70, 34);
        code(9, "$PDSIZE");
        real(40, 0.3 * textHeight);
        code(0, "ENDSEC");
    }

    void tables() {
        section("TABLES");
        const auto styles = allStyles();
        code(0, "TABLE");
        code(2, "LTYPE");
        code(70, int(styles.size()));
        for (const LineStyle& s : styles) {
            double total = 0;
            for (double element : s.pattern) total += std::abs(element);
            code(0, "LTYPE");
            code(2, s.name);
            code(70, 0);
            code(3, s.description);
            code(72, 65);
            code(73, int(s.pattern.size()));
            real(40, total);
            for (double element : s.pattern) real(49, element);
        }
        code(0, "ENDTAB");

        std::set<int> levels;
        for (const Element& el : drawing_.elements) levels.insert(el.pen.level);
        code(0, "TABLE");
        code(2, "LAYER");
        code(70, int(levels.size()) + 1);
        layer("0");
        for (int level : levels) layer(layerOfLevel(level));
        code(0, "ENDTAB");

        code(0, "TABLE");
        code(2, "STYLE");
        code(70, 1);
        code(0, "STYLE");
        code(2, "STANDARD");
        code(70, 0);
        real(40, 0);
        real(41, 1);
        real(50, 0);
        code(71, 0);
        real(42, 0.2);
        code(3, "txt");
        code(4, "");
        code(0, "ENDTAB");
        code(0, "ENDSEC");
    }

    void layer(std::string_view name) {
        code(0, "LAYER");
        code(2, name);
        code(70, 0);
        code(62, 7);
        code(6, "CONTINUOUS");
    }

    void common(std::string_view kind, const Pen& pen) {
        code(0, kind);
        code(8, layerOfLevel(pen.level));
        code(6, styleOf(pen.style).name);
        code(62, colourOf(pen.colour).aci);
    }

    void point(int group, std::int64_t x, std::int64_t y) {
        real(group, feet(x));
        real(group + 10, feet(y));
        real(group + 20, 0);
    }

    // A polyline becomes one LINE per leg; a leg of zero length is left out.
    void entity(const Element& el) {
        switch (el.kind) {
        case ElementKind::Polyline:
            for (std::size_t k = 1; k < el.points.size(); ++k) {
                if (el.points[k] == el.points[k - 1]) continue;
                common("LINE", el.pen);
                point(10, el.points[k - 1].x, el.points[k - 1].y);
                point(11, el.points[k].x, el.points[k].y);
            }
            break;
        case ElementKind::Marker:
            common("POINT", el.pen);
            point(10, el.points[0].x, el.points[0].y);
            break;
        case ElementKind::Text:
            common("TEXT", el.pen);
            point(10, el.points[0].x, el.points[0].y);
            real(40, feet(el.textHeight));
            code(1, dxfText(el.text));
            if (el.textAngle != 0.0) real(50, el.textAngle);
            if (el.textWidth != el.textHeight) real(41, double(el.textWidth) / double(el.textHeight));
            code(7, "STANDARD");
            break;
        case ElementKind::Arc: {
            // DXF arcs run counter-clockwise from the start angle to the
            // end angle: a clockwise arc from P1 to P2 is the counter-
            // clockwise arc from P2 to P1.
            const ArcGeometry g = arcGeometry(el);
            common("ARC", el.pen);
            real(10, g.centreX / PLOT_UNITS_PER_FOOT);
            real(20, g.centreY / PLOT_UNITS_PER_FOOT);
            real(30, 0);
            real(40, g.radius / PLOT_UNITS_PER_FOOT);
            real(50, degrees(el.clockwise ? g.endAngle : g.startAngle));
            real(51, degrees(el.clockwise ? g.startAngle : g.endAngle));
            break;
        }
        }
    }

    std::ostream& out_;
    const PlotDrawing& drawing_;
};

}   // namespace

void writeDxf(std::ostream& out, const PlotDrawing& drawing, std::string_view title) {
    DxfDrawing(out, drawing).write(title);
}

}   // namespace bp::render
