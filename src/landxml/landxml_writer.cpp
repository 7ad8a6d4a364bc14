#include "landxml/landxml_writer.hpp"

#include <array>
#include <cmath>

#include <fmt/format.h>

#include "alignment/point_operations.hpp"
#include "bridgeplan/constants.hpp"
#include "bridgeplan/word.hpp"
#include "run/run_clock.hpp"

namespace bp {
namespace {

constexpr double DEGREES_PER_RADIAN = 180.0 / PI;

// The plane frame itself as a grid, for a problem without a tie: northing
// Y, easting X (the turn rho is 0, no mirror).
const ProjectFrame PLANE_AS_GRID(0.0, 0.0, 0.0, 1.0, 0.0, 0.0, HALF_PI);

// Card texts may hold any byte; the document holds printable ASCII only
// (anything else becomes "?"), blank padding removed.
std::string plainText(std::string_view text) {
    std::string out(trimBlanks(text));
    for (char& c : out)
        if (c < ' ' || c > '~') c = '?';
    return out;
}

// An XML comment may not hold "--" nor end in "-": a dash that would
// follow another gets a blank before it.
std::string commentText(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '-' && !out.empty() && out.back() == '-') out.push_back(' ');
        out.push_back(c);
    }
    if (!out.empty() && out.back() == '-') out.push_back(' ');
    return out;
}

// Shortest text that reads back as the same double (as in the points table).
std::string number(double v) {
    if (v == 0.0) v = 0.0;
    return fmt::format("{}", v);
}

void setNumber(pugi::xml_node node, const char* name, double v) {
    node.append_attribute(name).set_value(number(v).c_str());
}

// A coordinate element: "northing easting" of a plane point.
void gridPoint(pugi::xml_node parent, const char* name, const ProjectFrame& f, double x, double y) {
    const GridPoint g = f.toProject(x, y);
    parent.append_child(name).text().set(fmt::format("{} {}", number(g.northing), number(g.easting)).c_str());
}

// "station elevation" of a profile element.
void profilePoint(pugi::xml_node parent, const char* name, double station, double elevation) {
    parent.append_child(name).text().set(fmt::format("{} {}", number(station), number(elevation)).c_str());
}

// Azimuth of travel, decimal degrees clockwise from grid north, at a
// mainline point whose normal angle is theta (travel is theta - pi/2).
double azimuthDegrees(const ProjectFrame& f, double theta) {
    return f.azimuth(theta - HALF_PI) * DEGREES_PER_RADIAN;
}

// One piece of the mainline between two stations. A straight is a Line; a
// circle a Curve with its centre and the PI where the tangents at its ends
// meet, at R / cos(delta / 2) from the centre on the radius through the
// middle of the arc (none for an arc of a half turn or more). A curve
// computed as turning right (clockwise) turns counter-clockwise on the
// grid when the real road is its mirror image.
void piece(pugi::xml_node geom, const Alignment& a, const LineTable& lines, int k, const ProjectFrame& f) {
    const AlignmentSegment& seg = a.segments[k];
    const StationPoint start = PointAtStation(a, lines, seg.beginStation);
    const StationPoint end = PointAtStation(a, lines, seg.endStation);
    const double length = seg.endStation - seg.beginStation;
    const bool circle = lines[MAINLINE_SLOT + k].form == form::CIRCLE;
    pugi::xml_node e = geom.append_child(circle ? "Curve" : "Line");
    setNumber(e, "staStart", seg.beginStation);
    setNumber(e, "length", length);
    if (!circle) {
        setNumber(e, "dir", azimuthDegrees(f, start.theta));
        gridPoint(e, "Start", f, start.x, start.y);
        gridPoint(e, "End", f, end.x, end.y);
        return;
    }
    const double r = seg.r, delta = length / r;
    e.append_attribute("rot").set_value(f.mirrored() ? "ccw" : "cw");
    e.append_attribute("crvType").set_value("arc");
    setNumber(e, "radius", r);
    setNumber(e, "delta", delta * DEGREES_PER_RADIAN);
    setNumber(e, "chord", 2.0 * r * std::sin(delta / 2.0));
    setNumber(e, "dirStart", azimuthDegrees(f, start.theta));
    setNumber(e, "dirEnd", azimuthDegrees(f, end.theta));
    gridPoint(e, "Start", f, start.x, start.y);
    gridPoint(e, "Center", f, seg.xc, seg.yc);
    gridPoint(e, "End", f, end.x, end.y);
    const double half = std::cos(delta / 2.0);
    if (half > 1e-9) {
        setNumber(e, "tangent", r * std::tan(delta / 2.0));
        const double mid = PointAtStation(a, lines, (seg.beginStation + seg.endStation) / 2.0).theta;
        const double d = r / half;
        gridPoint(e, "PI", f, seg.xc + d * std::cos(mid), seg.yc + d * std::sin(mid));
    }
}

