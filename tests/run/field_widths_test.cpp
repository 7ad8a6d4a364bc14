// Output never lies: every number either prints rounded in full or, when it
// does not fit its field, as asterisks filling the field; never cut to fit.
// The fixed-point conversion is checked against the C library's.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "run/notation.hpp"
#include "run/record.hpp"

using namespace bp;

namespace {

std::string fixed(int w, int d, double v) {
    std::string s(static_cast<std::size_t>(w), '?');
    formatFixed(s.data(), w, d, v);
    return s;
}

std::string integer(int w, long long v) {
    std::string s(static_cast<std::size_t>(w), '?');
    formatInteger(s.data(), w, v);
    return s;
}

// Fw.d by the C library: correctly rounded, then the field's own rules (no
// sign on a zero, the leading zero dropped when that makes it fit).
std::string reference(int w, int d, double v) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", d, std::fabs(v));
    std::string body(buf);
    if (d == 0) body += ".";
    const bool zero = body.find_first_not_of("0.") == std::string::npos;
    if (std::signbit(v) && !zero) body.insert(0, "-");
    if (static_cast<int>(body.size()) > w && d > 0) {
        const std::size_t at = body[0] == '-' ? 1 : 0;
        if (body.compare(at, 2, "0.") == 0) body.erase(at, 1);
    }
    if (static_cast<int>(body.size()) > w) return std::string(static_cast<std::size_t>(w), '*');
    return std::string(static_cast<std::size_t>(w) - body.size(), ' ') + body;
}

std::string repeat(char c, int n) { return std::string(static_cast<std::size_t>(std::max(n, 0)), c); }

// The fixed-point fields of the report and plot layouts.
const std::pair<int, int> FIXED_FIELDS[] = {{13, 4}, {12, 4}, {11, 4}, {10, 4}, {9, 4}, {12, 6},
                                            {10, 3}, {7, 3},  {6, 3},  {6, 4},  {6, 2}, {5, 3},
                                            {5, 1},  {4, 2},  {3, 1},  {8, 4},  {7, 2}};

}   // namespace

TEST(FieldWidths, FixedPointAgreesWithTheCLibrary) {
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> mantissa(-1.0, 1.0);
    std::uniform_int_distribution<int> exponent(-12, 16);
    for (int i = 0; i < 200000; ++i) {
        const double v = mantissa(random) * std::pow(10.0, exponent(random));
        for (const auto& [w, d] :
             {std::pair{13, 4}, std::pair{12, 6}, std::pair{7, 3}, std::pair{5, 0}, std::pair{18, 11},
              std::pair{6, 1}, std::pair{9, 2}})
            ASSERT_EQ(fixed(w, d, v), reference(w, d, v)) << "F" << w << "." << d << " of " << v;
    }
    // Values a ten-thousandth either side of a rounding step, and exact
    // binary ties (0.125 to two decimals, 2.5 to none).
    for (long long n = -100000; n <= 100000; n += 7) {
        for (double nudge : {-1e-9, 0.0, 1e-9}) {
            const double v = static_cast<double>(n) / 10000.0 + 0.00005 + nudge;
            ASSERT_EQ(fixed(13, 4, v), reference(13, 4, v)) << v;
        }
    }
    for (double tie : {0.125, 0.375, -0.625, 2.5, 3.5, 1.03125, 1e15 + 0.5})
        for (int d : {0, 1, 2, 3, 4}) EXPECT_EQ(fixed(20, d, tie), reference(20, d, tie)) << tie << " " << d;
}

// Integers of every length, and of every length of their field, print as
// the C library prints them, or as asterisks when they do not fit.
TEST(FieldWidths, IntegersAgreeWithTheCLibrary) {
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 200000; ++i) {
        const int digits = 1 + static_cast<int>(random() % 19);
        long long v =
            static_cast<long long>(random() % static_cast<unsigned long long>(std::pow(10.0, digits)));
        if (random() % 2) v = -v;
        const int w = 1 + static_cast<int>(random() % 21);
        char text[32];
        const int n = std::snprintf(text, sizeof text, "%*lld", w, v);
        const std::string expected = n > w ? repeat('*', w) : std::string(text);
        ASSERT_EQ(integer(w, v), expected) << "I" << w << " of " << v;
    }
}

