// Composition of the plan sheet. All sizes follow the elevation label's
// text height h: station ticks h and 2h, markers 0.3h across, bent lines
// 3h beyond the outer lines, other texts 1.1h to 1.6h.
#include "drawing/plan_sheet.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <fmt/format.h>

#include "drawing/sheet_frame.hpp"

namespace bp::drawing {
namespace {

constexpr double HALF_TURN = std::numbers::pi;
// Character width of the monospaced label font, in text heights, and the
// box of a line of text about its baseline (ascent and descent included).
constexpr double GLYPH_WIDTH = 0.62;
constexpr double BOX_BELOW = 0.28, BOX_ABOVE = 0.96;

double textWidth(std::string_view s, double h) { return GLYPH_WIDTH * h * double(s.size()); }

// A direction turned so that text along it reads left to right.
double readable(double a) {
    a = std::remainder(a, 2 * HALF_TURN);
    if (a > HALF_TURN / 2 + 1e-9) a -= HALF_TURN;
    if (a < -HALF_TURN / 2 - 1e-9) a += HALF_TURN;
    return a;
}

XY along(XY p, double a, double d) { return {p.x + d * std::cos(a), p.y + d * std::sin(a)}; }

std::string trimmed(std::string_view s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

// Axis-aligned box of a text (origin on the baseline, direction a).
Box textBox(const SheetItem& t) {
    const double w = textWidth(t.text, t.height);
    const double shift = t.anchor == Anchor::Start ? 0 : t.anchor == Anchor::Middle ? -w / 2 : -w;
    const double c = std::cos(t.angle), s = std::sin(t.angle);
    Box b = Box::none();
    for (double u : {shift, shift + w})
        for (double v : {-BOX_BELOW * t.height, BOX_ABOVE * t.height})
            b.add(XY{t.points[0].x + u * c - v * s, t.points[0].y + u * s + v * c});
    return b;
}

class Composer {
public:
    Composer(const PlanProblem& p, const SheetStyle& style)
        : p_(p), frame_(sheetFrameOf(p)), h_(style.textHeight), style_(style) {
        sheet_.textHeight = h_;
    }

    Sheet compose() {
        sheet_.frame = bridgeFrame(p_);
        mainline();
        spans();
        requests();
        elevationLabels();
        titleBlock();
        // Everything but the mainline and its stations, which the frame clips.
        sheet_.extent = sheet_.frame;
        for (const SheetItem& it : sheet_.items) {
            if (it.layer == Layer::Alignment || it.layer == Layer::Stations) continue;
            if (it.kind == SheetItem::Kind::Text)
                sheet_.extent.add(textBox(it));
            else
                for (XY q : it.points) sheet_.extent.add(q);
        }
        return std::move(sheet_);
    }

private:
    SheetItem& add(SheetItem::Kind kind, Layer layer, Pen pen, LineStyle style = LineStyle::Continuous) {
        SheetItem& it = sheet_.items.emplace_back();
        it.kind = kind;
        it.layer = layer;
        it.pen = pen;
        it.style = style;
        return it;
    }

    void line(Layer layer, Pen pen, LineStyle style, XY a, XY b, std::string role = {}) {
        SheetItem& it = add(SheetItem::Kind::Line, layer, pen, style);
        it.points = {a, b};
        it.role = std::move(role);
    }

    SheetItem& text(Layer layer, XY at, double height, double angle, Anchor anchor, std::string s,
                    std::string role = {}) {
        SheetItem& it = add(SheetItem::Kind::Text, layer, Pen::Text);
        it.points = {at};
        it.height = height;
        it.angle = angle;
        it.anchor = anchor;
        it.text = std::move(s);
        it.role = std::move(role);
        fixed_.push_back(textBox(it));
        return it;
    }

    // A plane-frame stroke on the sheet.
    void stroke(const Stroke& s, Layer layer, Pen pen, LineStyle style, std::string role) {
        switch (s.kind) {
        case Stroke::Kind::Straight:
            line(layer, pen, style, frame_.toSheet(s.points[0]), frame_.toSheet(s.points[1]), role);
            break;
        case Stroke::Kind::Polyline: {
            SheetItem& it = add(SheetItem::Kind::Polyline, layer, pen, style);
            for (XY q : s.points) it.points.push_back(frame_.toSheet(q));
            it.role = std::move(role);
            break;
        }
        case Stroke::Kind::Arc: {
            SheetItem& it = add(SheetItem::Kind::Arc, layer, pen, style);
            it.centre = frame_.toSheet(s.centre);
            it.radius = s.radius;
            const XY a = frame_.toSheet(s.points[0]), b = frame_.toSheet(s.points[1]);
            const double aa = std::atan2(a.y - it.centre.y, a.x - it.centre.x);
            const double ab = std::atan2(b.y - it.centre.y, b.x - it.centre.x);
            // Counter-clockwise on the sheet from start to end.
            const bool cw = frame_.clockwiseOnSheet(s.clockwise);
            it.clockwise = cw;
            it.startAngle = cw ? ab : aa;
            it.endAngle = cw ? aa : ab;
            if (it.endAngle < it.startAngle) it.endAngle += 2 * HALF_TURN;
            it.points = {a, b};
            it.role = std::move(role);
            break;
        }
        }
    }

    void mainline() {
        for (const MainlinePiece& m : p_.mainline)
            stroke(m.stroke, Layer::Alignment, Pen::Mainline, LineStyle::Center, "mainline");
        for (const StationTick& t : p_.ticks) {
            const XY at = frame_.toSheet(t.at);
            const double n = frame_.angleOnSheet(t.normal);
            const double len = t.major ? 2 * h_ : h_;
            line(Layer::Stations, Pen::Mainline, LineStyle::Continuous, along(at, n, len), along(at, n, -len),
                 t.major ? "major-tick" : "minor-tick");
            if (!t.major) continue;
            // Station labels on the right of the road, along the tick.
            const double a = readable(n);
            const XY origin = along(at, n, -(len + 0.4 * h_));
            const bool outward = std::cos(a - (n + HALF_TURN)) > 0;
            text(Layer::Stations, origin, 1.1 * h_, a, outward ? Anchor::Start : Anchor::End,
                 stationText(t.station), "station");
        }
        const auto markStation = [&](std::optional<double> s, std::string_view name) {
            if (!s || *s < p_.backStation || *s > p_.aheadStation) return;
            for (const MainlinePiece& m : p_.mainline) {
                const XY* q = nullptr;
                if (m.beginStation == *s)
                    q = &m.stroke.points.front();
                else if (m.endStation == *s)
                    q = &m.stroke.points.back();
                if (!q) continue;
                const XY at = frame_.toSheet(*q);
                const Box& f = sheet_.frame;
                if (at.x < f.x0 || at.x > f.x1 || at.y < f.y0 || at.y > f.y1) return;
                marker(Layer::Alignment, Pen::Mainline, frame_.toSheet(*q), "curve-point",
                       fmt::format("{} {}", name, stationText(*s)));
                names_.push_back({frame_.toSheet(*q),
                                  fmt::format("{} {}", name, stationText(*s)),
                                  -1,
                                  {},
                                  Layer::Alignment,
                                  "curve-point"});
                return;
            }
        };
        markStation(p_.pcStation, "P.C.");
        markStation(p_.ptStation, "P.T.");
        if (p_.curveCentre) {
            const XY c = frame_.toSheet(*p_.curveCentre);
            line(Layer::Alignment, Pen::Mainline, LineStyle::Continuous, {c.x - h_, c.y}, {c.x + h_, c.y},
                 "centre");
            line(Layer::Alignment, Pen::Mainline, LineStyle::Continuous, {c.x, c.y - h_}, {c.x, c.y + h_},
                 "centre");
            text(Layer::Alignment, {c.x + 0.6 * h_, c.y + 0.6 * h_}, 1.2 * h_, 0, Anchor::Start,
                 "CURVE CENTRE", "centre");
        }
    }

    void marker(Layer layer, Pen pen, XY at, std::string role, std::string tooltip, int span = -1) {
        SheetItem& it = add(SheetItem::Kind::Marker, layer, pen);
        it.points = {at};
        it.radius = 0.3 * h_;
        it.role = std::move(role);
        it.tooltip = std::move(tooltip);
        it.span = span;
        markers_.push_back(Box{at.x - it.radius, at.y - it.radius, at.x + it.radius, at.y + it.radius});
    }

    static Pen penOf(const PlanLine& l) {
        switch (l.shape) {
        case LineShape::Straight: return Pen::Straight;
        case LineShape::Circle: return Pen::Circle;
        case LineShape::Spiral: return Pen::Spiral;
        case LineShape::FollowsMainline: return Pen::FollowsMainline;
        }
        return Pen::Straight;
    }

    void spans() {
        std::vector<std::string> bentsDrawn;
        std::vector<int> linesNamed;
        for (std::size_t si = 0; si < p_.spans.size(); ++si) {
            const PlanSpan& sp = p_.spans[si];
            if (si > 0 && sp.lines.size() != p_.spans[si - 1].lines.size()) linesNamed.clear();
            for (const PlanLine& l : sp.lines) {
                for (const Stroke& s : l.strokes) {
                    stroke(s, Layer::Lines, penOf(l),
                           l.plotMark == 'S' ? LineStyle::Dashed : LineStyle::Continuous,
                           fmt::format("line-{}", l.number));
                    sheet_.items.back().heavy = l.plotMark == 'E';
                }
                if (l.strokes.empty() ||
                    std::find(linesNamed.begin(), linesNamed.end(), l.number) != linesNamed.end())
                    continue;
                linesNamed.push_back(l.number);
                // The line's name before its back end, along its first piece.
                const Stroke& s = l.strokes.front();
                const XY a = frame_.toSheet(s.points[0]);
                const XY b = frame_.toSheet(s.kind == Stroke::Kind::Arc ? s.points[1] : s.points[1]);
                double dir = std::atan2(b.y - a.y, b.x - a.x);
                if (s.kind == Stroke::Kind::Arc) {
                    const XY c = frame_.toSheet(s.centre);
                    const double radial = std::atan2(a.y - c.y, a.x - c.x);
                    dir = radial + (frame_.clockwiseOnSheet(s.clockwise) ? -HALF_TURN / 2 : HALF_TURN / 2);
                }
                const double r = readable(dir);
                const bool forward = std::cos(r - dir) > 0;
                const std::string name = trimmed(fmt::format("{} {}", l.number, l.remarks));
                text(Layer::Lines, along(a, dir, -4 * h_), 1.1 * h_, r, forward ? Anchor::End : Anchor::Start,
                     name, "line-name");
            }
            for (const PlanBent& b : sp.bents) {
                const std::string key = fmt::format("{}@{:.4f}", b.number, b.station);
                if (std::find(bentsDrawn.begin(), bentsDrawn.end(), key) != bentsDrawn.end()) continue;
                bentsDrawn.push_back(key);
                const XY f = frame_.toSheet(b.from), t = frame_.toSheet(b.to);
                line(Layer::Bents, Pen::Bent, LineStyle::Phantom, f, t, "bent");
                bentLines_.push_back({f, t});
                const XY top = f.y > t.y ? f : t;
                text(Layer::Bents, along(top, HALF_TURN / 2, 2.6 * h_), 1.2 * h_, 0, Anchor::Middle,
                     trimmed(fmt::format("BENT {} {}", trimmed(b.number), b.type)), "bent");
                text(Layer::Bents, along(top, HALF_TURN / 2, 1.0 * h_), 1.1 * h_, 0, Anchor::Middle,
                     fmt::format("STA {} SKEW {}", stationText(b.station), dmsText(b.skewRadians)), "bent");
            }
            for (const PlanTLine& t : sp.tlines) {
                if (t.points.size() < 2) continue;
                SheetItem& it = add(SheetItem::Kind::Polyline, Layer::TLines, Pen::TLine, LineStyle::Dashed);
                for (XY q : t.points) it.points.push_back(frame_.toSheet(q));
                it.role = fmt::format("tline-{}", t.number);
                const XY low =
                    it.points.front().y < it.points.back().y ? it.points.front() : it.points.back();
                names_.push_back({low,
                                  trimmed(fmt::format("T{} {} {}", t.number, t.type, t.remarks)),
                                  -1,
                                  {},
                                  Layer::TLines,
                                  "tline"});
            }
            spanLength(sp);
            for (const PlanRow& row : sp.rows) {
                const XY at = frame_.toSheet({row.x, row.y});
                marker(Layer::Points, row.kind == 'B' ? Pen::BentPoint : Pen::Point, at, "point",
                       rowText(row), int(si));
                elevations_.push_back({at,
                                       fmt::format("{:.3f}{}", row.elevation, row.edgeMark == '*' ? "*" : ""),
                                       int(si), rowText(row), Layer::Labels, "elevation"});
            }
        }
    }

    // The span length along the mainline between the bents, on the left of the road.
    void spanLength(const PlanSpan& sp) {
        if (sp.bents.size() != 2) return;
        const double s0 = sp.bents[0].station, s1 = sp.bents[1].station;
        const XY at = frame_.toSheet(sp.middle);
        const double n = frame_.angleOnSheet(sp.middleNormal);
        text(Layer::Stations, along(at, n, 1.4 * h_), 1.2 * h_, readable(n - HALF_TURN / 2), Anchor::Middle,
             fmt::format("SPAN {}  {:.2f} FT", trimmed(sp.id), s1 - s0), "span-length");
    }

    void requests() {
        for (const PlanRow& r : p_.requests) {
            const XY at = frame_.toSheet({r.x, r.y});
            marker(Layer::Requests, Pen::Request, at, "request", rowText(r));
            names_.push_back({at, trimmed(fmt::format("{} {}", trimmed(r.number), r.type)), -1, rowText(r),
                              Layer::Labels, "request-name"});
        }
    }

    // Elevation labels and request names placed clear of each other, of the
    // markers, of the fixed texts and of the bent lines.
    void elevationLabels() {
        LabelPlacer placer(4 * h_);
        for (const Box& b : markers_) placer.holdClear(b);
        for (const Box& b : fixed_) placer.holdClear(b);
        for (const auto& [a, b] : bentLines_) placer.holdClear(a, b);
        std::vector<LabelRequest> requests;
        std::vector<const Label*> labels;
        for (const auto* list : {&names_, &elevations_})
            for (const Label& l : *list) {
                const double hh = list == &names_ ? 1.2 * h_ : h_;
                requests.push_back(
                    {l.at, textWidth(l.text, hh) + 0.1 * h_, (BOX_ABOVE + BOX_BELOW) * hh + 0.1 * h_});
                labels.push_back(&l);
            }
        const std::vector<LabelPlace> places = placer.place(requests);
        for (std::size_t i = 0; i < places.size(); ++i) {
            const Label& l = *labels[i];
            const bool name = l.span < 0;
            const double hh = name ? 1.2 * h_ : h_;
            const Box& b = places[i].box;
            if (places[i].leader) {
                // From the point to the nearest point of the label's box.
                const XY to{std::clamp(l.at.x, b.x0, b.x1), std::clamp(l.at.y, b.y0, b.y1)};
                SheetItem& it = add(SheetItem::Kind::Line, Layer::Labels, Pen::Leader);
                it.points = {l.at, to};
                it.role = "leader";
                it.span = l.span;
            }
            SheetItem& t = add(SheetItem::Kind::Text, l.layer, Pen::Text);
            t.points = {XY{b.x0 + 0.05 * h_, b.y0 + 0.05 * h_ + BOX_BELOW * hh}};
            t.height = hh;
            t.text = l.text;
            t.role = std::string(l.role);
            t.span = l.span;
            t.tooltip = l.tooltip;
        }
    }

    // Below the frame: title, run date, frame note, scale bar, axes or
    // north arrow, legend.
    void titleBlock() {
        const Box f = sheet_.frame;
        const double big = 2.0 * h_, mid = 1.3 * h_;
        double y = f.y0 - 3 * big;
        const double x = f.x0;
        text(Layer::Title, {x, y}, big, 0, Anchor::Start,
             trimmed(fmt::format("PROBLEM {}   {}", p_.number, p_.title)), "title");
        y -= 1.6 * mid;
        text(Layer::Title, {x, y}, mid, 0, Anchor::Start,
             fmt::format("PLAN OF BRIDGE LAYOUT FROM THE COMPUTED GEOMETRY   RUN {}", p_.date), "date");
        y -= 1.6 * mid;
        std::string note =
            frame_.projectCoordinates()
                ? (frame_.project->coordinateSystem().empty()
                       ? std::string("PROJECT COORDINATES, FEET")
                       : "PROJECT COORDINATES, FEET, " + frame_.project->coordinateSystem())
                : (frame_.mirror < 0 ? "PLANE FRAME, FEET; ROAD \"L\" DRAWN AS THE REAL ROAD (Y MIRRORED)"
                                     : "PLANE FRAME, FEET");
        if (!style_.scaleNote.empty()) note += "   SCALE " + style_.scaleNote;
        text(Layer::Title, {x, y}, mid, 0, Anchor::Start, note, "frame");
        if (p_.curveCentre && !p_.mainline.empty()) {
            for (const MainlinePiece& m : p_.mainline)
                if (m.stroke.kind == Stroke::Kind::Arc) {
                    y -= 1.6 * mid;
                    std::string centre =
                        fmt::format("X {:.4f} Y {:.4f}", p_.curveCentre->x, p_.curveCentre->y);
                    if (frame_.projectCoordinates()) {
                        const GridPoint g = frame_.project->toProject(p_.curveCentre->x, p_.curveCentre->y);
                        centre = fmt::format("N {:.4f} E {:.4f}", g.northing, g.easting);
                    }
                    text(Layer::Title, {x, y}, mid, 0, Anchor::Start,
                         fmt::format("CURVE R = {:.2f} FT, CENTRE {}", m.stroke.radius, centre), "curve");
                    break;
                }
        }
        if (p_.errorNumber != 0) {
            y -= 1.6 * mid;
            text(Layer::Title, {x, y}, mid, 0, Anchor::Start,
                 fmt::format("PROBLEM ABANDONED WITH ERROR {}: THE PLAN STOPS WHERE THE RUN STOPPED",
                             p_.errorNumber),
                 "error");
        }
        y -= 3 * mid;
        scaleBar({x, y});
        axes({x + 0.55 * std::max(f.width(), 60 * h_), y});
        y -= 4 * mid;
        legend({x, y});
    }

    void scaleBar(XY at) {
        // A round length near a fifth of the frame's width.
        const double target = sheet_.frame.width() / 5;
        double unit = std::pow(10.0, std::floor(std::log10(std::max(target, 1.0))));
        for (double k : {5.0, 2.0, 1.0})
            if (k * unit <= target) {
                unit *= k;
                break;
            }
        line(Layer::Title, Pen::Frame, LineStyle::Continuous, at, {at.x + unit, at.y}, "scale-bar");
        for (int i = 0; i <= 4; ++i) {
            const double x = at.x + unit * i / 4;
            line(Layer::Title, Pen::Frame, LineStyle::Continuous, {x, at.y},
                 {x, at.y + (i % 2 ? 0.5 : 1.0) * h_}, "scale-bar");
        }
        text(Layer::Title, {at.x, at.y - 1.5 * h_}, 1.1 * h_, 0, Anchor::Start, "0", "scale-bar");
        text(Layer::Title, {at.x + unit, at.y - 1.5 * h_}, 1.1 * h_, 0, Anchor::Middle,
             fmt::format("{:g} FT", unit), "scale-bar");
    }

    void axes(XY at) {
        const double len = 5 * h_;
        const XY e{at.x + len, at.y}, n{at.x, at.y + len};
        line(Layer::Title, Pen::Frame, LineStyle::Continuous, at, e, "axes");
        line(Layer::Title, Pen::Frame, LineStyle::Continuous, at, n, "axes");
        for (auto [tip, a] : {std::pair{e, 0.0}, std::pair{n, HALF_TURN / 2}}) {
            line(Layer::Title, Pen::Frame, LineStyle::Continuous, tip, along(tip, a + HALF_TURN - 0.4, h_),
                 "axes");
            line(Layer::Title, Pen::Frame, LineStyle::Continuous, tip, along(tip, a + HALF_TURN + 0.4, h_),
                 "axes");
        }
        text(Layer::Title, along(e, 0, 0.5 * h_), 1.2 * h_, 0, Anchor::Start, std::string(frame_.eastName()),
             "axes");
        text(Layer::Title, along(n, HALF_TURN / 2, 0.5 * h_), 1.2 * h_, 0, Anchor::Middle,
             std::string(frame_.northName()), "axes");
    }

    void legend(XY at) {
        struct Entry {
            Pen pen;
            LineStyle style;
            std::string_view name;
        };
        static constexpr Entry ENTRIES[] = {
            {Pen::Mainline, LineStyle::Center, "MAINLINE"},
            {Pen::Straight, LineStyle::Continuous, "STRAIGHT LINE OR CHORD"},
            {Pen::Circle, LineStyle::Continuous, "CIRCLE"},
            {Pen::Spiral, LineStyle::Continuous, "SPIRAL"},
            {Pen::FollowsMainline, LineStyle::Continuous, "FOLLOWS THE MAINLINE"},
            {Pen::Straight, LineStyle::Continuous, "DECK EDGE (E)"},
            {Pen::Straight, LineStyle::Dashed, "RAIL (S)"},
            {Pen::Bent, LineStyle::Phantom, "BENT"},
            {Pen::TLine, LineStyle::Dashed, "T-LINE"},
        };
        const double colWidth = 22 * h_;
        int i = 0;
        for (const Entry& e : ENTRIES) {
            const XY p{at.x + (i % 3) * colWidth, at.y - (i / 3) * 1.8 * h_};
            line(Layer::Title, e.pen, e.style, p, {p.x + 5 * h_, p.y}, "legend");
            sheet_.items.back().heavy = e.name.starts_with("DECK");
            text(Layer::Title, {p.x + 6 * h_, p.y - 0.4 * h_}, 1.1 * h_, 0, Anchor::Start,
                 std::string(e.name), "legend");
            ++i;
        }
        const XY p{at.x + (i % 3) * colWidth, at.y - (i / 3) * 1.8 * h_};
        SheetItem& m = add(SheetItem::Kind::Marker, Layer::Title, Pen::Point);
        m.points = {XY{p.x + 2.5 * h_, p.y}};
        m.radius = 0.3 * h_;
        m.role = "legend";
        text(Layer::Title, {p.x + 6 * h_, p.y - 0.4 * h_}, 1.1 * h_, 0, Anchor::Start,
             "REPORTED POINT, ELEVATION", "legend");
        ++i;
        const XY q{at.x + (i % 3) * colWidth, at.y - (i / 3) * 1.8 * h_};
        SheetItem& r = add(SheetItem::Kind::Marker, Layer::Title, Pen::Request);
        r.points = {XY{q.x + 2.5 * h_, q.y}};
        r.radius = 0.3 * h_;
        r.role = "legend";
        text(Layer::Title, {q.x + 6 * h_, q.y - 0.4 * h_}, 1.1 * h_, 0, Anchor::Start, "COORDINATE REQUEST",
             "legend");
    }

    struct Label {
        XY at;
        std::string text;
        int span;
        std::string tooltip;
        Layer layer;
        std::string_view role;
    };

    const PlanProblem& p_;
    SheetFrame frame_;
    double h_;
    const SheetStyle& style_;
    Sheet sheet_;
    std::vector<Box> markers_, fixed_;
    std::vector<std::pair<XY, XY>> bentLines_;
    std::vector<Label> elevations_, names_;
};

}   // namespace

Box bridgeFrame(const PlanProblem& p) {
    const SheetFrame f = sheetFrameOf(p);
    Box b = Box::none();
    for (const PlanSpan& s : p.spans) {
        for (const PlanBent& bent : s.bents) {
            b.add(f.toSheet(bent.from));
            b.add(f.toSheet(bent.to));
        }
        for (const PlanLine& l : s.lines)
            for (const Stroke& st : l.strokes)
                for (XY q : st.points) b.add(f.toSheet(q));
        for (const PlanRow& r : s.rows) b.add(f.toSheet({r.x, r.y}));
    }
    for (const PlanRow& r : p.requests) b.add(f.toSheet({r.x, r.y}));
    if (b.empty())
        for (const MainlinePiece& m : p.mainline)
            for (XY q : m.stroke.points) b.add(f.toSheet(q));
    if (b.empty()) b.add(XY{0, 0});
    const double margin = std::max(30.0, 0.12 * std::max(b.width(), b.height()));
    return b.grown(margin);
}

Sheet composeSheet(const PlanProblem& p, const SheetStyle& style) { return Composer(p, style).compose(); }

std::string stationText(double station) {
    const double r = std::round(station * 100.0) / 100.0;
    const bool negative = r < 0;
    const double a = std::fabs(r);
    const long long hundreds = static_cast<long long>(std::floor(a / 100.0 + 1e-9));
    const double rest = a - 100.0 * double(hundreds);
    return fmt::format("{}{}+{:05.2f}", negative ? "-" : "", hundreds, std::max(rest, 0.0));
}

std::string dmsText(double radians) {
    const bool negative = radians < 0;
    long long seconds = std::llround(std::fabs(radians) * 180.0 / HALF_TURN * 3600.0);
    return fmt::format("{}{}\u00b0{:02}'{:02}\"", negative ? "-" : "", seconds / 3600, seconds / 60 % 60,
                       seconds % 60);
}

std::string rowText(const PlanRow& r) {
    std::string s;
    if (r.kind == 'P') {
        s = fmt::format("POINT {} {}", trimmed(r.number), trimmed(r.type));
    } else {
        s = fmt::format("LINE {}  {} {}", r.line, r.kind == 'B' ? "BENT" : "T-LINE", trimmed(r.number));
    }
    s += fmt::format("  STA {}  EL {:.4f}{}  DT TO ML {:.4f}", stationText(r.station), r.elevation,
                     r.edgeMark == '*' ? "*" : "", r.dtToMl);
    if (r.dtToBt) s += fmt::format("  DT TO BT {:.4f}", *r.dtToBt);
    if (r.dtToPp) s += fmt::format("  DT TO PP {:.4f}", *r.dtToPp);
    if (r.angleDegrees) s += fmt::format("  ANGLE {:.4f}\u00b0", *r.angleDegrees);
    s += fmt::format("  X {:.4f}  Y {:.4f}", r.x, r.y);
    const std::string rem = trimmed(r.remarks);
    if (!rem.empty()) s += "  " + rem;
    if (r.kind != 'P' && !trimmed(r.type).empty()) s += "  " + trimmed(r.type);
    return s;
}

}   // namespace bp::drawing
