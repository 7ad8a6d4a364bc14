#pragma once
// The plane frame of the deck for a stretch of the file's alignment: the
// location and horizontal curve card values (stations rounded to the cards'
// four decimals, degrees of curve to hundredths of a second, the reference
// angle chosen so that every straight piece has its positive offsets on the
// left) and the tie card that carries the frame back to the file's northing
// and easting.

#include <string>

#include "import/alignment_chain.hpp"
#include "import/card_writer.hpp"
#include "import/import_messages.hpp"
#include "import/plan_stretch.hpp"

namespace bp::import {

struct PlanCards {
    double back = 0, ahead = 0, reference = 0;   // stations, ft
    int referenceDegrees = 90;                   // whole degrees
    double referenceDistance = 0;                // ft, when the main piece is a straight
    char direction = 'R';
    CardAngle curve[3];   // degree of curve before the P.C., main, after the P.T.
    double pc = 0, pt = 0;
};

struct TieCardValues {
    double station = 0, northing = 0, easting = 0;   // ft
    CardAngle azimuth;                               // of travel, clockwise from grid north
};

struct DeckFrame {
    PlanCards plan;
    TieCardValues tie;
    double departure = 0;   // largest distance (ft) of the deck's mainline from the file's in the window
};

DeckFrame chooseDeckFrame(const PlanStretch& stretch, const AlignmentChain& chain, ImportNotes& notes);

}   // namespace bp::import
