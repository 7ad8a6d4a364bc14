#include "import/crown_window.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include <fmt/format.h>

namespace bp::import {

namespace {

constexpr double SAME_OFFSET = 0.0001;         // ft: breaks of two sections taken as one
constexpr double ON_PLANE = 0.0001;            // ft: a break on the plane of its neighbours
constexpr double ON_GRADE = 0.0005;            // ft: the surface on the profile grade
constexpr double SAME_SLOPE = 1e-6;            // ft/ft: a row the table's line reproduces
constexpr double SECTION_TOLERANCE = 0.0005;   // ft: above it the section's fit is a warning
constexpr int MAX_ROWS = 10;
constexpr int MAX_LANES = 3;
constexpr double INCHES_PER_FOOT = 12;

const char* const PUNCH_IT =
    "the crown card is a level section (5LVL): punch the crown and lane card (and the "
    "superelevation cards) for the bridge";

// Why the file's cross-sections cannot be written as the cards.
struct NotMapped {
    std::string why;
};

// One section of the window in the deck's terms: the breaks as offsets
// positive to the left (ascending) and the height of the surface above
// the profile grade at each.
struct DeckSection {
    double station = 0;   // continuous, ft
    std::vector<double> offset, height;
};

// Parabola of length L about a PVI at station p, elevation e, grades g1
// to g2 (ft/ft), or the grade beyond it.
double onCurve(double s, double p, double e, double length, double g1, double g2) {
    if (length > 0 && std::fabs(s - p) < 0.5 * length) {
        const double x = s - (p - 0.5 * length);
        return e - g1 * 0.5 * length + g1 * x + (g2 - g1) * x * x / (2 * length);
    }
    return s < p ? e + g1 * (s - p) : e + g2 * (s - p);
}

std::string offsetsText(const std::vector<double>& offsets) {
    std::string text;
    for (double o : offsets) text += fmt::format("{}{:.4f}", text.empty() ? "" : " ", o);
    return text;
}

// The file's offsets are positive to the right of travel; the deck's to
// the left, which for a road the deck describes as its mirror image is the
// right of the real road.
DeckSection deckSection(const DesignSection& file, const DesignProfile& profile, const PlanStretch& stretch,
                        const StationNaming& naming) {
    DeckSection d;
    d.station = file.station;
    const std::optional<double> onGrade = fileGrade(profile, file.station);
    if (!onGrade)
        throw NotMapped{
            fmt::format("the CrossSect at station {} lies on an unsymmetrical or circular vertical "
                        "curve, or beyond the profile",
                        naming.text(file.station))};
    const double grade = *onGrade;
    const std::size_t n = file.points.size();
    for (std::size_t k = 0; k < n; ++k) {
        const SectionPoint& p = stretch.turnsLeft ? file.points[k] : file.points[n - 1 - k];
        const double o = (stretch.turnsLeft ? p.offset : -p.offset) + 0.0;   // + 0.0: no -0
        if (!d.offset.empty() && o - d.offset.back() < SAME_OFFSET)
            throw NotMapped{
                fmt::format("the CrossSect at station {} has two points at offset {:.4f} (a "
                            "vertical face)",
                            naming.text(file.station), p.offset)};
        d.offset.push_back(o);
        d.height.push_back(p.elevation - grade);
    }
    if (d.offset.size() < 2)
        throw NotMapped{
            fmt::format("the CrossSect at station {} has fewer than two points on the design "
                        "surface \"{}\"",
                        naming.text(file.station), file.surface)};
    return d;
}

double slope(const DeckSection& d, std::size_t i) {
    return (d.height[i + 1] - d.height[i]) / (d.offset[i + 1] - d.offset[i]);
}

// Height of the section's surface at offset o inside its breaks, on the
// plane between the breaks about o.
double heightAt(const DeckSection& d, double o) {
    std::size_t i = 0;
    while (i + 2 < d.offset.size() && o > d.offset[i + 1]) ++i;
    return d.height[i] + slope(d, i) * (o - d.offset[i]);
}

// Drops every break that lies, in every section, on the plane of its
// neighbours (a lane line between two lanes of one slope).
void joinPlanes(std::vector<DeckSection>& rows) {
    for (std::size_t i = 1; i + 1 < rows.front().offset.size();) {
        const bool onPlane = std::all_of(rows.begin(), rows.end(), [i](const DeckSection& d) {
            const double t = (d.offset[i] - d.offset[i - 1]) / (d.offset[i + 1] - d.offset[i - 1]);
            return std::fabs(d.height[i - 1] + t * (d.height[i + 1] - d.height[i - 1]) - d.height[i]) <=
                   ON_PLANE;
        });
        if (!onPlane) {
            ++i;
            continue;
        }
        for (DeckSection& d : rows) {
            d.offset.erase(d.offset.begin() + static_cast<long>(i));
            d.height.erase(d.height.begin() + static_cast<long>(i));
        }
    }
}

// The deck's pivot: offset 0 where the surface there is on the grade in
// every section, else the first break that is.
double choosePivot(const std::vector<DeckSection>& rows, const StationNaming& naming) {
    const DeckSection& first = rows.front();
    const bool zeroInside = first.offset.front() <= 0 && first.offset.back() >= 0;
    if (zeroInside && std::all_of(rows.begin(), rows.end(),
                                  [](const DeckSection& d) { return std::fabs(heightAt(d, 0)) <= ON_GRADE; }))
        return 0;
    for (std::size_t i = 0; i < first.offset.size(); ++i)
        if (std::all_of(rows.begin(), rows.end(),
                        [i](const DeckSection& d) { return std::fabs(d.height[i]) <= ON_GRADE; }))
            return first.offset[i];
    const DeckSection& worst = *std::max_element(rows.begin(), rows.end(), [](const auto& l, const auto& r) {
        return std::fabs(heightAt(l, 0)) < std::fabs(heightAt(r, 0));
    });
    throw NotMapped{
        fmt::format("the CrossSect at station {} lies {:.4f} ft off the profile grade at the "
                    "alignment, and no break of the sections keeps the grade; the lanes must "
                    "turn about a point on the profile grade",
                    naming.text(worst.station), heightAt(worst, 0))};
}

struct Row {
    double station = 0;                    // continuous, ft
    double slope[MAX_LANES] = {0, 0, 0};   // in/ft as punched
};

// Heights of the deck's surface at the breaks: the pivot on the grade,
// lane by lane up the slopes (in/ft) outwards from it.
double deckHeight(const std::vector<double>& breaks, const double* slopes, double pivot, double o) {
    double h = 0;
    for (std::size_t i = 0; i + 1 < breaks.size(); ++i) {
        const double lo = std::max(breaks[i], std::min(pivot, o)),
                     hi = std::min(breaks[i + 1], std::max(pivot, o));
        if (hi > lo) h += (o >= pivot ? 1 : -1) * slopes[i] / INCHES_PER_FOOT * (hi - lo);
    }
    return h;
}

std::vector<CardImage> mappedCards(const std::vector<DesignSection>& all, const PlanStretch& stretch,
                                   const DesignProfile& profile, const StationNaming& naming,
                                   ImportNotes& notes) {
    const double shift = stretch.shift;
    // The sections that hold the window: the last at or before its start
    // to the first at or after its end.
    std::size_t lo = all.size(), hi = all.size();
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (all[i].station <= stretch.from + 1e-6) lo = i;
        if (hi == all.size() && all[i].station >= stretch.to - 1e-6) hi = i;
    }
    if (lo == all.size() || hi == all.size())
        throw NotMapped{
            fmt::format("the CrossSects run from station {} to {} and do not cover the window from "
                        "{} to {}",
                        naming.text(all.front().station), naming.text(all.back().station),
                        naming.text(stretch.from), naming.text(stretch.to))};
    std::vector<DeckSection> rows;
    for (std::size_t i = lo; i <= hi; ++i) {
        rows.push_back(deckSection(all[i], profile, stretch, naming));
        if (rows.size() > 1 && rows.back().station - rows[rows.size() - 2].station < SAME_OFFSET)
            throw NotMapped{fmt::format("two CrossSects stand at station {}", naming.text(all[i].station))};
    }
    for (const DeckSection& d : rows) {
        const DeckSection& f = rows.front();
        bool same = d.offset.size() == f.offset.size();
        for (std::size_t i = 0; same && i < d.offset.size(); ++i)
            same = std::fabs(d.offset[i] - f.offset[i]) <= SAME_OFFSET;
        if (!same)
            throw NotMapped{
                fmt::format("the CrossSect at station {} has its breaks at deck offsets {} "
                            "(DR), the one at station {} at {}; the lanes of the crown and lane "
                            "card keep their widths",
                            naming.text(f.station), offsetsText(f.offset), naming.text(d.station),
                            offsetsText(d.offset))};
    }
    joinPlanes(rows);
    const std::vector<double>& breaks = rows.front().offset;
    const int lanes = static_cast<int>(breaks.size()) - 1;
    if (lanes > MAX_LANES)
        throw NotMapped{
            fmt::format("the CrossSect at station {} has {} planes between deck offsets {} "
                        "(DR); the crown and lane card holds three lanes of one roadway",
                        naming.text(rows.front().station), lanes, offsetsText(breaks))};
    const double pivot = choosePivot(rows, naming);

