// The horizontal curve card "2" and the plane model of the mainline: at
// most three pieces (before the P.C., P.C. to P.T., after the P.T.), each a
// circle given by its degree of curve or a straight (degree 0).
//
// Frame: the origin is the centre of the main curve, or for a straight
// main piece the point at the reference distance to the right of it.
// Every curve turns right (stations run clockwise about its centre); theta
// at a point is the normal pointing left of travel, travel is theta - pi/2.
#include <cmath>

#include <fmt/format.h>

#include "alignment/alignment_parts.hpp"
#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "run/deck_reader.hpp"
#include "run/record.hpp"
#include "run/report.hpp"

namespace bp {
namespace {

constexpr int E3 = err::HORIZONTAL_CURVE;

// Records the line form of piece k in slot 30 + k: a circle by its centre,
// a straight through its reference point in the direction of travel.
void storeLineForm(const AlignmentSegment& seg, LongitudinalLine& slot) {
    slot = LongitudinalLine{};
    const double travel = seg.theta - HALF_PI;
    if (seg.degree > 0) {
        slot.form = form::CIRCLE;
        slot.direction = travel;
        slot.slope = seg.xc;
        slot.intercept = seg.yc;
        slot.radius = seg.r;
        slot.radiusSq = seg.rSquared;
        return;
    }
    copyLineForm(slot, LineThroughPoint(seg.xp, seg.yp, travel), travel);
}

// Piece 1 or 3 joined to the main piece at junction station sJ (its
// reference station): L = sJ - s2, thetaK = theta2 - L D2 / 100; the
// junction point J lies on piece 2; a circle of radius R = 100 / DK has its
// centre on the radius through J, R from J towards the main centre
// ((R2 - R)(cos thetaK, sin thetaK)); a straight lies at R2 from the
// origin. Both are moved along with J when the main piece is straight.
AlignmentSegment junctionPiece(const AlignmentSegment& main, double sJ, double degree, int piece) {
    if (degree < 0) abandon(E3, fmt::format("curve {} has a negative degree of curve", piece));
    AlignmentSegment seg;
    seg.referenceStation = sJ;
    seg.degree = degree;
    double L = sJ - main.referenceStation;
    double t = main.theta - L * main.degree / CURVE_ARC;
    seg.theta = t;
    double alongX = L * std::sin(t), alongY = -L * std::cos(t);
    if (main.degree > 0) {
        seg.xp = main.r * std::cos(t);
        seg.yp = main.r * std::sin(t);
    } else {
        seg.xp = main.xp + alongX;
        seg.yp = main.yp + alongY;
    }
    if (degree > 0) {
        seg.r = CURVE_ARC / degree;
        seg.rSquared = seg.r * seg.r;
        seg.xc = (main.r - seg.r) * std::cos(t);
        seg.yc = (main.r - seg.r) * std::sin(t);
    } else {
        seg.r = main.r;
    }
    if (main.degree == 0) {
        seg.xc += alongX;
        seg.yc += alongY;
    }
    return seg;
}

}   // namespace

void buildHorizontalAlignment(Alignment& a, LineTable& lines, const HorizontalCurveCard& card) {
    const LocationData& loc = a.location;
    for (int k = 1; k <= 3; ++k) {
        a.segments[k] = AlignmentSegment{};
        lines[MAINLINE_SLOT + k] = LongitudinalLine{};
        lines[MAINLINE_SLOT + k].form = form::ABSENT;
    }
    double pc = card.pcStation, pt = card.ptStation;
    if (pc > pt) abandon(E3, "the P.C. station lies beyond the P.T. station");
    if (pc == pt) {
        pc = loc.backStation;
        pt = loc.aheadStation;
    }
    if (loc.referenceStation < pc || loc.referenceStation > pt)
        abandon(err::LOCATION, "the reference station lies outside the P.C. to P.T.");

    double d1 = card.curve1.radians(), d2 = card.curve2.radians(), d3 = card.curve3.radians();

    // Main piece: reference point at the reference station, centre at the origin.
    if (d2 < 0) abandon(E3, "curve 2 has a negative degree of curve");
    AlignmentSegment& main = a.segments[2];
    main.referenceStation = loc.referenceStation;
    main.theta = loc.referenceAngle;
    main.degree = d2;
    if (d2 > 0) {
        main.r = CURVE_ARC / d2;
        main.rSquared = main.r * main.r;
    } else {
        main.r = loc.referenceDistance > 0 ? loc.referenceDistance : DEFAULT_REFERENCE_DISTANCE;
    }
    main.xp = main.r * std::cos(main.theta);
    main.yp = main.r * std::sin(main.theta);

    // Piece 1 before the P.C.: absent when the roadway starts at or after the
    // P.C., or when it would continue the main piece unchanged.
    bool piece1 = loc.backStation < pc && d1 + d2 != 0;
    if (piece1) {
        if (d1 + d2 < 0) abandon(E3, "curve 1 has a negative degree of curve");
        AlignmentSegment& seg = a.segments[1];
        seg = junctionPiece(main, pc, d1, 1);
        seg.beginStation = loc.backStation;
        seg.endStation = pc;
    } else {
        pc = loc.backStation;
        if (d1 != 0) abandon(E3, "curve 1 is given but there is no roadway before the P.C.");
    }

    // Piece 3 after the P.T., the mirror of piece 1.
    bool piece3 = loc.aheadStation > pt && d2 + d3 != 0;
    if (piece3) {
        if (d2 + d3 < 0) abandon(E3, "curve 3 has a negative degree of curve");
        AlignmentSegment& seg = a.segments[3];
        seg = junctionPiece(main, pt, d3, 3);
        seg.beginStation = pt;
        seg.endStation = loc.aheadStation;
    } else {
        pt = loc.aheadStation;
        if (d3 != 0) abandon(E3, "curve 3 is given but there is no roadway after the P.T.");
    }

    main.beginStation = pc;
    main.endStation = pt;
    a.pcStation = pc;
    a.ptStation = pt;
    storeLineForm(main, lines[MAINLINE_SLOT + 2]);
    if (piece1) storeLineForm(a.segments[1], lines[MAINLINE_SLOT + 1]);
    if (piece3) storeLineForm(a.segments[3], lines[MAINLINE_SLOT + 3]);
}

namespace {

EnteredAngle readDegree(const Card& card, int col) {
    return {card.number(col, 2, 0, E3), card.number(col + 2, 2, 0, E3), card.number(col + 4, 4, 2, E3)};
}

void echoHorizontalCurves(Report& report, const HorizontalCurveCard& c) {
    writeGroupTitle(report, 22, "HORIZONTAL CURVE DATA");
    report.write(Record(' ').lit("CURVE NO. 1    P.C. STA.  CURVE NO. 2    P.T. STA.  CURVE NO. 3"));
    report.empty();
    // Curve 1's degrees start in the carriage-control column.
    Record r(' ');
    r.T(1);
    echoEnteredAngle(r, 3, c.curve1);
    r.F(13, 4, c.pcStation);
    echoEnteredAngle(r, 4, c.curve2);
    r.F(13, 4, c.ptStation);
    echoEnteredAngle(r, 4, c.curve3);
    report.write(r);
}

}   // namespace

void readHorizontalCurveCard(const RoadwayCards& cards) {
    Card card = cards.deck.require("a horizontal curve card \"2\"");
    HorizontalCurveCard c;
    c.curve1 = readDegree(card, 2);
    c.pcStation = card.number(10, 10, 4, E3);
    c.curve2 = readDegree(card, 20);
    c.ptStation = card.number(28, 10, 4, E3);
    c.curve3 = readDegree(card, 38);
    checkCardCode(card, kw::TWO, E3, "a horizontal curve card \"2\"");
    echoHorizontalCurves(cards.report, c);
    buildHorizontalAlignment(cards.alignment, cards.lines, c);
}

}   // namespace bp
