#include "import/plan_stretch.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include <fmt/format.h>

#include "import/import_messages.hpp"

namespace bp::import {

namespace {

constexpr double PI = std::numbers::pi;
constexpr double DEG = 180 / PI;
// Elements of one centre and radius, or on one line, within this (ft) are one piece.
constexpr double MERGE_TOLERANCE = 0.0001;
// A kink at a junction is an angle point when it moves the window's end away
// from the tie (at the middle) by more than the deck's promise (ft); above
// the smaller figure it is taken as tangent with a warning.
constexpr double KINK_REFUSED = 0.0005;
constexpr double KINK_NOTED = 0.0001;
// An element reaching less than this (ft) into the window is left to its neighbour.
constexpr double SLIVER = 0.001;

double wrapHalfTurn(double a) { return std::remainder(a, 2 * PI); }

// The continuous station of a station as the file numbers it, within one
// stretch between equations: [low, high] continuous, shown = low + offset.
struct NumberingRun {
    double low, high, shift;
};

std::vector<NumberingRun> numberingRuns(const AlignmentChain& chain) {
    std::vector<NumberingRun> runs;
    double low = chain.begin(), shift = 0;
    for (const StationEquation& eq : chain.naming().equations) {
        runs.push_back({low, eq.internal, shift});
        low = eq.internal;
        shift = eq.ahead - eq.internal;
    }
    runs.push_back({low, chain.end(), shift});
    return runs;
}

std::string shownText(const AlignmentChain& chain, double shownFeet) {
    return fmt::format("{:.4f}", shownFeet / chain.naming().toFeet);
}

void refuseWindow(const AlignmentChain& chain, double fromShown, double toShown) {
    const auto& naming = chain.naming();
    const std::vector<NumberingRun> runs = numberingRuns(chain);
    auto holds = [](const NumberingRun& r, double shown) {
        return shown >= r.low + r.shift - 1e-6 && shown <= r.high + r.shift + 1e-6;
    };
    const bool fromKnown =
        std::any_of(runs.begin(), runs.end(), [&](auto& r) { return holds(r, fromShown); });
    const bool toKnown = std::any_of(runs.begin(), runs.end(), [&](auto& r) { return holds(r, toShown); });
    if (fromKnown && toKnown && !naming.equations.empty()) {
        const StationEquation& eq = naming.equations.front();
        throw ImportRefused(
            fmt::format("the window from {} to {} crosses the station equation at continuous station {} "
                        "(back {} = ahead {}): the deck's stations run on without a break; choose a window "
                        "on one side of the equation",
                        shownText(chain, fromShown), shownText(chain, toShown),
                        fmt::format("{:.4f}", eq.internal / naming.toFeet), shownText(chain, eq.back),
                        shownText(chain, eq.ahead)));
    }
    throw ImportRefused(
        fmt::format("the window from {} to {} lies outside the alignment, which runs from station {} to {}; "
                    "give --from and --to within it",
                    shownText(chain, fromShown), shownText(chain, toShown), naming.text(chain.begin()),
                    naming.text(chain.end())));
}

}   // namespace

PlanStretch choosePlanStretch(const AlignmentChain& chain, double fromShown, double toShown,
                              ImportNotes& notes) {
    if (!(toShown > fromShown))
        throw ImportRefused(fmt::format("--to {} must lie ahead of --from {}", shownText(chain, toShown),
                                        shownText(chain, fromShown)));
    PlanStretch stretch;
    bool found = false;
    for (const NumberingRun& r : numberingRuns(chain)) {
        const double from = fromShown - r.shift, to = toShown - r.shift;
        if (from >= r.low - 1e-6 && to <= r.high + 1e-6) {
            stretch.from = std::max(from, r.low);
            stretch.to = std::min(to, r.high);
            stretch.shift = r.shift;
            found = true;
            break;
        }
    }
    if (!found) refuseWindow(chain, fromShown, toShown);
    const std::string window =
        fmt::format("the window from {} to {}", shownText(chain, fromShown), shownText(chain, toShown));

    // The elements reaching into the window, merged into pieces.
    const ChainElement* last = nullptr;
    int curveTurn = 0;   // +1 right, -1 left, 0 none yet
    for (const ChainElement& e : chain.elements()) {
        const double begin = std::max(e.begin, stretch.from), end = std::min(e.finish(), stretch.to);
        if (end - begin <= 0) continue;
        const bool sliver = end - begin < SLIVER && (begin == stretch.from || end == stretch.to);
        if (sliver && !(e.kind == ElementKind::Spiral)) {
            // Left to its neighbour: the neighbour runs on over these few thousandths.
            if (!stretch.pieces.empty()) stretch.pieces.back().end = end;
            continue;
        }
        if (e.kind == ElementKind::Spiral)
            throw ImportRefused(fmt::format(
                "{} lies in {}: the deck's mainline is made of circles and straights only; choose "
                "a window that ends before station {} or starts after station {}",
                chain.describe(e), window, chain.naming().text(e.begin), chain.naming().text(e.finish())));
        if (e.kind == ElementKind::Curve) {
            const int turn = e.clockwise ? 1 : -1;
            if (curveTurn != 0 && turn != curveTurn)
                throw ImportRefused(
                    fmt::format("{} turns {} while the curve before it in {} turns {}: a reverse curve; the "
                                "deck's curves all turn one way; choose a window that holds curves of one "
                                "direction only (split the bridge at station {})",
                                chain.describe(e), turn > 0 ? "right" : "left", window,
                                turn > 0 ? "left" : "right", chain.naming().text(e.begin)));
            curveTurn = turn;
        }
        if (last) {
            const double kink = wrapHalfTurn(e.startDirection - last->endDirection);
            bool merge = false;
            if (e.kind == ElementKind::Line && last->kind == ElementKind::Line) {
                // Collinear: the end of this line lies on the piece's line.
                const double ux = std::cos(last->endDirection), uy = std::sin(last->endDirection);
                const double side = (e.end.x - last->end.x) * uy - (e.end.y - last->end.y) * ux;
                merge = std::fabs(side) <= MERGE_TOLERANCE && std::fabs(kink) < PI / 2;
            } else if (e.kind == ElementKind::Curve && last->kind == ElementKind::Curve) {
                merge =
                    e.clockwise == last->clockwise &&
                    std::hypot(e.center.x - last->center.x, e.center.y - last->center.y) <= MERGE_TOLERANCE &&
                    std::fabs(e.radius - last->radius) <= MERGE_TOLERANCE;
            }
            const bool twoStraights = e.kind == ElementKind::Line && last->kind == ElementKind::Line;
            const double lever =
                e.begin > 0.5 * (stretch.from + stretch.to) ? stretch.to - e.begin : e.begin - stretch.from;
            const double moved = std::fabs(kink) * lever;
            if (!merge && !twoStraights && moved > KINK_NOTED && moved <= KINK_REFUSED)
                notes.add(
                    fmt::format("warning: {} meets the element before it {:.2e} degrees off "
                                "tangent; the deck joins them tangentially, which moves the "
                                "window's end by {:.6f} ft",
                                chain.describe(e), kink * DEG, moved));
            if (!merge && (twoStraights || moved > KINK_REFUSED))
                throw ImportRefused(fmt::format(
                    "{} meets the element before it at an angle of {:.6f} degrees: an angle point; "
                    "the deck's mainline has no corners; choose a window that ends before station "
                    "{} or starts after it, or have the roadway designer put a curve there",
                    chain.describe(e), kink * DEG, chain.naming().text(e.begin)));
            if (merge) {
                stretch.pieces.back().end = end;
                last = &e;
                continue;
            }
        }
        if (stretch.pieces.size() == 3)
            throw ImportRefused(fmt::format(
                "{} would be a fourth piece of the mainline in {}: the deck holds at most three "
                "(before the P.C., P.C. to P.T., after the P.T.); choose a shorter window, ending "
                "before station {}",
                chain.describe(e), window, chain.naming().text(e.begin)));
        MainPiece piece;
        piece.curve = e.kind == ElementKind::Curve;
        piece.begin = begin;
        piece.end = end;
        piece.radius = e.radius;
        piece.label = chain.describe(e);
        stretch.pieces.push_back(piece);
        last = &e;
    }
    if (stretch.pieces.empty()) throw ImportRefused(window + " holds no element of the alignment");
    stretch.pieces.front().begin = stretch.from;
    stretch.pieces.back().end = stretch.to;
    stretch.turnsLeft = curveTurn < 0;
    return stretch;
}

}   // namespace bp::import
