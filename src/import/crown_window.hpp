#pragma once
// The roadway surface over the bridge's window as the crown and lane card
// and the superelevation cards hold it: one roadway of at most three planes
// between break offsets, turning about a pivot on the profile grade, their
// cross slopes constant or varying linearly between the stations of a table
// of two to ten rows. Taken from the file's design cross-sections
// (CrossSects); where the file has none, or they do not map onto the cards,
// a level section with a message.

#include <vector>

#include "import/alignment_chain.hpp"
#include "import/card_writer.hpp"
#include "import/import_messages.hpp"
#include "import/landxml_file.hpp"
#include "import/plan_stretch.hpp"
#include "import/vertical_window.hpp"

namespace bp::import {

// The profile grade elevation the vertical curve cards give at deck
// station s (ft): PVI Z's grade, then each symmetric parabola
// E = E(PVI) - g1 L/2 + g1 x + (g2 - g1) x^2 / (2 L), x from its start.
double gradeElevation(const ProfileCards& cards, double s);

// The crown and lane card, then the superelevation cards (none for a level
// section).
std::vector<CardImage> chooseCrownCards(const FileAlignment& alignment, const PlanStretch& stretch,
                                        const ProfileCards& profile, const StationNaming& naming,
                                        ImportNotes& notes);

}  // namespace bp::import
