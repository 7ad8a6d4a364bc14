#pragma once
// Punches card images: fields in fixed columns, numbers with the decimal
// point punched where it fits (so the card reads as written), otherwise with
// implied decimals; every number field is read back by the deck's own field
// rules before the card is handed out.

#include <string>
#include <string_view>

namespace bp::import {

// Degrees, minutes and seconds of an angle as a card holds them, the
// seconds rounded to hundredths (a carry reaches the minutes and degrees).
struct CardAngle {
    int degrees = 0, minutes = 0;
    double seconds = 0;
    double inDegrees() const { return degrees + (minutes + seconds / 60) / 60; }
};
CardAngle cardAngle(double degrees);   // degrees >= 0

// The value rounded to the decimals a field holds, half away from zero.
double roundedTo(double value, int decimals);

class CardImage {
public:
    explicit CardImage(std::string_view code);
    // Text at columns col..col+width-1, left-justified (cut to the width).
    CardImage& text(int col, int width, std::string_view value);
    // Number field Fw.d; refuses (ImportRefused) a value that does not fit.
    CardImage& number(int col, int width, int decimals, double value, std::string_view what);
    // Integer field, right-justified.
    CardImage& integer(int col, int width, long value, std::string_view what);
    // The card without its trailing blanks.
    std::string line() const;

private:
    std::string columns_;
};

}   // namespace bp::import
