#pragma once
// The parts of a LandXML 1.2 file that describe a road's reference line:
// the linear unit, the alignments with their plan elements, station
// equations and design profiles. Lengths, coordinates, stations and
// elevations are converted to feet as they are read; plane points are held
// as x = easting, y = northing (the file writes "northing easting").

#include <string>
#include <vector>

namespace bp::import {

struct PlanePoint {
    double x = 0;   // easting, ft
    double y = 0;   // northing, ft
};

// The file's linear unit and its factor to the feet of the deck.
struct FileUnits {
    std::string name;       // as the file spells it
    std::string footName;   // the foot the deck is in, for the messages
    double toFeet = 1;      // deck feet per file unit
};

enum class ElementKind { Line, Curve, Spiral };

// One element of CoordGeom, as the file gives it (attributes other than
// `rot` and a spiral's `length` are not trusted: directions, radii and
// lengths are recomputed from the points).
struct PlanElement {
    ElementKind kind = ElementKind::Line;
    int position = 0;   // 1-based among the CoordGeom elements
    std::string name;
    PlanePoint start, end, center, pi;
    bool hasStart = false, hasEnd = false, hasCenter = false, hasPi = false;
    std::string rot;           // "cw", "ccw" or empty
    double spiralLength = 0;   // ft, spirals only
};

struct StationEquation {
    double internal = 0;   // continuous station of the equation, ft
    double back = 0;       // station as numbered before it, ft
    double ahead = 0;      // station as numbered after it, ft
};

enum class PviKind { Point, Parabola, Unsymmetric, Circular };

struct ProfilePoint {
    PviKind kind = PviKind::Point;
    double station = 0;                   // ft
    double elevation = 0;                 // ft
    double length = 0;                    // ft, vertical curve length (Parabola, Circular)
    double lengthIn = 0, lengthOut = 0;   // ft, the two parts of an unsymmetrical curve
};

// One design profile (ProfAlign) of an alignment.
struct DesignProfile {
    std::string name;          // the ProfAlign's name
    std::string profileName;   // the enclosing Profile's name
    std::vector<ProfilePoint> points;
};

// One point of a design cross-section surface: the offset from the
// alignment (ft, positive to the right of travel, as the file gives it) and
// the elevation of the finished surface there (ft).
struct SectionPoint {
    double offset = 0;
    double elevation = 0;
};

// The design surface of one CrossSect (the points of its
// DesignCrossSectSurf elements of the surface that the first CrossSect
// names first, in offset order).
struct DesignSection {
    double station = 0;   // continuous station, ft
    std::string surface;
    std::vector<SectionPoint> points;
};

// A Superelevation element (cross slopes without lane offsets).
struct SuperelevationRun {
    double staStart = 0, staEnd = 0;   // continuous stations, ft
};

struct FileAlignment {
    std::string name;
    double staStart = 0;   // ft
    std::vector<PlanElement> elements;
    std::vector<StationEquation> equations;
    std::vector<DesignProfile> profiles;
    std::vector<DesignSection> sections;   // in station order
    std::vector<SuperelevationRun> superelevation;
};

struct LandXmlFile {
    FileUnits units;
    std::string coordinateSystem;   // "EPSG:nnnn" or empty
    std::vector<FileAlignment> alignments;
};

// Reads the file; an unreadable file, or one without the units or with an
// unknown linear unit, is refused (ImportRefused).
LandXmlFile readLandXml(const std::string& path);

}   // namespace bp::import
