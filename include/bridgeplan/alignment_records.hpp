#pragma once
// The roadway alignment of one problem: location, the three mainline
// pieces, the vertical profile and the cross-section. Rebuilt by every
// problem from its own cards.
//
// Conventions: X, Y in feet; angles in radians counter-clockwise from +X;
// stations increase clockwise about every curve centre; offsets are
// positive to the left of the direction of travel.

#include <array>
#include <optional>
#include <string>

#include "bridgeplan/slot_table.hpp"
#include "bridgeplan/word.hpp"

namespace bp {

struct LocationData {
    double backStation = 0;    // first station of the problem's roadway, ft
    double aheadStation = 0;   // last station, ft
    double referenceStation = 0;
    double refDegrees = 0, refMinutes = 0, refSeconds = 0;   // as read, sign rule applied
    double referenceAngle = 0;                               // radians
    float referenceAngleDegrees = 0;   // decimal degrees, single precision, for the plot
    double referenceDistance = 0;      // ft
    char directionLetter = ' ';        // "L", "R", "S" or anything
    double mirror = 1.0;               // -1 for "L", else +1
    double textSize = 0;               // inches, after the range rule
};

// The tie card "T", read after the location card: where the real road's
// mainline lies in project coordinates at one station. For a road punched
// "L" the northing, easting and azimuth are those of the real road, not of
// the mirror image the geometry is computed on.
struct TieCard {
    double station = 0;                                   // ft, within the back and ahead stations
    double northing = 0, easting = 0;                     // ft, of the mainline point at the station
    double azDegrees = 0, azMinutes = 0, azSeconds = 0;   // as read
    double azimuth = 0;                                   // radians, clockwise from grid north, [0, 2 pi)
    std::string coordinateSystem;                         // blank padding removed; empty for none
};

// The degree of curve D is the angle (radians) turned in this many feet of
// arc: R = CURVE_ARC / D, and a station interval L turns L D / CURVE_ARC.
inline constexpr double CURVE_ARC = 100.0;

// The plane origin lies this far (ft) to the right of a straight main piece
// whose location card gives no reference distance.
inline constexpr double DEFAULT_REFERENCE_DISTANCE = 10000.0;

// One piece of the mainline: 1 before the P.C., 2 P.C. to P.T., 3 after the P.T.
struct AlignmentSegment {
    double beginStation = 0, endStation = 0;
    double referenceStation = 0;
    double theta = 0;        // normal angle (to the left of travel) at the reference point
    double xp = 0, yp = 0;   // reference point
    double xc = 0, yc = 0;   // centre; for a straight, the point it lies at distance r from
    double r = 0;            // radius, or the straight's distance from (xc, yc)
    double rSquared = 0;     // circles only
    double degree = 0;       // degree of curve, radians per 100 ft (0: straight)
};

// Profile points 1..6: PVI Z, BVC 1, EVC 1, BVC 2, EVC 2, end.
struct ProfilePoint {
    double station = 0;
    double elevation = 0;
    double grade = 0;       // ft/ft at the point
    double curvature = 0;   // parabola coefficient, per ft
};

struct Profile {
    SlotTable<ProfilePoint, 6> points;
    int segmentCount = 1;   // 1, 3 or 5
};

struct CrossSection {
    Word crownCode;                // 3 characters as read
    int sectionType = 4;           // 1 table, 2 constant, 3 parabolic crown, 4 level
    SlotTable<double, 8> breaks;   // S.R.INS., S.R.1..3, S.R.OUTS., S.R.4..6
    double insidePivot = 0, outsidePivot = 0;
    int sides = 1;
    SlotTable<double, 6> laneWidth, partBeforePivot, laneSlope, laneDrop;
    double insideSum = 0, outsideSum = 0;
    double parabolaCoefficient = 0, parabolaHalfWidth = 0, parabolaEdgeDrop = 0;
};

struct SuperelevationRow {
    double station = 0;
    std::array<double, 6> slope{};   // ft/ft, lanes 1..6
    std::array<double, 6> rate{};    // change per ft of station to the next row
};

struct SuperelevationTable {
    static constexpr int ROWS = 10;   // cards "6" of one table at the most
    SlotTable<SuperelevationRow, ROWS> rows;
    int intervalCount = 0;   // 1..9
};

struct Alignment {
    LocationData location;
    std::optional<TieCard> tie;   // none: the plane frame is not tied
    SlotTable<AlignmentSegment, 3> segments;
    double pcStation = 0, ptStation = 0;   // final P.C. and P.T. (piece 2's begin and end)
    Profile profile;
    CrossSection section;
    SuperelevationTable superelevation;
};

}   // namespace bp
