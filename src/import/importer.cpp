#include "import/importer.hpp"

#include <cctype>

#include <fmt/format.h>

#include "import/alignment_chain.hpp"
#include "import/card_writer.hpp"
#include "import/crown_window.hpp"
#include "import/deck_frame.hpp"
#include "import/landxml_file.hpp"
#include "import/plan_stretch.hpp"
#include "import/vertical_window.hpp"

namespace bp::import {

namespace {

const FileAlignment& pickAlignment(const LandXmlFile& file, const std::string& name) {
    if (name.empty()) return file.alignments.front();
    std::string names;
    for (const FileAlignment& a : file.alignments) {
        if (a.name == name) return a;
        names += (names.empty() ? "\"" : ", \"") + a.name + "\"";
    }
    throw ImportRefused(fmt::format("the file has no alignment \"{}\"; it has {}", name, names));
}

const DesignProfile& pickProfile(const FileAlignment& a, const std::string& name) {
    std::string names;
    for (const DesignProfile& p : a.profiles) {
        if (name.empty() || p.name == name || p.profileName == name) return p;
        names += (names.empty() ? "\"" : ", \"") + (p.name.empty() ? p.profileName : p.name) + "\"";
    }
    if (a.profiles.empty())
        throw ImportRefused(
            fmt::format("alignment \"{}\" has no design profile (Profile/ProfAlign); "
                        "the vertical curve cards cannot be written",
                        a.name));
    throw ImportRefused(
        fmt::format("alignment \"{}\" has no profile \"{}\"; it has {}", a.name, name, names));
}

std::string upper(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

void punchAngle(CardImage& card, int col, int degreeWidth, const CardAngle& a, std::string_view what) {
    card.integer(col, degreeWidth, a.degrees, what)
        .integer(col + degreeWidth, 2, a.minutes, what)
        .number(col + degreeWidth + 2, 4, 2, a.seconds, what);
}

}   // namespace

ImportedDeck importDeck(const ImportRequest& request) {
    ImportedDeck out;
    ImportNotes& notes = out.notes;
    const LandXmlFile file = readLandXml(request.path);
    const double toFeet = file.units.toFeet;
    const FileAlignment& alignment = pickAlignment(file, request.alignment);
    const AlignmentChain chain(alignment, toFeet);
    const PlanStretch stretch = choosePlanStretch(chain, request.from * toFeet, request.to * toFeet, notes);
    const DesignProfile& profile = pickProfile(alignment, request.profile);
    const ProfileCards vertical = chooseProfileWindow(profile, stretch, chain.naming());
    const DeckFrame frame = chooseDeckFrame(stretch, chain, notes);
    const PlanCards& plan = frame.plan;

    notes.add(fmt::format("the file's lengths are in {}; the deck is in feet: the {}{}", file.units.name,
                          file.units.footName,
                          toFeet != 1 ? fmt::format(", every length multiplied by {:.10f}", toFeet) : ""));
    if (stretch.turnsLeft)
        notes.add(
            "the road turns left: the deck describes its mirror image (direction letter L); "
            "positive offsets lie to the right of the real road");

    std::string cards;
    auto add = [&cards](const CardImage& c) { cards += c.line() + "\n"; };

    if (request.problem < 0 || request.problem > 9999)
        throw ImportRefused(fmt::format("problem number {} does not fit the four columns", request.problem));
    const std::string title =
        upper(fmt::format("ALIGNMENT {} STA {} TO {}", alignment.name, fmt::format("{:.4f}", request.from),
                          fmt::format("{:.4f}", request.to)));
    add(CardImage("*B02").text(5, 4, fmt::format("{:04}", request.problem)).text(9, 68, title));

    CardImage location("1");
    location.number(2, 10, 4, plan.back, "back station")
        .number(12, 10, 4, plan.ahead, "ahead station")
        .number(22, 10, 4, plan.reference, "reference station")
        .integer(32, 3, plan.referenceDegrees, "reference angle")
        .integer(35, 2, 0, "reference angle")
        .number(37, 4, 2, 0.0, "reference angle")
        .number(41, 10, 4, plan.referenceDistance, "reference distance")
        .text(51, 1, std::string(1, plan.direction))
        .number(52, 5, 2, 6.0, "text size");
    add(location);

    CardImage tie("T");
    tie.number(2, 10, 4, frame.tie.station, "tie station")
        .number(12, 14, 4, frame.tie.northing, "tie northing")
        .number(26, 14, 4, frame.tie.easting, "tie easting");
    punchAngle(tie, 40, 3, frame.tie.azimuth, "tie azimuth");
    tie.text(49, 32, file.coordinateSystem);
    add(tie);

    CardImage curves("2");
    punchAngle(curves, 2, 2, plan.curve[0], "degree of curve 1");
    curves.number(10, 10, 4, plan.pc, "P.C. station");
    punchAngle(curves, 20, 2, plan.curve[1], "degree of curve 2");
    curves.number(28, 10, 4, plan.pt, "P.T. station");
    punchAngle(curves, 38, 2, plan.curve[2], "degree of curve 3");
    add(curves);

    add(CardImage("3")
            .number(2, 10, 4, vertical.pviZ, "PVI Z station")
            .number(12, 10, 4, vertical.pvi1, "PVI 1 station")
            .number(22, 10, 4, vertical.pvi2, "PVI 2 station"));
    add(CardImage("4")
            .number(2, 8, 4, vertical.elevationZ, "elevation at PVI Z")
            .number(10, 9, 6, vertical.grade[0], "grade Z-1")
            .number(19, 7, 3, vertical.length1, "vertical curve 1 length")
            .number(26, 9, 6, vertical.grade[1], "grade 1-2")
            .number(35, 7, 3, vertical.length2, "vertical curve 2 length")
            .number(42, 9, 6, vertical.grade[2], "grade 2-3"));

    for (const CardImage& c : chooseCrownCards(alignment, stretch, profile, chain.naming(), notes)) add(c);

    notes.add(
        fmt::format("tie at station {:.4f}: northing {:.4f}, easting {:.4f}, azimuth {}-{:02}-{:05.2f}{}",
                    frame.tie.station / toFeet, frame.tie.northing, frame.tie.easting,
                    frame.tie.azimuth.degrees, frame.tie.azimuth.minutes, frame.tie.azimuth.seconds,
                    file.coordinateSystem.empty() ? "" : " (" + file.coordinateSystem + ")"));
    notes.add(
        fmt::format("{}the deck's mainline keeps within {:.6f} ft of the file's alignment from "
                    "station {:.4f} to {:.4f}",
                    frame.departure > 0.0005 ? "warning: " : "", frame.departure, request.from, request.to));
    notes.add("append the longitudinal lines (7 cards), the spans and the closing 9 card");
    out.cards = cards;
    return out;
}

}   // namespace bp::import
