#include <cmath>
#include <cstdlib>

#include "run/notation.hpp"

namespace bp {

namespace {
constexpr long long WIDE = 1000000000000000LL;   // wider than any report field
constexpr int WIDE_DIGIT = 10;                   // two digits in a one-digit field
}   // namespace

// N = trunc(s * 10000 +/- 0.5) in ten-thousandths of a foot (half away from
// zero); H = N / 1000000, T = N / 100000 - 10 H (integer division toward
// zero); R = |N - 1000000 H - 100000 T| / 10000 ft; T printed unsigned.
StationParts splitStation(double s) {
    double scaled = s * 10000.0;
    if (!(std::fabs(scaled) < 1e18)) {
        // Beyond any station field (or not a number): parts that print as
        // asterisks in every field rather than a number cut to fit.
        StationParts wide;
        wide.hundreds = scaled < 0 ? -WIDE : WIDE;
        wide.tens = WIDE_DIGIT;
        wide.rest = std::nan("");
        return wide;
    }
    long long n = static_cast<long long>(s >= 0 ? scaled + 0.5 : scaled - 0.5);
    StationParts p;
    p.hundreds = n / 1000000;
    long long tens = n / 100000 - 10 * p.hundreds;
    long long rem = std::llabs(n - 1000000 * p.hundreds - 100000 * tens);
    p.rest = static_cast<double>(rem) / 10000.0;
    p.tens = static_cast<int>(std::llabs(tens));
    // Between -100 ft and 0 the hundreds are 0 and would lose the sign.
    p.negativeBelowHundred = n < 0 && p.hundreds == 0;
    return p;
}

}   // namespace bp
