#pragma once
// Placement of point labels on the sheet: each label is tried at positions
// around its point, nearest first, then farther out on a leader, and takes
// the first place that covers no label already placed, no point marker and
// no line held clear (bent lines); when none is free it takes the place
// that covers least.

#include <unordered_map>
#include <vector>

#include "drawing/plan_model.hpp"

namespace bp::drawing {

struct Box {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool empty() const { return x1 < x0; }
    static Box none() { return {1, 1, 0, 0}; }
    void add(XY p);
    void add(const Box& b);
    Box grown(double d) const { return {x0 - d, y0 - d, x1 + d, y1 + d}; }
    double width() const { return x1 - x0; }
    double height() const { return y1 - y0; }
};

bool overlaps(const Box& a, const Box& b);
// True when the segment a-b passes through the box.
bool crosses(const Box& box, XY a, XY b);

struct LabelRequest {
    XY anchor;                      // the point labelled
    double width = 0, height = 0;   // of the label's box
};

struct LabelPlace {
    Box box;
    bool leader = false;   // far enough from its point to need a leader
    bool clear = true;     // covers nothing
};

class LabelPlacer {
public:
    explicit LabelPlacer(double cell) : cell_(cell) {}
    void holdClear(const Box& b);
    void holdClear(XY a, XY b);   // a line
    // Places the labels in order; each placed label is held clear for the next.
    std::vector<LabelPlace> place(const std::vector<LabelRequest>& labels);

private:
    double cover(const Box& b) const;
    template <class F>
    void forCells(const Box& b, F f) const;
    double cell_;
    std::vector<Box> boxes_;
    struct Segment {
        XY a, b;
    };
    std::vector<Segment> segments_;
    // A coarse grid of the sheet: the boxes and lines by cell.
    struct Cell {
        std::vector<int> boxes, segments;
    };
    std::unordered_map<long long, Cell> cells_;
};

}   // namespace bp::drawing
