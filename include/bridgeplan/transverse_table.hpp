#pragma once
// Transverse lines of the current span: slots 1..20 the T-lines, 21 the
// back bent, 22 the ahead bent; and the span card with its two bents.

#include <array>
#include <string>

#include "bridgeplan/slot_table.hpp"
#include "bridgeplan/word.hpp"

namespace bp {

inline constexpr int MAX_TLINES = 20;
inline constexpr int BACK_BENT_SLOT = 21;
inline constexpr int AHEAD_BENT_SLOT = 22;

// How a constant-distance (CONS) T-line measures along each longitudinal line.
namespace cons {
inline constexpr int FROM_BACK = 1;    // a distance from the back bent
inline constexpr int FROM_AHEAD = 2;   // a distance from the ahead bent
inline constexpr int PROPORTION = 3;   // a proportion of the length, from the back bent
}   // namespace cons

struct TransverseLine {
    Word lineType;                   // SKEW, ANGL, PARL, CONS, PTPT; bents: SKEW, PSTA, PARL, PREV, SAME
    Word code;                       // NORM, DIST, PROP, COOR (T-lines)
    std::string bentNumber = "  ";   // 2 characters (bents)
    int cCode = 0;
    int form = 1;       // 1 or 2 straight; CONS: 0 distance, -1 proportion
    double slope = 0;   // CONS: the distance or proportion
    double intercept = 0;
    double direction = 0;
    double normFactor = 1;
    // The point the straight line was built through (a SKEW line's mainline
    // point, a PSTA bent's second station, the point on a longitudinal line,
    // a PTPT line's first point), moved with the line by a normal distance.
    // Of the two crossings with a circle the one nearer to it is taken.
    double throughX = 0, throughY = 0;
    int consMode = 0;   // cons::FROM_BACK, FROM_AHEAD or PROPORTION
    std::string remarks = std::string(14, ' ');
    std::array<int, 30> skips{};   // skips[j-1] > 0: no point on longitudinal line j
    char plotMark = ' ';           // bents: card column 50

    int skip(int line) const { return skips[line - 1]; }
};

using TransverseTable = SlotTable<TransverseLine, 22>;

struct Span {
    std::string spanId = "  ";
    int tLineCount = 0;
    Word lastMark;
    std::string title = std::string(56, ' ');
    Word newLinesMark;
    Word keyword;
    Word gridMark;   // columns 77-80 of a "COOR" card: "NE", requests in northing and easting
};

struct Bent {
    double station = 0;   // where the bent line crosses the mainline, ft
    double skew = 0;      // radians, from the mainline normal
    double normFactor = 1;
    long packedSkew = 0;   // the DDDMMSSs field as read (the plot's label side rule)
};

}   // namespace bp
