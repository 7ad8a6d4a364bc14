#pragma once
// The reported points of a span page or a coordinate page, told to whoever
// listens: the points table, the plan drawing, or any other drawing of the
// layout. A listener formats what it is given; it asks nothing back.
//
// The order of the calls: beginPage, then for every reported longitudinal
// line its point rows and endLine, then endPage. A coordinate page has no
// lines: its point rows come between beginPage and endPage.

#include <optional>
#include <string_view>

namespace bp {

// What opens a page. The views live until endPage.
struct PageStart {
    std::string_view problem;     // problem number, 4 characters as read
    std::string_view span;        // span id, 2 characters; empty on a coordinate page
    std::string_view backBent;    // bent numbers (2 characters) of the back and the ahead
    std::string_view aheadBent;   // bent; empty on a coordinate page
    int lineCount = 0;            // longitudinal lines 1..lineCount; 0 on a coordinate page
};

// One reported point, as its row was printed; empty optionals are values
// the row does not have (a coordinate request has no line, no distances
// along one and no crossing angle). The views live until the call returns.
struct PointRow {
    std::string_view kind;     // "T" T-line, "B" bent, "P" coordinate request
    std::string_view number;   // T-line number, bent number or point number, as text
    int slot = 0;              // transverse slot: T-line 1..20, back bent 21, ahead bent 22; 0 none
    long pointNumber = 0;      // a coordinate request's number
    int line = 0;              // longitudinal line, 0 for none
    double station = 0;        // ft
    double elevation = 0;      // ft, finished grade
    char edgeMark = ' ';
    double dtToMl = 0;                      // ft, positive to the left of travel
    std::optional<double> dtToBt, dtToPp;   // ft
    std::optional<double> angle;            // crossing angle, radians, folded into [-pi/2, pi/2]
    double x = 0, y = 0;                    // ft, plan coordinates
    std::string_view remarks;
    std::string_view type;   // line type (T-lines and bents) or point name (requests)
    std::string_view code;   // a T-line's code, printed after "/"; empty otherwise
    // ft, the point in project coordinates when the problem has a tie card;
    // none without one. A request given in northing and easting keeps them as read.
    std::optional<double> northing, easting;
};

class PointListener {
public:
    virtual ~PointListener() = default;
    virtual void beginPage(const PageStart&) {}
    virtual void point(const PointRow& row) = 0;
    // At the end of line N's table, whether or not it had rows.
    virtual void endLine(int /*line*/) {}
    virtual void endPage() {}
};

}   // namespace bp
