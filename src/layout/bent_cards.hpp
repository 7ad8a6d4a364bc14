#pragma once
// A bent card as read, and its packed skew angle.

#include <array>
#include <string>

#include "bridgeplan/line_table.hpp"
#include "bridgeplan/word.hpp"

namespace bp {

// The packed bent skew DDDMMSSs: degrees, minutes and seconds (one
// decimal), each carrying the sign of the packed value, and the angle
// ((s / 60 + m) / 60 + d) pi / 180 in radians.
struct PackedSkew {
    long degrees = 0;
    long minutes = 0;
    double seconds = 0;
    double radians = 0;
};
PackedSkew decodePackedSkew(long packed);

struct BentCard {
    Word code;             // "B" back, "A" ahead
    int cCode = 0;         // how RLG lines meet the bent
    std::string number;    // NO., 2 characters
    Word type;             // SKEW, PSTA, PARL, PREV, SAME
    double station = 0;    // ft
    long packedSkew = 0;   // DDDMMSSs as punched
    double second = 0;     // STA./NORM.: a second station or a normal distance, ft
    std::string remarks;   // 14 characters, card columns 37-50
    std::array<int, MAX_LINES> skips{};
    char plotMark = ' ';   // card column 50
};

}   // namespace bp
