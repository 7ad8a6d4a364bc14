// Profile grade and finished-surface elevations: the worked vertical curve,
// the parabolic crown, lanes with a pivot, the superelevation table, and
// the checks of the cards behind them.
#include <vector>

#include <gtest/gtest.h>

#include "alignment/alignment_parts.hpp"
#include "alignment/elevation.hpp"
#include "alignment_fixtures.hpp"
#include "bridgeplan/errors.hpp"
#include "bridgeplan/keywords.hpp"

using namespace bp;
using bp::testing::errorOf;

namespace {

// Roadway 0+00 to 30+00; PVI Z at 8+00, elevation 104, -2 % into a 200-ft
// curve at PVI 1 = 10+00 (elevation 100 on the grade), +3 % out of it.
Alignment sagCurve(double length2 = 0, double pvi2 = 0) {
    Alignment a;
    a.location.backStation = 0;
    a.location.aheadStation = 3000;
    VerticalCurveCards v;
    v.pviZ = 800;
    v.elevationZ = 104;
    v.gradeZ1 = -2;
    v.pvi1 = 1000;
    v.length1 = 200;
    v.grade12 = 3;
    v.pvi2 = pvi2;
    v.length2 = length2;
    v.grade23 = -1;
    buildProfile(a, v);
    return a;
}

CrownLaneCard crownCard(Word code, std::array<double, 10> values) {
    CrownLaneCard c;
    c.crownCode = code;
    c.values = values;
    return c;
}

SuperelevationCard seCard(Word description, double station, std::array<double, 6> slopes) {
    SuperelevationCard c;
    c.description = description;
    c.station = station;
    c.slopes = slopes;
    return c;
}

// Level grade of elevation 100 from 0+00 to 30+00.
Alignment flatRoad() {
    Alignment a;
    a.location.aheadStation = 3000;
    VerticalCurveCards v;
    v.elevationZ = 100;
    buildProfile(a, v);
    return a;
}

// Inside lanes 0-12-24-36 about a pivot; every lane sloped `slope` ft/ft.
Alignment lanedRoad(double pivot, double slope) {
    Alignment a = flatRoad();
    prepareCrossSection(a.section, crownCard("   ", {0, 12, pivot, 24, 36, 0, 0, 0, 0, 0}));
    double in = slope * 12;
    EXPECT_TRUE(takeSuperelevationCard(a, 1, seCard(kw::CONS, 0, {in, in, in, in, in, in})));
    return a;
}

}   // namespace

TEST(VerticalProfile, WorkedVerticalCurve) {
    Alignment a = sagCurve();
    EXPECT_EQ(a.profile.segmentCount, 3);
    EXPECT_NEAR(ProfileElevation(a, 900), 102, 1e-12);
    EXPECT_NEAR(ProfileElevation(a, 1000), 101.25, 1e-12);
    EXPECT_NEAR(ProfileElevation(a, 1100), 103, 1e-12);
    EXPECT_NEAR(ProfileElevation(a, 800), 104, 1e-12);
    EXPECT_NEAR(ProfileElevation(a, 850), 103, 1e-12);
    EXPECT_NEAR(ProfileElevation(a, 2100), 133, 1e-9);   // +3 % on to the ahead station
    EXPECT_NEAR(ProfileElevation(a, 3000), 160, 1e-9);
    EXPECT_EQ(errorOf([&] { ProfileElevation(a, 3000.0001); }), err::OUTSIDE_STATIONS);
    EXPECT_EQ(errorOf([&] { ProfileElevation(a, -0.0001); }), err::OUTSIDE_STATIONS);
    EXPECT_EQ(errorOf([&] { ProfileElevation(a, 799.9999); }), err::BEYOND_TABLES);
}

