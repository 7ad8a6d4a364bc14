// The tie card "T", optional, directly after the location card: the
// northing and easting of the real mainline point at one station and the
// azimuth of travel there, and the name of the coordinate system. From it
// and the built mainline each problem has its project frame.
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

constexpr double DEGREES_PER_TURN = 360.0;
constexpr double MINUTES_PER_DEGREE = 60.0, SECONDS_PER_MINUTE = 60.0;

// The card text of the coordinate system goes into every output: it must
// be plain printable characters.
bool printable(std::string_view text) {
    for (char c : text)
        if (c < ' ' || c > '~') return false;
    return true;
}

void echoTie(Report& report, const TieCard& tie) {
    report.empty();
    report.write(
        Record(' ').X(3).lit("TIE STA.       NORTHING        EASTING     AZIMUTH       "
                             "COORDINATE SYSTEM"));
    report.empty();
    Record r(' ');
    r.T(1).F(12, 4, tie.station).F(15, 4, tie.northing).F(15, 4, tie.easting);
    echoEnteredAngle(r, 5, EnteredAngle{tie.azDegrees, tie.azMinutes, tie.azSeconds});
    r.X(5).lit(tie.coordinateSystem.empty() ? std::string_view("NONE")
                                            : std::string_view(tie.coordinateSystem));
    report.write(r);
}

// Station within the back and ahead stations; azimuth degrees, minutes and
// seconds not negative, minutes and seconds below 60, the whole below 360.
void checkTie(const LocationData& loc, const TieCard& tie, std::string_view systemText) {
    const int e = err::LOCATION;
    if (!(tie.station >= loc.backStation && tie.station <= loc.aheadStation))
        abandon(e, fmt::format("the tie station {:.4f} lies outside the back and ahead stations "
                               "{:.4f} to {:.4f}",
                               tie.station, loc.backStation, loc.aheadStation));
    if (tie.azDegrees < 0 || tie.azMinutes < 0 || tie.azSeconds < 0)
        abandon(e, "the tie azimuth's degrees, minutes and seconds are not negative");
    if (!(tie.azMinutes < MINUTES_PER_DEGREE) || !(tie.azSeconds < SECONDS_PER_MINUTE))
        abandon(e, fmt::format("the tie azimuth's minutes ({}) and seconds ({}) must be below 60",
                               tie.azMinutes, tie.azSeconds));
    const double degrees =
        tie.azDegrees + (tie.azMinutes + tie.azSeconds / SECONDS_PER_MINUTE) / MINUTES_PER_DEGREE;
    if (!(degrees < DEGREES_PER_TURN))
        abandon(e, fmt::format("the tie azimuth {:.6f} degrees is not below 360", degrees));
    if (!printable(systemText))
        abandon(e,
                "the coordinate system text (columns 49-80) holds a character that is not "
                "printable");
}

}   // namespace

// Tie card: code "T" (1), station (2-11, 4 decimals), northing (12-25, 4
// decimals), easting (26-39, 4 decimals), azimuth degrees (40-42),
// minutes (43-44), seconds (45-48, 2 decimals), coordinate system (49-80).
void readTieCard(const RoadwayCards& cards) {
    const Card* next = cards.deck.peek();
    if (!next || !(next->code() == kw::T)) return;
    const Card card = cards.deck.require("a tie card \"T\"");
    const int e = err::LOCATION;
    TieCard tie;
    tie.station = card.number(2, 10, 4, e);
    tie.northing = card.number(12, 14, 4, e);
    tie.easting = card.number(26, 14, 4, e);
    tie.azDegrees = card.number(40, 3, 0, e);
    tie.azMinutes = card.number(43, 2, 0, e);
    tie.azSeconds = card.number(45, 4, 2, e);
    const std::string_view systemText = card.text(49, 32);
    tie.coordinateSystem = std::string(trimBlanks(systemText));
    echoTie(cards.report, tie);
    checkTie(cards.alignment.location, tie, systemText);
    tie.azimuth = EnteredAngle{tie.azDegrees, tie.azMinutes, tie.azSeconds}.radians();
    cards.alignment.tie = tie;
}

// The mainline point at the tie station and its direction of travel
// (theta - pi/2) fix the frame; the tie gives them on the grid.
std::optional<ProjectFrame> projectFrameOf(const Alignment& a, const LineTable& lines) {
    if (!a.tie) return std::nullopt;
    const TieCard& tie = *a.tie;
    const StationPoint p = PointAtStation(a, lines, tie.station);
    return ProjectFrame(p.x, p.y, p.theta - HALF_PI, a.location.mirror, tie.northing, tie.easting,
                        tie.azimuth, tie.coordinateSystem);
}

}   // namespace bp
