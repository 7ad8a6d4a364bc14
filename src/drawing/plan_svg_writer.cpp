// The plan sheet as SVG. Pixels: px = (X - x0) k, py = (y1 - Y) k for a
// sheet point (X, Y) in feet, k pixels per foot; the root element states k,
// x0 and y1 (data-scale, data-origin) so that a reader can go back to feet.
// Layers are groups with ids; the mainline and the stations are clipped to
// the bridge's frame.
#include <cmath>
#include <numbers>

#include <fmt/format.h>
#include <fmt/ostream.h>

#include "drawing/plan_sheet.hpp"
#include "drawing/plan_writers.hpp"
#include "drawing/sheet_frame.hpp"

namespace bp::drawing {
namespace {

struct PenLook {
    std::string_view colour;
    double width;   // px
};

PenLook lookOf(Pen p) {
    switch (p) {
    case Pen::Mainline: return {"#c00000", 1.2};
    case Pen::Straight: return {"#000000", 1.2};
    case Pen::Circle: return {"#0050c0", 1.2};
    case Pen::Spiral: return {"#a000a0", 1.2};
    case Pen::FollowsMainline: return {"#007030", 1.2};
    case Pen::Bent: return {"#8a5a00", 1.6};
    case Pen::TLine: return {"#406080", 0.9};
    case Pen::Point: return {"#000000", 0.8};
    case Pen::BentPoint: return {"#c05000", 0.8};
    case Pen::Request: return {"#007000", 1.0};
    case Pen::Text: return {"#000000", 0};
    case Pen::Leader: return {"#909090", 0.6};
    case Pen::Frame: return {"#000000", 1.0};
    }
    return {"#000000", 1};
}

std::string_view dashOf(LineStyle s) {
    switch (s) {
    case LineStyle::Continuous: return "";
    case LineStyle::Center: return " stroke-dasharray=\"18 4 4 4\"";
    case LineStyle::Dashed: return " stroke-dasharray=\"7 4\"";
    case LineStyle::Phantom: return " stroke-dasharray=\"20 4 4 4 4 4\"";
    }
    return "";
}

std::string escaped(std::string_view s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += (static_cast<unsigned char>(c) < 0x20) ? ' ' : c;
        }
    }
    return out;
}

class SvgSheet {
public:
    SvgSheet(std::ostream& out, const Sheet& sheet, double k) : out_(out), sheet_(sheet), k_(k) {
        Box all = sheet.extent.grown(2 * sheet.textHeight);
        // Room for the title texts to run on to the right.
        all.x1 = std::max(all.x1, all.x0 + 70 * sheet.textHeight);
        x0_ = all.x0;
        y1_ = all.y1;
        width_ = all.width() * k;
        height_ = all.height() * k;
    }

    void write(const PlanProblem& p) {
        fmt::print(out_,
                   "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                   "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"{0:.0f}\" height=\"{1:.0f}\" "
                   "viewBox=\"0 0 {0:.0f} {1:.0f}\" data-scale=\"{2:.10g}\" data-origin=\"{3:.6f} {4:.6f}\" "
                   "data-frame=\"{5}\" data-mirror=\"{6:g}\">\n",
                   std::ceil(width_), std::ceil(height_), k_, x0_, y1_,
                   sheetFrameOf(p).projectCoordinates() ? "project" : "plane", p.mirror);
        fmt::print(out_, "<title>{}</title>\n",
                   escaped(fmt::format("Problem {} plan: {}", p.number, p.title)));
        const Box& f = sheet_.frame;
        fmt::print(out_,
                   "<defs><clipPath id=\"bridge-frame\"><rect x=\"{:.4f}\" y=\"{:.4f}\" width=\"{:.4f}\" "
                   "height=\"{:.4f}\"/></clipPath></defs>\n",
                   px(f.x0), py(f.y1), f.width() * k_, f.height() * k_);
        fmt::print(out_, "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n");
        fmt::print(
            out_,
            "<rect id=\"frame\" x=\"{:.4f}\" y=\"{:.4f}\" width=\"{:.4f}\" height=\"{:.4f}\" fill=\"none\" "
            "stroke=\"#c8c8c8\" stroke-width=\"0.8\"/>\n",
            px(f.x0), py(f.y1), f.width() * k_, f.height() * k_);
        for (std::size_t l = 0; l < LAYER_NAMES.size(); ++l) {
            const Layer layer = static_cast<Layer>(l);
            const bool clipped = layer == Layer::Alignment || layer == Layer::Stations;
            fmt::print(out_, "<g id=\"{}\"{} font-family=\"DejaVu Sans Mono, monospace\">\n", LAYER_NAMES[l],
                       clipped ? " clip-path=\"url(#bridge-frame)\"" : "");
            for (const SheetItem& it : sheet_.items)
                if (it.layer == layer) item(it);
            out_ << "</g>\n";
        }
        out_ << "</svg>\n";
    }

private:
    double px(double x) const { return (x - x0_) * k_; }
    double py(double y) const { return (y1_ - y) * k_; }

