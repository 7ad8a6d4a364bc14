// The tie's rigid motion from the plane frame to northing and easting, on
// mainlines turning right, turning left (computed as their mirror image)
// and straight, at several azimuths. The expected grid points come from a
// separate model of the real road: start at the tie point with the tie
// azimuth and walk along the pieces with the surveyor's chord formula
// (chord 2 R sin(delta/2) at the azimuth plus delta/2, delta = L / R turning
// right and -L / R turning left), then step the offset to the left of travel.
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "alignment/point_operations.hpp"
#include "alignment_fixtures.hpp"
#include "bridgeplan/project_frame.hpp"

namespace bp::testing {
namespace {

struct RealPiece {
    double begin, end;
    double curvature;   // 1/R, positive turning right on the grid, 0 straight
};

struct Tie {
    double station, northing, easting, azimuthDeg;
};

// Grid point of station s at offset o (left of travel positive), walked
// from the tie piece by piece.
GridPoint walk(const std::vector<RealPiece>& pieces, const Tie& tie, double s, double o) {
    double n = tie.northing, e = tie.easting, az = tie.azimuthDeg * DEG_TO_RAD, at = tie.station;
    auto step = [&](double k, double to) {
        const double len = to - at;
        const double chord = k == 0.0 ? len : 2.0 * std::sin(k * len / 2.0) / k;
        const double dir = az + k * len / 2.0;
        n += chord * std::cos(dir);
        e += chord * std::sin(dir);
        az += k * len;
        at = to;
    };
    const double sign = s >= at ? 1.0 : -1.0;
    while (at != s) {
        const RealPiece* piece = nullptr;
        for (const RealPiece& p : pieces)
            if (sign > 0 ? (at >= p.begin && at < p.end) : (at > p.begin && at <= p.end)) piece = &p;
        if (!piece) piece = sign > 0 ? &pieces.back() : &pieces.front();
        const double limit = sign > 0 ? std::min(s, piece->end) : std::max(s, piece->begin);
        step(piece->curvature, piece == (sign > 0 ? &pieces.back() : &pieces.front()) ? s : limit);
    }
    return {n + o * std::sin(az), e - o * std::cos(az)};
}

double radiusOf(double degreesOfCurve) { return CURVE_ARC / (degreesOfCurve * DEG_TO_RAD); }

struct Case {
    const char* name;
    BuiltMainline m;
    double mirror;
    std::vector<RealPiece> real;
};

// A 3 degree curve between tangents, computed as turning right; punched
// "L" the real road turns left. And a straight road.
std::vector<Case> cases() {
    std::vector<Case> out;
    const double r = radiusOf(3.0);
    const auto curveCard = curves(0, 1450, 3, 1750, 0);
    out.push_back({"right",
                   buildMainline(1000, 2000, 1600, 90, 0, curveCard),
                   1.0,
                   {{1000, 1450, 0}, {1450, 1750, 1 / r}, {1750, 2000, 0}}});
    out.push_back({"left",
                   buildMainline(1000, 2000, 1600, 30, 0, curveCard),
                   -1.0,
                   {{1000, 1450, 0}, {1450, 1750, -1 / r}, {1750, 2000, 0}}});
    out.push_back(
        {"compound right",
         buildMainline(1000, 2000, 1600, 200, 0, curves(2, 1450, 4, 1750, 3)),
         1.0,
         {{1000, 1450, 1 / radiusOf(2)}, {1450, 1750, 1 / radiusOf(4)}, {1750, 2000, 1 / radiusOf(3)}}});
    out.push_back(
        {"straight", buildMainline(0, 1000, 500, 90, 1000, curves(0, 0, 0, 0, 0)), 1.0, {{0, 1000, 0}}});
    return out;
}

TEST(ProjectFrame, ReportedPointsLandOnTheRealRoadAtEveryAzimuth) {
    const double azimuths[] = {0.0, 37.5, 90.0, 179.99, 263.208333, 359.999997};
    const double stations[] = {1000, 1200, 1450, 1520.25, 1600, 1749.9, 1750, 1900, 2000};
    const double offsets[] = {0.0, 22.5, -15.0};
    for (const Case& c : cases()) {
        for (double az : azimuths) {
            for (double tieStation : {1000.0, 1600.0, 1870.5}) {
                double ts = c.m.a.location.backStation == 0 ? tieStation - 1000 : tieStation;
                const Tie tie{ts, 4567890.1234, 2012345.6789, az};
                const StationPoint t = PointAtStation(c.m.a, c.m.lines, ts);
                const ProjectFrame f(t.x, t.y, t.theta - HALF_PI, c.mirror, tie.northing, tie.easting,
                                     az * DEG_TO_RAD);
                for (double s0 : stations) {
                    const double s = c.m.a.location.backStation == 0 ? s0 - 1000 : s0;
                    for (double o : offsets) {
                        const StationPoint p = PointAtStation(c.m.a, c.m.lines, s);
                        // The plane point o to the left of travel, then its real mirror image.
                        const double x = p.x + o * std::cos(p.theta), y = p.y + o * std::sin(p.theta);
                        const GridPoint g = f.toProject(x, y);
                        const GridPoint want = walk(c.real, tie, s, c.mirror * o);
                        EXPECT_NEAR(g.northing, want.northing, 1e-6)
                            << c.name << " az " << az << " sta " << s << " off " << o;
                        EXPECT_NEAR(g.easting, want.easting, 1e-6)
                            << c.name << " az " << az << " sta " << s << " off " << o;
                        const PlanePoint back = f.fromProject(g.northing, g.easting);
                        EXPECT_NEAR(back.x, x, 1e-8);
                        EXPECT_NEAR(back.y, y, 1e-8);
                    }
                }
            }
        }
    }
}

TEST(ProjectFrame, TiePointLandsExactlyAndTravelsAtTheAzimuth) {
    for (const Case& c : cases()) {
        for (double az : {0.0, 45.0, 164.233056, 270.0, 359.5}) {
            const double ts = c.m.a.location.backStation + 333.3333;
            const StationPoint t = PointAtStation(c.m.a, c.m.lines, ts);
            const ProjectFrame f(t.x, t.y, t.theta - HALF_PI, c.mirror, 256676.9376, 5011521.6956,
                                 az * DEG_TO_RAD, "EPSG:2264");
            const GridPoint g = f.toProject(t.x, t.y);
            EXPECT_EQ(g.northing, 256676.9376) << c.name;
            EXPECT_EQ(g.easting, 5011521.6956) << c.name;
            const double got = f.azimuth(t.theta - HALF_PI) / DEG_TO_RAD;
            EXPECT_NEAR(std::remainder(got - az, 360.0), 0.0, 1e-10) << c.name << " az " << az;
            EXPECT_GE(got, 0.0);
            EXPECT_LT(got, 360.0);
            EXPECT_EQ(f.mirrored(), c.mirror < 0);
            EXPECT_EQ(f.coordinateSystem(), "EPSG:2264");
        }
    }
}

}   // namespace
}   // namespace bp::testing
