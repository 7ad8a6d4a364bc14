// The drawing as an SVG picture. Plot units are the SVG user units, shifted
// so that the drawing's lower left corner (less a margin) is the origin and
// y turned to run upwards; a plot unit is 1/12000 ft of plan.
#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include <fmt/format.h>
#include <fmt/ostream.h>

#include "render/drawing_writers.hpp"
#include "render/pen_table.hpp"

namespace bp::render {
namespace {

std::string xmlEscaped(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // Only printable ASCII in the picture; anything else is a '?'.
            out += (c >= 0x20 && c < 0x7f) ? c : '?';
        }
    }
    return out;
}

class SvgPicture {
public:
    SvgPicture(std::ostream& out, const PlotDrawing& d, const SvgOptions& options) : out_(out), drawing_(d) {
        Extents e = drawingExtents(d);
        if (e.empty) e.add(0, 0);
        // The margin: a twentieth of the longer side, and never less than
        // two text heights (or 1 ft when there is no text).
        double textHeight = PLOT_UNITS_PER_FOOT / 2;
        for (const Element& el : d.elements)
            if (el.kind == ElementKind::Text) textHeight = double(el.textHeight);
        const double margin =
            std::max({0.05 * std::max(e.width(), e.height()), 2 * textHeight, PLOT_UNITS_PER_FOOT});
        left_ = std::floor(e.minX - margin);
        top_ = std::ceil(e.maxY + margin);
        width_ = std::ceil(e.maxX + margin) - left_;
        height_ = top_ - std::floor(e.minY - margin);
        pixelsPerUnit_ = options.maxPixels / std::max(width_, height_);
    }

