#include "run/record.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstring>

#include <fmt/format.h>

#include "run/notation.hpp"

namespace bp {

namespace {

constexpr int MAX_FAST_DECIMALS = 15;
constexpr double POWERS_OF_TEN[MAX_FAST_DECIMALS + 1] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                         1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
// "00" to "99", for two digits at a time.
constexpr char DIGIT_PAIRS[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// 10^k for k = 0..19, every power that fits in 64 bits.
constexpr unsigned long long POWERS_UP_TO_19[20] = {1ULL,
                                                    10ULL,
                                                    100ULL,
                                                    1000ULL,
                                                    10000ULL,
                                                    100000ULL,
                                                    1000000ULL,
                                                    10000000ULL,
                                                    100000000ULL,
                                                    1000000000ULL,
                                                    10000000000ULL,
                                                    100000000000ULL,
                                                    1000000000000ULL,
                                                    10000000000000ULL,
                                                    100000000000000ULL,
                                                    1000000000000000ULL,
                                                    10000000000000000ULL,
                                                    100000000000000000ULL,
                                                    1000000000000000000ULL,
                                                    10000000000000000000ULL};

// True when n has at most `count` digits (zero has one).
bool fitsInDigits(unsigned long long n, int count) {
    if (count <= 0) return false;
    return count >= 20 || n < POWERS_UP_TO_19[count];
}

// Exactly `count` digits of n (the lowest ones, zero-filled), right to left
// ending at `end`; n keeps the digits above them. Returns the position of
// the first digit written.
char* lowDigitsBackwards(char* end, unsigned long long& n, int count) {
    for (; count >= 2; count -= 2) {
        const unsigned pair = static_cast<unsigned>(n % 100) * 2;
        n /= 100;
        *--end = DIGIT_PAIRS[pair + 1];
        *--end = DIGIT_PAIRS[pair];
    }
    if (count == 1) {
        *--end = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    return end;
}

// The same for a count the compiler knows: n = 10^D w + f splits by one
// multiplication, and the D digits of f (below 10^9) come by 32-bit steps.
template <int D>
char* lowDigitsBackwards(char* end, unsigned long long& n) {
    static_assert(D >= 1 && D <= 9);
    constexpr unsigned long long SCALE = POWERS_UP_TO_19[D];
    const unsigned long long whole = n / SCALE;
    auto low = static_cast<std::uint32_t>(n - whole * SCALE);
    n = whole;
    int count = D;
    for (; count > 2; count -= 2) {
        const unsigned pair = (low % 100) * 2;
        low /= 100;
        *--end = DIGIT_PAIRS[pair + 1];
        *--end = DIGIT_PAIRS[pair];
    }
    if (count == 2) {   // the last two digits are what is left
        *--end = DIGIT_PAIRS[low * 2 + 1];
        *--end = DIGIT_PAIRS[low * 2];
    } else {
        *--end = static_cast<char>('0' + low);
    }
    return end;
}

// The decimals of the layouts' fields (four for coordinates, stations and
// distances, three for elevations, one for seconds) by the fixed count.
char* decimalsBackwards(char* end, unsigned long long& n, int decimals) {
    switch (decimals) {
    case 4: return lowDigitsBackwards<4>(end, n);
    case 3: return lowDigitsBackwards<3>(end, n);
    case 1: return lowDigitsBackwards<1>(end, n);
    default: return lowDigitsBackwards(end, n, decimals);
    }
}

// All the digits of n without leading zeros (one for zero), right to left
// ending at `end`; returns the position of the first.
[[gnu::always_inline]] inline char* digitsBackwards(char* end, unsigned long long n) {
    // 32-bit arithmetic once the rest fits: most fields are short.
    for (; n > 0xFFFFFFFFULL;) {
        const unsigned pair = static_cast<unsigned>(n % 100) * 2;
        n /= 100;
        *--end = DIGIT_PAIRS[pair + 1];
        *--end = DIGIT_PAIRS[pair];
    }
    auto small = static_cast<std::uint32_t>(n);
    for (; small >= 100; small /= 100) {
        const unsigned pair = (small % 100) * 2;
        *--end = DIGIT_PAIRS[pair + 1];
        *--end = DIGIT_PAIRS[pair];
    }
    if (small >= 10) {
        *--end = DIGIT_PAIRS[small * 2 + 1];
        *--end = DIGIT_PAIRS[small * 2];
    } else {
        *--end = static_cast<char>('0' + small);
    }
    return end;
}

constexpr char EIGHT_BLANKS[8] = {' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};

void fill(char* out, int width, char ch) {
    for (int i = 0; i < width; ++i) out[i] = ch;
}

// Blanks in the first `count` columns of a field. The fields are short:
// two overlapping stores of four or eight blanks cover 4 to 16 columns
// without a call.
[[gnu::always_inline]] inline void blank(char* out, int count) {
    if (count > 16) {
        std::memset(out, ' ', static_cast<std::size_t>(count));
    } else if (count >= 8) {
        std::memcpy(out, EIGHT_BLANKS, 8);
        std::memcpy(out + count - 8, EIGHT_BLANKS, 8);
    } else if (count >= 4) {
        std::memcpy(out, EIGHT_BLANKS, 4);
        std::memcpy(out + count - 4, EIGHT_BLANKS, 4);
    } else {
        if (count > 0) out[0] = ' ';
        if (count > 1) out[1] = ' ';
        if (count > 2) out[2] = ' ';
    }
}

// round(v * 10^d) for v >= 0 (finite), exactly, into `scaled`; false when
// this quick path cannot decide. With p = fl(v * 10^d) and e = v * 10^d - p
// (exact by the fused multiply-add), the fraction p - floor(p) against one
// half decides, and that comparison is exact while p < 2^51. An exact tie,
// or a larger value, is left to the general conversion, so both paths give
// the correctly rounded decimal.
bool roundScaled(double v, int decimals, unsigned long long& scaled) {
    if (decimals < 0 || decimals > MAX_FAST_DECIMALS) return false;
    const double scale = POWERS_OF_TEN[decimals];
    const double p = v * scale;
    if (!(p < 0x1p51)) return false;
    // floor(p) by truncation: p is not negative and below 2^51, so the
    // integer and its conversion back are exact.
    const auto whole = static_cast<unsigned long long>(p);
    const double half = (p - static_cast<double>(whole)) - 0.5;
    bool up;
    if (half != 0) {
        up = half > 0;
    } else {
        const double e = std::fma(v, scale, -p);
        if (e == 0) return false;
        up = e > 0;
    }
    scaled = whole + (up ? 1 : 0);
    return true;
}

// The general conversion: the decimal text of |value| by the formatting
// library, then the same field rules.
void formatFixedInGeneral(char* out, int width, int decimals, double value) {
    char text[520];
    char* body = text + 1;   // room for the sign before the digits
    auto end = fmt::format_to_n(body, sizeof text - 3, "{:.{}f}", std::fabs(value), decimals).out;
    int length = static_cast<int>(end - body);
    if (decimals == 0) body[length++] = '.';
    const bool allZero = std::all_of(body, body + length, [](char c) { return c == '0' || c == '.'; });
    char* first = body;
    if (std::signbit(value) && !allZero) {
        *--first = '-';
        ++length;
    }
    if (length > width && decimals > 0) {
        char* zero = first[0] == '-' ? first + 1 : first;
        if (zero + 1 < first + length && zero[0] == '0' && zero[1] == '.') {
            std::memmove(zero, zero + 1, static_cast<std::size_t>(first + length - zero - 1));
            --length;
        }
    }
    if (length > width) {
        fill(out, width, '*');
        return;
    }
    fill(out, width - length, ' ');
    std::memcpy(out + width - length, first, static_cast<std::size_t>(length));
}

}   // namespace

// Fw.d: the value rounded to d decimals, right-justified in w columns. The
// zero before the point of a value below 1 is written only when there is
// room for it (-.50 in F4.2); a value that does not fit is w asterisks; a
// value that rounds to zero has no sign; F5.0 shows 12 as "  12.".
void formatFixed(char* out, int width, int decimals, double value) {
    if (!std::isfinite(value)) {
        fill(out, width, '*');
        return;
    }
    unsigned long long scaled = 0;
    if (!roundScaled(std::fabs(value), decimals, scaled)) {
        formatFixedInGeneral(out, width, decimals, value);
        return;
    }
    const bool negative = std::signbit(value) && scaled != 0;
    // Columns left for the whole part beside the point, the decimals and
    // the sign. A whole part of zero needs one, or none when there are
    // decimals ("-.50"); the fraction alone never fits in fewer than d + 1.
    const int room = width - 1 - decimals - (negative ? 1 : 0);
    if (decimals + 1 > width) {
        fill(out, width, '*');
        return;
    }
    char* at = decimalsBackwards(out + width, scaled, decimals);   // scaled keeps the whole part
    const unsigned long long whole = scaled;
    const bool fits = whole == 0 ? room >= (decimals > 0 ? 0 : 1) : fitsInDigits(whole, room);
    if (!fits) {
        fill(out, width, '*');
        return;
    }
    *--at = '.';
    if (whole != 0 || room >= 1) at = digitsBackwards(at, whole);
    if (negative) *--at = '-';
    blank(out, static_cast<int>(at - out));
}

void formatInteger(char* out, int width, long long value) {
    const bool negative = value < 0;
    const unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    if (!fitsInDigits(magnitude, width - (negative ? 1 : 0))) {
        fill(out, width, '*');
        return;
    }
    char* at = digitsBackwards(out + width, magnitude);
    if (negative) *--at = '-';
    blank(out, static_cast<int>(at - out));
}

Record::Record(char control) {
    buf_.fill(' ');
    buf_[0] = control;
}

void Record::place(std::string_view s) {
    assert(pos_ + static_cast<int>(s.size()) <= CAPACITY);
    std::memcpy(buf_.data() + pos_, s.data(), s.size());
    pos_ += static_cast<int>(s.size());
    len_ = std::max(len_, pos_);
}

Record& Record::A(int width, std::string_view text) {
    if (static_cast<int>(text.size()) >= width) {
        place(text.substr(0, width));
    } else {
        X(width - static_cast<int>(text.size()));
        place(text);
    }
    return *this;
}

Record& Record::I(int width, long long value) {
    assert(pos_ + width <= CAPACITY);
    formatInteger(buf_.data() + pos_, width, value);
    pos_ += width;
    len_ = std::max(len_, pos_);
    return *this;
}

Record& Record::F(int width, int decimals, double value) {
    assert(pos_ + width <= CAPACITY);
    formatFixed(buf_.data() + pos_, width, decimals, value);
    pos_ += width;
    len_ = std::max(len_, pos_);
    return *this;
}

Record& Record::X(int count) {
    assert(pos_ + count <= CAPACITY);
    pos_ += count;   // the buffer is blank already, or keeps what a T moved back over
    len_ = std::max(len_, pos_);
    return *this;
}

Record& Record::T(int recordColumn) {
    pos_ = recordColumn - 1;
    return *this;
}

Record& Record::lit(std::string_view text) {
    place(text);
    return *this;
}

Record& Record::put(int recordColumn, char ch) {
    buf_[recordColumn - 1] = ch;
    len_ = std::max(len_, recordColumn);
    return *this;
}

Record& Record::station(int hundredsWidth, const StationParts& s) {
    if (s.negativeBelowHundred) {
        A(hundredsWidth, "-0");
    } else {
        I(hundredsWidth, s.hundreds);
    }
    lit("+");
    I(1, s.tens);
    F(6, 4, s.rest);
    return *this;
}

Record& Record::angle(int degreesWidth, const AngleParts& a) {
    I(degreesWidth, a.degrees);
    int minutesAt = column();
    I(2, a.minuteTens);
    put(minutesAt, '-');
    I(1, a.minuteUnits);
    int secondsAt = column();
    I(2, a.secondTens);
    put(secondsAt, '-');
    F(3, 1, a.secondRest);
    return *this;
}

std::string_view Record::text() const {
    // Trailing blanks eight at a time, then one by one; column 1 stays.
    int n = len_;
    while (n > 9 && std::memcmp(buf_.data() + n - 8, EIGHT_BLANKS, 8) == 0) n -= 8;
    while (n > 1 && buf_[n - 1] == ' ') --n;
    return {buf_.data(), static_cast<std::size_t>(n)};
}

}   // namespace bp