    // Rows of the table: the slopes of each section, in/ft as punched; a
    // row the straight line between its neighbours gives is left out.
    std::vector<Row> table;
    std::vector<Row> full;
    for (const DeckSection& d : rows) {
        Row r;
        r.station = d.station;
        for (int k = 0; k < MAX_LANES; ++k)
            r.slope[k] = slope(d, static_cast<std::size_t>(std::min(k, lanes - 1)));
        full.push_back(r);
    }
    for (std::size_t i = 0; i < full.size(); ++i) {
        if (i > 0 && i + 1 < full.size()) {
            const Row& a = table.back();
            const Row& b = full[i + 1];
            const double t = (full[i].station - a.station) / (b.station - a.station);
            bool onLine = true;
            for (int k = 0; k < MAX_LANES; ++k)
                onLine = onLine && std::fabs(a.slope[k] + t * (b.slope[k] - a.slope[k]) - full[i].slope[k]) <=
                                       SAME_SLOPE;
            if (onLine) continue;
        }
        table.push_back(full[i]);
    }
    bool constant = true;
    for (const Row& r : table)
        for (int k = 0; k < MAX_LANES; ++k)
            constant = constant && std::fabs(r.slope[k] - table[0].slope[k]) <= SAME_SLOPE;
    if (constant) table.resize(1);
    if (static_cast<int>(table.size()) > MAX_ROWS)
        throw NotMapped{
            fmt::format("the cross slopes change at {} stations from {} to {}; the superelevation "
                        "cards hold ten; choose a shorter window",
                        table.size(), naming.text(table.front().station), naming.text(table.back().station))};
    for (Row& r : table)
        for (double& s : r.slope) s = roundedTo(s * INCHES_PER_FOOT, 4);

