#include <array>
#include <cmath>

#include "bridgeplan/constants.hpp"
#include "bridgeplan/half_turn.hpp"
#include "run/notation.hpp"

namespace bp {

// An angle between two lines is known modulo pi. A difference of two
// directions can lie more than a half turn out (with a reference angle of
// 270 degrees, say); whole turns are taken off first (an angle within
// (-pi, pi] is left as it is), then the angle is folded once into
// [-pi/2, pi/2]: pi off above pi/2, pi added below -pi/2.
double foldAngle(double a) {
    a = reduceToHalfTurn(a);
    if (a > HALF_PI) return a - PI;
    if (a < -HALF_PI) return a + PI;
    return a;
}

// n / 10 for n = 0..99: the division done by the compiler, which rounds
// it as the processor does.
constexpr std::array<double, 100> TENTHS = [] {
    std::array<double, 100> t{};
    for (int n = 0; n < 100; ++n) t[static_cast<std::size_t>(n)] = static_cast<double>(n) / 10.0;
    return t;
}();

// degrees = a 180/pi + sign/72000 (rounds to the nearest 0.1 second);
// D = trunc(degrees); f = |degrees - D| 60 minutes, split into tens and
// units digits; the rest of the minute times 600, truncated, is tenths of
// seconds S, printed as S / 100 (tens digit) and (S mod 100) / 10.
AngleParts splitAngle(double a) {
    AngleParts p;
    if (!std::isfinite(a) || std::fabs(a) > 1e6) {
        // No angle to print (or none an angle field could hold): parts that
        // print as asterisks in every field rather than a number cut to fit.
        p.degrees = 1000000000L;
        p.minuteTens = p.minuteUnits = p.secondTens = 100;
        p.secondRest = std::nan("");
        return p;
    }
    // sign / 72000 with the division done once, here: 1/72000 rounds the
    // same in the compiler as at run time, and its negation is exact.
    constexpr double HALF_TENTH_SECOND = 1.0 / 72000.0;
    p.negative = a < 0;
    double degrees = a * 180.0 / PI + (p.negative ? -HALF_TENTH_SECOND : HALF_TENTH_SECOND);
    double whole = std::trunc(degrees);
    p.degrees = static_cast<long>(whole);
    double f = std::fabs(degrees - whole) * 60.0;
    p.minuteTens = static_cast<int>(f / 10.0);
    double units = f - 10.0 * p.minuteTens;
    p.minuteUnits = static_cast<int>(units);
    long tenths = static_cast<long>((units - p.minuteUnits) * 600.0);
    p.secondTens = static_cast<int>(tenths / 100);
    const long rest = tenths - 100L * p.secondTens;   // 0..99
    p.secondRest = rest >= 0 && rest < 100 ? TENTHS[static_cast<std::size_t>(rest)] : static_cast<double>(rest) / 10.0;
    return p;
}

}   // namespace bp
