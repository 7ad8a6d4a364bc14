#include "run/record.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include <fmt/format.h>

#include "run/notation.hpp"

namespace bp {

namespace {

constexpr int MAX_FAST_DECIMALS = 15;
constexpr double POWERS_OF_TEN[MAX_FAST_DECIMALS + 1] = {
    1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// Digits of an unsigned integer, right to left, ending at `end`; returns the
// first digit's position.
char* digitsBackwards(char* end, unsigned long long n) {
    do {
        *--end = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    return end;
}

// The magnitude v >= 0 (finite) rounded to d decimals as "I.FFF" (for d = 0
// "I"), written to `out`; the length, or 0 when this quick path cannot
// decide. It forms round(v * 10^d) exactly: p = fl(v * 10^d) and e =
// v * 10^d - p (exact by the fused multiply-add) decide the rounding of the
// fraction p - floor(p) against one half, which is exact while p < 2^51. An
// exact tie, or a larger value, is left to the general conversion, so both
// paths give the correctly rounded decimal.
int roundedDigitsQuick(double v, int decimals, char* out) {
    if (decimals < 0 || decimals > MAX_FAST_DECIMALS) return 0;
    const double scale = POWERS_OF_TEN[decimals];
    const double p = v * scale;
    if (!(p < 0x1p51)) return 0;
    const double e = std::fma(v, scale, -p);
    const double whole = std::floor(p);
    const double half = (p - whole) - 0.5;
    bool up;
    if (half != 0) up = half > 0;
    else if (e != 0) up = e > 0;
    else return 0;
    unsigned long long n = static_cast<unsigned long long>(whole) + (up ? 1 : 0);
    char buf[40];
    char* end = buf + sizeof buf;
    char* first = end;
    for (int i = 0; i < decimals; ++i) {
        *--first = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    if (decimals > 0) *--first = '.';
    first = digitsBackwards(first, n);
    const int length = static_cast<int>(end - first);
    std::memcpy(out, first, static_cast<std::size_t>(length));
    return length;
}

}  // namespace

// Fw.d: the value rounded to d decimals, right-justified in w columns. The
// zero before the point of a value below 1 is written only when there is
// room for it (-.50 in F4.2); a value that does not fit is w asterisks; a
// value that rounds to zero has no sign.
void formatFixed(char* out, int width, int decimals, double value) {
    if (!std::isfinite(value)) {
        std::memset(out, '*', static_cast<std::size_t>(width));
        return;
    }
    char text[520];
    char* body = text + 1;   // room for the sign before the digits
    int length = roundedDigitsQuick(std::fabs(value), decimals, body);
    if (length == 0) {
        auto end = fmt::format_to_n(body, sizeof text - 3, "{:.{}f}", std::fabs(value), decimals).out;
        length = static_cast<int>(end - body);
    }
    if (decimals == 0) body[length++] = '.';
    const bool allZero = std::all_of(body, body + length, [](char c) { return c == '0' || c == '.'; });
    char* first = body;
    if (std::signbit(value) && !allZero) {
        *--first = '-';
        ++length;
    }
    if (length > width && decimals > 0) {
        // Drop the leading zero of "0.xx" when that makes it fit.
        char* zero = first[0] == '-' ? first + 1 : first;
        if (zero + 1 < first + length && zero[0] == '0' && zero[1] == '.') {
            std::memmove(zero, zero + 1, static_cast<std::size_t>(first + length - zero - 1));
            --length;
        }
    }
    if (length > width) {
        std::memset(out, '*', static_cast<std::size_t>(width));
        return;
    }
    std::memset(out, ' ', static_cast<std::size_t>(width - length));
    std::memcpy(out + width - length, first, static_cast<std::size_t>(length));
}

void formatInteger(char* out, int width, long long value) {
    char buf[24];
    char* end = buf + sizeof buf;
    const unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    char* first = digitsBackwards(end, magnitude);
    if (value < 0) *--first = '-';
    const int n = static_cast<int>(end - first);
    if (n > width) {
        std::memset(out, '*', static_cast<std::size_t>(width));
        return;
    }
    std::memset(out, ' ', static_cast<std::size_t>(width - n));
    std::memcpy(out + width - n, first, static_cast<std::size_t>(n));
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
    int n = len_;
    while (n > 1 && buf_[n - 1] == ' ') --n;
    return {buf_.data(), static_cast<std::size_t>(n)};
}

}  // namespace bp
