// Longitudinal lines: the "7" cards of a problem, their echo page and their
// geometry in the plane frame of the alignment (straight lines, circles,
// spirals about a mainline curve centre, or lines left to follow the
// mainline span by span), then the two passes that resolve lines defined
// from other lines.
#include <cmath>
#include <string>

#include <fmt/format.h>

#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "layout/layout_parts.hpp"
#include "run/card.hpp"
#include "run/record.hpp"
#include "run/run_context.hpp"
#include "solver/distances.hpp"

namespace bp {

namespace {

constexpr int UNRESOLVED = -1;   // state: follows the mainline until resolved

// The card values that are used only while the line is built.
struct LineCardValues {
    double dr = 0;        // DR / X1
    double station = 0;   // STA. / Y1
    double third = 0;     // TR / R / X2
    double y2 = 0;        // Y2
};

void echoHeading(RunContext& ctx) {
    ctx.report.write(Record('1').X(31).lit("LONGITUDINAL LINES"));
    ctx.report.empty();
    ctx.report.write(Record(' ').X(1).lit(
        "NO. TYPE  REF.    DR / X1     STA./ Y1   TR / R / X2       Y2      SK.  REMARKS"));
}

// ('0',I3,3X,A3,I5,4F13.4,I4,3X,A3,7A4)
void echoLine(RunContext& ctx, const LongitudinalLine& line, const LineCardValues& v) {
    ctx.report.write(Record('0')
                         .I(3, line.number)
                         .X(3)
                         .A(3, line.typeCode.view())
                         .I(5, line.refLine)
                         .F(13, 4, v.dr)
                         .F(13, 4, v.station)
                         .F(13, 4, v.third)
                         .F(13, 4, v.y2)
                         .I(4, line.skip)
                         .X(3)
                         .A(31, line.remarks));
}

// The END card prints only its number and type, in the same columns.
void echoEnd(RunContext& ctx, int number, const Word& type) {
    ctx.report.write(Record('0').I(3, number).X(3).A(3, type.view()));
}

double signOf(double v) { return v < 0 ? -1.0 : 1.0; }

void checkReference(const LongitudinalLine& line) {
    if (line.refLine < 1 || line.refLine > MAX_LINES || line.refLine == line.number)
        abandon(err::LONGITUDINAL_LINE,
                fmt::format("longitudinal line {} ({}) refers to line {}; the reference must be "
                            "another line 1 to 30",
                            line.number, line.typeCode.view(), line.refLine));
}

// Geometry of a line from its own card; referencing lines are only marked.
void buildLine(RunContext& ctx, LongitudinalLine& line, const LineCardValues& v) {
    const Word& t = line.typeCode;
    const LongitudinalLine& main = ctx.lines[MAINLINE_SLOT + 2];

    if (t == kw::CRD) {
        line.form = form::Y_OF_X;
        return;
    }
    if (t == kw::ARC) {
        if (ctx.severalPieceMainline || main.form > 0) return;   // follows the mainline
        if (main.form < 0) abandon(err::INTERNAL, "the main piece of the mainline is missing");
        // Single circular mainline: the circle concentric with the main curve
        // (whose centre is the plane origin), radius R2 + DR.
        line.radius = ctx.alignment.segments[2].r + line.dr;
        line.radiusSq = line.radius * line.radius;
        line.state = 0;
        return;
    }
    if (t == kw::PAR || t == kw::PIA || t == kw::PIB || t == kw::RLG) {
        checkReference(line);
        line.form = (t == kw::RLG) ? form::CIRCLE : form::Y_OF_X;
        return;
    }
    if (t == kw::COR) {
        // The line through (X1, Y1) and (X2, Y2), held at the raw angle of
        // the direction, which lies in [-pi/2, pi/2].
        const Direction dir = DirectionBetween(v.dr, v.station, v.third, v.y2);
        copyLineForm(line, LineThroughPoint(v.dr, v.station, dir.raw), dir.raw);
        line.state = 0;
        return;
    }
    if (!(t == kw::STP || t == kw::CTP || t == kw::COS))
        abandon(err::LONGITUDINAL_LINE,
                fmt::format("longitudinal line {} has an unknown type \"{}\"", line.number, t.view()));

    // The remaining types start from the mainline point at STA.: piece k,
    // point P and normal angle theta (to the left of travel).
    const StationPoint p = PointAtStation(ctx.alignment, ctx.lines, v.station);
    const double c = std::cos(p.theta), s = std::sin(p.theta);

    if (t == kw::STP) {
        // Through P offset by DR along the normal, in the direction of
        // travel (theta - pi/2) turned by the taper TR (percent).
        const double a = p.theta - HALF_PI + std::atan(v.third / 100.0);
        copyLineForm(line, LineThroughPoint(p.x + line.dr * c, p.y + line.dr * s, a), a);
        line.state = 0;
    } else if (t == kw::CTP) {
        // Archimedean spiral r = a phi about the centre of piece k, with the
        // rate a = R0 TR / 100 (ft of radius per radian); at STA. its signed
        // radius is (R0 + DR) sign(a) and its radial direction theta.
        if (ctx.lines[MAINLINE_SLOT + p.piece].form != form::CIRCLE)
            abandon(err::LONGITUDINAL_LINE,
                    fmt::format("tapered line {} starts on a straight piece of the mainline", line.number));
        const double r0 = ctx.alignment.segments[p.piece].r;
        const double a = r0 * v.third / 100.0;
        if (a == 0)
            abandon(err::LONGITUDINAL_LINE,
                    fmt::format("tapered line {} has no taper (TR or the curve radius is 0)", line.number));
        line.slope = a;
        line.radius = (r0 + line.dr) * signOf(a);
        line.intercept = SpiralArcLength(a, line.radius);
        line.radiusSq = p.theta;
        line.form = form::CIRCLE;
        line.state = p.piece;
    } else {   // COS
        // Circle of radius R = TR through the point at offset DR, its centre
        // on the normal at STA.
        const double r = v.third;
        line.radius = r;
        line.radiusSq = r * r;
        line.slope = p.x - (r - line.dr) * c;
        line.intercept = p.y - (r - line.dr) * s;
        line.direction = p.theta;
        line.form = form::CIRCLE;
        line.state = 0;
    }
}

// The line parallel to R at normal distance D: a positive D moves the
// line towards increasing y (form 1) or increasing x (form 2).
void offsetStraight(LongitudinalLine& line, const LongitudinalLine& ref, double d) {
    line.form = ref.form;
    copyDirection(line, ref);
    line.intercept = ref.intercept + d * ref.normFactor;
    line.state = 0;
}

// One resolution step of line I; leaves it unresolved when its reference
// is not fixed yet or the mainline is not a single straight.
void resolveLine(RunContext& ctx, int i) {
    LongitudinalLine& line = ctx.lines[i];
    const int r = line.refLine;
    if (r > ctx.lineCount)
        abandon(err::LONGITUDINAL_LINE,
                fmt::format("longitudinal line {} refers to line {}, which is not in the list", i, r));
    const double d = line.dr;
    const Word& t = line.typeCode;

    if (t == kw::RLG) {
        const LongitudinalLine& ref = ctx.lines[r];
        if (ref.state == UNRESOLVED) return;
        if (ref.state > 0) {
            // The spiral at offset D: same rate and reference direction.
            line.state = ref.state;
            line.radiusSq = ref.radiusSq;
            line.slope = ref.slope;
            line.radius = d * signOf(ref.slope) + ref.radius;
            line.intercept = SpiralArcLength(line.slope, line.radius);
            return;
        }
        if (ref.form < 0) abandon(err::INTERNAL, "a referenced line has no geometry");
        if (ref.form > 0) {
            offsetStraight(line, ref, d);
        } else {
            // Concentric circle at offset D.
            line.radius = d + ref.radius;
            line.radiusSq = line.radius * line.radius;
            line.slope = ref.slope;
            line.intercept = ref.intercept;
            line.form = form::CIRCLE;
            line.state = 0;
        }
        return;
    }

    const LongitudinalLine& main = ctx.lines[MAINLINE_SLOT + 2];
    if (ctx.severalPieceMainline) return;
    if (main.form < 0) abandon(err::INTERNAL, "the main piece of the mainline is missing");
    if (main.form == form::CIRCLE) return;

    if (t == kw::CRD || t == kw::ARC) {
        offsetStraight(line, main, d);
    } else if (t == kw::PAR) {
        const LongitudinalLine& ref = ctx.lines[r];
        if (ref.state > 0)
            abandon(err::LONGITUDINAL_LINE, fmt::format("parallel line {} refers to a spiral line", i));
        if (ref.state == UNRESOLVED) return;
        // A parallel needs a straight reference; a circle would leave a
        // line without any geometry.
        if (ref.form <= 0)
            abandon(err::LONGITUDINAL_LINE,
                    fmt::format("parallel line {} refers to a line that is not straight", i));
        offsetStraight(line, ref, d);
    } else if (t == kw::PIA || t == kw::PIB) {
        // The offsets add up; the line's own DR stays as read.
        offsetStraight(line, main, d + ctx.lines[r].dr);
    }
}

}   // namespace

void deriveMainlineShape(RunContext& ctx) {
    ctx.severalPieceMainline = Mainline(ctx.alignment, ctx.lines).severalPieces();
}

// Exactly two passes in card order; a line still unresolved afterwards
// follows the mainline and is crossed span by span.
void resolveReferencedLines(RunContext& ctx) {
    for (int pass = 1; pass <= 2; ++pass)
        for (int i = 1; i <= ctx.lineCount; ++i)
            if (ctx.lines[i].state == UNRESOLVED) resolveLine(ctx, i);
}

void readLongitudinalLines(RunContext& ctx) {
    echoHeading(ctx);
    for (int n = 1;; ++n) {
        const Card card = ctx.deck.require("a longitudinal line card \"7\"");
        // (A1,I2,A3,I2,4F10.4,I1,A3,7A4,T80,A1): every field is read before
        // any is looked at, so a field that is not a number fails the card.
        const Word code = card.code();
        const long number = card.integer(2, 2, err::LONGITUDINAL_LINE);
        const Word type = card.word(4, 3);
        const long ref = card.integer(7, 2, err::LONGITUDINAL_LINE);
        LineCardValues v;
        v.dr = card.number(9, 10, 4, err::LONGITUDINAL_LINE);
        v.station = card.number(19, 10, 4, err::LONGITUDINAL_LINE);
        v.third = card.number(29, 10, 4, err::LONGITUDINAL_LINE);
        v.y2 = card.number(39, 10, 4, err::LONGITUDINAL_LINE);
        const long skip = card.integer(49, 1, err::LONGITUDINAL_LINE);

        if (!(code == kw::SEVEN) || number != n)
            abandon(err::LONGITUDINAL_LINE,
                    fmt::format("expected longitudinal line card \"7\" number {}", n));
        if (type == kw::END) {
            ctx.lineCount = n - 1;
            echoEnd(ctx, n, type);
            if (ctx.lineCount == 0) abandon(err::LONGITUDINAL_LINE, "the longitudinal line list is empty");
            break;
        }

        LongitudinalLine& line = ctx.lines[n];
        line = LongitudinalLine{};
        line.number = n;
        line.typeCode = type;
        line.refLine = static_cast<int>(ref);
        line.dr = v.dr;
        line.skip = static_cast<int>(skip);
        line.remarks = std::string(card.text(50, 31));
        line.plotMark = card.column(80);
        line.state = UNRESOLVED;
        echoLine(ctx, line, v);
        buildLine(ctx, line, v);

        if (n == MAX_LINES) {
            // After the 30th line only the type of one more card is looked at.
            const Card closing = ctx.deck.require("an \"END\" card after 30 longitudinal lines");
            if (!(closing.word(4, 3) == kw::END))
                abandon(err::LONGITUDINAL_LINE, "more than 30 longitudinal lines");
            ctx.lineCount = MAX_LINES;
            break;
        }
    }
    resolveReferencedLines(ctx);
}

}   // namespace bp
