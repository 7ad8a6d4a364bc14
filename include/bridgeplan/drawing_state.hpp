#pragma once
// What the plan drawing of a problem remembers between points: the points
// of the current longitudinal line, the grid of plot-marked points from
// which the transverse lines are drawn, and the bent points already
// labelled.

#include <array>
#include <vector>

namespace bp {

struct PlotPoint {
    long long x = 0, y = 0;   // plot units
};

inline constexpr int GRID_COLUMNS = 30;
inline constexpr int GRID_ROWS = 22;

struct DrawingState {
    std::vector<PlotPoint> linePoints;   // LinePointList of the current line
    bool lineHasBackBent = false;        // linePoints starts at the back-bent point
    bool lineHasAheadBent = false;       // linePoints ends at the ahead-bent point
    // MarkedPointGrid: column = plot-marked line, row = transverse position
    // (1 back bent, i + 1 T-line i, last the ahead bent); empty cells stay unset.
    std::array<std::array<PlotPoint, GRID_ROWS>, GRID_COLUMNS> grid{};
    std::array<std::array<bool, GRID_ROWS>, GRID_COLUMNS> gridSet{};
    int columnIndex = 1;
    int rowIndex = 1;
    int rowCount = 0;   // rows of the last span with plot-marked lines
    struct PlanPoint {
        double x = 0, y = 0;
    };
    std::vector<PlanPoint> labelledBentPoints;   // LabelledBentPoints, grows as needed
    bool nearMainline = false;                   // the current line has a point off the mainline

    void reset() {
        linePoints.clear();
        lineHasBackBent = lineHasAheadBent = false;
        gridSet = {};
        columnIndex = 1;
        rowIndex = 1;
        rowCount = 0;
        labelledBentPoints.clear();
        nearMainline = false;
    }
};

}   // namespace bp
