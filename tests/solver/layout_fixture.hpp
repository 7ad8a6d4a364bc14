#pragma once
// A run context built by hand for the layout and solver tests: a deck read
// from a string, the report kept in memory (raw records, carriage control
// first), and mainlines of hand-checkable shape.
//
// Every mainline here is built by the alignment's own builder: the main
// piece's reference point at station 1000 lies at (0, R), straight up from
// the centre, where the road runs in +X; stations grow clockwise, so the
// normal angle at station s is pi/2 - (s - 1000) / R.

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

#include "alignment/alignment_parts.hpp"
#include "alignment/mainline.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "run/run_context.hpp"

#include "../error_of.hpp"

namespace bp::testing {

struct Layout {
    explicit Layout(const std::string& deckText = "")
        : in(deckText), reader(in), report(reportText, ReportMode::Asa), ctx(reader, report, plot) {}

    std::string reportLines() {
        report.flush();
        return reportText.str();
    }

    std::istringstream in;
    DeckReader reader;
    std::ostringstream reportText, plot;
    Report report;
    RunContext ctx;
};

inline constexpr double REFERENCE_STATION = 1000.0;

// The degree of curve of radius r as a card enters it (decimal degrees),
// 0 for a straight.
inline EnteredAngle degreeOfRadius(double r) { return {r > 0 ? CURVE_ARC / r / DEG_TO_RAD : 0.0, 0, 0}; }

// The mainline the horizontal curve card of these values builds, through
// the alignment's own builder, with the reference station 1000 at 90
// degrees and a reference distance of 100 ft.
inline void buildMainline(RunContext& ctx, double back, double ahead, const HorizontalCurveCard& card) {
    LocationData& loc = ctx.alignment.location;
    loc.backStation = back;
    loc.aheadStation = ahead;
    loc.referenceStation = REFERENCE_STATION;
    loc.referenceAngle = HALF_PI;
    loc.referenceDistance = 100;
    buildHorizontalAlignment(ctx.alignment, ctx.lines, card);
    ctx.severalPieceMainline = Mainline(ctx.alignment, ctx.lines).severalPieces();
}

// One straight from back to ahead: y = 100, heading +X, station = x + 1000.
inline void straightMainline(RunContext& ctx, double back = 0, double ahead = 3000) {
    buildMainline(ctx, back, ahead, HorizontalCurveCard{});
}

// Main curve of radius r2 about the origin from pc to pt; pieces 1 and 3
// are curves of radius r1, r3 (0: tangent straights; negative: absent).
inline void curvedMainline(RunContext& ctx, double r2, double pc, double pt, double r1 = 0, double r3 = 0,
                           double back = 0, double ahead = 3000) {
    if (r1 < 0) pc = back;
    if (r3 < 0) pt = ahead;
    HorizontalCurveCard card;
    card.curve1 = degreeOfRadius(r1);
    card.curve2 = degreeOfRadius(r2);
    card.curve3 = degreeOfRadius(r3);
    card.pcStation = pc;
    card.ptStation = pt;
    buildMainline(ctx, back, ahead, card);
}

// Transverse slot L as the straight through (x, y) at angle a, built
// through that point.
inline void transverseThrough(RunContext& ctx, int slot, double x, double y, double a) {
    TransverseLine& t = ctx.transverse[slot];
    const double c = std::cos(a), s = std::sin(a);
    t.direction = a;
    if (std::fabs(c) - std::fabs(s) >= 0) {
        t.form = 1;
        t.slope = s / c;
        t.intercept = y - t.slope * x;
    } else {
        t.form = 2;
        t.slope = c / s;
        t.intercept = x - t.slope * y;
    }
    t.normFactor = std::sqrt(t.slope * t.slope + 1);
    t.throughX = x;
    t.throughY = y;
}

// The span state of every line taken from its state and form, as the span
// set-up starts each span.
inline void startSpan(RunContext& ctx) {
    for (int n = 1; n <= ctx.lineCount; ++n) {
        ctx.spanLines.spanState[n] = ctx.lines[n].state;
        ctx.spanLines.spanForm[n] = ctx.lines[n].form;
    }
}

}   // namespace bp::testing

namespace bp::testing {

// The mainline point at station s, by the formulas the alignment builds
// its pieces with (a test oracle): piece k, point and normal angle.
struct MainlinePoint {
    int piece = 2;
    double x = 0, y = 0, theta = 0;
};

inline MainlinePoint mainlinePoint(const RunContext& ctx, double s) {
    MainlinePoint p;
    const Alignment& a = ctx.alignment;
    if (ctx.lines[MAINLINE_SLOT + 1].form != -1 && s < a.pcStation)
        p.piece = 1;
    else if (ctx.lines[MAINLINE_SLOT + 3].form != -1 && s > a.ptStation)
        p.piece = 3;
    const AlignmentSegment& g = a.segments[p.piece];
    const double l = g.referenceStation - s;
    if (ctx.lines[MAINLINE_SLOT + p.piece].form == 0) {
        p.theta = g.theta + l * g.degree / 100.0;
        p.x = g.xc + g.r * std::cos(p.theta);
        p.y = g.yc + g.r * std::sin(p.theta);
    } else {
        p.theta = g.theta;
        p.x = g.xp - l * std::sin(p.theta);
        p.y = g.yp + l * std::cos(p.theta);
    }
    return p;
}

// Transverse slot L square to the mainline at station s.
inline MainlinePoint squareAt(RunContext& ctx, int slot, double s) {
    const MainlinePoint p = mainlinePoint(ctx, s);
    transverseThrough(ctx, slot, p.x, p.y, p.theta);
    return p;
}

}   // namespace bp::testing
