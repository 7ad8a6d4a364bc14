#pragma once
// The design profile over the bridge's window as the vertical curve cards
// hold it: a starting point on the first grade (PVI Z) and at most two
// symmetric parabolic vertical curves.

#include "import/alignment_chain.hpp"
#include "import/import_messages.hpp"
#include "import/landxml_file.hpp"
#include "import/plan_stretch.hpp"

namespace bp::import {

struct ProfileCards {
    double pviZ = 0, pvi1 = 0, pvi2 = 0;   // stations, ft
    double elevationZ = 0;                 // ft
    double grade[3] = {0, 0, 0};           // percent: Z-1, 1-2, 2-3
    double length1 = 0, length2 = 0;       // vertical curve lengths, ft
    int curves = 0;
};

// Refuses (ImportRefused) a profile that does not cover the window, and in
// the window an unsymmetrical or circular vertical curve, a grade break
// without a curve, more than two vertical curves.
ProfileCards chooseProfileWindow(const DesignProfile& profile, const PlanStretch& stretch,
                                 const StationNaming& naming);

}   // namespace bp::import