// The profile grade line: PVI Z, a ParaCurve at the PVI of each vertical
// curve (its station midway between the curve's ends, its elevation on the
// entering grade half a length on), and a PVI at the end of the last
// segment. Segments 2 and 4 are the vertical curves of a 3- or 5-segment
// profile.
void profile(pugi::xml_node alignment, const Profile& prof, const std::string& name) {
    pugi::xml_node pr = alignment.append_child("Profile");
    pr.append_attribute("name").set_value(name.c_str());
    pugi::xml_node pa = pr.append_child("ProfAlign");
    pa.append_attribute("name").set_value(name.c_str());
    const ProfilePoint& z = prof.points[1];
    profilePoint(pa, "PVI", z.station, z.elevation);
    for (int p = 2; p < prof.segmentCount; p += 2) {
        const ProfilePoint& begin = prof.points[p];
        const ProfilePoint& end = prof.points[p + 1];
        const double length = end.station - begin.station;
        pugi::xml_node c = pa.append_child("ParaCurve");
        setNumber(c, "length", length);
        c.text().set(fmt::format("{} {}", number(begin.station + length / 2.0),
                                 number(begin.elevation + length / 2.0 * begin.grade))
                         .c_str());
    }
    const ProfilePoint& last = prof.points[prof.segmentCount];
    const double endStation = prof.points[prof.segmentCount + 1].station;
    const double d = endStation - last.station;
    profilePoint(pa, "PVI", endStation, last.elevation + d * (last.grade + d * last.curvature));
}

}   // namespace

// The root with its date and time from the run clock (dd-MON-yy, hh:mm:ss),
// the units (feet, decimal degrees; directions are azimuths) and the
// producing application.
LandXmlWriter::LandXmlWriter(const RunClock& clock) {
    root_ = doc_.append_child("LandXML");
    root_.append_attribute("xmlns").set_value("http://www.landxml.org/schema/LandXML-1.2");
    root_.append_attribute("version").set_value("1.2");
    static constexpr std::array<const char*, 12> MONTHS = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                           "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    int month = 1;
    for (std::size_t i = 0; i < MONTHS.size(); ++i)
        if (clock.date.substr(3, 3) == MONTHS[i]) month = static_cast<int>(i) + 1;
    const int yy = std::stoi(clock.date.substr(7, 2));
    const int year = yy < 70 ? 2000 + yy : 1900 + yy;
    root_.append_attribute("date").set_value(
        fmt::format("{:04}-{:02}-{}", year, month, clock.date.substr(0, 2)).c_str());
    root_.append_attribute("time").set_value(clock.time.c_str());
    units_ = root_.append_child("Units");
    pugi::xml_node imperial = units_.append_child("Imperial");
    imperial.append_attribute("areaUnit").set_value("squareFoot");
    imperial.append_attribute("linearUnit").set_value("foot");
    imperial.append_attribute("volumeUnit").set_value("cubicFeet");
    imperial.append_attribute("temperatureUnit").set_value("fahrenheit");
    imperial.append_attribute("pressureUnit").set_value("inHG");
    imperial.append_attribute("angularUnit").set_value("decimal degrees");
    imperial.append_attribute("directionUnit").set_value("decimal degrees");
    lastSystem_ = units_;
    pugi::xml_node app = root_.append_child("Application");
    app.append_attribute("name").set_value("bridgeplan");
    app.append_attribute("version").set_value(BRIDGEPLAN_VERSION);
    app.append_attribute("desc").set_value(
        "bridge plan and elevation geometry; directions are azimuths, clockwise from grid north");
    alignments_ = root_.append_child("Alignments");
}