TEST(VerticalProfile, TwoCurves) {
    // Crest at 20+00, 400 ft, from +3 % to -1 %.
    Alignment a = sagCurve(400, 2000);
    EXPECT_EQ(a.profile.segmentCount, 5);
    // PVI 2 lies on the +3 % grade from the end of curve 1 (11+00, 103): 130.
    EXPECT_NEAR(ProfileElevation(a, 1800), 124, 1e-9);
    EXPECT_NEAR(ProfileElevation(a, 2000), 130 - 0.04 * 400 / 8, 1e-9);   // PVI minus e = A L / 8
    EXPECT_NEAR(ProfileElevation(a, 2200), 128, 1e-9);
    EXPECT_NEAR(ProfileElevation(a, 3000), 120, 1e-9);
}

TEST(VerticalProfile, SingleGradeWithoutCurves) {
    Alignment a;
    a.location.backStation = 0;
    a.location.aheadStation = 1000;
    VerticalCurveCards v;
    v.pviZ = 100;
    v.elevationZ = 50;
    v.gradeZ1 = 1.5;
    v.pvi1 = 5;        // ignored with no curve 1,
    v.length2 = -20;   // and so is a negative curve 2
    buildProfile(a, v);
    EXPECT_EQ(a.profile.segmentCount, 1);
    EXPECT_NEAR(ProfileElevation(a, 100), 50, 1e-12);
    EXPECT_NEAR(ProfileElevation(a, 1000), 63.5, 1e-12);
    EXPECT_EQ(errorOf([&] { ProfileElevation(a, 50); }), err::BEYOND_TABLES);
}

TEST(VerticalProfile, CurvesOutOfStationOrderAreRejected) {
    auto build = [](VerticalCurveCards v) {
        Alignment a;
        a.location.aheadStation = 3000;
        return errorOf([&] { buildProfile(a, v); });
    };
    VerticalCurveCards v;
    v.pviZ = 800;
    v.pvi1 = 1000;
    v.length1 = 200;
    EXPECT_EQ(build(v), 0);
    v.length1 = 400.002;   // starts before PVI Z
    EXPECT_EQ(build(v), err::VERTICAL_ELEVATION);
    v.length1 = -1;
    EXPECT_EQ(build(v), err::VERTICAL_ELEVATION);
    v.length1 = 200;
    v.pvi2 = 1200;
    v.length2 = 200;   // curves meet at 11+00: allowed
    EXPECT_EQ(build(v), 0);
    v.length2 = 200.002;   // overlap by 0.001 ft
    EXPECT_EQ(build(v), err::VERTICAL_ELEVATION);
    v.pvi2 = 900;   // PVI 2 before PVI 1
    v.length2 = 10;
    EXPECT_EQ(build(v), err::VERTICAL_ELEVATION);
    v.length2 = -10;
    EXPECT_EQ(build(v), err::VERTICAL_ELEVATION);
    v.length2 = 0;   // no curve 2: PVI 2 is not used
    EXPECT_EQ(build(v), 0);
}

TEST(CrossSection, LevelAndParabolicCrown) {
    Alignment a = sagCurve();
    prepareCrossSection(a.section, crownCard(kw::LVL, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14}));
    SurfacePoint p = SectionElevation(a, 1000, 500);
    EXPECT_NEAR(p.elevation, 101.25, 1e-12);
    EXPECT_EQ(p.edgeMark, ' ');

    Alignment b = flatRoad();
    prepareCrossSection(b.section, crownCard(kw::PAR, {0, -20, 0, 12, 3, 0, 0, 0, 0, 0}));
    EXPECT_NEAR(SectionElevation(b, 10, 0).elevation, 100, 1e-12);
    EXPECT_NEAR(SectionElevation(b, 10, 12).elevation, 99.75, 1e-12);
    EXPECT_NEAR(SectionElevation(b, 10, -12).elevation, 99.75, 1e-12);
    EXPECT_EQ(SectionElevation(b, 10, 19.99).edgeMark, ' ');
    for (double o : {20.0, 35.0, -20.0}) {
        SurfacePoint e = SectionElevation(b, 10, o);
        EXPECT_NEAR(e.elevation, 100 - 400.0 * 3 / (144 * 12), 1e-12);
        EXPECT_EQ(e.edgeMark, '*');
    }
    EXPECT_EQ(errorOf([] {
                  CrossSection cs;
                  prepareCrossSection(cs, crownCard(kw::PAR, {0, 20, 0, 0, 3, 0, 0, 0, 0, 0}));
              }),
              err::CROWN);
}

