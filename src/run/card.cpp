#include "run/card.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include <fmt/format.h>

#include "bridgeplan/errors.hpp"

namespace bp {

Card::Card(std::string_view line, long lineNumber) : lineNumber_(lineNumber) {
    const std::size_t kept = std::min(line.size(), columns_.size());
    std::memcpy(columns_.data(), line.data(), kept);
    std::memset(columns_.data() + kept, ' ', columns_.size() - kept);
}

std::string_view Card::text(int col, int width) const {
    return {columns_.data() + (col - 1), static_cast<std::size_t>(width)};
}

namespace {

bool isBlank(char ch) { return ch == ' ' || ch == '\t'; }
bool isDigit(char ch) { return ch >= '0' && ch <= '9'; }

// 10^k for k = 0..22: every power of ten a double holds exactly.
constexpr double EXACT_POWERS_OF_TEN[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                          1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int MAX_EXACT_POWER = 22;
constexpr std::uint64_t MAX_EXACT_INTEGER = std::uint64_t{1} << 53;
// Significant digits kept in 64 bits: 19 never overflow.
constexpr int MAX_KEPT_DIGITS = 19;
// An exponent is an optional sign and at most five digits, six characters in all.
constexpr int MAX_EXPONENT_CHARS = 6;

// The decimal read from a numeric field: (-1)^negative * M * 10^scale, with
// M given by its digit text; `mantissa` holds M when it has at most 19
// significant digits (`exactDigits`).
struct FieldDecimal {
    bool negative = false;
    bool exactDigits = true;
    std::uint64_t mantissa = 0;
    long scale = 0;
};

// Reads sign, digits, optional point, digits and optional exponent (E or
// D, or a bare sign after the mantissa), blanks ignored; false when the
// field is not a number. `decimals` are implied when no point is punched.
// An all-blank field is +0.
bool readDecimal(std::string_view field, int decimals, FieldDecimal& d) {
    const char* at = field.data();
    const char* const end = at + field.size();
    auto nextChar = [&]() -> int {
        while (at != end && isBlank(*at)) ++at;
        return at == end ? -1 : static_cast<unsigned char>(*at);
    };
    int ch = nextChar();
    if (ch == -1) return true;   // an all-blank field is 0
    if (ch == '+' || ch == '-') {
        d.negative = ch == '-';
        ++at;
        ch = nextChar();
    }
    bool point = false, digits = false;
    int significant = 0;
    long fractionDigits = 0;
    for (;; ++at, ch = nextChar()) {
        if (ch >= '0' && ch <= '9') {
            digits = true;
            if (point) ++fractionDigits;
            if (significant > 0 || ch != '0') {
                if (++significant <= MAX_KEPT_DIGITS)
                    d.mantissa = d.mantissa * 10 + static_cast<unsigned>(ch - '0');
                else
                    d.exactDigits = false;
            }
        } else if (ch == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    long exponent = 0;
    if (ch != -1) {
        if (ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd') {
            ++at;
            ch = nextChar();
        } else if (ch != '+' && ch != '-') {
            return false;
        }
        if (ch == -1) return false;
        int chars = 0;
        bool negativeExponent = false;
        if (ch == '+' || ch == '-') {
            negativeExponent = ch == '-';
            ++chars;
            ++at;
            ch = nextChar();
            if (ch == -1) return false;
        }
        for (; ch != -1; ++at, ch = nextChar()) {
            if (!isDigit(static_cast<char>(ch)) || ++chars > MAX_EXPONENT_CHARS) return false;
            exponent = exponent * 10 + (ch - '0');
        }
        if (negativeExponent) exponent = -exponent;
    }
    d.scale = exponent - (point ? fractionDigits : decimals);
    return true;
}

// The field as most cards punch it: blanks, an optional sign, digits with
// at most one point among them, blanks. Reads it into `d` as readDecimal
// would and returns true; false for any other field (a blank between the
// digits, an exponent, more than 19 significant digits, no digit), which
// is left to readDecimal.
bool readPlainDecimal(std::string_view field, int decimals, FieldDecimal& d) {
    const char* at = field.data();
    const char* const end = at + field.size();
    while (at != end && isBlank(*at)) ++at;
    if (at == end) return true;   // an all-blank field is 0
    if (*at == '+' || *at == '-') d.negative = *at++ == '-';
    std::uint64_t mantissa = 0;
    int significant = 0;
    long fractionDigits = 0;
    bool point = false, digits = false;
    for (; at != end; ++at) {
        const unsigned digit = static_cast<unsigned>(static_cast<unsigned char>(*at)) - '0';
        if (digit <= 9) {
            digits = true;
            fractionDigits += point ? 1 : 0;
            if (mantissa != 0 || digit != 0) {   // leading zeros are not significant
                if (++significant > MAX_KEPT_DIGITS) return false;
                mantissa = mantissa * 10 + digit;
            }
        } else if (*at == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    while (at != end && isBlank(*at)) ++at;
    if (!digits || at != end) return false;
    d.mantissa = mantissa;
    d.scale = -(point ? fractionDigits : decimals);
    return true;
}

// The same decimal written out for strtod, which rounds any length of
// digits correctly: sign, every digit of the field, "e", the scale.
double convertInGeneral(std::string_view field, const FieldDecimal& d) {
    std::string text;
    text.reserve(field.size() + 24);
    if (d.negative) text.push_back('-');
    bool started = false;
    for (char ch : field) {
        if (isDigit(ch)) {
            text.push_back(ch);
            started = true;
        } else if (ch == '.' || isBlank(ch) || (!started && (ch == '+' || ch == '-'))) {
            continue;
        } else {
            break;   // the exponent
        }
    }
    text.push_back('e');
    text.append(std::to_string(d.scale));
    return std::strtod(text.c_str(), nullptr);
}

}   // namespace

// The value is the decimal correctly rounded to a double. When M < 2^53
// and |scale| <= 22, both M and 10^|scale| are doubles exactly, so one
// multiplication or division rounds once and gives that value (a sign
// applied after rounding is exact, and -0 stays -0); any other decimal goes
// to strtod.
bool parseCardNumber(std::string_view field, int decimals, double& value) {
    FieldDecimal d;
    if (!readPlainDecimal(field, decimals, d)) {
        d = FieldDecimal{};
        if (!readDecimal(field, decimals, d)) return false;
    }
    double v;
    if (d.exactDigits && d.mantissa <= MAX_EXACT_INTEGER && d.scale >= -MAX_EXACT_POWER &&
        d.scale <= MAX_EXACT_POWER) {
        const auto m = static_cast<double>(d.mantissa);
        v = d.scale >= 0 ? m * EXACT_POWERS_OF_TEN[d.scale] : m / EXACT_POWERS_OF_TEN[-d.scale];
        if (d.negative) v = -v;
    } else {
        v = convertInGeneral(field, d);
    }
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

// Optional sign and digits, blanks ignored; at most 18 characters with the
// sign, so the value always fits.
bool parseCardInteger(std::string_view field, long& value) {
    constexpr int MAX_CHARS = 18;
    int chars = 0;
    bool negative = false, digits = false;
    long v = 0;
    for (char ch : field) {
        if (isBlank(ch)) continue;
        if (++chars > MAX_CHARS) return false;
        if (isDigit(ch)) {
            v = v * 10 + (ch - '0');
            digits = true;
        } else if (chars == 1 && (ch == '+' || ch == '-')) {
            negative = ch == '-';
        } else {
            return false;
        }
    }
    if (chars > 0 && !digits) return false;
    value = negative ? -v : v;
    return true;
}

namespace {
[[noreturn]] void badField(int col, int width, std::string_view text, int errorNumber) {
    abandon(errorNumber,
            fmt::format("columns {}-{} hold '{}', which is not a number", col, col + width - 1, text));
}
}   // namespace

double Card::number(int col, int width, int decimals, int errorNumber) const {
    double v = 0;
    if (!parseCardNumber(text(col, width), decimals, v)) badField(col, width, text(col, width), errorNumber);
    return v;
}

long Card::integer(int col, int width, int errorNumber) const {
    long v = 0;
    if (!parseCardInteger(text(col, width), v)) badField(col, width, text(col, width), errorNumber);
    return v;
}

}   // namespace bp
