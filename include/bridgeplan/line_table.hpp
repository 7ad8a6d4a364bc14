#pragma once
// The table of plane lines and circles: slots 1..30 are the longitudinal
// lines of the bridge, slots 31..33 the mainline pieces 1..3.

#include <string>

#include "bridgeplan/slot_table.hpp"
#include "bridgeplan/word.hpp"

namespace bp {

inline constexpr int MAX_LINES = 30;
inline constexpr int MAINLINE_SLOT = 30;   // piece k lives in slot MAINLINE_SLOT + k

// form: -1 absent, 0 circle or spiral, 1 straight y = slope x + intercept,
// 2 straight x = slope y + intercept.
namespace form {
inline constexpr int ABSENT = -1;
inline constexpr int CIRCLE = 0;
inline constexpr int Y_OF_X = 1;
inline constexpr int X_OF_Y = 2;
}   // namespace form

struct LongitudinalLine {
    // Card fields.
    int number = 0;
    Word typeCode;   // "CRD", "ARC", ... (3 used)
    int refLine = 0;
    double dr = 0;   // offset DR, or X1 of a COR line
    int skip = 0;
    std::string remarks = std::string(31, ' ');   // card columns 50..80
    char plotMark = ' ';                          // card column 80

    // Geometry.
    int state = 0;   // -1 follows the mainline, 0 fixed, k spiral about piece k
    int form = 0;
    double slope = 0;       // m; circle: centre X; spiral: rate a (ft of radius per radian)
    double intercept = 0;   // b; circle: centre Y; spiral: arc length from the pole
    double radius = 0;      // circle radius; spiral: signed radius at the reference
    double radiusSq = 0;    // circle radius squared; spiral: radial direction at the reference
    double direction = 0;   // straight: direction angle; COS: normal direction at its station
    double cosDir = 0, sinDir = 0;
    double normFactor = 0;   // sqrt(1 + slope^2) for straights
};

// Gives `line` the direction of the straight `ref` (slope, direction angle,
// its cosine and sine, normal factor); form and intercept are left to the caller.
inline void copyDirection(LongitudinalLine& line, const LongitudinalLine& ref) {
    line.slope = ref.slope;
    line.direction = ref.direction;
    line.cosDir = ref.cosDir;
    line.sinDir = ref.sinDir;
    line.normFactor = ref.normFactor;
}

using LineTable = SlotTable<LongitudinalLine, 33>;

}   // namespace bp