    // How far the cards' surface lies from the file's at every section's breaks.
    double worst = 0;
    for (const DeckSection& d : rows) {
        std::size_t j = 0;
        while (j + 1 < table.size() && table[j + 1].station < d.station) ++j;
        double slopes[MAX_LANES];
        for (int k = 0; k < MAX_LANES; ++k) {
            if (j + 1 >= table.size()) {
                slopes[k] = table[j].slope[k];
            } else {
                const double t = (d.station - table[j].station) / (table[j + 1].station - table[j].station);
                slopes[k] = table[j].slope[k] + t * (table[j + 1].slope[k] - table[j].slope[k]);
            }
        }
        for (std::size_t i = 0; i < breaks.size(); ++i)
            worst = std::max(worst, std::fabs(deckHeight(breaks, slopes, pivot, breaks[i]) - d.height[i]));
    }

    std::vector<CardImage> cards;
    CardImage crown("5LNS");
    const double sr[5] = {breaks[0], breaks[1], pivot, breaks[static_cast<std::size_t>(std::min(2, lanes))],
                          breaks.back()};
    static constexpr const char* WHAT[5] = {"S.R.INS.", "S.R. 1", "INS.PIV.", "S.R. 2", "S.R. 3"};
    for (int f = 0; f < 5; ++f) crown.number(5 + 8 * f, 8, 4, sr[f], WHAT[f]);
    cards.push_back(crown);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const char* desc = table.size() == 1 ? "CONS" : i == 0 ? "STAR" : i + 1 == table.size() ? "FINI" : "";
        CardImage row("6");
        row.text(2, 4, desc)
            .number(7, 10, 4, table.size() == 1 ? stretch.from + shift : table[i].station + shift,
                    "superelevation station");
        for (int k = 0; k < lanes; ++k) row.number(17 + 6 * k, 6, 4, table[i].slope[k], "cross slope");
        cards.push_back(row);
    }

