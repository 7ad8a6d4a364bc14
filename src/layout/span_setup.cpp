// The span set-up: every longitudinal line is crossed with the back and
// the ahead bent of the span, giving its two bent points and its length
// between them (spanLength), from which the T-lines and the span report
// measure. Lines defined from another line (PAR, PIA, PIB, RLG) are fixed
// for the span after their reference; chords (CRD) that follow a curved
// mainline become the straight line between their bent points.
#include <cmath>

#include <fmt/format.h>

#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/half_turn.hpp"
#include "bridgeplan/keywords.hpp"
#include "layout/span_crossings.hpp"
#include "layout/span_parts.hpp"
#include "run/run_context.hpp"
#include "solver/distances.hpp"

namespace bp {
namespace {

constexpr int BENT_SLOTS[] = {BACK_BENT_SLOT, AHEAD_BENT_SLOT};

BentPoint& bentPoint(SpanLines& sl, int slot, int line) {
    return slot == BACK_BENT_SLOT ? sl.backPoint[line] : sl.aheadPoint[line];
}

class SpanSetUp {
public:
    explicit SpanSetUp(RunContext& ctx) : ctx_(ctx), sl_(ctx.spanLines) {}

    void run() {
        for (int n = 1; n <= ctx_.lineCount; ++n) {
            sl_.spanState[n] = ctx_.lines[n].state;
            sl_.spanForm[n] = ctx_.lines[n].form;
            sl_.spanDone[n] = false;
        }
        for (int n = 1; n <= ctx_.lineCount; ++n)
            if (!sl_.spanDone[n]) process(n);
    }

private:
    LongitudinalLine& line(int n) { return ctx_.lines[n]; }

    bool dependsOnReference(int n) {
        const Word t = line(n).typeCode;
        return t == kw::RLG || (sl_.spanState[n] < 0 && (t == kw::PAR || t == kw::PIA || t == kw::PIB));
    }

    // The reference of line n, processed first; it may not have a reference of its own.
    int reference(int n) {
        const int r = line(n).refLine;
        if (r < 1 || r > ctx_.lineCount)
            abandon(err::LONGITUDINAL_LINE,
                    fmt::format("line {} refers to line {}, which is not among lines 1 to {}", n, r,
                                ctx_.lineCount));
        if (line(r).refLine != 0)
            abandon(err::LONGITUDINAL_LINE,
                    fmt::format("line {} refers to line {}, which refers to line {} itself; a "
                                "reference line must stand on its own",
                                n, r, line(r).refLine));
        if (!sl_.spanDone[r]) process(r);
        return r;
    }

    void process(int n) {
        bool placedByReference[2] = {false, false};   // back, ahead: RLG points with C = 0
        double d = line(n).dr;
        if (dependsOnReference(n)) {
            const int r = reference(n);
            d = line(n).dr + line(r).dr;
            if (line(n).typeCode == kw::RLG) {
                crossRlg(n, r, d, placedByReference);
                finish(n, d, placedByReference);
                return;
            }
            fixParallel(n, r, d);
        }
        for (int slot : BENT_SLOTS) {
            crossBySpanState(ctx_, slot, n, line(n).dr);
            keepSpiralLength(n, slot);
            storeBentPoint(ctx_, slot, n);
        }
        finish(n, d, placedByReference);
    }

    // PAR: parallel to the straight reference r at the normal distance
    // dr(n): intercept = dr(n) normFactor(r) + intercept(r). PIA/PIB:
    // parallel to r through the crossing of the ahead (back) bent with the
    // mainline moved by D = dr(n) + dr(r): intercept = y - m x (form 1),
    // x - m y (form 2).
    void fixParallel(int n, int r, double combined) {
        if (sl_.spanForm[r] <= 0)
            abandon(err::LONGITUDINAL_LINE,
                    fmt::format("line {} ({}) is parallel to line {}, which is not straight in "
                                "this span",
                                n, line(n).typeCode.view().substr(0, 3), r));
        LongitudinalLine& l = line(n);
        const LongitudinalLine& ref = line(r);
        l.form = sl_.spanForm[r];
        copyDirection(l, ref);
        if (l.typeCode == kw::PAR) {
            l.intercept = l.dr * ref.normFactor + ref.intercept;
        } else {
            crossOffsetMainline(ctx_, l.typeCode == kw::PIA ? AHEAD_BENT_SLOT : BACK_BENT_SLOT, combined);
            const WorkPoint& wp = ctx_.wp;
            l.intercept = l.form == form::Y_OF_X ? wp.y - ref.slope * wp.x : wp.x - ref.slope * wp.y;
        }
        sl_.spanForm[n] = l.form;
        sl_.spanState[n] = 0;
    }

