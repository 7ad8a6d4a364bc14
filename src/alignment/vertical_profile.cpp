// The profile grade line of the mainline from the vertical curve cards "3"
// and "4": a grade from PVI Z, up to two symmetric parabolic vertical
// curves at PVI 1 and PVI 2, at most five segments.
//
// Segment p runs from station(p) to station(p + 1); within it, with
// d = s - station(p), the elevation is elevation(p) + d (grade(p) + d a(p)),
// grades in ft/ft, a the parabola coefficient per ft.
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

constexpr int E5 = err::VERTICAL_ELEVATION;

// Vertical curve at the PVI of station t, entered from point i with grade
// g = grade(i) and left with grade g2, half length h: the PVI lies at
// E = elevation(i) + (t - station(i)) g on the entering grade; the curve
// begins at t - h (elevation E - h g, a = (g2 - g) / (4 h)) and ends at
// t + h (elevation E + h g2).
void addVerticalCurve(Profile& prof, int i, double t, double length, double g2) {
    const ProfilePoint& from = prof.points[i];
    double h = length / 2.0, g = from.grade;
    double e = from.elevation + (t - from.station) * g;
    ProfilePoint& begin = prof.points[i + 1];
    begin.station = t - h;
    begin.elevation = e - h * g;
    begin.grade = g;
    begin.curvature = (g2 - g) * 0.25 / h;
    ProfilePoint& end = prof.points[i + 2];
    end.station = t + h;
    end.elevation = e + h * g2;
    end.grade = g2;
    end.curvature = 0;
}

// The profile points in use must not run backwards in station, or the
// segment search would hand out elevations of the wrong segment.
void checkStationOrder(const Profile& prof) {
    int last = prof.segmentCount;   // points 1..last are curve points in use
    static constexpr const char* NAMES[] = {"",
                                            "PVI Z",
                                            "the start of vertical curve 1",
                                            "the end of vertical curve 1",
                                            "the start of vertical curve 2",
                                            "the end of vertical curve 2"};
    for (int p = 1; p < last; ++p)
        if (prof.points[p + 1].station < prof.points[p].station)
            abandon(E5, fmt::format("{} lies before {}: the PVIs are out of order or the "
                                    "vertical curves overlap",
                                    NAMES[p + 1], NAMES[p]));
}

}   // namespace

void buildProfile(Alignment& a, const VerticalCurveCards& v) {
    Profile& prof = a.profile;
    prof = Profile{};
    ProfilePoint& z = prof.points[1];
    z.station = v.pviZ;
    z.elevation = v.elevationZ;
    z.grade = v.gradeZ1 / 100.0;
    z.curvature = 0;
    prof.segmentCount = 1;
    double ahead = a.location.aheadStation;
    if (v.length1 < 0) abandon(E5, "vertical curve 1 has a negative length");
    if (v.length1 == 0) {
        // One grade from PVI Z to the ahead station; the rest is not used.
        prof.points[2].station = ahead;
        return;
    }
    addVerticalCurve(prof, 1, v.pvi1, v.length1, v.grade12 / 100.0);
    prof.segmentCount = 3;
    if (v.length2 < 0) abandon(E5, "vertical curve 2 has a negative length");
    if (v.length2 == 0) {
        prof.points[4].station = ahead;
    } else {
        addVerticalCurve(prof, 3, v.pvi2, v.length2, v.grade23 / 100.0);
        prof.segmentCount = 5;
        prof.points[6].station = ahead;
    }
    checkStationOrder(prof);
}

// Error 17 outside the back and ahead stations; otherwise the segment of s
// (a station on a boundary belongs to the segment it ends) and its parabola.
double ProfileElevation(const Alignment& a, double s) {
    const LocationData& loc = a.location;
    if (s < loc.backStation || s > loc.aheadStation)
        abandon(err::OUTSIDE_STATIONS,
                fmt::format("station {:.4f} lies outside the back and ahead stations", s));
    const Profile& prof = a.profile;
    double d = 0;
    int p = intervalOfStation([&](int q) { return prof.points[q].station; }, prof.segmentCount, s, d);
    if (p == 0)
        abandon(err::BEYOND_TABLES, fmt::format("station {:.4f} lies outside the profile from PVI Z", s));
    const ProfilePoint& pt = prof.points[p];
    return pt.elevation + d * (pt.grade + d * pt.curvature);
}

namespace {

void echoStations(Report& report, const VerticalCurveCards& v) {
    writeGroupTitle(report, 16, "VERTICAL CURVE DATA");
    report.write(Record(' ').X(1).lit("PVI Z STA.   PVI 1 STA.   PVI 2 STA."));
    report.empty();
    // PVI Z's field starts in the carriage-control column.
    report.write(Record(' ').T(1).F(12, 4, v.pviZ).F(13, 4, v.pvi1).F(13, 4, v.pvi2));
}

void echoElevations(Report& report, const VerticalCurveCards& v) {
    report.write(Record('0'));
    report.write(Record(' ').lit("EL. PVI Z   % GR. Z-1    LVC 1    % GR. 1-2    LVC 2    % GR. 2-3"));
    report.empty();
    // The elevation's field starts in the carriage-control column.
    report.write(Record(' ')
                     .T(1)
                     .F(10, 4, v.elevationZ)
                     .F(12, 6, v.gradeZ1)
                     .F(10, 3, v.length1)
                     .F(12, 6, v.grade12)
                     .F(10, 3, v.length2)
                     .F(12, 6, v.grade23));
}

}   // namespace

void readVerticalCurveCards(const RoadwayCards& cards) {
    VerticalCurveCards v;
    Card stations = cards.deck.require("a vertical curve station card \"3\"");
    const int e4 = err::VERTICAL_STATION;
    v.pviZ = stations.number(2, 10, 4, e4);
    v.pvi1 = stations.number(12, 10, 4, e4);
    v.pvi2 = stations.number(22, 10, 4, e4);
    checkCardCode(stations, kw::THREE, e4, "a vertical curve station card \"3\"");
    echoStations(cards.report, v);

    Card elevations = cards.deck.require("a vertical curve elevation card \"4\"");
    v.elevationZ = elevations.number(2, 8, 4, E5);
    v.gradeZ1 = elevations.number(10, 9, 6, E5);
    v.length1 = elevations.number(19, 7, 3, E5);
    v.grade12 = elevations.number(26, 9, 6, E5);
    v.length2 = elevations.number(35, 7, 3, E5);
    v.grade23 = elevations.number(42, 9, 6, E5);
    checkCardCode(elevations, kw::FOUR, E5, "a vertical curve elevation card \"4\"");
    echoElevations(cards.report, v);
    buildProfile(cards.alignment, v);
}

}   // namespace bp
