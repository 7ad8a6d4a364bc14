// The location card "1": the stretch of roadway of the problem (back and
// ahead stations), the reference point that ties the mainline to the plane
// (reference station, angle and distance), the direction letter and the
// plot text size.
#include <fmt/format.h>

#include "alignment/alignment_parts.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"
#include "run/deck_reader.hpp"
#include "run/record.hpp"
#include "run/report.hpp"

namespace bp {

// Degrees, minutes and seconds to radians, summed from the seconds up.
double EnteredAngle::radians() const { return ((seconds / 60.0 + minutes) / 60.0 + degrees) * DEG_TO_RAD; }

namespace {

constexpr double TEXT_SIZE_LIMIT = 100.0;       // inches, not reached
constexpr double SUBSTITUTED_TEXT_SIZE = 7.5;   // inches

// Text size in inches: 0 leaves the choice to the plot set-up; anything
// outside 0 <= size < 100 is replaced by 7.5 inches.
double checkTextSize(Report& report, double size) {
    if (size == 0.0) report.write(Record(' ').lit("TEXT SIZE IS PROPER FOR SCALE 1IN. =20FT."));
    if (!(size >= 0.0 && size < TEXT_SIZE_LIMIT)) {
        report.write(Record(' ').lit("TEXT SIZE=").F(4, 2, size).lit(" IS OUT OF RANGE"));
        report.write(Record(' ').lit("7.5 INCHES HAS BEEN SUBSTITUTED"));
        size = SUBSTITUTED_TEXT_SIZE;
    }
    return size;
}

void echoLocation(Report& report, const LocationData& loc) {
    writeGroupTitle(report, 26, "LOCATION DATA");
    report.write(
        Record(' ').X(2).lit("BACK STA.   AHEAD STA.    REF. STA.    REF. ANGLE   "
                             "REF. DIST.   DIR    SIZE"));
    report.empty();
    // The back station's field starts in the carriage-control column.
    Record r(' ');
    r.T(1).F(12, 4, loc.backStation).F(13, 4, loc.aheadStation).F(13, 4, loc.referenceStation);
    echoEnteredAngle(r, 5, EnteredAngle{loc.refDegrees, loc.refMinutes, loc.refSeconds});
    r.F(13, 4, loc.referenceDistance).X(4).A(1, std::string_view(&loc.directionLetter, 1)).X(4);
    r.F(6, 3, loc.textSize);
    report.write(r);
}

}   // namespace

void readLocationCard(const RoadwayCards& cards) {
    Card card = cards.deck.require("a location card \"1\"");
    LocationData& loc = cards.alignment.location;
    loc = LocationData{};
    const int e = err::LOCATION;
    loc.backStation = card.number(2, 10, 4, e);
    loc.aheadStation = card.number(12, 10, 4, e);
    loc.referenceStation = card.number(22, 10, 4, e);
    loc.refDegrees = card.number(32, 3, 0, e);
    loc.refMinutes = card.number(35, 2, 0, e);
    loc.refSeconds = card.number(37, 4, 2, e);
    loc.referenceDistance = card.number(41, 10, 4, e);
    loc.directionLetter = card.column(51);
    double size = card.number(52, 5, 2, e);

    loc.mirror = loc.directionLetter == 'L' ? -1.0 : 1.0;
    loc.textSize = checkTextSize(cards.report, size);
    checkCardCode(card, kw::ONE, e, "a location card \"1\"");
    echoLocation(cards.report, loc);

    // A negative angle carries its sign into the minutes and seconds.
    if (loc.refDegrees < 0) {
        loc.refMinutes = -loc.refMinutes;
        loc.refSeconds = -loc.refSeconds;
    }
    EnteredAngle ref{loc.refDegrees, loc.refMinutes, loc.refSeconds};
    loc.referenceAngle = ref.radians();
    loc.referenceAngleDegrees =
        static_cast<float>(loc.refDegrees + (loc.refMinutes + loc.refSeconds / 60.0) / 60.0);
}

}   // namespace bp
