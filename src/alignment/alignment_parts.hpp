#pragma once
// The alignment card groups of a problem, in the order the driver reads
// them (location, horizontal curves, vertical curves, crown and lanes with
// the superelevation table), and the builders behind them. Each reader
// takes its card(s) from the deck, prints its echo and builds its part of
// the alignment; each builder works from the card values alone, so the
// geometry can be built and checked without a deck.

#include <array>
#include <optional>
#include <string_view>

#include "bridgeplan/project_frame.hpp"

#include "bridgeplan/alignment_records.hpp"
#include "bridgeplan/line_table.hpp"
#include "bridgeplan/word.hpp"

namespace bp {

class Card;
class DeckReader;
class Record;
class Report;

// What the roadway card readers work on: the deck they read from, the
// report they echo to, and what they build (the alignment, the mainline
// pieces' line slots 31..33 and the project frame of a tied mainline).
struct RoadwayCards {
    DeckReader& deck;
    Report& report;
    Alignment& alignment;
    LineTable& lines;
    std::optional<ProjectFrame>& project;
};

// Location, horizontal curve, vertical curve, crown and superelevation
// cards, in their fixed order; each reads, echoes and builds its part.
void readAlignmentGroups(const RoadwayCards& cards);

// Abandons the problem with `errorNumber` unless the card has `code` in
// column 1; `cardName` says which card was expected.
void checkCardCode(const Card& card, Word code, int errorNumber, std::string_view cardName);

// The head of a group's echo: a spaced empty line, then the title after
// `blanks` blanks (the carriage control counted) between empty records.
void writeGroupTitle(Report& report, int blanks, std::string_view title);

// Location card "1": stations, reference, direction letter, text size.
void readLocationCard(const RoadwayCards& cards);

// Tie card "T", optional, directly after the location card: read, echo,
// check into a.tie (error 2 for a bad one). Without it, nothing is read.
void readTieCard(const RoadwayCards& cards);

// The project frame of a built mainline with a tie; none without a tie.
std::optional<ProjectFrame> projectFrameOf(const Alignment& a, const LineTable& lines);

// Horizontal curve card "2": echo, checks, the three mainline pieces.
void readHorizontalCurveCard(const RoadwayCards& cards);

// Vertical curve cards "3" and "4": echoes and the profile segments.
void readVerticalCurveCards(const RoadwayCards& cards);

// Crown and lane card "5" and, for a laned section, the superelevation
// cards "6".
void readCrossSectionCards(const RoadwayCards& cards);

// An angle as entered: degrees, minutes, seconds.
struct EnteredAngle {
    double degrees = 0, minutes = 0, seconds = 0;
    // ((seconds / 60 + minutes) / 60 + degrees) in radians.
    double radians() const;
};

// Echoes an angle as entered: degrees (Iw), minutes (I3), seconds (F6.2),
// whole parts truncated toward zero; "-" overwrites the first column of the
// minutes and of the seconds.
void echoEnteredAngle(Record& r, int degreesWidth, const EnteredAngle& a);

// The values of the horizontal curve card: the degree of curve of the
// pieces before the P.C., P.C. to P.T. and after the P.T.
struct HorizontalCurveCard {
    EnteredAngle curve1, curve2, curve3;
    double pcStation = 0, ptStation = 0;
};

// Builds the three pieces (AlignmentSegment and line slots 31..33) from the
// card and a.location (back, ahead and reference stations, reference angle
// in radians, reference distance). Error 3 for inconsistent curve data,
// error 2 for a reference station outside the P.C. to P.T.
void buildHorizontalAlignment(Alignment& a, LineTable& lines, const HorizontalCurveCard& card);

// The values of the two vertical curve cards; grades in percent.
struct VerticalCurveCards {
    double pviZ = 0, pvi1 = 0, pvi2 = 0;
    double elevationZ = 0, gradeZ1 = 0, length1 = 0, grade12 = 0, length2 = 0, grade23 = 0;
};

// Builds the profile points and segments; error 5 for a negative curve
// length or profile points that run backwards in station.
void buildProfile(Alignment& a, const VerticalCurveCards& v);

// The crown and lane card: the crown code and its ten offsets in card
// order (S.R.INS., S.R. 1, INS.PIV., S.R. 2, S.R. 3, S.R.OUTS., S.R. 4,
// OUTS.PIV., S.R. 5, S.R. 6).
struct CrownLaneCard {
    Word crownCode;
    std::array<double, 10> values{};
};

// Prepares the section type, breaks, lane widths and parts before the
// pivots (or the parabola); error 6 or 7 for inconsistent offsets.
void prepareCrossSection(CrossSection& section, const CrownLaneCard& card);

// One superelevation card; the slopes in inches per foot as entered.
struct SuperelevationCard {
    Word description;
    double station = 0;
    std::array<double, 6> slopes{};
};

// Takes card number `cardNumber` (1, 2, ...) of the superelevation table;
// true when the table is complete ("CONS" or "FINI"), error 7 for a card
// out of sequence.
bool takeSuperelevationCard(Alignment& a, int cardNumber, const SuperelevationCard& card);

}   // namespace bp