// The widest value of every field prints in full; one step more is
// asterisks, on either side of zero.
TEST(FieldWidths, WidestValueOfEveryField) {
    for (const auto& [w, d] : FIXED_FIELDS) {
        SCOPED_TRACE("F" + std::to_string(w) + "." + std::to_string(d));
        const int before = w - d - (d > 0 ? 1 : 0);   // digits before the point
        const std::string widest = repeat('9', before) + (d > 0 ? "." + repeat('9', d) : std::string("."));
        EXPECT_EQ(fixed(w, d, std::stod(widest)), widest);
        const double next = std::pow(10.0, before);   // one more digit
        EXPECT_EQ(fixed(w, d, next), repeat('*', w));
        // The half step that rounds up into the next digit.
        EXPECT_EQ(fixed(w, d, next - 0.4 * std::pow(10.0, -d)), repeat('*', w));
        const std::string negative = "-" + repeat('9', before - 1) + (d > 0 ? "." + repeat('9', d) : ".");
        if (before >= 1) {
            EXPECT_EQ(fixed(w, d, std::stod(negative)), negative);
        }
        EXPECT_EQ(fixed(w, d, -std::pow(10.0, before - 1)), repeat('*', w));
        for (double wild : {1e300, -1e300, HUGE_VAL, -HUGE_VAL, std::nan("")})
            EXPECT_EQ(fixed(w, d, wild), repeat('*', w)) << wild;
    }
    for (int w = 1; w <= 10; ++w) {
        SCOPED_TRACE("I" + std::to_string(w));
        const long long top = static_cast<long long>(std::pow(10.0, w)) - 1;
        EXPECT_EQ(integer(w, top), repeat('9', w));
        EXPECT_EQ(integer(w, top + 1), repeat('*', w));
        const long long bottom = -(static_cast<long long>(std::pow(10.0, w - 1)) - 1);
        if (w > 1) {
            EXPECT_EQ(integer(w, bottom), "-" + repeat('9', w - 1));
        }
        EXPECT_EQ(integer(w, bottom - 1), repeat('*', w));
        EXPECT_EQ(integer(w, LLONG_MIN), repeat('*', w));
        EXPECT_EQ(integer(w, LLONG_MAX), repeat('*', w));
    }
    EXPECT_EQ(integer(20, LLONG_MIN), "-9223372036854775808");
}

// Stations and angles that no field can hold print no digit at all.
TEST(FieldWidths, StationsAndAnglesBeyondEveryField) {
    auto stationText = [](double s) {
        Record r(' ');
        r.station(7, splitStation(s));
        return std::string(r.text().substr(1));
    };
    EXPECT_EQ(stationText(999999999.9999), "9999999+99.9999");   // the widest station
    // Hundreds beyond their field: asterisks there, the rest as computed.
    EXPECT_EQ(stationText(1000000012.3456), "*******+12.3456");
    EXPECT_EQ(stationText(-100000012.3456), "*******+12.3456");
    // Beyond any integer the parts could be split from: no digit anywhere.
    for (double s : {1e300, -1e300, HUGE_VAL, std::nan("")})
        EXPECT_EQ(stationText(s).find_first_of("0123456789"), std::string::npos)
            << s << " " << stationText(s);

    auto angleText = [](double a) {
        Record r(' ');
        r.angle(5, splitAngle(a));
        return std::string(r.text().substr(1));
    };
    for (double a : {HUGE_VAL, -HUGE_VAL, std::nan(""), 1e300})
        EXPECT_EQ(angleText(a).find_first_of("0123456789"), std::string::npos) << a << " " << angleText(a);
}
