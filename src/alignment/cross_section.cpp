// The roadway surface across the mainline: the crown and lane card "5"
// (level, parabolic crown, or lanes between break offsets turning about a
// pivot), the superelevation cards "6" for a laned section, and the
// finished elevation at a station and offset.
//
// Offsets in ft, positive to the left of travel; cross slopes in ft/ft,
// positive when the surface rises towards larger offsets (entered in
// inches per foot); crown drops entered in inches.
#include <cmath>

#include <fmt/format.h>

#include "alignment/alignment_parts.hpp"
#include "alignment/elevation.hpp"
#include "alignment/station_search.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "run/deck_reader.hpp"
#include "run/record.hpp"
#include "run/report.hpp"

namespace bp {
namespace {

constexpr int E6 = err::CROWN;
constexpr int E7 = err::SUPERELEVATION;

constexpr double INCHES_PER_FOOT = 12.0;

// Section types.
constexpr int TABLE = 1, CONSTANT = 2, PARABOLIC = 3, LEVEL = 4;

// Card order of the crown and lane card's ten offsets.
enum CardField { INS, SR1, INS_PIV, SR2, SR3, OUTS, SR4, OUTS_PIV, SR5, SR6 };

// Lane k (1..6) runs from break firstBreak(k) to break firstBreak(k) + 1.
int firstBreak(int lane) { return lane <= 3 ? lane : lane + 1; }

// Lanes between consecutive breaks of a roadway: width = B2 - B1 (error 6
// when negative); the part before the pivot is the part of [B1, B2] below
// the pivot offset.
void prepareLanes(CrossSection& cs, int firstLane, double pivot) {
    for (int k = firstLane; k < firstLane + 3; ++k) {
        double b1 = cs.breaks[firstBreak(k)], b2 = cs.breaks[firstBreak(k) + 1];
        double width = b2 - b1;
        if (width < 0) abandon(E6, fmt::format("the break offsets of lane {} run backwards", k));
        cs.laneWidth[k] = width;
        cs.partBeforePivot[k] = pivot <= b1 ? 0.0 : (b2 <= pivot ? width : pivot - b1);
    }
}

}   // namespace

void prepareCrossSection(CrossSection& cs, const CrownLaneCard& card) {
    cs = CrossSection{};
    cs.crownCode = card.crownCode;
    const auto& v = card.values;
    double breaks[8] = {v[INS], v[SR1], v[SR2], v[SR3], v[OUTS], v[SR4], v[SR5], v[SR6]};
    for (int b = 1; b <= 8; ++b) cs.breaks[b] = breaks[b - 1];
    cs.insidePivot = v[INS_PIV];
    cs.outsidePivot = v[OUTS_PIV];

    if (card.crownCode == kw::LVL) {
        cs.sectionType = LEVEL;
        return;
    }
    if (card.crownCode == kw::PAR) {
        // Parabola about the crown line at INS.PIV.: drop a d^2 at the distance
        // d, a = drop (in) / (distance^2 x 12); beyond the half width S.R. 1
        // the edge drop stays.
        cs.sectionType = PARABOLIC;
        cs.parabolaHalfWidth = std::fabs(v[SR1]);
        cs.breaks[2] = cs.parabolaHalfWidth;
        if (v[SR2] == 0) abandon(E6, "a parabolic crown needs the distance S.R. 2 of its drop");
        cs.parabolaCoefficient = v[SR3] / (v[SR2] * v[SR2] * INCHES_PER_FOOT);
        cs.parabolaEdgeDrop = cs.parabolaHalfWidth * cs.parabolaHalfWidth * cs.parabolaCoefficient;
        return;
    }
    cs.sectionType = TABLE;
    cs.sides = 1;
    if (v[INS] >= v[SR3]) abandon(E7, "the inside roadway's first break S.R.INS. is not below S.R. 3");
    prepareLanes(cs, 1, cs.insidePivot);
    if (v[OUTS] > v[SR6]) abandon(E6, "the outside roadway's breaks run backwards");
    if (v[OUTS] < v[SR6]) {
        if (v[SR3] > v[OUTS]) abandon(E6, "the outside roadway S.R.OUTS. starts inside the inside roadway");
        cs.sides = 2;
        prepareLanes(cs, 4, cs.outsidePivot);
    }
}

namespace {

// The lanes of the roadway the offset lies on: the outside roadway from
// S.R.OUTS. on when there is one, else the inside roadway.
int firstLaneAt(const CrossSection& cs, double o) { return cs.sides == 2 && o >= cs.breaks[5] ? 4 : 1; }

// Constant superelevation: each lane's slope and drop, and per roadway the
// rise from its first break to its pivot.
void takeConstantSlopes(CrossSection& cs, const SuperelevationCard& card) {
    cs.sectionType = CONSTANT;
    cs.insideSum = cs.outsideSum = 0;
    for (int k = 1; k <= 3 * cs.sides; ++k) {
        cs.laneSlope[k] = card.slopes[k - 1] / INCHES_PER_FOOT;
        cs.laneDrop[k] = cs.laneSlope[k] * cs.laneWidth[k];
        (k <= 3 ? cs.insideSum : cs.outsideSum) += cs.laneSlope[k] * cs.partBeforePivot[k];
    }
}

}   // namespace

bool takeSuperelevationCard(Alignment& a, int i, const SuperelevationCard& card) {
    SuperelevationTable& table = a.superelevation;
    if (i == 1) table = SuperelevationTable{};
    SuperelevationRow& row = table.rows[i];
    row.station = card.station;
    for (int k = 0; k < 6; ++k) row.slope[k] = card.slopes[k] / INCHES_PER_FOOT;

    if (card.description == kw::CONS) {
        if (i != 1) abandon(E7, "\"CONS\" is allowed only as the first superelevation card");
        takeConstantSlopes(a.section, card);
        return true;
    }
    if (card.description == kw::STAR) {
        if (i != 1) abandon(E7, "\"STAR\" is allowed only as the first superelevation card");
        return false;
    }
    if (i == 1) abandon(E7, "the superelevation table must start with a \"STAR\" or \"CONS\" card");
    SuperelevationRow& prev = table.rows[i - 1];
    if (!(row.station > prev.station))
        abandon(E7, fmt::format("superelevation station {:.4f} does not exceed the one before", row.station));
    // Rate of change of each lane's slope per ft of station over the interval.
    for (int k = 0; k < 6; ++k) prev.rate[k] = (row.slope[k] - prev.slope[k]) / (row.station - prev.station);
    if (card.description == kw::BLANK && i < SuperelevationTable::ROWS) return false;
    if (card.description == kw::FINI) {
        table.intervalCount = i - 1;
        return true;
    }
    abandon(E7, card.description == kw::BLANK
                    ? std::string("the superelevation table ends without its \"FINI\" card")
                    : fmt::format("\"{}\" is not a superelevation description", card.description.view()));
}

// Profile elevation E at s, then across the section at offset o:
// level: E; parabolic crown: E - a d^2 with d = |o - crown line|, the edge
// drop with "*" from the half width on; lanes: from the roadway's first
// break at E - (rise to the pivot), lane by lane up the slopes, "*" before
// the first break and beyond the last (there the edge elevation).
SurfacePoint SectionElevation(const Alignment& a, double s, double o) {
    SurfacePoint sp;
    double e = ProfileElevation(a, s);
    const CrossSection& cs = a.section;
    if (cs.sectionType == LEVEL) {
        sp.elevation = e;
        return sp;
    }
    if (cs.sectionType == PARABOLIC) {
        double d = std::fabs(o - cs.insidePivot);
        if (d >= cs.parabolaHalfWidth) {
            sp.elevation = e - cs.parabolaEdgeDrop;
            sp.edgeMark = '*';
        } else {
            sp.elevation = e - cs.parabolaCoefficient * (d * d);
        }
        return sp;
    }

    int first = firstLaneAt(cs, o);
    double slope[7] = {}, drop[7] = {};
    double sum = 0;
    if (cs.sectionType == TABLE) {
        const SuperelevationTable& t = a.superelevation;
        double d = 0;
        int i = intervalOfStation([&](int r) { return t.rows[r].station; }, t.intervalCount, s, d);
        if (i == 0)
            abandon(err::BEYOND_TABLES,
                    fmt::format("station {:.4f} lies outside the superelevation table", s));
        for (int k = first; k < first + 3; ++k) {
            slope[k] = t.rows[i].slope[k - 1] + d * t.rows[i].rate[k - 1];
            drop[k] = slope[k] * cs.laneWidth[k];
            sum += slope[k] * cs.partBeforePivot[k];
        }
    } else {
        for (int k = first; k < first + 3; ++k) {
            slope[k] = cs.laneSlope[k];
            drop[k] = cs.laneDrop[k];
        }
        sum = first == 1 ? cs.insideSum : cs.outsideSum;
    }

    double es = e - sum;   // the pivot keeps the profile elevation
    for (int k = first; k < first + 3; ++k) {
        double b1 = cs.breaks[firstBreak(k)], b2 = cs.breaks[firstBreak(k) + 1];
        if (o < b1) {
            sp.elevation = es;
            sp.edgeMark = '*';
            return sp;
        }
        if (o <= b2) {
            sp.elevation = es + (o - b1) * slope[k];
            return sp;
        }
        es += drop[k];
    }
    sp.elevation = es;
    sp.edgeMark = '*';
    return sp;
}

namespace {

void echoCrownAndLanes(Report& report, const CrownLaneCard& card, std::string_view code) {
    writeGroupTitle(report, 40, "CROWN AND LANE DEFINITIONS");
    report.write(
        Record(' ').lit("CODE  S.R.INS.   S.R. 1   INS.PIV.   S.R. 2    S.R. 3   "
                        "S.R.OUTS.  S.R. 4   OUTS.PIV.  S.R. 5    S.R. 6"));
    report.empty();
    Record r(' ');
    r.X(1).A(3, code);
    for (double v : card.values) r.F(10, 4, v);
    report.write(r);
}

void echoSuperelevationHeading(Report& report) {
    writeGroupTitle(report, 27, "SUPERELEVATION DATA");
    report.write(Record(' ').lit("DESC.   AT STATION   S.E. 1   S.E. 2   S.E. 3   S.E. 4   S.E. 5   S.E. 6"));
}

void echoSuperelevationCard(Report& report, const SuperelevationCard& card, char mark) {
    Record r('0');
    r.A(5, card.description.view()).A(1, std::string_view(&mark, 1)).F(13, 4, card.station);
    for (double v : card.slopes) r.F(9, 4, v);
    report.write(r);
}

}   // namespace

void readCrossSectionCards(const RoadwayCards& cards) {
    Card card = cards.deck.require("a crown and lane card \"5\"");
    CrownLaneCard c;
    c.crownCode = card.word(2, 3);
    // S.R.INS. to S.R. 3 are 8 columns wide from column 5, the rest 7 from column 45.
    for (int f = 0; f < 10; ++f) {
        int col = f < 5 ? 5 + 8 * f : 45 + 7 * (f - 5);
        c.values[f] = card.number(col, f < 5 ? 8 : 7, 4, E6);
    }
    checkCardCode(card, kw::FIVE, E6, "a crown and lane card \"5\"");
    echoCrownAndLanes(cards.report, c, card.text(2, 3));
    prepareCrossSection(cards.alignment.section, c);
    if (cards.alignment.section.sectionType != TABLE) return;

    echoSuperelevationHeading(cards.report);
    for (int i = 1;; ++i) {
        Card se = cards.deck.require("a superelevation card \"6\"");
        SuperelevationCard s;
        s.description = se.word(2, 4);
        s.station = se.number(7, 10, 4, E7);
        for (int k = 0; k < 6; ++k) s.slopes[k] = se.number(17 + 6 * k, 6, 4, E7);
        checkCardCode(se, kw::SIX, E7, "a superelevation card \"6\"");
        echoSuperelevationCard(cards.report, s, se.column(6));
        if (takeSuperelevationCard(cards.alignment, i, s)) return;
    }
}

}   // namespace bp
