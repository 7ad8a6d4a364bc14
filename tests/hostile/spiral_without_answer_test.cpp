// Spiral girders tapered far beyond any real one, crossed at every kind of
// angle: the iteration that cuts the transverse line with circles of
// corrected radius either settles on a point of the spiral or abandons the
// problem with error 15; it never runs on without end, and never hands back
// a point that is not on the spiral.
#include <gtest/gtest.h>

#include <cmath>

#include "../solver/layout_fixture.hpp"
#include "bridgeplan/errors.hpp"
#include "layout/span_crossings.hpp"
#include "solver/distances.hpp"
#include "solver/intersection_solver.hpp"

using namespace bp;
using namespace bp::testing;

TEST(HostileGeometry, SpiralsThatMayNotSettle) {
    constexpr double R0 = 1010;   // r = R0 + rate (pi/2 - theta) about the origin
    struct Through {
        double x, y, angle;
    };
    const Through lines[] = {{300, 0, HALF_PI}, {1005, 0, HALF_PI}, {0, 1100, 0},
                             {0, 1015, 0},      {-200, 0, 1.2},     {50, 50, 0.01}};
    int settled = 0, abandoned = 0;
    for (double rate : {1e2, 1e3, 1e5, 1e9, 1e300}) {
        for (const Through& t : lines) {
            Layout l;
            RunContext& ctx = l.ctx;
            curvedMainline(ctx, 1000, 0, 3000, -1, -1, 0, 3000);
            LongitudinalLine& n = ctx.lines[1];
            n.state = 2;
            n.form = 0;
            n.slope = rate;
            n.radius = R0;
            n.radiusSq = HALF_PI;
            n.intercept = SpiralArcLength(rate, R0);
            ctx.lineCount = 1;
            startSpan(ctx);
            transverseThrough(ctx, 1, t.x, t.y, t.angle);
            int error = 0;
            try {
                spiralCrossing(ctx, 1, 1);
            } catch (const ProblemAbandoned& e) {
                error = e.number();
            }
            if (error == 0) {
                ++settled;
                const double r = std::hypot(ctx.wp.x, ctx.wp.y);
                // The polar angle of the point, taken on the turn of the
                // spiral the radius belongs to (atan2 gives it only up to
                // whole turns).
                double theta = std::atan2(ctx.wp.y, ctx.wp.x);
                theta += 2 * PI * std::round((HALF_PI - (r - R0) / rate - theta) / (2 * PI));
                EXPECT_NEAR(r, ctx.spanLines.spiralRadius, 1e-6 * r) << rate << " " << t.x << " " << t.y;
                EXPECT_NEAR(r, R0 + rate * (HALF_PI - theta), 1e-4 * r) << rate << " " << t.x;
                EXPECT_TRUE(std::isfinite(ctx.wp.distBent));
            } else {
                ++abandoned;
                // A radius that overflows leaves no direction to take: the
                // guard of the point operations stops it as inconsistent.
                const bool overflow = rate > 1e200 && error == err::INTERNAL;
                EXPECT_TRUE(error == err::NO_CROSSING || overflow) << error << " " << rate << " " << t.x;
            }
        }
    }
    EXPECT_GT(settled, 0);
    EXPECT_GT(abandoned, 0);
}
