// The plan sheet as an ASCII DXF file of release 12: sheet feet (the plane
// frame, or project coordinates when the problem is tied), one layer per
// kind of item, the linetypes of the legend defined in the file with their
// dashes in inches of paper ($LTSCALE is the plot scale), markers as
// CIRCLEs, arcs as ARCs, polylines as POLYLINEs, texts as TEXTs whose
// height is 0.1 inch at the stated plot scale.
#include <algorithm>
#include <cmath>
#include <numbers>

#include <fmt/format.h>
#include <fmt/ostream.h>

#include "drawing/plan_sheet.hpp"
#include "drawing/plan_writers.hpp"

namespace bp::drawing {
namespace {

std::string layerOf(Layer l) {
    std::string s(layerName(l));
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

struct Linetype {
    std::string_view name, description;
    std::array<double, 6> pattern;   // inches; dashes positive, gaps negative
    int count;
};

constexpr Linetype LINETYPES[] = {
    {"CONTINUOUS", "Solid line", {}, 0},
    {"CENTER", "Center ____ _ ____ _", {0.5, -0.1, 0.1, -0.1}, 4},
    {"DASHED", "Dashed __ __ __", {0.2, -0.1}, 2},
    {"PHANTOM", "Phantom ____ _ _ ____", {0.5, -0.1, 0.1, -0.1, 0.1, -0.1}, 6},
};

std::string_view linetypeOf(LineStyle s) { return LINETYPES[static_cast<int>(s)].name; }

int colourOf(Pen p) {
    switch (p) {
    case Pen::Mainline: return 1;
    case Pen::Straight: return 7;
    case Pen::Circle: return 5;
    case Pen::Spiral: return 6;
    case Pen::FollowsMainline: return 3;
    case Pen::Bent: return 30;
    case Pen::TLine: return 4;
    case Pen::Point: return 7;
    case Pen::BentPoint: return 30;
    case Pen::Request: return 3;
    case Pen::Text: return 7;
    case Pen::Leader: return 8;
    case Pen::Frame: return 7;
    }
    return 7;
}

double degrees(double radians) {
    double d = std::fmod(radians * 180.0 / std::numbers::pi, 360.0);
    return d < 0 ? d + 360.0 : d;
}

// Printable ASCII; the degree sign becomes the "%%d" code.
std::string dxfText(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c == 0xc2 && i + 1 < s.size() && static_cast<unsigned char>(s[i + 1]) == 0xb0) {
            out += "%%d";
            ++i;
        } else {
            out += (c >= 0x20 && c < 0x7f) ? static_cast<char>(c) : '?';
        }
    }
    return out;
}

class DxfSheet {
public:
    DxfSheet(std::ostream& out, const Sheet& sheet, double scale) : out_(out), sheet_(sheet), scale_(scale) {}

