#pragma once
// The stretch of a file alignment that covers the bridge's window, as the
// deck's mainline can hold it: at most three pieces (circles or straights),
// consecutive curves of one centre and radius and collinear lines merged,
// every junction tangent, every curve turning the same way.

#include <string>
#include <vector>

#include "import/alignment_chain.hpp"
#include "import/import_messages.hpp"

namespace bp::import {

struct MainPiece {
    bool curve = false;
    double begin = 0, end = 0;   // continuous stations within the window, ft
    double radius = 0;           // curves, ft
    std::string label;           // the file element it starts with, for messages
};

struct PlanStretch {
    double from = 0, to = 0;   // the window, continuous stations, ft
    double shift = 0;          // station as the file numbers it minus the continuous one, ft
    bool turnsLeft = false;
    std::vector<MainPiece> pieces;
};

// fromShown and toShown are stations as the file numbers them, in feet.
// Refuses (ImportRefused) a window outside the alignment or across a station
// equation, a spiral, a reverse curve, an angle point, more than three pieces.
// A junction a few millionths of a radian off tangent (the rounding of the
// file's coordinates) is taken as tangent, with a warning when it shows.
PlanStretch choosePlanStretch(const AlignmentChain& chain, double fromShown, double toShown,
                              ImportNotes& notes);

}   // namespace bp::import
