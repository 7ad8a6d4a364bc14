#pragma once
// A file alignment as a chain of stationed plan elements: every element's
// direction, radius, turn and length recomputed from its points, its
// stations continuous from the alignment's staStart. Answers the point and
// direction of travel at a (continuous) station.

#include <string>
#include <vector>

#include "import/landxml_file.hpp"

namespace bp::import {

struct ChainElement {
    ElementKind kind = ElementKind::Line;
    int position = 0;
    std::string name;
    double begin = 0;    // continuous station at the start, ft
    double length = 0;   // ft
    PlanePoint start, end, center;
    double radius = 0;           // curves, ft
    bool clockwise = false;      // curves: turning right
    double startDirection = 0;   // direction of travel at the start, rad ccw from east
    double endDirection = 0;     // at the end
    double finish() const { return begin + length; }
};

struct ChainPoint {
    PlanePoint point;
    double direction = 0;   // of travel, rad ccw from east
};

// How stations are shown to the user: in the file's unit and numbering.
struct StationNaming {
    double toFeet = 1;
    std::vector<StationEquation> equations;
    // The station as the file numbers it (after the equations before it), ft.
    double displayed(double continuous) const;
    // "12+34.5600"-free plain number in the file's unit, for messages.
    std::string text(double continuous) const;
};

class AlignmentChain {
public:
    // Refuses (ImportRefused) a curve without its centre, a curve whose start
    // and end are not on one circle, and elements that do not join.
    AlignmentChain(const FileAlignment& alignment, double toFeet);

    const std::vector<ChainElement>& elements() const { return elements_; }
    const StationNaming& naming() const { return naming_; }
    double begin() const { return begin_; }
    double end() const { return elements_.empty() ? begin_ : elements_.back().finish(); }

    // Point and direction of travel at continuous station s, on the line or
    // circle of the element that holds s (not on a spiral).
    ChainPoint at(double s) const;
    const ChainElement& elementAt(double s) const;

    // "Curve 3 \"C-12\" (station 1234.5600)" for messages.
    std::string describe(const ChainElement& e) const;

private:
    std::vector<ChainElement> elements_;
    StationNaming naming_;
    double begin_ = 0;
};

// Point at arc length u from the start of a line or curve element.
ChainPoint pointAlong(const ChainElement& e, double u);

}   // namespace bp::import