    notes.add(fmt::format(
        "the crown and lane card holds the file's design surface \"{}\": {} lane{} between "
        "deck offsets (DR) {}, turning about DR {:.4f}; {}",
        all[lo].surface, lanes, lanes == 1 ? "" : "s", offsetsText(breaks), pivot,
        table.size() == 1
            ? std::string("constant cross slopes")
            : fmt::format("cross slopes from {} rows between stations {} and {}", table.size(),
                          naming.text(table.front().station), naming.text(table.back().station))));
    notes.add(
        fmt::format("{}the crown and superelevation cards keep the section within {:.6f} ft of the file's "
                    "CrossSects at their breaks",
                    worst > SECTION_TOLERANCE ? "warning: " : "", worst));
    return cards;
}

}   // namespace

std::optional<double> fileGrade(const DesignProfile& profile, double s) {
    const std::vector<ProfilePoint>& p = profile.points;
    if (p.size() < 2) return std::nullopt;
    auto grade = [&p](std::size_t i) {
        return (p[i + 1].elevation - p[i].elevation) / (p[i + 1].station - p[i].station);
    };
    for (std::size_t i = 1; i + 1 < p.size(); ++i) {
        const double half = p[i].kind == PviKind::Unsymmetric ? 0 : 0.5 * p[i].length;
        const bool on = p[i].kind == PviKind::Unsymmetric
                            ? s > p[i].station - p[i].lengthIn && s < p[i].station + p[i].lengthOut
                            : half > 0 && std::fabs(s - p[i].station) < half;
        if (!on) continue;
        if (p[i].kind != PviKind::Parabola) return std::nullopt;
        return onCurve(s, p[i].station, p[i].elevation, p[i].length, grade(i - 1), grade(i));
    }
    std::size_t i = 0;
    while (i + 2 < p.size() && s > p[i + 1].station) ++i;
    return p[i].elevation + grade(i) * (s - p[i].station);
}

std::vector<CardImage> chooseCrownCards(const FileAlignment& alignment, const PlanStretch& stretch,
                                        const DesignProfile& profile, const StationNaming& naming,
                                        ImportNotes& notes) {
    // A CrossSect without the surface (or without points) is not passed
    // over: the sections used must all give it.
    const std::vector<DesignSection>& sections = alignment.sections;
    if (std::none_of(sections.begin(), sections.end(),
                     [](const DesignSection& s) { return !s.points.empty(); })) {
        if (alignment.superelevation.empty()) {
            notes.add(
                "the crown card is a level section (5LVL): the file's cross-section is not read; punch "
                "the crown and lane card (and the superelevation cards) for the bridge");
        } else {
            const SuperelevationRun& run = alignment.superelevation.front();
            notes.add(
                fmt::format("warning: the Superelevation from station {} to {} gives cross slopes but no "
                            "lane offsets, and the file has no CrossSects with a DesignCrossSectSurf; {}",
                            naming.text(run.staStart), naming.text(run.staEnd), PUNCH_IT));
        }
        return {CardImage("5LVL")};
    }
    try {
        return mappedCards(sections, stretch, profile, naming, notes);
    } catch (const NotMapped& n) {
        notes.add(fmt::format("warning: {}; {}", n.why, PUNCH_IT));
        return {CardImage("5LVL")};
    }
}

}   // namespace bp::import
