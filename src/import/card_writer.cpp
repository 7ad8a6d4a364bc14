#include "import/card_writer.hpp"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "import/import_messages.hpp"
#include "run/card.hpp"

namespace bp::import {

double roundedTo(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double r = std::round(value * scale) / scale;   // std::round: half away from zero
    return r == 0 ? 0.0 : r;                              // no "-0.0000"
}

CardAngle cardAngle(double degrees) {
    const long hundredths = std::lround(degrees * 360000.0);   // of a second
    CardAngle a;
    a.degrees = static_cast<int>(hundredths / 360000);
    a.minutes = static_cast<int>((hundredths % 360000) / 6000);
    a.seconds = static_cast<double>(hundredths % 6000) / 100.0;
    return a;
}

CardImage::CardImage(std::string_view code) : columns_(80, ' ') {
    text(1, static_cast<int>(code.size()), code);
}

CardImage& CardImage::text(int col, int width, std::string_view value) {
    for (int i = 0; i < width && i < static_cast<int>(value.size()); ++i) columns_[col - 1 + i] = value[i];
    return *this;
}

// With the point and no trailing zeros ("1234.5", "0.0") when it fits the
// width, so that neighbouring fields stay apart; else the digits with their
// last `decimals` implied ("12345678" for 1234.5678).
CardImage& CardImage::number(int col, int width, int decimals, double value, std::string_view what) {
    const double v = roundedTo(value, decimals);
    std::string punched = fmt::format("{:.{}f}", v, decimals);
    if (decimals > 0) {
        const auto point = punched.find('.');
        const auto lastDigit = punched.find_last_not_of('0');
        punched.erase(std::max(point + 2, lastDigit + 1));
    }
    if (static_cast<int>(punched.size()) > width)
        punched = fmt::format("{}", std::llround(v * std::pow(10.0, decimals)));
    if (static_cast<int>(punched.size()) > width)
        throw ImportRefused(fmt::format("{} {} does not fit the {} columns {}-{} of the card", what,
                                        fmt::format("{:.{}f}", v, decimals), width, col, col + width - 1));
    double back = 0;
    if (!parseCardNumber(punched, decimals, back) || std::fabs(back - v) > 1e-9 * std::max(1.0, std::fabs(v)))
        throw ImportRefused(
            fmt::format("internal fault: {} punched as \"{}\" reads back as {}", what, punched, back));
    return text(col + width - static_cast<int>(punched.size()), static_cast<int>(punched.size()), punched);
}

CardImage& CardImage::integer(int col, int width, long value, std::string_view what) {
    const std::string punched = fmt::format("{}", value);
    if (static_cast<int>(punched.size()) > width)
        throw ImportRefused(fmt::format("{} {} does not fit the {} columns {}-{} of the card", what, value,
                                        width, col, col + width - 1));
    return text(col + width - static_cast<int>(punched.size()), static_cast<int>(punched.size()), punched);
}

std::string CardImage::line() const {
    const auto end = columns_.find_last_not_of(' ');
    return end == std::string::npos ? std::string() : columns_.substr(0, end + 1);
}

}   // namespace bp::import
