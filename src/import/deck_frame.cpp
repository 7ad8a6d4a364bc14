#include "import/deck_frame.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include <fmt/format.h>

namespace bp::import {

namespace {

constexpr double PI = std::numbers::pi;
constexpr double DEG = 180 / PI;
// The deck's own degrees-to-radians factor and arc of the degree of curve.
constexpr double CARD_RADIANS_PER_DEGREE = 0.0174532925199433;
constexpr double DEGREE_ARC = 100.0;   // ft
// Keep a straight's normal this far (rad) inside (-45, 135] degrees.
constexpr double NORMAL_MARGIN = 1e-6;
// Stations of the cards are rounded to 0.0001 ft.
constexpr int STATION_DECIMALS = 4;

// The two four-decimal stations either side of s (one when s is on the grid).
std::vector<double> gridStations(double s) {
    const double scaled = s * 1e4;
    const double nearest = std::round(scaled);
    if (std::fabs(scaled - nearest) < 1e-3) return {nearest / 1e4};   // within 1e-7 ft
    return {std::floor(scaled) / 1e4, std::ceil(scaled) / 1e4};
}

// Piecewise-constant curvature (1/ft, positive turning right in the deck's
// frame) of a mainline given by its junction stations.
struct CurvatureRun {
    double junction1, junction2;   // stations where the pieces change
    double k1, k2, k3;             // before junction 1, between, after junction 2
    double at(double s) const { return s < junction1 ? k1 : s > junction2 ? k3 : k2; }
    // Turn (rad, positive clockwise) from station a to b.
    double turn(double a, double b) const {
        auto cumulative = [this](double s) {
            const double s1 = std::min(s, junction1), s2 = std::clamp(s, junction1, junction2),
                         s3 = std::max(s, junction2);
            return k1 * (s1 - junction1) + k2 * (s2 - junction1) + k3 * (s3 - junction2);
        };
        return cumulative(b) - cumulative(a);
    }
};

double curvatureOf(const MainPiece& p) { return p.curve ? 1 / p.radius : 0; }

// Largest sideways distance (ft) of the deck's mainline from the file's over
// back..ahead, both held at the tie station: the direction error is the
// tie azimuth's rounding (rad, taken either way round, since a mirrored deck
// turns it the other way) plus the integral of the curvature difference; the
// sideways error is the integral of the direction error (0.25 ft steps).
double departure(const CurvatureRun& deck, const CurvatureRun& file, double tie, double back, double ahead,
                 double azimuthMiss) {
    double worst = 0;
    for (double end : {back, ahead})
        for (double turned : {-azimuthMiss, azimuthMiss}) {
            const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(end - tie) / 0.25)));
            const double h = (end - tie) / steps;
            double direction = turned, sideways = 0;
            for (int i = 0; i < steps; ++i) {
                const double s = tie + (i + 0.5) * h;
                const double dk = deck.at(s) - file.at(s);
                sideways += h * (direction + 0.5 * h * dk);
                direction += h * dk;
                worst = std::max(worst, std::fabs(sideways));
            }
        }
    return worst;
}

}   // namespace