    void attributes(const SheetItem& it, bool filled) {
        const PenLook look = lookOf(it.pen);
        if (!it.role.empty()) fmt::print(out_, " class=\"{}\"", it.role);
        if (it.span >= 0) fmt::print(out_, " data-span=\"{}\"", it.span);
        if (filled)
            fmt::print(out_, " fill=\"{}\" stroke=\"none\"", look.colour);
        else
            fmt::print(out_, " fill=\"none\" stroke=\"{}\" stroke-width=\"{}\"{}", look.colour,
                       it.heavy ? 2 * look.width : look.width, dashOf(it.style));
    }

    void close(const SheetItem& it, std::string_view tag) {
        if (it.tooltip.empty()) {
            out_ << "/>\n";
            return;
        }
        fmt::print(out_, "><title>{}</title></{}>\n", escaped(it.tooltip), tag);
    }

    void item(const SheetItem& it) {
        switch (it.kind) {
        case SheetItem::Kind::Line:
            out_ << "<line";
            attributes(it, false);
            fmt::print(out_, " x1=\"{:.4f}\" y1=\"{:.4f}\" x2=\"{:.4f}\" y2=\"{:.4f}\"", px(it.points[0].x),
                       py(it.points[0].y), px(it.points[1].x), py(it.points[1].y));
            close(it, "line");
            break;
        case SheetItem::Kind::Polyline: {
            out_ << "<polyline";
            attributes(it, false);
            out_ << " points=\"";
            for (std::size_t i = 0; i < it.points.size(); ++i)
                fmt::print(out_, "{}{:.4f},{:.4f}", i ? " " : "", px(it.points[i].x), py(it.points[i].y));
            out_ << '"';
            close(it, "polyline");
            break;
        }
        case SheetItem::Kind::Arc: {
            // From the first end to the second, as the line runs. Clockwise
            // on the sheet is clockwise on the screen too, where Y points
            // down: the SVG sweep flag 1.
            const double sweep = it.endAngle - it.startAngle;
            const XY a = it.points[0], b = it.points[1];
            out_ << "<path";
            attributes(it, false);
            fmt::print(out_, " d=\"M {:.4f} {:.4f} A {:.4f} {:.4f} 0 {} {} {:.4f} {:.4f}\"", px(a.x), py(a.y),
                       it.radius * k_, it.radius * k_, sweep > std::numbers::pi ? 1 : 0, it.clockwise ? 1 : 0,
                       px(b.x), py(b.y));
            fmt::print(out_, " data-centre=\"{:.6f} {:.6f}\" data-radius=\"{:.6f}\"", it.centre.x,
                       it.centre.y, it.radius);
            close(it, "path");
            break;
        }
        case SheetItem::Kind::Marker: {
            const bool request = it.pen == Pen::Request;
            out_ << (request ? "<rect" : "<circle");
            attributes(it, !request);
            const double r = std::max(it.radius * k_, 1.6);
            if (request) {
                fmt::print(out_, " x=\"{:.4f}\" y=\"{:.4f}\" width=\"{:.4f}\" height=\"{:.4f}\"",
                           px(it.points[0].x) - r, py(it.points[0].y) - r, 2 * r, 2 * r);
            } else {
                fmt::print(out_, " cx=\"{:.4f}\" cy=\"{:.4f}\" r=\"{:.3f}\"", px(it.points[0].x),
                           py(it.points[0].y), r);
            }
            close(it, request ? "rect" : "circle");
            break;
        }
        case SheetItem::Kind::Text: {
            out_ << "<text";
            attributes(it, true);
            const double x = px(it.points[0].x), y = py(it.points[0].y);
            fmt::print(out_, " x=\"{:.3f}\" y=\"{:.3f}\" font-size=\"{:.2f}\"", x, y, it.height * k_);
            if (it.anchor != Anchor::Start)
                fmt::print(out_, " text-anchor=\"{}\"", it.anchor == Anchor::Middle ? "middle" : "end");
            if (it.angle != 0)
                fmt::print(out_, " transform=\"rotate({:.4f} {:.3f} {:.3f})\"",
                           -it.angle * 180 / std::numbers::pi, x, y);
            out_ << '>' << escaped(it.text);
            if (!it.tooltip.empty()) fmt::print(out_, "<title>{}</title>", escaped(it.tooltip));
            out_ << "</text>\n";
            break;
        }
        }
    }

    std::ostream& out_;
    const Sheet& sheet_;
    double k_;
    double x0_ = 0, y1_ = 0, width_ = 0, height_ = 0;
};

}   // namespace

double svgScale(const PlanProblem& p) {
    const Box f = bridgeFrame(p);
    double k = 1500.0 / std::max(f.width(), 1.0);
    if (f.height() * k > 2400.0) k = 2400.0 / f.height();
    return std::max(k, 2.5);
}

void writePlanSvg(std::ostream& out, const PlanProblem& p) {
    const double k = svgScale(p);
    SheetStyle style;
    style.textHeight = SVG_LABEL_PIXELS / k;
    const Sheet sheet = composeSheet(p, style);
    SvgSheet(out, sheet, k).write(p);
}

}   // namespace bp::drawing
