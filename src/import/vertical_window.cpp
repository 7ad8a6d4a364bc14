#include "import/vertical_window.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include <fmt/format.h>

#include "import/card_writer.hpp"

namespace bp::import {

namespace {

constexpr double SAME_GRADE = 1e-9;   // ft/ft

// Start and end stations of the curve at a PVI.
double curveStart(const ProfilePoint& p) {
    return p.kind == PviKind::Unsymmetric ? p.station - p.lengthIn : p.station - 0.5 * p.length;
}
double curveEnd(const ProfilePoint& p) {
    return p.kind == PviKind::Unsymmetric ? p.station + p.lengthOut : p.station + 0.5 * p.length;
}

}   // namespace

ProfileCards chooseProfileWindow(const DesignProfile& profile, const PlanStretch& stretch,
                                 const StationNaming& naming) {
    const std::vector<ProfilePoint>& pts = profile.points;
    const std::string name =
        fmt::format("profile \"{}\"", profile.name.empty() ? profile.profileName : profile.name);
    if (pts.size() < 2) throw ImportRefused(name + " has fewer than two PVIs");
    if (pts.front().station > stretch.from + 1e-6 || pts.back().station < stretch.to - 1e-6)
        throw ImportRefused(
            fmt::format("{} runs from station {} to {} and does not cover the window "
                        "from {} to {}",
                        name, naming.text(pts.front().station), naming.text(pts.back().station),
                        naming.text(stretch.from), naming.text(stretch.to)));
    std::vector<double> grades;   // grade from point i to i + 1, ft/ft
    for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
        const double run = pts[i + 1].station - pts[i].station;
        if (!(run > 0))
            throw ImportRefused(fmt::format("{}: the PVIs at stations {} and {} are not in station order",
                                            name, naming.text(pts[i].station),
                                            naming.text(pts[i + 1].station)));
        grades.push_back((pts[i + 1].elevation - pts[i].elevation) / run);
    }

    std::vector<std::size_t> curves;   // interior points whose curve reaches into the window
    for (std::size_t i = 1; i + 1 < pts.size(); ++i) {
        const ProfilePoint& p = pts[i];
        const std::string at = fmt::format("{}: the PVI at station {}", name, naming.text(p.station));
        const bool breaks = std::fabs(grades[i] - grades[i - 1]) > SAME_GRADE;
        if (p.kind == PviKind::Point || p.length <= 0) {
            if (breaks && p.station >= stretch.from && p.station <= stretch.to)
                throw ImportRefused(fmt::format(
                    "{} breaks the grade from {:.4f} % to {:.4f} % without a vertical curve; the "
                    "deck's profile changes grade only on a parabolic curve; choose a window that "
                    "does not hold the station, or have the designer put a curve there",
                    at, 100 * grades[i - 1], 100 * grades[i]));
            continue;
        }
        if (std::min(curveEnd(p), stretch.to) - std::max(curveStart(p), stretch.from) <= 0) continue;
        if (p.kind == PviKind::Unsymmetric)
            throw ImportRefused(at +
                                " carries an unsymmetrical parabolic vertical curve, which the "
                                "vertical curve cards cannot hold (their curves are symmetric "
                                "about the PVI); choose a window clear of it");
        if (p.kind == PviKind::Circular)
            throw ImportRefused(at +
                                " carries a circular vertical curve; the vertical curve cards "
                                "hold parabolic curves only; choose a window clear of it");
        if (curves.size() == 2)
            throw ImportRefused(
                fmt::format("{} carries a third vertical curve in the window; the vertical curve cards hold "
                            "at most two; choose a window that ends before station {}",
                            at, naming.text(curveStart(p))));
        curves.push_back(i);
    }

    ProfileCards cards;
    cards.curves = static_cast<int>(curves.size());
    const double shift = stretch.shift;
    // PVI Z on the first grade, at the window's start or the first curve's
    // beginning, whichever is earlier.
    std::size_t first;   // the point that starts the first grade
    if (curves.empty()) {
        first = 0;
        while (first + 2 < pts.size() && pts[first + 1].station <= stretch.from) ++first;
    } else {
        first = curves[0] - 1;
    }
    double z = stretch.from;
    if (!curves.empty()) z = std::min(z, curveStart(pts[curves[0]]));
    cards.pviZ = std::floor((z + shift) * 1e4 + 1e-6) / 1e4;
    cards.grade[0] = 100 * grades[first];
    cards.elevationZ = pts[first].elevation + grades[first] * (cards.pviZ - shift - pts[first].station);
    if (curves.size() >= 1) {
        cards.pvi1 = pts[curves[0]].station + shift;
        cards.length1 = pts[curves[0]].length;
        cards.grade[1] = 100 * grades[curves[0]];
    }
    if (curves.size() == 2) {
        cards.pvi2 = pts[curves[1]].station + shift;
        cards.length2 = pts[curves[1]].length;
        cards.grade[2] = 100 * grades[curves[1]];
    }
    return cards;
}

}   // namespace bp::import
