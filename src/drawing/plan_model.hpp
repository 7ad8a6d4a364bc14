#pragma once
// The plan of one problem as the run computed it, gathered for the plan
// drawings: the mainline piece by piece, every reported longitudinal line
// of every span in its own shape, the bents, the T-lines, every reported
// point with its full row and the coordinate requests. Plain data in the
// plane frame (X, Y in feet, angles in radians counter-clockwise from +X);
// the drawings turn it into sheet coordinates through the SheetFrame.

#include <optional>
#include <string>
#include <vector>

#include "bridgeplan/project_frame.hpp"

namespace bp::drawing {

struct XY {
    double x = 0, y = 0;
};

// One drawn piece of a line. Straight: `points` holds its two ends. Arc:
// from points[0] to points[1] about `centre` with `radius`, clockwise or
// not as seen in the plane frame. Polyline: points in order (spirals).
struct Stroke {
    enum class Kind { Straight, Arc, Polyline };
    Kind kind = Kind::Straight;
    std::vector<XY> points;
    XY centre;
    double radius = 0;
    bool clockwise = true;
};

// A piece of the mainline between two stations, with its shape.
struct MainlinePiece {
    int piece = 2;   // 1 before the P.C., 2 the curve, 3 after the P.T.
    double beginStation = 0, endStation = 0;
    Stroke stroke;
};

struct StationTick {
    double station = 0;
    XY at;                // on the mainline
    double normal = 0;    // to the left of travel, radians
    bool major = false;   // every 100 ft, labelled
};

// What a longitudinal line is in one span, for the legend and the styles.
enum class LineShape { Straight, Circle, Spiral, FollowsMainline };

struct PlanLine {
    int number = 0;
    std::string type;   // CRD, ARC, ...
    std::string remarks;
    char plotMark = ' ';
    LineShape shape = LineShape::Straight;
    std::vector<Stroke> strokes;   // back bent to ahead bent
};

struct PlanBent {
    std::string number;
    std::string type;   // SKEW, PSTA, ...
    std::string remarks;
    double station = 0;
    double skewRadians = 0;
    XY from, to;   // across the lines and a little beyond
};

struct PlanTLine {
    int number = 0;
    std::string type;   // "PARL/NORM"
    std::string remarks;
    std::vector<XY> points;   // its points, line by line
};

// One reported row (T-line, bent or coordinate request), as tabulated.
struct PlanRow {
    char kind = 'T';      // 'T', 'B' or 'P'
    std::string number;   // T-line, bent or point number
    int line = 0;         // 0 for a coordinate request
    double station = 0, elevation = 0, dtToMl = 0;
    char edgeMark = ' ';
    std::optional<double> dtToBt, dtToPp, angleDegrees;
    double x = 0, y = 0;
    std::string remarks, type;   // a coordinate request: remarks and point name
};

struct PlanSpan {
    std::string id;
    std::string title;
    std::vector<PlanLine> lines;
    std::vector<PlanBent> bents;   // back, ahead
    std::vector<PlanTLine> tlines;
    std::vector<PlanRow> rows;   // in report order
    XY middle;                   // the mainline halfway between the bents
    double middleNormal = 0;     // its normal angle there
};

struct PlanProblem {
    std::string number;   // as printed, 4 characters trimmed
    std::string title;
    std::string date;                      // the run's date
    double mirror = 1.0;                   // -1: a road punched "L", computed as its mirror image
    std::optional<ProjectFrame> project;   // the tie to northing and easting, when punched
    double backStation = 0, aheadStation = 0;
    std::optional<double> pcStation, ptStation;
    std::optional<XY> curveCentre;
    std::vector<MainlinePiece> mainline;
    std::vector<StationTick> ticks;
    std::vector<PlanSpan> spans;
    std::vector<PlanRow> requests;   // coordinate requests
    int errorNumber = 0;             // the problem was abandoned with this error
};

}   // namespace bp::drawing