TEST(CrossSection, LanesAboutAPivot) {
    Alignment a = lanedRoad(0, -0.02);
    EXPECT_NEAR(SectionElevation(a, 10, 18).elevation, 99.64, 1e-12);
    EXPECT_EQ(SectionElevation(a, 10, 18).edgeMark, ' ');
    EXPECT_NEAR(SectionElevation(a, 10, 36).elevation, 99.28, 1e-12);
    EXPECT_EQ(SectionElevation(a, 10, 36).edgeMark, ' ');
    SurfacePoint beyond = SectionElevation(a, 10, 40);
    EXPECT_NEAR(beyond.elevation, 99.28, 1e-12);
    EXPECT_EQ(beyond.edgeMark, '*');
    SurfacePoint before = SectionElevation(a, 10, -1);
    EXPECT_NEAR(before.elevation, 100, 1e-12);
    EXPECT_EQ(before.edgeMark, '*');
    // The pivot keeps the profile grade, wherever it lies.
    Alignment b = lanedRoad(18, -0.02);
    EXPECT_NEAR(SectionElevation(b, 10, 18).elevation, 100, 1e-12);
    EXPECT_NEAR(SectionElevation(b, 10, 0).elevation, 100.36, 1e-12);
    EXPECT_NEAR(SectionElevation(b, 10, 36).elevation, 99.64, 1e-12);
}

TEST(CrossSection, OutsideRoadwayAndMedian) {
    Alignment a = flatRoad();
    // Inside 0-12-24-36 about 0, outside 48-60-72-84 about 60.
    prepareCrossSection(a.section, crownCard("   ", {0, 12, 0, 24, 36, 48, 60, 60, 72, 84}));
    EXPECT_EQ(a.section.sides, 2);
    ASSERT_TRUE(takeSuperelevationCard(a, 1, seCard(kw::CONS, 0, {-0.24, -0.24, -0.24, 0.12, 0.12, 0.12})));
    SurfacePoint median = SectionElevation(a, 10, 40);
    EXPECT_NEAR(median.elevation, 99.28, 1e-12);   // the inside outer edge
    EXPECT_EQ(median.edgeMark, '*');
    EXPECT_NEAR(SectionElevation(a, 10, 48).elevation, 99.88, 1e-12);
    EXPECT_NEAR(SectionElevation(a, 10, 60).elevation, 100, 1e-12);
    EXPECT_NEAR(SectionElevation(a, 10, 84).elevation, 100.24, 1e-12);
    EXPECT_EQ(SectionElevation(a, 10, 85).edgeMark, '*');
}

