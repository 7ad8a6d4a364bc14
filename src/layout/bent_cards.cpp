// The back and ahead bent cards of a span: read, echoed in the "BENT DATA"
// block of the span input page, and turned into a straight bent line in
// the plan frame with its mainline station and skew.
#include "layout/bent_cards.hpp"

#include <fmt/format.h>

#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "layout/span_parts.hpp"
#include "layout/transverse_lines.hpp"
#include "run/run_context.hpp"

namespace bp {

// DDDMMSSs with integer division truncating toward zero; degrees, minutes
// and tenths of seconds all carry the sign of the packed value.
PackedSkew decodePackedSkew(long packed) {
    PackedSkew a;
    a.degrees = packed / 100000;
    a.minutes = packed / 1000 - 100 * a.degrees;
    const long tenths = packed - 1000 * (100 * a.degrees + a.minutes);
    a.seconds = static_cast<double>(tenths) / 10.0;
    a.radians =
        ((a.seconds / 60.0 + static_cast<double>(a.minutes)) / 60.0 + static_cast<double>(a.degrees)) * PI /
        180.0;
    return a;
}

namespace {

// Bent card, layout (A1,I1,A2,A4,F10.4,I8,F10.4,3A4,A2,30I1,T50,A1). A
// numeric field that is not a number makes a bad bent card.
BentCard readBentCard(const Card& card) {
    BentCard b;
    b.code = card.word(1, 1);
    b.cCode = static_cast<int>(card.integer(2, 1, err::BENT_CARD));
    b.number = std::string(card.text(3, 2));
    b.type = card.word(5, 4);
    b.station = card.number(9, 10, 4, err::BENT_CARD);
    b.packedSkew = card.integer(19, 8, err::BENT_CARD);
    b.second = card.number(27, 10, 4, err::BENT_CARD);
    b.remarks = std::string(card.text(37, 14));
    for (int j = 1; j <= MAX_LINES; ++j)
        b.skips[j - 1] = static_cast<int>(card.integer(50 + j, 1, err::BENT_CARD));
    b.plotMark = card.column(50);
    return b;
}

// ('0',1X,A1,I3,2X,A2,2X,A4,F13.4,I5,I3,F5.1,F13.4,2X,3A4,A2,2X,30I2,
// T35,'-',T38,'-'); for a negative angle of 0 whole degrees the overprint
// ('+',T33,'-') puts the sign in front of the degree digit.
void echoBentCard(Report& report, const BentCard& b, const PackedSkew& skew) {
    Record r('0');
    r.X(1)
        .A(1, b.code.view())
        .I(3, b.cCode)
        .X(2)
        .A(2, b.number)
        .X(2)
        .A(4, b.type.view())
        .F(13, 4, b.station)
        .I(5, skew.degrees)
        .I(3, skew.minutes)
        .F(5, 1, skew.seconds)
        .F(13, 4, b.second)
        .X(2)
        .A(14, b.remarks)
        .X(2);
    for (int flag : b.skips) r.I(2, flag);
    r.put(35, '-').put(38, '-');
    report.write(r);
    if (b.packedSkew < 0 && skew.degrees == 0) report.write(Record('+').T(33).lit("-"));
}

// The bent line through the mainline point at `station` turned by psi from
// the mainline normal there (theta + psi, radians counter-clockwise).
void skewedAtStation(RunContext& ctx, TransverseLine& slot, Bent& bent, double station, double psi) {
    const StationPoint p = PointAtStation(ctx.alignment, ctx.lines, station);
    const double angle = p.theta + psi;
    buildLineThrough(slot, p.x, p.y, angle);
    bent.station = station;
    bent.skew = psi;
    bent.normFactor = slot.normFactor;
}

// Skew of a bent line of direction A crossing the mainline at `station`:
// A less the mainline normal there.
double skewAt(RunContext& ctx, double direction, double station) {
    return direction - PointAtStation(ctx.alignment, ctx.lines, station).theta;
}

// A "SAME" bent is the previous span's ahead bent: its line (and the point
// it was built through), station, skew, number, C and remarks. The skip
// flags and the plot mark (column 50) are the card's own: they choose the
// lines reported in this span and how the bent is drawn. (As the ahead bent
// it otherwise leaves the slot as the previous span left it.)
void buildSameBent(RunContext& ctx, int slotNo, const BentCard& b) {
    if (ctx.firstSpan)
        abandon(err::BENT_CARD, fmt::format("the {} bent of the first span cannot be \"SAME\": "
                                            "there is no earlier span",
                                            slotNo == BACK_BENT_SLOT ? "back" : "ahead"));
    TransverseLine& slot = ctx.transverse[slotNo];
    if (slotNo == BACK_BENT_SLOT) {
        const TransverseLine& prev = ctx.transverse[AHEAD_BENT_SLOT];
        slot.cCode = prev.cCode;
        slot.bentNumber = prev.bentNumber;
        slot.lineType = b.type;
        slot.form = prev.form;
        slot.slope = prev.slope;
        slot.intercept = prev.intercept;
        slot.direction = prev.direction;
        slot.normFactor = prev.normFactor;
        slot.throughX = prev.throughX;
        slot.throughY = prev.throughY;
        slot.remarks = prev.remarks;
        ctx.bents[1] = ctx.bents[2];
    }
    slot.skips = b.skips;
    slot.plotMark = b.plotMark;
}

// A "PREV" ahead bent, parallel to the back bent: at the normal distance d
// (the second field) kept on its side by the side rule, or through the
// mainline point at STATION.
void buildPrevBent(RunContext& ctx, const BentCard& b) {
    TransverseLine& slot = ctx.transverse[AHEAD_BENT_SLOT];
    Bent& bent = ctx.bents[2];
    const TransverseLine& ref = ctx.transverse[BACK_BENT_SLOT];
    const Bent& refBent = ctx.bents[1];
    if (b.second != 0) {
        const double d = b.second;
        slot.form = ref.form;
        slot.slope = ref.slope;
        slot.intercept = ref.intercept;
        slot.throughX = ref.throughX;
        slot.throughY = ref.throughY;
        shiftIntercept(slot, d * refBent.normFactor);
        slot.direction = ref.direction;
        slot.normFactor = ref.normFactor;
        bent.normFactor = refBent.normFactor;
        bent.station = applySideRule(ctx, AHEAD_BENT_SLOT, d, refBent.station);
        bent.skew = skewAt(ctx, slot.direction, bent.station);
    } else if (b.station != 0) {
        const StationPoint p = PointAtStation(ctx.alignment, ctx.lines, b.station);
        buildLineThrough(slot, p.x, p.y, ref.direction);
        bent.station = b.station;
        bent.skew = ref.direction - p.theta;
        bent.normFactor = slot.normFactor;
    } else {
        abandon(err::BENT_CARD, "a \"PREV\" bent needs a normal distance or a station; both are 0");
    }
}

void buildBent(RunContext& ctx, int slotNo, const BentCard& b, const PackedSkew& skew) {
    TransverseLine& slot = ctx.transverse[slotNo];
    Bent& bent = ctx.bents[slotNo - BACK_BENT_SLOT + 1];
    const bool back = slotNo == BACK_BENT_SLOT;
    const char* which = back ? "back" : "ahead";

    if (b.type == kw::SAME) {
        buildSameBent(ctx, slotNo, b);
        return;
    }

    slot.cCode = b.cCode;
    slot.bentNumber = b.number;
    slot.lineType = b.type;
    slot.remarks = b.remarks;
    slot.skips = b.skips;
    slot.plotMark = b.plotMark;
    bent.packedSkew = b.packedSkew;

    if (b.type == kw::SKEW) {
        skewedAtStation(ctx, slot, bent, b.station, skew.radians);
    } else if (b.type == kw::PSTA) {
        // The direction of a SKEW bent at STATION, placed through the second station.
        const double angle = PointAtStation(ctx.alignment, ctx.lines, b.station).theta + skew.radians;
        const StationPoint p2 = PointAtStation(ctx.alignment, ctx.lines, b.second);
        buildLineThrough(slot, p2.x, p2.y, angle);
        bent.station = b.second;
        bent.skew = angle - p2.theta;
        bent.normFactor = slot.normFactor;
    } else if (b.type == kw::PARL) {
        // A SKEW bent at STATION moved by the normal distance d.
        skewedAtStation(ctx, slot, bent, b.station, skew.radians);
        const double d = b.second;
        shiftIntercept(slot, d * slot.normFactor);
        bent.station = applySideRule(ctx, slotNo, d, b.station);
        bent.skew = skewAt(ctx, slot.direction, bent.station);
    } else if (b.type == kw::PREV) {
        if (back)
            abandon(err::BENT_CARD,
                    "\"PREV\" places the ahead bent from the back bent; the back bent cannot be \"PREV\"");
        buildPrevBent(ctx, b);
    } else {
        abandon(err::BENT_CARD, fmt::format("the {} bent's TYPE \"{}\" is none of SKEW, PSTA, PARL, "
                                            "PREV, SAME",
                                            which, b.type.view()));
    }
}

// One bent card into slot 21 (back, card "B") or 22 (ahead, card "A").
void readBent(RunContext& ctx, int slotNo) {
    const bool back = slotNo == BACK_BENT_SLOT;
    const Word expected = back ? kw::B : kw::A;
    const Card card = ctx.deck.require(back ? "a back bent card \"B\"" : "an ahead bent card \"A\"");
    const BentCard b = readBentCard(card);
    if (!(b.code == expected))
        abandon(err::BENT_CARD,
                fmt::format("the {} bent card has \"{}\" in column 1, not \"{}\"", back ? "back" : "ahead",
                            card.text(1, 1), expected.view().substr(0, 1)));
    const PackedSkew skew = decodePackedSkew(b.packedSkew);
    echoBentCard(ctx.report, b, skew);
    buildBent(ctx, slotNo, b, skew);
}

}   // namespace

void readBents(RunContext& ctx) {
    readBent(ctx, BACK_BENT_SLOT);
    readBent(ctx, AHEAD_BENT_SLOT);
}

}   // namespace bp