    void write(std::string_view title) {
        fmt::print(out_, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
        fmt::print(out_,
                   "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"{:.0f}\" "
                   "height=\"{:.0f}\" viewBox=\"0 0 {:.0f} {:.0f}\">\n",
                   std::max(1.0, std::round(width_ * pixelsPerUnit_)),
                   std::max(1.0, std::round(height_ * pixelsPerUnit_)), width_, height_);
        fmt::print(out_, "<title>{}</title>\n", xmlEscaped(title));
        fmt::print(out_,
                   "<desc>Plan view; 12000 units to the foot, y upwards; the lower left corner of "
                   "the view is plot point ({:.0f}, {:.0f}).</desc>\n",
                   left_, top_ - height_);
        fmt::print(out_, "<rect x=\"0\" y=\"0\" width=\"{:.0f}\" height=\"{:.0f}\" fill=\"#ffffff\"/>\n",
                   width_, height_);
        std::map<int, std::vector<const Element*>> levels;
        for (const Element& el : drawing_.elements) levels[el.pen.level].push_back(&el);
        for (const auto& [level, elements] : levels) {
            fmt::print(out_, "<g id=\"level-{}\">\n", level);
            for (const Element* el : elements) element(*el);
            fmt::print(out_, "</g>\n");
        }
        fmt::print(out_, "</svg>\n");
    }

private:
    double u(std::int64_t x) const { return double(x) - left_; }
    double v(std::int64_t y) const { return top_ - double(y); }
    double pixels(double px) const { return px / pixelsPerUnit_; }

    // The text of the label that follows a point marker (before the next
    // marker), shown when the pointer rests on the point: the labels are
    // small beside a whole bridge.
    std::string labelOf(const Element& marker) const {
        const Element* end = drawing_.elements.data() + drawing_.elements.size();
        for (const Element* e = &marker + 1; e != end && e->kind != ElementKind::Marker; ++e)
            if (e->kind == ElementKind::Text && e->pen.inLabel) return e->text;
        return {};
    }

    // Stroke colour, weight and dashes of a pen; dots are dashes of length
    // zero with round caps.
    std::string stroke(const Pen& pen) const {
        std::string s = fmt::format(
            "fill=\"none\" stroke=\"{}\" stroke-width=\"{:.1f}\" stroke-linecap=\"round\" "
            "stroke-linejoin=\"round\"",
            colourOf(pen.colour).svg, pixels(weightOf(pen.lineType)));
        const LineStyle& style = styleOf(pen.style);
        if (!style.pattern.empty()) {
            s += " stroke-dasharray=\"";
            for (std::size_t k = 0; k < style.pattern.size(); ++k)
                s += fmt::format("{}{:.0f}", k ? " " : "", std::abs(style.pattern[k]) * PLOT_UNITS_PER_FOOT);
            s += '"';
        }
        return s;
    }

    void element(const Element& el) {
        switch (el.kind) {
        case ElementKind::Polyline: {
            std::string points;
            for (const PlotPoint& p : el.points)
                points += fmt::format("{}{:.0f},{:.0f}", points.empty() ? "" : " ", u(p.x), v(p.y));
            fmt::print(out_, "<polyline points=\"{}\" {}/>\n", points, stroke(el.pen));
            break;
        }
        case ElementKind::Marker: {
            fmt::print(out_, "<circle cx=\"{:.0f}\" cy=\"{:.0f}\" r=\"{:.1f}\" fill=\"{}\"",
                       u(el.points[0].x), v(el.points[0].y), pixels(1.5 + weightOf(el.pen.lineType)),
                       colourOf(el.pen.colour).svg);
            const std::string label = labelOf(el);
            if (label.empty())
                fmt::print(out_, "/>\n");
            else
                fmt::print(out_, "><title>{}</title></circle>\n", xmlEscaped(label));
            break;
        }
        case ElementKind::Text: text(el); break;
        case ElementKind::Arc: arc(el); break;
        }
    }

    // The origin is the lower left of the text (on its baseline); the plan's
    // counter-clockwise angle turns the other way on the y-down sheet; a
    // width other than the height stretches the characters.
    void text(const Element& el) {
        const double x = u(el.points[0].x), y = v(el.points[0].y);
        const double stretch = double(el.textWidth) / double(el.textHeight);
        std::string place = fmt::format("x=\"{:.0f}\" y=\"{:.0f}\"", x, y);
        if (el.textAngle != 0.0 || stretch != 1.0)
            place = fmt::format("transform=\"translate({:.0f} {:.0f}) rotate({}) scale({} 1)\"", x, y,
                                -el.textAngle, stretch);
        fmt::print(out_,
                   "<text {} font-size=\"{}\" font-family=\"DejaVu Sans Mono, Consolas, monospace\" "
                   "fill=\"{}\">{}</text>\n",
                   place, el.textHeight, colourOf(el.pen.colour).svg, xmlEscaped(el.text));
    }

    // Clockwise in the plan (y up) is clockwise on the sheet too, which SVG
    // draws with sweep flag 1 on its y-down axes; a closed arc is drawn as
    // two halves.
    void arc(const Element& el) {
        const ArcGeometry g = arcGeometry(el);
        const int sweepFlag = el.clockwise ? 1 : 0;
        std::string d = fmt::format("M {:.0f} {:.0f}", u(el.points[0].x), v(el.points[0].y));
        if (el.points[0] == el.points[1]) {
            // The far side of the circle: the start point mirrored in the centre.
            const double mx = 2 * (g.centreX - left_) - u(el.points[0].x);
            const double my = 2 * (top_ - g.centreY) - v(el.points[0].y);
            d += fmt::format(" A {:.1f} {:.1f} 0 0 {} {:.0f} {:.0f}", g.radius, g.radius, sweepFlag, mx, my);
        }
        d += fmt::format(" A {:.1f} {:.1f} 0 {} {} {:.0f} {:.0f}", g.radius, g.radius,
                         g.sweep > std::numbers::pi && el.points[0] != el.points[1] ? 1 : 0, sweepFlag,
                         u(el.points[1].x), v(el.points[1].y));
        fmt::print(out_, "<path d=\"{}\" {}/>\n", d, stroke(el.pen));
    }

    std::ostream& out_;
    const PlotDrawing& drawing_;
    double left_ = 0, top_ = 0, width_ = 1, height_ = 1, pixelsPerUnit_ = 1;
};

}   // namespace

void writeSvg(std::ostream& out, const PlotDrawing& drawing, std::string_view title,
              const SvgOptions& options) {
    SvgPicture(out, drawing, options).write(title);
}

}   // namespace bp::render
