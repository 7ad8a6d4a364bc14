#include "plot/plot_writer.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string_view>

#include "bridgeplan/constants.hpp"
#include "bridgeplan/errors.hpp"
#include "run/record.hpp"
#include "run/run_context.hpp"

namespace bp {

namespace {

constexpr double UNITS_PER_INCH = 1000.0;
constexpr double INCHES_PER_FOOT = 12.0;
constexpr double UNITS_PER_FOOT = UNITS_PER_INCH * INCHES_PER_FOOT;   // 12000
constexpr int FIELD = 10;                                             // integer field of every command
constexpr int VALUES_PER_LINE = 6;

// Plot units as a 64-bit integer, truncated toward zero. A value far
// beyond any 10-character field (or not a number) is held at a bound that
// still prints as asterisks.
long long truncToUnits(double v) {
    constexpr double BOUND = 1e15;
    if (v >= BOUND) return static_cast<long long>(BOUND);
    if (!(v > -BOUND)) return -static_cast<long long>(BOUND);
    return static_cast<long long>(v);
}

// An integer field formatted once, for a value a group of commands repeats.
using Field = std::array<char, FIELD>;

Field fieldOf(long long value) {
    Field f;
    formatInteger(f.data(), FIELD, value);
    return f;
}

// One command line assembled in place at the end of the block: literal
// pieces and 10-character integer fields, kept with its LF by end().
class CommandLine {
public:
    static constexpr std::size_t MAX_LENGTH = 128;   // with its LF