TEST(CrossSection, SuperelevationInterpolatesBetweenRows) {
    Alignment a = flatRoad();
    prepareCrossSection(a.section, crownCard("   ", {0, 12, 0, 24, 36, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(takeSuperelevationCard(a, 1, seCard(kw::STAR, 100, {0, 0, 0, 0, 0, 0})));
    EXPECT_FALSE(takeSuperelevationCard(a, 2, seCard(kw::BLANK, 200, {1.2, 0, 0, 0, 0, 0})));
    EXPECT_TRUE(takeSuperelevationCard(a, 3, seCard(kw::FINI, 300, {1.2, 1.2, 0, 0, 0, 0})));
    EXPECT_EQ(a.superelevation.intervalCount, 2);
    // Station 150: lane 1 slopes 0.05, so 12 ft out the surface is 0.6 ft up.
    EXPECT_NEAR(SectionElevation(a, 150, 12).elevation, 100.6, 1e-12);
    EXPECT_NEAR(SectionElevation(a, 200, 12).elevation, 101.2, 1e-12);
    // At 250 lane 2 is halfway to 0.1.
    EXPECT_NEAR(SectionElevation(a, 250, 24).elevation, 101.2 + 0.6, 1e-12);
    EXPECT_EQ(errorOf([&] { SectionElevation(a, 99.9999, 0); }), err::BEYOND_TABLES);
    EXPECT_EQ(errorOf([&] { SectionElevation(a, 300.0001, 0); }), err::BEYOND_TABLES);
    EXPECT_EQ(errorOf([&] { SectionElevation(a, 3000.0001, 0); }), err::OUTSIDE_STATIONS);
}

TEST(CrossSection, CardSequenceAndOffsetChecks) {
    auto table = [](std::initializer_list<SuperelevationCard> cards) {
        Alignment a = flatRoad();
        prepareCrossSection(a.section, crownCard("   ", {0, 12, 0, 24, 36, 0, 0, 0, 0, 0}));
        return errorOf([&] {
            int i = 0;
            for (const SuperelevationCard& c : cards) takeSuperelevationCard(a, ++i, c);
        });
    };
    std::array<double, 6> z{};
    EXPECT_EQ(table({seCard(kw::STAR, 1, z), seCard(kw::CONS, 2, z)}), err::SUPERELEVATION);
    EXPECT_EQ(table({seCard(kw::FINI, 1, z)}), err::SUPERELEVATION);
    EXPECT_EQ(table({seCard(kw::BLANK, 1, z)}), err::SUPERELEVATION);
    EXPECT_EQ(table({seCard(kw::STAR, 1, z), seCard(kw::STAR, 2, z)}), err::SUPERELEVATION);
    EXPECT_EQ(table({seCard(kw::STAR, 1, z), seCard(kw::FINI, 1, z)}), err::SUPERELEVATION);
    EXPECT_EQ(table({seCard(kw::STAR, 1, z), seCard("XX", 2, z)}), err::SUPERELEVATION);
    // STAR, eight blank cards and FINI is the longest table; a blank tenth card is not.
    std::vector<SuperelevationCard> longest{seCard(kw::STAR, 0, z)};
    for (int i = 1; i <= 8; ++i) longest.push_back(seCard(kw::BLANK, i, z));
    Alignment a = flatRoad();
    prepareCrossSection(a.section, crownCard("   ", {0, 12, 0, 24, 36, 0, 0, 0, 0, 0}));
    for (int i = 0; i < 9; ++i) EXPECT_FALSE(takeSuperelevationCard(a, i + 1, longest[i]));
    Alignment b = a;
    EXPECT_TRUE(takeSuperelevationCard(a, 10, seCard(kw::FINI, 9, z)));
    EXPECT_EQ(a.superelevation.intervalCount, 9);
    EXPECT_EQ(errorOf([&] { takeSuperelevationCard(b, 10, seCard(kw::BLANK, 9, z)); }), err::SUPERELEVATION);

    auto lanes = [](std::array<double, 10> v) {
        CrossSection cs;
        return errorOf([&] { prepareCrossSection(cs, crownCard("   ", v)); });
    };
    EXPECT_EQ(lanes({36, 12, 0, 24, 36, 0, 0, 0, 0, 0}), err::SUPERELEVATION);   // S.R.INS. not below S.R. 3
    EXPECT_EQ(lanes({0, 30, 0, 24, 36, 0, 0, 0, 0, 0}), err::CROWN);             // lane 2 backwards
    EXPECT_EQ(lanes({0, 12, 0, 24, 36, 90, 0, 0, 0, 80}), err::CROWN);           // outside backwards
    EXPECT_EQ(lanes({0, 12, 0, 24, 36, 30, 40, 0, 50, 60}), err::CROWN);         // outside inside the inside
    EXPECT_EQ(lanes({0, 12, 0, 24, 36, 36, 40, 0, 50, 60}), 0);
}
