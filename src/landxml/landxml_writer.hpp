#pragma once
// The LandXML 1.2 document of a run: per problem the mainline stretch from
// the back to the ahead station as an Alignment (its pieces as Line and
// Curve elements, its profile grade line as PVIs with parabolic curves)
// and every reported point as a CgPoint, in northing and easting when the
// problem is tied, in the plane frame of the report otherwise (and the file
// says so). A listener: it formats what the geometry gives it. The
// document is kept until the run ends and written whole, so a run cut short
// never leaves half an element behind.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_set>

#include <pugixml.hpp>

#include "bridgeplan/alignment_records.hpp"
#include "bridgeplan/line_table.hpp"
#include "bridgeplan/point_listener.hpp"
#include "bridgeplan/project_frame.hpp"

namespace bp {

struct RunClock;

class LandXmlWriter final : public PointListener {
public:
    explicit LandXmlWriter(const RunClock& clock);

    // The mainline of a problem whose alignment cards were all read; its
    // points follow in a CgPoints group of their own.
    void alignment(std::string_view problem, std::string_view title, const Alignment& a,
                   const LineTable& lines, const std::optional<ProjectFrame>& project);
    // As a listener: the page gives the problem and span of its points;
    // each reported point becomes a CgPoint.
    void beginPage(const PageStart& page) override;
    void point(const PointRow& row) override;

    // The whole document; false when the stream failed.
    bool save(std::ostream& out) const;

private:
    void coordinateSystem(const std::string& name);

    pugi::xml_document doc_;
    pugi::xml_node root_, units_, lastSystem_, alignments_, points_;
    std::unordered_set<std::string> names_;   // point names of the open CgPoints group
    std::string problem_, span_;              // of the open page
};

}   // namespace bp
