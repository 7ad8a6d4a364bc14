#include "drawing/plan_recorder.hpp"

#include <algorithm>
#include <cmath>
#include <variant>

#include "alignment/mainline.hpp"
#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/half_turn.hpp"
#include "bridgeplan/keywords.hpp"
#include "run/run_context.hpp"
#include "solver/span_shape.hpp"

namespace bp::drawing {
namespace {

// Station ticks: a labelled tick every 100 ft, a short one every 20 ft.
constexpr double MAJOR_TICK = 100.0, MINOR_TICK = 20.0;
// A bent is drawn this far beyond its outermost lines.
constexpr double BENT_OVERHANG = 4.0;

std::string trimmed(std::string_view s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(' ') - b + 1));
}

XY xyOf(const StationPoint& p) { return {p.x, p.y}; }

Mainline mainlineOf(const RunContext& ctx) { return Mainline(ctx.alignment, ctx.lines); }

// The stations of piece k within the problem's roadway, from the back to
// the ahead station.
std::pair<double, double> pieceRangeOnRoadway(const Mainline& ml, int k) {
    const LocationData& loc = ml.alignment().location;
    const StationRange r = ml.pieceRange(k);
    return {std::max(r.lo, loc.backStation), std::min(r.hi, loc.aheadStation)};
}

// The mainline moved sideways by d between stations s0 and s1 of piece k:
// a straight between its end points, or an arc about the curve's centre
// (stations run clockwise about it).
Stroke offsetPiece(const Mainline& ml, int k, double s0, double s1, double d, XY p0, XY p1) {
    Stroke s;
    s.points = {p0, p1};
    if (ml.pieceIsCurve(k)) {
        const AlignmentSegment& seg = ml.segment(k);
        s.kind = Stroke::Kind::Arc;
        s.centre = {seg.xc, seg.yc};
        s.radius = seg.r + d;
        s.clockwise = s1 >= s0;
    }
    return s;
}

XY offsetPoint(const Mainline& ml, double station, double d) {
    const StationPoint p = ml.PointAtStation(station);
    return {p.x + d * std::cos(p.theta), p.y + d * std::sin(p.theta)};
}

// A line that follows the mainline at offset d from station s0 to s1,
// broken at the P.C. and the P.T.; its ends are the bent points themselves.
std::vector<Stroke> followMainline(const Mainline& ml, const BentPoint& b, const BentPoint& a, double d) {
    std::vector<Stroke> out;
    const double lo = std::min(b.station, a.station), hi = std::max(b.station, a.station);
    std::vector<double> cuts{b.station};
    for (double s : {ml.alignment().pcStation, ml.alignment().ptStation})
        if (s > lo && s < hi) cuts.push_back(s);
    if (a.station < b.station)
        std::sort(cuts.begin() + 1, cuts.end(), std::greater<>());
    else
        std::sort(cuts.begin() + 1, cuts.end());
    cuts.push_back(a.station);
    XY from{b.x, b.y};
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        const XY to = i + 2 == cuts.size() ? XY{a.x, a.y} : offsetPoint(ml, cuts[i + 1], d);
        const int k = ml.pieceOfStation(0.5 * (cuts[i] + cuts[i + 1]));
        out.push_back(offsetPiece(ml, k, cuts[i], cuts[i + 1], d, from, to));
        from = to;
    }
    return out;
}

// The spiral about the centre of piece k, whose signed radius r changes
// with the polar angle theta as r(theta) = r_b + |a| (theta_b - theta)
// from the back-bent point (r_b is negative for a negative rate a: the
// spiral then draws in as it runs clockwise), from the back-bent point to
// the ahead-bent point, as a polyline through the line's own points of the
// span and between them through points of the spiral close enough that no
// chord departs from it by more than the tolerance: a chord over the polar
// step dt at radius r departs by about r dt^2 / 8.
Stroke spiral(const shape::Spiral& sp, const BentPoint& b, const BentPoint& a,
              const std::vector<XY>& through) {
    const XY centre{sp.xc, sp.yc};
    const double rate = std::fabs(sp.rate);
    const double sign = sp.rate < 0 ? -1.0 : 1.0;
    const double r0 = sign * std::hypot(b.x - centre.x, b.y - centre.y);
    const double t0 = std::atan2(b.y - centre.y, b.x - centre.x);
    const auto polar = [&](XY q) {
        return reduceToHalfTurn(t0 - std::atan2(q.y - centre.y, q.x - centre.x));
    };
    const double sweep = polar({a.x, a.y});   // theta_b - theta_a
    const double r1 = r0 + rate * sweep;
    const double step = std::sqrt(8.0 * SPIRAL_TOLERANCE_FT / std::max({std::fabs(r0), std::fabs(r1), 1.0}));
    const int count = std::max(2, static_cast<int>(std::ceil(std::fabs(sweep) / step)) + 1);
    // (polar step from the back bent, point) in running order
    std::vector<std::pair<double, XY>> points;
    for (int i = 1; i + 1 < count; ++i) {
        const double u = sweep * i / (count - 1);
        const double r = std::fabs(r0 + rate * u), t = t0 - u;
        points.push_back({u, {centre.x + r * std::cos(t), centre.y + r * std::sin(t)}});
    }
    for (XY q : through) {
        const double u = polar(q);
        if (u * sweep > 0 && std::fabs(u) < std::fabs(sweep)) points.push_back({u, q});
    }
    std::sort(points.begin(), points.end(),
              [&](const auto& p, const auto& q) { return p.first * sweep < q.first * sweep; });
    Stroke s;
    s.kind = Stroke::Kind::Polyline;
    s.points.push_back({b.x, b.y});
    for (const auto& p : points) s.points.push_back(p.second);
    s.points.push_back({a.x, a.y});
    return s;
}

