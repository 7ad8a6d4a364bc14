#pragma once
// A run context built by hand for the layout and solver tests: a deck read
// from a string, the report kept in memory (raw records, carriage control
// first), and mainlines of hand-checkable shape.
//
// Every mainline here turns about the plane origin as the alignment builds
// it: the main piece's reference point at station 1000 lies at (0, R),
// straight up from the centre, where the road runs in +X; stations grow
// clockwise, so the normal angle at station s is pi/2 - (s - 1000) / R.

#include <cmath>
#include <memory>
#include <sstream>
#include <string>

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

// The straight of normal angle theta through (xp, yp) in the line form of
// the alignment pieces.
inline void storeStraight(RunContext& ctx, int k, double theta, double xp, double yp) {
    LongitudinalLine& l = ctx.lines[MAINLINE_SLOT + k];
    const double phi = theta - HALF_PI, c = std::cos(phi), s = std::sin(phi);
    l = LongitudinalLine{};
    l.direction = phi;
    l.cosDir = c;
    l.sinDir = s;
    if (std::fabs(c) - std::fabs(s) >= 0) {
        l.form = 1;
        l.slope = s / c;
        l.intercept = yp - l.slope * xp;
    } else {
        l.form = 2;
        l.slope = c / s;
        l.intercept = xp - l.slope * yp;
    }
    l.normFactor = std::sqrt(l.slope * l.slope + 1);
}

inline void storeCircle(RunContext& ctx, int k) {
    LongitudinalLine& l = ctx.lines[MAINLINE_SLOT + k];
    l = LongitudinalLine{};
    l.form = 0;
    l.slope = ctx.alignment.segments[k].xc;
    l.intercept = ctx.alignment.segments[k].yc;
}

inline void absent(RunContext& ctx, int k) {
    ctx.lines[MAINLINE_SLOT + k] = LongitudinalLine{};
    ctx.lines[MAINLINE_SLOT + k].form = -1;
}

inline void stations(RunContext& ctx, double back, double ahead, double pc, double pt) {
    ctx.alignment.location.backStation = back;
    ctx.alignment.location.aheadStation = ahead;
    ctx.alignment.location.referenceStation = REFERENCE_STATION;
    ctx.alignment.pcStation = pc;
    ctx.alignment.ptStation = pt;
}

// One straight from back to ahead: y = 100, heading +X, station = x + 1000.
inline void straightMainline(RunContext& ctx, double back = 0, double ahead = 3000) {
    stations(ctx, back, ahead, back, ahead);
    AlignmentSegment& s = ctx.alignment.segments[2];
    s = AlignmentSegment{};
    s.beginStation = back;
    s.endStation = ahead;
    s.referenceStation = REFERENCE_STATION;
    s.theta = HALF_PI;
    s.r = 100;
    s.xp = s.r * std::cos(s.theta);
    s.yp = s.r * std::sin(s.theta);
    storeStraight(ctx, 2, s.theta, s.xp, s.yp);
    absent(ctx, 1);
    absent(ctx, 3);
    ctx.severalPieceMainline = false;
}

// Main curve of radius r2 about the origin from pc to pt; pieces 1 and 3
// are curves of radius r1, r3 (0: tangent straights; negative: absent).
inline void curvedMainline(RunContext& ctx, double r2, double pc, double pt, double r1 = 0,
                           double r3 = 0, double back = 0, double ahead = 3000) {
    if (r1 < 0) pc = back;
    if (r3 < 0) pt = ahead;
    stations(ctx, back, ahead, pc, pt);
    AlignmentSegment& main = ctx.alignment.segments[2];
    main = AlignmentSegment{};
    main.beginStation = pc;
    main.endStation = pt;
    main.referenceStation = REFERENCE_STATION;
    main.theta = HALF_PI;
    main.r = r2;
    main.rSquared = r2 * r2;
    main.degree = 100.0 / r2;
    main.xp = r2 * std::cos(main.theta);
    main.yp = r2 * std::sin(main.theta);
    storeCircle(ctx, 2);

    auto junction = [&](int k, double sj, double rk, double begin, double end) {
        AlignmentSegment& s = ctx.alignment.segments[k];
        s = AlignmentSegment{};
        s.beginStation = begin;
        s.endStation = end;
        s.referenceStation = sj;
        s.theta = main.theta - (sj - REFERENCE_STATION) * main.degree / 100.0;
        s.xp = r2 * std::cos(s.theta);
        s.yp = r2 * std::sin(s.theta);
        if (rk > 0) {
            s.r = rk;
            s.rSquared = rk * rk;
            s.degree = 100.0 / rk;
            s.xc = (r2 - rk) * std::cos(s.theta);
            s.yc = (r2 - rk) * std::sin(s.theta);
            storeCircle(ctx, k);
        } else {
            s.r = r2;
            storeStraight(ctx, k, s.theta, s.xp, s.yp);
        }
    };
    if (r1 < 0) absent(ctx, 1); else junction(1, pc, r1, back, pc);
    if (r3 < 0) absent(ctx, 3); else junction(3, pt, r3, pt, ahead);
    ctx.severalPieceMainline = !(r1 < 0 && r3 < 0);
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

}  // namespace bp::testing

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
    if (ctx.lines[MAINLINE_SLOT + 1].form != -1 && s < a.pcStation) p.piece = 1;
    else if (ctx.lines[MAINLINE_SLOT + 3].form != -1 && s > a.ptStation) p.piece = 3;
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

}  // namespace bp::testing
