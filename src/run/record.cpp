#include "run/record.hpp"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

#include <fmt/format.h>

#include "run/notation.hpp"

namespace bp {

// Fw.d: the value rounded to d decimals, right-justified in w columns. The
// zero before the point of a value below 1 is written only when there is
// room for it (-.50 in F4.2); a value that does not fit is w asterisks; a
// value that rounds to zero has no sign.
void formatFixed(char* out, int width, int decimals, double value) {
    char digits[512];
    auto end = fmt::format_to_n(digits, sizeof digits - 1, "{:.{}f}", std::fabs(value), decimals).out;
    *end = '\0';
    std::string_view body(digits);
    bool allZero = std::all_of(body.begin(), body.end(), [](char c) { return c == '0' || c == '.'; });
    bool negative = std::signbit(value) && !allZero && !std::isnan(value);
    std::string text;
    if (decimals == 0) text = std::string(body) + ".";
    else text = std::string(body);
    if (negative) text.insert(text.begin(), '-');
    if (static_cast<int>(text.size()) > width && decimals > 0) {
        // Drop the leading zero of "0.xx" when that makes it fit.
        std::size_t zero = negative ? 1 : 0;
        if (text.size() > zero + 1 && text[zero] == '0' && text[zero + 1] == '.')
            text.erase(zero, 1);
    }
    if (!std::isfinite(value) || static_cast<int>(text.size()) > width) {
        std::memset(out, '*', width);
        return;
    }
    std::memset(out, ' ', width);
    std::memcpy(out + width - text.size(), text.data(), text.size());
}

void formatInteger(char* out, int width, long long value) {
    char digits[32];
    auto end = fmt::format_to_n(digits, sizeof digits - 1, "{}", value).out;
    int n = static_cast<int>(end - digits);
    if (n > width) {
        std::memset(out, '*', width);
        return;
    }
    std::memset(out, ' ', width);
    std::memcpy(out + width - n, digits, n);
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