    // RLG line n of reference r, bent by bent: C = 0 puts the point at r's
    // bent point moved by dr(n) along r's normal there (crossing angle 0);
    // C > 0 crosses n itself, at the combined offset D when it follows the
    // mainline.
    void crossRlg(int n, int r, double combined, bool placedByReference[2]) {
        for (int k = 0; k < 2; ++k) {
            const int slot = BENT_SLOTS[k];
            const int c = ctx_.transverse[slot].cCode;
            if (c < 0)
                abandon(err::BENT_CARD, fmt::format("the {} bent's C is {}; RLG line {} needs 0 or more",
                                                    k == 0 ? "back" : "ahead", c, n));
            if (c == 0) {
                const BentPoint& p = bentPoint(sl_, slot, r);
                const double x = p.x + line(n).dr * std::cos(p.normal);
                const double y = p.y + line(n).dr * std::sin(p.normal);
                locateWorkPoint(ctx_, x, y);
                WorkPoint& wp = ctx_.wp;
                wp.normal = p.normal;
                wp.angle = 0;
                if (sl_.spanState[n] > 0) {
                    // On a spiral the point's radius is the reference spiral's radius
                    // there, r = r0 + |a| (theta0 - theta), moved by dr(n) sign(a); the
                    // turn theta0 - theta taken the short way, wherever the frame puts
                    // the cut of the polar angles.
                    const LongitudinalLine& ref = line(r);
                    const double a = ref.slope;
                    const double rAtPoint =
                        ref.radius + std::abs(a) * reduceToHalfTurn(ref.radiusSq - p.normal);
                    sl_.spiralRadius = rAtPoint + line(n).dr * (a < 0 ? -1.0 : 1.0);
                    // Its arc length from the line's reference, s(r) - s(r0): at the
                    // ahead bent, from the back bent, the length in the span.
                    wp.distBent = SpiralArcLength(line(n).slope, sl_.spiralRadius) - line(n).intercept;
                    keepSpiralLength(n, slot);
                }
                placedByReference[k] = true;
            } else {
                crossBySpanState(ctx_, slot, n, combined);
                keepSpiralLength(n, slot);
            }
            storeBentPoint(ctx_, slot, n);
        }
        if (placedByReference[1] && sl_.spanState[n] < 0) fixByMainlinePiece(n, combined, placedByReference);
    }

    // An RLG line whose ahead point was placed from its reference: the
    // chord between its bent points on a straight piece, the circle
    // concentric with the piece (radius R + D) on a curved piece. A line
    // with geometry of its own (straight, circle, or a spiral beside a
    // spiral, whose placed points lie on it at r + dr(n) sign(a)) keeps it,
    // and keeps it for the spans that follow. Points placed from the
    // reference keep their crossing angle 0 on the chord.
    void fixByMainlinePiece(int n, double combined, const bool placedByReference[2]) {
        const int piece = sl_.aheadPoint[n].piece;
        const LongitudinalLine& ml = ctx_.lines[MAINLINE_SLOT + piece];
        if (ml.form == form::CIRCLE) {
            const AlignmentSegment& seg = ctx_.alignment.segments[piece];
            LongitudinalLine& l = line(n);
            l.slope = seg.xc;
            l.intercept = seg.yc;
            l.radius = seg.r + combined;
            l.radiusSq = l.radius * l.radius;
            l.form = form::CIRCLE;
            sl_.spanForm[n] = form::CIRCLE;
        } else {
            makeChord(n, placedByReference);
        }
        sl_.spanState[n] = 0;
    }

    // The chord from the back point P1 to the ahead point P2: A = raw angle
    // of P1 -> P2, the line through P1 at A; the normal at both points
    // becomes A + pi/2 and the crossing angle the bent's direction - A,
    // except at points placed from a reference line (angle 0 kept).
    void makeChord(int n, const bool keepAngle[2] = nullptr) {
        BentPoint& p1 = sl_.backPoint[n];
        BentPoint& p2 = sl_.aheadPoint[n];
        const double a = DirectionBetween(p1.x, p1.y, p2.x, p2.y).raw;
        LongitudinalLine& l = line(n);
        copyLineForm(l, LineThroughPoint(p1.x, p1.y, a), a);
        sl_.spanForm[n] = l.form;
        sl_.spanState[n] = 0;
        for (int k = 0; k < 2; ++k) {
            BentPoint& p = k == 0 ? p1 : p2;
            p.normal = a + HALF_PI;
            if (!(keepAngle && keepAngle[k])) p.angle = ctx_.transverse[BENT_SLOTS[k]].direction - a;
        }
    }

    // A spiral's length in the span is the arc length of its ahead crossing.
    void keepSpiralLength(int n, int slot) {
        if (slot == AHEAD_BENT_SLOT && sl_.spanState[n] > 0) spiralLength_ = ctx_.wp.distBent;
    }

    // Chords of lines that follow the mainline, then spanLength(n).
    void finish(int n, double combined, const bool placedByReference[2]) {
        const Word t = line(n).typeCode;
        const bool chord = sl_.spanState[n] < 0 &&
                           (t == kw::CRD || (t == kw::RLG && line(line(n).refLine).typeCode == kw::CRD));
        if (chord) makeChord(n, placedByReference);

        if (sl_.spanState[n] > 0) {
            sl_.spanLength[n] = spiralLength_;
        } else {
            loadWorkPoint(ctx_.wp, sl_.aheadPoint[n]);
            distanceAlongLine(ctx_, n, t == kw::RLG ? combined : line(n).dr);
            sl_.spanLength[n] = ctx_.wp.distBent;
        }
        sl_.spanDone[n] = true;
    }

    RunContext& ctx_;
    SpanLines& sl_;
    double spiralLength_ = 0;
};

}   // namespace

void setUpSpan(RunContext& ctx) { SpanSetUp(ctx).run(); }

}   // namespace bp
