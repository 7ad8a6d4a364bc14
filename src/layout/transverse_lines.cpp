// The transverse-line cards of a span: read, echoed in the "T-LINE DATA"
// block of the span input page, and built into slots 1..tLineCount of the
// transverse table, either as a straight line in slope form or, for a
// constant-distance line, as the rule the span report applies on each
// longitudinal line.
#include "layout/transverse_lines.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include <fmt/format.h>

#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "layout/span_crossings.hpp"
#include "layout/span_parts.hpp"
#include "run/card.hpp"
#include "run/record.hpp"
#include "run/run_context.hpp"

namespace bp {

TransverseAngle decodeTransverseAngle(double packed) {
    TransverseAngle a;
    double d = std::trunc(packed / 10.0);
    double r = packed >= 0 ? 0.5 : -0.5;
    double w = std::trunc((packed - 10.0 * d) * 10000.0 + r);
    double m = std::trunc(w / 1000.0);
    // Whole degrees and minutes as integers, held below any echo field's
    // width when the card's value is beyond every angle (1E300 prints as
    // asterisks, and converting it would overflow).
    constexpr double WIDEST = 1e9;
    a.degrees = static_cast<long>(std::clamp(d, -WIDEST, WIDEST));
    a.minutes = static_cast<long>(std::clamp(m, -WIDEST, WIDEST));
    a.seconds = (w - 1000.0 * m) / 10.0;
    a.radians = ((a.seconds / 60.0 + m) / 60.0 + d) * PI / 180.0;
    return a;
}

double consDistance(const TransverseLine& tline, double length) {
    switch (tline.consMode) {
    case cons::FROM_BACK: return tline.slope;
    case cons::FROM_AHEAD: return tline.slope + length;
    case cons::PROPORTION: return tline.slope * length;
    default: abandon(err::INTERNAL, "a constant-distance line without its measuring mode");
    }
}

namespace {

// One transverse-line card as punched.
struct TLineCard {
    long number = 0;
    Word lineType, code;
    char letter1 = ' ', letter2 = ' ';
    double v1 = 0, v2 = 0;
    long line1 = 0, line2 = 0;
    long cCode = 0;
};

[[noreturn]] void badCard(int slot, std::string_view why) {
    abandon(err::TRANSVERSE_LINE, fmt::format("transverse line {}: {}", slot, why));
}

std::string_view oneChar(const char& c) { return {&c, 1}; }

// Reads card i into the card fields and stores C, the remarks and the skip
// flags in slot i.
TLineCard readCard(RunContext& ctx, int slot) {
    const int e = err::TRANSVERSE_LINE;
    Card card = ctx.deck.require("a transverse-line card \"T\"");
    TLineCard c;
    c.number = card.integer(2, 2, e);
    c.lineType = card.word(4, 4);
    c.code = card.word(8, 4);
    c.letter1 = card.column(12);
    c.v1 = card.number(13, 10, 4, e);
    c.line1 = card.integer(23, 2, e);
    c.v2 = card.number(25, 8, 4, e);
    c.letter2 = card.column(33);
    c.line2 = card.integer(34, 2, e);
    c.cCode = card.integer(36, 1, e);

    TransverseLine& t = ctx.transverse[slot];
    t = TransverseLine{};
    for (int j = 1; j <= MAX_LINES; ++j) t.skips[j - 1] = static_cast<int>(card.integer(50 + j, 1, e));
    t.remarks = std::string(card.text(37, 14));
    t.cCode = static_cast<int>(c.cCode);

    if (!(card.code() == kw::T)) badCard(slot, "the card code is not \"T\"");
    if (c.number != slot) badCard(slot, fmt::format("NO. {} is out of sequence", c.number));
    return c;
}

bool usesAngleLayout(const TLineCard& c) { return c.lineType == kw::SKEW || c.lineType == kw::ANGL; }

// ('0',I3,1X,A4,'/',A4,2X,A1,F12.4,I4, angle or F12.4, 2X,A1,I4,I3,2X,3A4,A2,2X,30I2);
// the angle as I4 degrees, I3 |minutes|, F5.1 |seconds| with "-" written
// over the first column of the minutes and of the seconds.
void echoCard(RunContext& ctx, const TLineCard& c, const TransverseLine& t) {
    Record r('0');
    r.I(3, c.number).X(1).A(4, c.lineType.view()).lit("/").A(4, c.code.view()).X(2);
    r.A(1, oneChar(c.letter1)).F(12, 4, c.v1).I(4, c.line1);
    const bool angleLayout = usesAngleLayout(c);
    TransverseAngle a = decodeTransverseAngle(c.v2);
    int minutesAt = 0, secondsAt = 0;
    if (angleLayout) {
        r.I(4, a.degrees);
        minutesAt = r.column();
        r.I(3, std::labs(a.minutes));
        secondsAt = r.column();
        r.F(5, 1, std::fabs(a.seconds));
    } else {
        r.F(12, 4, c.v2);
    }
    r.X(2).A(1, oneChar(c.letter2)).I(4, c.line2).I(3, c.cCode).X(2).A(14, t.remarks).X(2);
    for (int flag : t.skips) r.I(2, flag);
    if (angleLayout) r.put(minutesAt, '-').put(secondsAt, '-');
    ctx.report.write(r);
    // The sign of a negative angle below one degree goes in front of the 0
    // (the units digit of the degrees is just before the minutes).
    if (angleLayout && c.v2 < 0 && a.degrees == 0) ctx.report.write(Record('+').put(minutesAt - 2, '-'));
}

void writeHeading(RunContext& ctx) {
    ctx.report.write(Record('0').X(2));
    ctx.report.empty();
    ctx.report.write(Record(' ').X(59).lit("T-LINE DATA"));
    ctx.report.empty();
    ctx.report.write(
        Record(' ').lit("NO. LINE CODE  B   S/N/D/P/X  RL   A/S/D/P/Y  B  RL  C     REMARKS"
                        "                         LONGITUDINAL LINE SKIPS"));
}

struct PlanPoint {
    double x = 0, y = 0;
};

// Distance t along line RL from its back-bent point of a point given by
// CODE ("DIST": t = V, "PROP": t = V L) and letter ("B": from the back
// bent, "A": t + L, from the ahead bent), L the line's length in the span.
double distanceOnLine(RunContext& ctx, int slot, Word code, char letter, double value, long line) {
    if (line < 1 || line > ctx.lineCount)
        badCard(slot, fmt::format("longitudinal line {} is not one of the bridge's lines", line));
    const double length = ctx.spanLines.spanLength[static_cast<int>(line)];
    double t = 0;
    if (code == kw::DIST)
        t = value;
    else if (code == kw::PROP)
        t = value * length;
    else
        badCard(slot, fmt::format("CODE \"{}\" is neither \"DIST\" nor \"PROP\"", code.view()));
    if (letter == 'A')
        t += length;
    else if (letter != 'B')
        badCard(slot, "the reference letter is neither \"B\" nor \"A\"");
    return t;
}

PlanPoint pointOnLine(RunContext& ctx, int slot, Word code, char letter, double value, long line) {
    double t = distanceOnLine(ctx, slot, code, letter, value, line);
    pointAtDistance(ctx, static_cast<int>(line), t);
    return {ctx.wp.x, ctx.wp.y};
}

void buildLine(RunContext& ctx, int slot, const TLineCard& c) {
    TransverseLine& t = ctx.transverse[slot];
    t.lineType = c.lineType;
    t.code = c.code;
    const Word& type = c.lineType;

    if (type == kw::SKEW) {
        // Through the mainline point at station V1, at psi from the normal there.
        double psi = decodeTransverseAngle(c.v2).radians;
        StationPoint p = PointAtStation(ctx.alignment, ctx.lines, c.v1);
        double a = p.theta + psi;
        buildLineThrough(t, p.x, p.y, a);
    } else if (type == kw::ANGL) {
        // Through a point of a straight line RL, at psi from its direction.
        double dist = distanceOnLine(ctx, slot, c.code, c.letter1, c.v1, c.line1);
        int line = static_cast<int>(c.line1);
        int spanForm = ctx.spanLines.spanForm[line];
        if (spanForm < 0) abandon(err::INTERNAL, "ANGL transverse line on an absent longitudinal line");
        if (spanForm == 0) badCard(slot, "ANGL on a longitudinal line that is curved in this span");
        double psi = decodeTransverseAngle(c.v2).radians;
        if (psi == 0) badCard(slot, "ANGL with a zero angle");
        pointAtDistance(ctx, line, dist);
        double a = ctx.lines[line].direction + psi;
        buildLineThrough(t, ctx.wp.x, ctx.wp.y, a);
    } else if (type == kw::PARL) {
        // Parallel to the back ("B") or ahead ("A") bent.
        int bentSlot = c.letter1 == 'B' ? BACK_BENT_SLOT : c.letter1 == 'A' ? AHEAD_BENT_SLOT : 0;
        if (bentSlot == 0) badCard(slot, "PARL names neither bent \"B\" nor \"A\"");
        const TransverseLine& bent = ctx.transverse[bentSlot];
        const Bent& bentRecord = ctx.bents[bentSlot - BACK_BENT_SLOT + 1];
        if (c.code == kw::NORM) {
            // At the normal distance V1 from the bent, kept on its side by the side rule.
            t.form = bent.form;
            t.slope = bent.slope;
            t.direction = bent.direction;
            t.normFactor = bentRecord.normFactor;
            t.intercept = bent.intercept;
            t.throughX = bent.throughX;
            t.throughY = bent.throughY;
            shiftIntercept(t, c.v1 * bentRecord.normFactor);
            applySideRule(ctx, slot, c.v1, bentRecord.station);
        } else {
            PlanPoint q = pointOnLine(ctx, slot, c.code, c.letter1, c.v1, c.line1);
            buildLineThrough(t, q.x, q.y, bent.direction);
        }
    } else if (type == kw::CONS) {
        // A distance or a proportion along every longitudinal line.
        if (c.code == kw::DIST) {
            t.form = 0;
            t.consMode = cons::FROM_BACK;
        } else if (c.code == kw::PROP) {
            t.form = -1;
            t.consMode = cons::PROPORTION;
        } else {
            badCard(slot, fmt::format("CONS with CODE \"{}\"", c.code.view()));
        }
        t.slope = c.v1;
        t.intercept = 0;
        t.direction = 0;
        if (c.letter1 == 'A') {
            // From the ahead bent: a proportion p back from it is 1 + p from the back bent.
            if (t.consMode == cons::FROM_BACK)
                t.consMode = cons::FROM_AHEAD;
            else
                t.slope = 1.0 + c.v1;
        } else if (c.letter1 != 'B') {
            badCard(slot, "the reference letter is neither \"B\" nor \"A\"");
        }
    } else if (type == kw::PTPT) {
        // Through two points: given coordinates, or points on two lines.
        PlanPoint p1, p2;
        if (c.code == kw::COOR) {
            p1 = {c.v1, c.v2};
            Card second = ctx.deck.require("the second card of a \"PTPT\" \"COOR\" transverse line");
            p2.x = second.number(13, 10, 4, err::TRANSVERSE_LINE);
            p2.y = second.number(25, 8, 4, err::TRANSVERSE_LINE);
            ctx.report.write(Record('0').X(16).F(12, 4, p2.x).X(4).F(12, 4, p2.y));
        } else {
            p1 = pointOnLine(ctx, slot, c.code, c.letter1, c.v1, c.line1);
            p2 = pointOnLine(ctx, slot, c.code, c.letter2, c.v2, c.line2);
        }
        double a = DirectionBetween(p1.x, p1.y, p2.x, p2.y).raw;
        buildLineThrough(t, p1.x, p1.y, a);
    } else {
        badCard(slot, fmt::format("LINE \"{}\" is not SKEW, ANGL, PARL, CONS or PTPT", type.view()));
    }
}

}   // namespace

void readTransverseLines(RunContext& ctx) {
    const int count = ctx.span.tLineCount;
    if (count <= 0) return;
    writeHeading(ctx);
    for (int i = 1; i <= count; ++i) {
        TLineCard c = readCard(ctx, i);
        echoCard(ctx, c, ctx.transverse[i]);
        buildLine(ctx, i, c);
    }
}

}   // namespace bp