PlanLine planLine(const RunContext& ctx, int n, const std::vector<XY>& through) {
    const LongitudinalLine& line = ctx.lines[n];
    const SpanLines& sl = ctx.spanLines;
    const BentPoint& b = sl.backPoint[n];
    const BentPoint& a = sl.aheadPoint[n];
    PlanLine out;
    out.number = n;
    out.type = trimmed(line.typeCode.view());
    out.remarks = trimmed(line.remarks);
    out.plotMark = line.plotMark;
    const SpanShape shape = ShapeInSpan(mainlineOf(ctx), ctx.lines, spanLineOf(sl, ctx.lines, n));
    if (const auto* sp = std::get_if<shape::Spiral>(&shape)) {
        out.shape = LineShape::Spiral;
        out.strokes.push_back(spiral(*sp, b, a, through));
    } else if (std::holds_alternative<shape::OffsetMainline>(shape)) {
        // Drawn at the offset of its back bent point, through both bent points.
        out.shape = LineShape::FollowsMainline;
        out.strokes = followMainline(mainlineOf(ctx), b, a, b.offset);
    } else if (std::holds_alternative<shape::Straight>(shape)) {
        out.shape = LineShape::Straight;
        Stroke s;
        s.points = {{b.x, b.y}, {a.x, a.y}};
        out.strokes.push_back(s);
    } else {
        // A circle of its own: the arc of less than a half turn from the
        // back-bent point to the ahead-bent point.
        const shape::Circle& circle = std::get<shape::Circle>(shape);
        out.shape = LineShape::Circle;
        Stroke s;
        s.kind = Stroke::Kind::Arc;
        s.centre = {circle.xc, circle.yc};
        s.radius = std::sqrt(circle.radiusSq);
        s.points = {{b.x, b.y}, {a.x, a.y}};
        const double cross =
            (b.x - s.centre.x) * (a.y - s.centre.y) - (b.y - s.centre.y) * (a.x - s.centre.x);
        s.clockwise = cross < 0;
        out.strokes.push_back(s);
    }
    return out;
}

// The bent line through its crossing with the mainline at `direction`,
// from the outermost line point to the other and a little beyond.
PlanBent planBent(const RunContext& ctx, int slot, const Bent& bent, const std::vector<XY>& points) {
    const TransverseLine& t = ctx.transverse[slot];
    PlanBent out;
    out.number = trimmed(t.bentNumber);
    out.type = trimmed(t.lineType.view());
    out.remarks = trimmed(t.remarks);
    out.station = bent.station;
    out.skewRadians = bent.skew;
    const XY p0 = xyOf(mainlineOf(ctx).PointAtStation(bent.station));
    const double c = std::cos(t.direction), s = std::sin(t.direction);
    double lo = 0, hi = 0;
    for (XY q : points) {
        const double u = (q.x - p0.x) * c + (q.y - p0.y) * s;
        lo = std::min(lo, u);
        hi = std::max(hi, u);
    }
    lo -= BENT_OVERHANG;
    hi += BENT_OVERHANG;
    out.from = {p0.x + lo * c, p0.y + lo * s};
    out.to = {p0.x + hi * c, p0.y + hi * s};
    return out;
}

}   // namespace