    void write(const PlanProblem& p) {
        code(999, dxfText(fmt::format("bridgeplan plan of problem {}: {}", p.number, p.title)));
        code(999, "sheet coordinates in feet");
        header();
        tables();
        section("BLOCKS");
        code(0, "ENDSEC");
        section("ENTITIES");
        for (const SheetItem& it : sheet_.items) entity(it);
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
    void point(int group, XY p) {
        real(group, p.x);
        real(group + 10, p.y);
        real(group + 20, 0);
    }
    void section(std::string_view name) {
        code(0, "SECTION");
        code(2, name);
    }

    void header() {
        Box e = sheet_.frame;
        for (const SheetItem& it : sheet_.items)
            for (XY q : it.points) e.add(q);
        section("HEADER");
        code(9, "$ACADVER");
        code(1, "AC1009");
        code(9, "$INSBASE");
        point(10, {0, 0});
        code(9, "$EXTMIN");
        point(10, {e.x0, e.y0});
        code(9, "$EXTMAX");
        point(10, {e.x1, e.y1});
        code(9, "$LTSCALE");
        real(40, scale_);
        code(9, "$TEXTSIZE");
        real(40, sheet_.textHeight);
        code(0, "ENDSEC");
    }

    void tables() {
        section("TABLES");
        code(0, "TABLE");
        code(2, "LTYPE");
        code(70, int(std::size(LINETYPES)));
        for (const Linetype& t : LINETYPES) {
            double total = 0;
            for (int i = 0; i < t.count; ++i) total += std::fabs(t.pattern[i]);
            code(0, "LTYPE");
            code(2, t.name);
            code(70, 0);
            code(3, t.description);
            code(72, 65);
            code(73, t.count);
            real(40, total);
            for (int i = 0; i < t.count; ++i) real(49, t.pattern[i]);
        }
        code(0, "ENDTAB");
        code(0, "TABLE");
        code(2, "LAYER");
        code(70, int(LAYER_NAMES.size()) + 1);
        layer("0", "CONTINUOUS", 7);
        for (std::size_t l = 0; l < LAYER_NAMES.size(); ++l) {
            const Layer k = static_cast<Layer>(l);
            layer(layerOf(k),
                  k == Layer::Alignment ? "CENTER"
                  : k == Layer::Bents   ? "PHANTOM"
                  : k == Layer::TLines  ? "DASHED"
                                        : "CONTINUOUS",
                  k == Layer::Alignment ? 1 : 7);
        }
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
        real(42, sheet_.textHeight);
        code(3, "txt");
        code(4, "");
        code(0, "ENDTAB");
        code(0, "ENDSEC");
    }

    void layer(std::string_view name, std::string_view linetype, int colour) {
        code(0, "LAYER");
        code(2, name);
        code(70, 0);
        code(62, colour);
        code(6, linetype);
    }

    void common(std::string_view kind, const SheetItem& it) {
        code(0, kind);
        code(8, layerOf(it.layer));
        code(6, linetypeOf(it.style));
        code(62, colourOf(it.pen));
    }

    void entity(const SheetItem& it) {
        switch (it.kind) {
        case SheetItem::Kind::Line:
            common("LINE", it);
            point(10, it.points[0]);
            point(11, it.points[1]);
            break;
        case SheetItem::Kind::Polyline:
            common("POLYLINE", it);
            code(66, 1);
            point(10, {0, 0});
            code(70, 0);
            for (XY q : it.points) {
                code(0, "VERTEX");
                code(8, layerOf(it.layer));
                point(10, q);
            }
            code(0, "SEQEND");
            code(8, layerOf(it.layer));
            break;
        case SheetItem::Kind::Arc:
            common("ARC", it);
            point(10, it.centre);
            real(40, it.radius);
            real(50, degrees(it.startAngle));
            real(51, degrees(it.endAngle));
            break;
        case SheetItem::Kind::Marker:
            common("CIRCLE", it);
            point(10, it.points[0]);
            real(40, it.radius);
            break;
        case SheetItem::Kind::Text:
            common("TEXT", it);
            point(10, it.points[0]);
            real(40, it.height);
            code(1, dxfText(it.text));
            if (it.angle != 0) real(50, degrees(it.angle));
            code(7, "STANDARD");
            if (it.anchor != Anchor::Start) {
                code(72, it.anchor == Anchor::Middle ? 1 : 2);
                point(11, it.points[0]);
            }
            break;
        }
    }

    std::ostream& out_;
    const Sheet& sheet_;
    double scale_;
};

}   // namespace

double dxfPlotScale(const PlanProblem& p) {
    const Box f = bridgeFrame(p);
    for (double s : {10.0, 20.0, 30.0, 40.0, 50.0, 60.0, 100.0, 200.0, 500.0, 1000.0})
        if (f.width() <= 30.0 * s && f.height() <= 20.0 * s) return s;
    return 2000.0;
}

void writePlanDxf(std::ostream& out, const PlanProblem& p) {
    const double scale = dxfPlotScale(p);
    SheetStyle style;
    style.textHeight = DXF_TEXT_INCHES * scale;
    style.scaleNote = fmt::format("1 IN = {:g} FT", scale);
    const Sheet sheet = composeSheet(p, style);
    DxfSheet(out, sheet, scale).write(p);
}

}   // namespace bp::drawing