    explicit CommandLine(PlotCommands& out) : out_(out), start_(out.reserve(MAX_LENGTH)), at_(start_) {}
    CommandLine& lit(std::string_view text) {
        std::memcpy(at_, text.data(), text.size());
        at_ += text.size();
        return *this;
    }
    CommandLine& integer(long long value) {
        formatInteger(at_, FIELD, value);
        at_ += FIELD;
        return *this;
    }
    CommandLine& field(const Field& f) {
        std::memcpy(at_, f.data(), FIELD);
        at_ += FIELD;
        return *this;
    }
    CommandLine& fixed(int width, int decimals, double value) {
        formatFixed(at_, width, decimals, value);
        at_ += width;
        return *this;
    }
    void end() {
        *at_++ = '\n';
        out_.commit(static_cast<std::size_t>(at_ - start_));
    }

private:
    PlotCommands& out_;
    char* start_;
    char* at_;
};

}   // namespace

// Frame of one problem. The rotation is the reference angle in degrees
// (single precision) times pi/180 rounded to single precision, the product
// kept in double, times the mirror factor. The text size in inches is the
// location card's, 6.0 (half a foot of plan) when it was left zero; TH and
// TW are the size times 1000 in single precision, truncated.
void startPlot(RunContext& ctx) {
    const LocationData& loc = ctx.alignment.location;
    PlotFrame& frame = ctx.frame;
    frame.mirror = loc.mirror;
    const float degreesToRadians = static_cast<float>(DEG_TO_RAD);   // 0.0174532924
    const double phi =
        (static_cast<double>(loc.referenceAngleDegrees) * static_cast<double>(degreesToRadians)) *
        frame.mirror;
    frame.cosRot = std::cos(phi);
    frame.sinRot = std::sin(phi);
    frame.textSize = static_cast<float>(loc.textSize);
    if (frame.textSize == 0.0f) frame.textSize = static_cast<float>(UNITS_PER_FOOT / 2.0 / UNITS_PER_INCH);
    const float scaled = frame.textSize * 1000.0f;
    frame.textHeight = frame.textWidth = static_cast<int>(scaled);
    PlotCommands& header = ctx.plotCommands;
    header.append("DID/NA=ZNQ\nFNT/68\nTLC/CO=10,JU=3\n");
}

// Plan feet to plot units: Xi = trunc(12000 X + 0.5), Yi = mirror *
// trunc(12000 Y + 0.5) (the half rounds only non-negative products: -100.3
// becomes -99), then the counter-clockwise rotation by phi about the plan
// origin, truncated toward zero without a half.
PlotPoint toPlotUnits(const PlotFrame& frame, double x, double y) {
    const double xi = std::trunc(x * UNITS_PER_FOOT + 0.5);
    const double yi = frame.mirror * std::trunc(y * UNITS_PER_FOOT + 0.5);
    return {truncToUnits(xi * frame.cosRot - yi * frame.sinRot),
            truncToUnits(xi * frame.sinRot + yi * frame.cosRot)};
}

void writeAttributeGroup(PlotCommands& out, AttributeGroup group) {
    switch (group) {
    case AttributeGroup::TLinePoint: out.append("LAC/LT=3,LC=1,LS=0\nOVR/20\n"); break;
    case AttributeGroup::BentPoint: out.append("LAC/LT=3,LC=2,LS=0\nOVR/20\n"); break;
    case AttributeGroup::Label: out.append("LAC/LT=0,LC=0,LS=0\nOVR/43\nASC/-1\n"); break;
    case AttributeGroup::LabelEnd: out.append("ASC/0\n"); break;
    case AttributeGroup::TLineRows: out.append("LAC/LT=0,LC=4,LS=0\nOVR/20\n"); break;
    case AttributeGroup::MarkedC: out.append("LAC/LT=4,LC=0,LS=0\nOVR/2\n"); break;
    case AttributeGroup::BentS: out.append("LAC/LT=4,LC=0,LS=3\nOVR/2\n"); break;
    case AttributeGroup::SegmentB: out.append("LAC/LT=1,LC=2,LS=4\nOVR/5\n"); break;
    case AttributeGroup::SegmentS: out.append("LAC/LT=1,LC=2,LS=6\nOVR/5\n"); break;
    case AttributeGroup::SegmentE: out.append("LAC/LT=1,LC=7,LS=0\nOVR/3\n"); break;
    case AttributeGroup::SegmentL: out.append("LAC/LT=1,LC=2,LS=7\nOVR/5\n"); break;
    case AttributeGroup::NearMainline: out.append("LAC/LC=3\n"); break;
    }
}

// "LST/OP" and the first six values, then lines of four blanks and up to
// six more; every line but the last ends with a comma.
void writePolyline(PlotCommands& out, std::span<const PlotPoint> points) {
    if (points.size() < 2 || points.size() > MAX_POLYLINE_POINTS)
        abandon(err::INTERNAL, "a polyline of the plot must have 2 to 22 points");
    const int valueCount = 2 * static_cast<int>(points.size());
    for (int first = 0; first < valueCount; first += VALUES_PER_LINE) {
        CommandLine line(out);
        if (first == 0)
            line.lit("LST/OP");
        else
            line.lit("    ");
        const int last = std::min(first + VALUES_PER_LINE, valueCount);
        for (int v = first; v < last; ++v) {
            if (first == 0 || v > first) line.lit(",");
            const PlotPoint& p = points[static_cast<std::size_t>(v / 2)];
            line.integer(v % 2 == 0 ? p.x : p.y);
        }
        if (last < valueCount) line.lit(",");
        line.end();
    }
}

namespace {

// "EL." and the elevation in feet to 3 decimals: width 5 below 10 ft, 6
// below 100, 7 below 1000; from 1000 ft up no text is written. The text
// size and the origin come as their fields.
void elevationText(PlotCommands& out, const Field& height, const Field& width, const Field& x, const Field& y,
                   double elevation) {
    if (elevation >= 1000.0) return;
    const int columns = elevation >= 100.0 ? 7 : elevation >= 10.0 ? 6 : 5;
    CommandLine line(out);
    line.lit("TXT/TH=").field(height).lit(",TW=").field(width);
    line.lit(",OR=").field(x).lit(",").field(y);
    line.lit(",AN=0.0,EL.").fixed(columns, 3, elevation);
    line.end();
}

// The text's height and width fields (equal in every frame startPlot builds).
std::array<Field, 2> textSizeFields(const PlotFrame& frame) {
    const Field height = fieldOf(frame.textHeight);
    return {height, frame.textWidth == frame.textHeight ? height : fieldOf(frame.textWidth)};
}

// A polyline of one line, its values given as fields: "LST/OP" and each
// value after a comma, as writePolyline writes up to six values.
template <typename... Fields>
void polylineOfFields(PlotCommands& out, const Fields&... values) {
    static_assert(sizeof...(values) <= VALUES_PER_LINE);
    CommandLine line(out);
    line.lit("LST/OP");
    (line.lit(",").field(values), ...);
    line.end();
}

}   // namespace

void writeElevationText(PlotCommands& out, const PlotFrame& frame, PlotPoint origin, double elevation) {
    const auto [height, width] = textSizeFields(frame);
    elevationText(out, height, width, fieldOf(origin.x), fieldOf(origin.y), elevation);
}

// The marker "LST/OP,x,y,x,y", the label attributes, the leader
// "LST/OP,x,y,bx,by,ex,ey", the text and "ASC/0": the lines writePolyline,
// writeAttributeGroup and writeElevationText give, with each value the
// group repeats (the point, the leader's level, the text's size and its
// origin on the leader) formatted once.
void writeElevationLabel(PlotCommands& out, const PlotFrame& frame, const ElevationLabel& label) {
    const Field x = fieldOf(label.point.x), y = fieldOf(label.point.y);
    polylineOfFields(out, x, y, x, y);
    writeAttributeGroup(out, AttributeGroup::Label);
    const Field bendX = fieldOf(label.bend.x), bendY = fieldOf(label.bend.y);
    const Field endX = fieldOf(label.end.x);
    const Field endY = label.end.y == label.bend.y ? bendY : fieldOf(label.end.y);
    polylineOfFields(out, x, y, bendX, bendY, endX, endY);
    const auto [height, width] = textSizeFields(frame);
    const Field textX = label.textOrigin.x == label.bend.x  ? bendX
                        : label.textOrigin.x == label.end.x ? endX
                                                            : fieldOf(label.textOrigin.x);
    elevationText(out, height, width, textX, fieldOf(label.textOrigin.y), label.elevation);
    writeAttributeGroup(out, AttributeGroup::LabelEnd);
}

// An arc about the plot origin (the curve centre) from p1 to p2.
void writeArc(PlotCommands& out, ArcSense sense, PlotPoint p1, PlotPoint p2) {
    CommandLine line(out);
    line.lit(sense == ArcSense::Clockwise ? "ARC/CL" : "ARC/CC");
    line.lit(",CE=  0,  0,P1=").integer(p1.x).lit(",").integer(p1.y);
    line.lit(",P2=").integer(p2.x).lit(",").integer(p2.y);
    line.end();
}

void writeAttributeGroup(std::ostream& out, AttributeGroup group) {
    PlotCommands commands(out);
    writeAttributeGroup(commands, group);
}

void writePolyline(std::ostream& out, std::span<const PlotPoint> points) {
    PlotCommands commands(out);
    writePolyline(commands, points);
}

void writeElevationText(std::ostream& out, const PlotFrame& frame, PlotPoint origin, double elevation) {
    PlotCommands commands(out);
    writeElevationText(commands, frame, origin, elevation);
}

void writeArc(std::ostream& out, ArcSense sense, PlotPoint p1, PlotPoint p2) {
    PlotCommands commands(out);
    writeArc(commands, sense, p1, p2);
}

}   // namespace bp