void PlanRecorder::startPlan() {
    const RunContext& ctx = *ctx_;
    pending_ = false;
    PlanProblem& p = problems_.emplace_back();
    const Alignment& a = ctx.alignment;
    const Mainline ml = mainlineOf(ctx);
    p.number = trimmed(ctx.problem.number);
    p.title = trimmed(ctx.problem.title);
    p.date = ctx.clock.date;
    p.mirror = a.location.mirror;
    p.project = ctx.project;
    p.backStation = a.location.backStation;
    p.aheadStation = a.location.aheadStation;
    if (ml.pieceIsCurve(2)) {
        p.pcStation = a.pcStation;
        p.ptStation = a.ptStation;
        p.curveCentre = XY{a.segments[2].xc, a.segments[2].yc};
    }
    for (int k = 1; k <= 3; ++k) {
        if (!ml.pieceExists(k)) continue;
        const auto [from, to] = pieceRangeOnRoadway(ml, k);
        if (!(to > from)) continue;
        MainlinePiece m;
        m.piece = k;
        m.beginStation = from;
        m.endStation = to;
        m.stroke = offsetPiece(ml, k, from, to, 0.0, xyOf(ml.PointAtStation(from)), xyOf(ml.PointAtStation(to)));
        p.mainline.push_back(m);
    }
    for (double s = std::ceil(p.backStation / MINOR_TICK) * MINOR_TICK; s <= p.aheadStation;
         s += MINOR_TICK) {
        const StationPoint q = ml.PointAtStation(s);
        p.ticks.push_back({s, xyOf(q), q.theta, std::fmod(std::fabs(s), MAJOR_TICK) < 1e-6});
    }
}

void PlanRecorder::point(const PointRow& r) {
    if (!ctx_ || problems_.empty()) return;
    PlanRow out;
    out.kind = r.kind.empty() ? 'T' : r.kind.front();
    out.number = trimmed(r.number);
    out.line = r.line;
    out.station = r.station;
    out.elevation = r.elevation;
    out.dtToMl = r.dtToMl;
    out.edgeMark = r.edgeMark;
    out.dtToBt = r.dtToBt;
    out.dtToPp = r.dtToPp;
    if (r.angle) out.angleDegrees = *r.angle * 180.0 / PI;
    out.x = r.x;
    out.y = r.y;
    out.remarks = trimmed(r.remarks);
    out.type = trimmed(r.type);
    if (const std::string code = trimmed(r.code); !code.empty()) {
        out.type += '/';
        out.type += code;
    }
    if (out.kind == 'P') {
        problems_.back().requests.push_back(out);
        return;
    }
    if (out.kind == 'T') {
        const int i = r.slot;
        auto it = std::find_if(span_.tlines.begin(), span_.tlines.end(),
                               [&](const PlanTLine& t) { return t.number == i; });
        if (it == span_.tlines.end()) {
            it = span_.tlines.insert(span_.tlines.end(), PlanTLine{});
            it->number = i;
            it->type = out.type;
            it->remarks = out.remarks;
        }
        it->points.push_back({r.x, r.y});
    }
    span_.rows.push_back(std::move(out));
}

void PlanRecorder::beginPage(const PageStart& page) {
    if (!ctx_) return;
    if (pending_) startPlan();
    spanPage_ = page.lineCount > 0;
    span_ = PlanSpan();
}

void PlanRecorder::endPage() {
    if (!ctx_ || problems_.empty()) return;
    if (spanPage_) finishSpan();
    spanPage_ = false;
}

void PlanRecorder::finishSpan() {
    const RunContext& ctx = *ctx_;
    PlanSpan span = std::move(span_);
    span_ = PlanSpan();
    span.id = trimmed(ctx.span.spanId);
    span.title = trimmed(ctx.span.title);
    std::vector<XY> backPoints, aheadPoints;
    for (int n = 1; n <= ctx.lineCount; ++n) {
        if (ctx.lines[n].skip != 0) continue;
        std::vector<XY> through;
        for (const PlanRow& r : span.rows)
            if (r.kind == 'T' && r.line == n) through.push_back({r.x, r.y});
        span.lines.push_back(planLine(ctx, n, through));
        const BentPoint& b = ctx.spanLines.backPoint[n];
        const BentPoint& a = ctx.spanLines.aheadPoint[n];
        backPoints.push_back({b.x, b.y});
        aheadPoints.push_back({a.x, a.y});
    }
    span.bents.push_back(planBent(ctx, BACK_BENT_SLOT, ctx.bents[1], backPoints));
    span.bents.push_back(planBent(ctx, AHEAD_BENT_SLOT, ctx.bents[2], aheadPoints));
    const StationPoint mid =
        PointAtStation(ctx.alignment, ctx.lines, 0.5 * (ctx.bents[1].station + ctx.bents[2].station));
    span.middle = xyOf(mid);
    span.middleNormal = mid.theta;
    problems_.back().spans.push_back(std::move(span));
}

void PlanRecorder::abandonProblem(int errorNumber) {
    // A problem abandoned before its first page has no plan.
    if (!pending_ && !problems_.empty()) problems_.back().errorNumber = errorNumber;
    pending_ = false;
    spanPage_ = false;
    span_ = PlanSpan();
}

}   // namespace bp::drawing
