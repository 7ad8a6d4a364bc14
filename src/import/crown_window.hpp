#pragma once
// The roadway surface over the bridge's window as the crown and lane card
// and the superelevation cards hold it: one roadway of at most three planes
// between break offsets, turning about a pivot on the profile grade, their
// cross slopes constant or varying linearly between the stations of a table
// of two to ten rows. Taken from the file's design cross-sections
// (CrossSects); where the file has none, or they do not map onto the cards,
// a level section with a message.

#include <optional>
#include <vector>

#include "import/alignment_chain.hpp"
#include "import/card_writer.hpp"
#include "import/import_messages.hpp"
#include "import/landxml_file.hpp"
#include "import/plan_stretch.hpp"

namespace bp::import {

// The file's profile grade elevation at continuous station s (ft): on a
// symmetric parabola of length L about a PVI, grades g1 to g2,
// E = E(PVI) - g1 L/2 + g1 x + (g2 - g1) x^2 / (2 L), x from its start;
// elsewhere on the grade between the PVIs (the first and last grades run on).
// Nothing on an unsymmetrical or circular curve.
std::optional<double> fileGrade(const DesignProfile& profile, double s);

// The crown and lane card, then the superelevation cards (none for a level
// section).
std::vector<CardImage> chooseCrownCards(const FileAlignment& alignment, const PlanStretch& stretch,
                                        const DesignProfile& profile, const StationNaming& naming,
                                        ImportNotes& notes);

}   // namespace bp::import
