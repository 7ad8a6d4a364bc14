#pragma once
// The plot command file: the problem header, attribute groups, polylines,
// elevation texts and arcs, in plot units (12000 per foot of plan).

#include <ostream>
#include <span>

#include "bridgeplan/drawing_state.hpp"
#include "bridgeplan/plot_frame.hpp"
#include "run/plot_commands.hpp"

namespace bp {

struct RunContext;

// Builds the problem's PlotFrame from the location data and writes the header.
void startPlot(RunContext& ctx);

// Plan feet to plot units: scaled, mirrored for a left-turning road, rotated.
PlotPoint toPlotUnits(const PlotFrame& frame, double x, double y);

enum class AttributeGroup {
    TLinePoint,     // LAC/LT=3,LC=1,LS=0  OVR/20
    BentPoint,      // LAC/LT=3,LC=2,LS=0  OVR/20
    Label,          // LAC/LT=0,LC=0,LS=0  OVR/43  ASC/-1
    LabelEnd,       // ASC/0
    TLineRows,      // LAC/LT=0,LC=4,LS=0  OVR/20
    MarkedC,        // LAC/LT=4,LC=0,LS=0  OVR/2
    BentS,          // LAC/LT=4,LC=0,LS=3  OVR/2
    SegmentB,       // LAC/LT=1,LC=2,LS=4  OVR/5
    SegmentS,       // LAC/LT=1,LC=2,LS=6  OVR/5
    SegmentE,       // LAC/LT=1,LC=7,LS=0  OVR/3
    SegmentL,       // LAC/LT=1,LC=2,LS=7  OVR/5
    NearMainline,   // LAC/LC=3
};

void writeAttributeGroup(PlotCommands& out, AttributeGroup group);
inline constexpr int MAX_POLYLINE_POINTS = 22;                              // of one "LST/OP" command
void writePolyline(PlotCommands& out, std::span<const PlotPoint> points);   // 2..22 points
void writeElevationText(PlotCommands& out, const PlotFrame& frame, PlotPoint origin, double elevation);
// A point's elevation label: the point, the leader's bend and end, where
// the text stands, and the elevation in feet.
struct ElevationLabel {
    PlotPoint point, bend, end, textOrigin;
    double elevation = 0;
};
void writeElevationLabel(PlotCommands& out, const PlotFrame& frame, const ElevationLabel& label);
enum class ArcSense { Clockwise, CounterClockwise };
void writeArc(PlotCommands& out, ArcSense sense, PlotPoint p1, PlotPoint p2);

// The same commands written straight to a stream.
void writeAttributeGroup(std::ostream& out, AttributeGroup group);
void writePolyline(std::ostream& out, std::span<const PlotPoint> points);
void writeElevationText(std::ostream& out, const PlotFrame& frame, PlotPoint origin, double elevation);
void writeArc(std::ostream& out, ArcSense sense, PlotPoint p1, PlotPoint p2);

}   // namespace bp