// A coordinate system named on a tie card, once per name, after the units;
// "EPSG:n" also fills epsgCode.
void LandXmlWriter::coordinateSystem(const std::string& name) {
    for (pugi::xml_node cs = root_.child("CoordinateSystem"); cs; cs = cs.next_sibling("CoordinateSystem"))
        if (name == cs.attribute("name").value()) return;
    pugi::xml_node cs = root_.insert_child_after("CoordinateSystem", lastSystem_);
    cs.append_attribute("name").set_value(name.c_str());
    constexpr std::string_view EPSG = "EPSG:";
    if (name.size() > EPSG.size() && name.compare(0, EPSG.size(), EPSG) == 0 &&
        name.find_first_not_of("0123456789", EPSG.size()) == std::string::npos)
        cs.append_attribute("epsgCode").set_value(name.substr(EPSG.size()).c_str());
    lastSystem_ = cs;
}

void LandXmlWriter::alignment(std::string_view problem, std::string_view title, const Alignment& a,
                              const LineTable& lines, const std::optional<ProjectFrame>& project) {
    const std::string name = plainText(problem);
    const ProjectFrame& f = project ? *project : PLANE_AS_GRID;
    const std::string system = project ? plainText(project->coordinateSystem()) : std::string();
    if (!system.empty()) coordinateSystem(system);
    const std::string frame = project ? (system.empty() ? std::string("project northing and easting")
                                                        : "project northing and easting, " + system)
                                      : std::string(
                                            "plane frame of the report, not tied to the grid (no tie card): "
                                            "northing is Y, easting is X");
    alignments_.append_child(pugi::node_comment)
        .set_value(commentText(fmt::format(" problem {}: {} ", name, frame)).c_str());
    pugi::xml_node al = alignments_.append_child("Alignment");
    al.append_attribute("name").set_value(name.c_str());
    al.append_attribute("desc").set_value(fmt::format("{} ({})", plainText(title), frame).c_str());
    setNumber(al, "staStart", a.location.backStation);
    setNumber(al, "length", a.location.aheadStation - a.location.backStation);
    pugi::xml_node geom = al.append_child("CoordGeom");
    for (int k = 1; k <= 3; ++k)
        if (lines[MAINLINE_SLOT + k].form != form::ABSENT) piece(geom, a, lines, k, f);
    profile(al, a.profile, name);

    points_ = root_.append_child("CgPoints");
    points_.append_attribute("name").set_value(name.c_str());
    points_.append_attribute("desc").set_value(fmt::format("problem {}: {}", name, frame).c_str());
    names_.clear();
}

// Name: problem, span, longitudinal line and row ("0001-S1-L3-T2"; a
// coordinate request "0001-COOR-P4"), made unique within the problem by a
// count ("-2") should a span id repeat.
void LandXmlWriter::beginPage(const PageStart& page) {
    problem_ = plainText(page.problem);
    span_ = plainText(page.span);
}

void LandXmlWriter::point(const PointRow& row) {
    if (!points_) return;
    std::string name = row.line > 0 ? fmt::format("{}-S{}-L{}-{}{}", problem_, span_, row.line, row.kind,
                                                  plainText(row.number))
                                    : fmt::format("{}-COOR-{}{}", problem_, row.kind, plainText(row.number));
    if (!names_.insert(name).second) {
        int n = 2;
        while (!names_.insert(fmt::format("{}-{}", name, n)).second) ++n;
        name = fmt::format("{}-{}", name, n);
    }
    pugi::xml_node p = points_.append_child("CgPoint");
    p.append_attribute("name").set_value(name.c_str());
    // The report's TYPE column: "SKEW/PROP", or the type alone.
    const std::string desc = plainText(row.remarks);
    const std::string code =
        trimBlanks(row.code).empty() ? plainText(row.type) : plainText(row.type) + "/" + plainText(row.code);
    if (!desc.empty()) p.append_attribute("desc").set_value(desc.c_str());
    if (!code.empty()) p.append_attribute("code").set_value(code.c_str());
    const double n = row.northing ? *row.northing : row.y;
    const double e = row.easting ? *row.easting : row.x;
    p.text().set(fmt::format("{} {} {}", number(n), number(e), number(row.elevation)).c_str());
}

bool LandXmlWriter::save(std::ostream& out) const {
    doc_.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    out.flush();
    return static_cast<bool>(out);
}

}   // namespace bp