DeckFrame chooseDeckFrame(const PlanStretch& stretch, const AlignmentChain& chain, ImportNotes& notes) {
    const auto& pieces = stretch.pieces;
    const int n = static_cast<int>(pieces.size());
    const double shift = stretch.shift;
    const StationNaming& naming = chain.naming();
    DeckFrame frame;
    PlanCards& plan = frame.plan;
    plan.back = roundedTo(stretch.from + shift, STATION_DECIMALS);
    plan.ahead = roundedTo(stretch.to + shift, STATION_DECIMALS);
    plan.direction = stretch.turnsLeft ? 'L' : 'R';

    // The main piece: the middle of three, the curve of two (the first of two curves).
    const int main = n == 3 ? 1 : (n == 2 && !pieces[0].curve) ? 1 : 0;
    const MainPiece* slot[3] = {main >= 1 ? &pieces[main - 1] : nullptr, &pieces[main],
                                main + 1 < n ? &pieces[main + 1] : nullptr};

    // Degree of curve by the arc definition, D = 100 ft / R, punched to 0.01 s.
    double deckCurvature[3] = {0, 0, 0}, trueCurvature[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        if (!slot[k]) continue;
        trueCurvature[k] = curvatureOf(*slot[k]);
        if (!slot[k]->curve) continue;
        const double radius = slot[k]->radius;
        plan.curve[k] = cardAngle(DEGREE_ARC / radius * DEG);
        if (plan.curve[k].degrees > 99)
            throw ImportRefused(
                fmt::format("{}: radius {:.4f} ft is a degree of curve above 99 "
                            "degrees, which the horizontal curve card cannot hold",
                            slot[k]->label, radius));
        const double deckRadius = DEGREE_ARC / (plan.curve[k].inDegrees() * CARD_RADIANS_PER_DEGREE);
        deckCurvature[k] = 1 / deckRadius;
        if (std::fabs(deckRadius - radius) >= 0.000005)
            notes.add(
                fmt::format("warning: {}: radius {:.5f} ft is punched as degree of curve {}-{:02}-{:05.2f}, "
                            "which gives radius {:.5f} ft ({:+.5f} ft)",
                            slot[k]->label, radius, plan.curve[k].degrees, plan.curve[k].minutes,
                            plan.curve[k].seconds, deckRadius, deckRadius - radius));
    }

    // P.C. and P.T.: the junctions rounded to the grid, the pair whose main
    // piece length is nearest the true one.
    const double pcTrue = main >= 1 ? pieces[main - 1].end + shift : plan.back;
    const double ptTrue = main + 1 < n ? pieces[main].end + shift : plan.ahead;
    const std::vector<double> pcs = main >= 1 ? gridStations(pcTrue) : std::vector<double>{plan.back};
    const std::vector<double> pts = main + 1 < n ? gridStations(ptTrue) : std::vector<double>{plan.ahead};
    double best = INFINITY;
    for (double pc : pcs)
        for (double pt : pts) {
            const double miss = std::fabs((pt - pc) - (ptTrue - pcTrue)) +
                                1e-6 * (std::fabs(pc - pcTrue) + std::fabs(pt - ptTrue));
            if (miss < best) best = miss, plan.pc = pc, plan.pt = pt;
        }
    auto junctionNote = [&](const char* which, double punched, double exact, double kMain, double kOther,
                            double farLength, double farStation) {
        const double moved = punched - exact;
        if (std::fabs(moved) < 5e-7) return;   // not seen at six decimals
        notes.add(
            fmt::format("warning: the {} at station {:.6f} is punched as {:.4f} ({:+.6f} ft); the piece "
                        "beyond it moves by {:.6f} ft at station {:.4f}",
                        which, exact / naming.toFeet, punched / naming.toFeet, moved,
                        std::fabs(moved * (kMain - kOther)) * farLength, farStation / naming.toFeet));
    };
    if (slot[0])
        junctionNote("P.C.", plan.pc, pcTrue, deckCurvature[1], deckCurvature[0], pcTrue - plan.back,
                     plan.back);
    if (slot[2])
        junctionNote("P.T.", plan.pt, ptTrue, deckCurvature[1], deckCurvature[2], plan.ahead - ptTrue,
                     plan.ahead);

    const CurvatureRun deck{plan.pc, plan.pt, slot[0] ? deckCurvature[0] : deckCurvature[1], deckCurvature[1],
                            slot[2] ? deckCurvature[2] : deckCurvature[1]};
    const CurvatureRun file{pcTrue, ptTrue, slot[0] ? trueCurvature[0] : trueCurvature[1], trueCurvature[1],
                            slot[2] ? trueCurvature[2] : trueCurvature[1]};

    // The tie at the middle of the window (a whole foot when there is room);
    // the reference station on the main piece nearest it.
    const double middle = 0.5 * (plan.back + plan.ahead);
    frame.tie.station =
        plan.ahead - plan.back >= 2 ? std::round(middle) : roundedTo(middle, STATION_DECIMALS);
    // (a whole foot when the main piece holds one, so the card stays readable).
    const double firstFoot = std::ceil(plan.pc), lastFoot = std::floor(plan.pt);
    plan.reference = firstFoot <= lastFoot ? std::clamp(frame.tie.station, firstFoot, lastFoot)
                                           : std::clamp(frame.tie.station, plan.pc, plan.pt);

    // Reference angle: the normal theta of a straight piece at station s is
    // the reference angle minus the clockwise turn from the reference station
    // to s. Every straight's theta must lie in (-45, 135] degrees; 90 when it
    // can, else the whole degree that centres them.
    double low = INFINITY, high = -INFINITY;
    for (int k = 0; k < 3; ++k) {
        if (!slot[k] || slot[k]->curve) continue;
        const double s = 0.5 * (slot[k]->begin + slot[k]->end) + shift;
        const double offset = -deck.turn(plan.reference, s);
        low = std::min(low, offset);
        high = std::max(high, offset);
    }
    auto fits = [&](double thetaDeg) {
        const double t = thetaDeg / DEG;
        return t + low > -PI / 4 + NORMAL_MARGIN && t + high <= 3 * PI / 4 - NORMAL_MARGIN;
    };
    if (low <= high && !fits(90)) {
        const double centred = std::round(45 - 0.5 * (low + high) * DEG);
        if (!fits(centred))
            throw ImportRefused(fmt::format(
                "the straights of the window turn by {:.4f} degrees from the first to the last: no "
                "reference angle puts the positive offsets of both on the left; choose a shorter "
                "window",
                (high - low) * DEG));
        plan.referenceDegrees = static_cast<int>(centred);
    }
    if (!slot[1]->curve) plan.referenceDistance = 1000.0;

    // The tie: the file's own point and direction at the tie station.
    const ChainPoint real = chain.at(frame.tie.station - shift);
    frame.tie.northing = roundedTo(real.point.y, STATION_DECIMALS);
    frame.tie.easting = roundedTo(real.point.x, STATION_DECIMALS);
    double azimuth = std::fmod(90.0 - real.direction * DEG, 360.0);
    if (azimuth < 0) azimuth += 360.0;
    frame.tie.azimuth = cardAngle(azimuth);
    if (frame.tie.azimuth.degrees >= 360) frame.tie.azimuth.degrees -= 360;
    const double azimuthMiss = std::remainder(frame.tie.azimuth.inDegrees() - azimuth, 360.0) / DEG;

    const double tieMiss = std::hypot(frame.tie.northing - real.point.y, frame.tie.easting - real.point.x);
    frame.departure = departure(deck, file, frame.tie.station, plan.back, plan.ahead, azimuthMiss) + tieMiss;
    return frame;
}

}   // namespace bp::import
