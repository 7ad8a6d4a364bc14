#include "import/landxml_file.hpp"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string_view>

#include <fmt/format.h>
#include <pugixml.hpp>

#include "import/import_messages.hpp"

namespace bp::import {

namespace {

// An element's name without its namespace prefix ("lx:Curve" is "Curve").
std::string_view localName(const pugi::xml_node& node) {
    std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node firstChild(const pugi::xml_node& parent, std::string_view name) {
    for (pugi::xml_node c : parent.children())
        if (c.type() == pugi::node_element && localName(c) == name) return c;
    return {};
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

// The numbers of an element's text ("northing easting [elevation]", or
// "station elevation" in a profile).
std::vector<double> numbersOf(const pugi::xml_node& node) {
    std::vector<double> values;
    std::istringstream in(node.child_value());
    in.imbue(std::locale::classic());
    double v = 0;
    while (in >> v) values.push_back(v);
    return values;
}

double attribute(const pugi::xml_node& node, const char* name, double scale) {
    return node.attribute(name).as_double() * scale;
}

FileUnits readUnits(const pugi::xml_node& root) {
    const pugi::xml_node units = firstChild(root, "Units");
    pugi::xml_node system = firstChild(units, "Imperial");
    if (!system) system = firstChild(units, "Metric");
    if (!system)
        throw ImportRefused(
            "the file gives no Units (Imperial or Metric): its lengths cannot be "
            "read as feet or metres; add the Units element the designer's program "
            "writes");
    const std::string unit = system.attribute("linearUnit").as_string();
    const std::string key = lower(unit);
    FileUnits u;
    u.name = unit;
    if (key == "foot" || key == "feet" || key == "internationalfoot") {
        u.footName = "international foot (0.3048 m)";
        u.toFeet = 1;
    } else if (key == "ussurveyfoot" || key == "surveyfoot") {
        // Kept in survey feet: converting would move every northing and
        // easting by two parts in a million.
        u.footName = "US survey foot (1200/3937 m)";
        u.toFeet = 1;
    } else if (key == "meter" || key == "metre") {
        u.footName = "international foot (0.3048 m)";
        u.toFeet = 1 / 0.3048;
    } else {
        throw ImportRefused(fmt::format(
            "the linear unit \"{}\" is not one the importer knows (foot, USSurveyFoot, meter)", unit));
    }
    return u;
}

bool readPoint(const pugi::xml_node& element, std::string_view name, double scale, PlanePoint& point,
               int position, std::string_view kind) {
    const pugi::xml_node node = firstChild(element, name);
    if (!node) return false;
    const std::vector<double> v = numbersOf(node);
    if (v.size() < 2)
        throw ImportRefused(
            fmt::format("{} {} of the CoordGeom: its {} holds no northing and "
                        "easting",
                        kind, position, name));
    point.y = v[0] * scale;
    point.x = v[1] * scale;
    return true;
}

PlanElement readElement(const pugi::xml_node& node, int position, double scale) {
    PlanElement e;
    e.position = position;
    e.name = node.attribute("name").as_string();
    const std::string_view kind = localName(node);
    e.kind = kind == "Line" ? ElementKind::Line : kind == "Curve" ? ElementKind::Curve : ElementKind::Spiral;
    e.hasStart = readPoint(node, "Start", scale, e.start, position, kind);
    e.hasEnd = readPoint(node, "End", scale, e.end, position, kind);
    e.hasCenter = readPoint(node, "Center", scale, e.center, position, kind);
    e.hasPi = readPoint(node, "PI", scale, e.pi, position, kind);
    e.rot = lower(node.attribute("rot").as_string());
    e.spiralLength = attribute(node, "length", scale);
    return e;
}

DesignProfile readProfAlign(const pugi::xml_node& profAlign, const std::string& profileName, double scale) {
    DesignProfile p;
    p.name = profAlign.attribute("name").as_string();
    p.profileName = profileName;
    for (pugi::xml_node c : profAlign.children()) {
        if (c.type() != pugi::node_element) continue;
        const std::string_view kind = localName(c);
        ProfilePoint point;
        if (kind == "PVI")
            point.kind = PviKind::Point;
        else if (kind == "ParaCurve")
            point.kind = PviKind::Parabola;
        else if (kind == "UnsymParaCurve")
            point.kind = PviKind::Unsymmetric;
        else if (kind == "CircCurve")
            point.kind = PviKind::Circular;
        else
            continue;
        const std::vector<double> v = numbersOf(c);
        if (v.size() < 2)
            throw ImportRefused(
                fmt::format("profile \"{}\": a {} holds no station and elevation", p.name, kind));
        point.station = v[0] * scale;
        point.elevation = v[1] * scale;
        point.lengthIn = attribute(c, "lengthIn", scale);
        point.lengthOut = attribute(c, "lengthOut", scale);
        if (point.kind == PviKind::Unsymmetric)
            point.length = point.lengthIn + point.lengthOut;
        else
            point.length = attribute(c, "length", scale);
        p.points.push_back(point);
    }
    return p;
}

// The points of the DesignCrossSectSurf elements of one CrossSect that
// carry the surface name (the first such element's name when empty), in
// offset order; a point shared by a left and a right half is kept once.
DesignSection readSection(const pugi::xml_node& crossSect, std::string& surface, double scale) {
    DesignSection section;
    section.station = attribute(crossSect, "sta", scale);
    for (pugi::xml_node surf : crossSect.children()) {
        if (surf.type() != pugi::node_element || localName(surf) != "DesignCrossSectSurf") continue;
        const std::string name = surf.attribute("name").as_string();
        if (surface.empty() && section.points.empty()) surface = name;
        if (name != surface) continue;
        for (pugi::xml_node pnt : surf.children()) {
            if (pnt.type() != pugi::node_element || localName(pnt) != "CrossSectPnt") continue;
            const std::vector<double> v = numbersOf(pnt);
            if (v.size() < 2)
                throw ImportRefused(
                    fmt::format("the CrossSect at station {:.4f}: a CrossSectPnt holds "
                                "no offset and elevation",
                                section.station / scale));
            section.points.push_back({v[0] * scale, v[1] * scale});
        }
    }
    section.surface = surface;
    std::sort(section.points.begin(), section.points.end(),
              [](const SectionPoint& l, const SectionPoint& r) { return l.offset < r.offset; });
    section.points.erase(std::unique(section.points.begin(), section.points.end(),
                                     [](const SectionPoint& l, const SectionPoint& r) {
                                         return l.offset == r.offset && l.elevation == r.elevation;
                                     }),
                         section.points.end());
    return section;
}

FileAlignment readAlignment(const pugi::xml_node& node, double scale) {
    FileAlignment a;
    a.name = node.attribute("name").as_string();
    a.staStart = attribute(node, "staStart", scale);
    int position = 0;
    for (pugi::xml_node c : firstChild(node, "CoordGeom").children()) {
        if (c.type() != pugi::node_element) continue;
        const std::string_view kind = localName(c);
        if (kind != "Line" && kind != "Curve" && kind != "Spiral") continue;
        a.elements.push_back(readElement(c, ++position, scale));
    }
    for (pugi::xml_node c : node.children()) {
        if (c.type() != pugi::node_element) continue;
        if (localName(c) == "StaEquation") {
            a.equations.push_back({attribute(c, "staInternal", scale), attribute(c, "staBack", scale),
                                   attribute(c, "staAhead", scale)});
        } else if (localName(c) == "Profile") {
            const std::string profileName = c.attribute("name").as_string();
            for (pugi::xml_node pa : c.children())
                if (pa.type() == pugi::node_element && localName(pa) == "ProfAlign")
                    a.profiles.push_back(readProfAlign(pa, profileName, scale));
        } else if (localName(c) == "CrossSects") {
            std::string surface;
            for (pugi::xml_node cs : c.children())
                if (cs.type() == pugi::node_element && localName(cs) == "CrossSect")
                    a.sections.push_back(readSection(cs, surface, scale));
        } else if (localName(c) == "Superelevation") {
            a.superelevation.push_back({attribute(c, "staStart", scale), attribute(c, "staEnd", scale)});
        }
    }
    std::stable_sort(a.sections.begin(), a.sections.end(),
                     [](const DesignSection& l, const DesignSection& r) { return l.station < r.station; });
    std::sort(a.equations.begin(), a.equations.end(),
              [](const StationEquation& l, const StationEquation& r) { return l.internal < r.internal; });
    return a;
}

}   // namespace

LandXmlFile readLandXml(const std::string& path) {
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed = doc.load_file(path.c_str());
    if (!parsed)
        throw ImportRefused(
            fmt::format("cannot read {} as XML: {} (at byte {})", path, parsed.description(), parsed.offset));
    const pugi::xml_node root = doc.document_element();
    if (localName(root) != "LandXML")
        throw ImportRefused(fmt::format("{} is XML but not LandXML (its root is <{}>)", path, root.name()));
    LandXmlFile file;
    file.units = readUnits(root);
    const double scale = file.units.toFeet;
    if (const pugi::xml_node cs = firstChild(root, "CoordinateSystem")) {
        if (const auto epsg = cs.attribute("epsgCode"))
            file.coordinateSystem = std::string("EPSG:") + epsg.as_string();
        else
            file.coordinateSystem = cs.attribute("name").as_string();
    }
    for (pugi::xml_node c : firstChild(root, "Alignments").children())
        if (c.type() == pugi::node_element && localName(c) == "Alignment")
            file.alignments.push_back(readAlignment(c, scale));
    if (file.alignments.empty()) throw ImportRefused(fmt::format("{} holds no Alignment", path));
    return file;
}

}   // namespace bp::import
