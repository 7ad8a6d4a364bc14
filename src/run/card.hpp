#pragma once
// One card image of the deck: 80 columns, blank padded. Fields are read in
// fixed columns (1-based, as the card layouts give them).

#include <array>
#include <string>
#include <string_view>

#include "bridgeplan/word.hpp"

namespace bp {

class Card {
public:
    static constexpr int COLUMNS = 80;

    Card() { columns_.fill(' '); }
    Card(std::string_view line, long lineNumber);

    long lineNumber() const { return lineNumber_; }
    char column(int c) const { return (c >= 1 && c <= COLUMNS) ? columns_[c - 1] : ' '; }
    Word code() const { return Word(text(1, 1)); }

    // The characters of columns col..col+width-1 as they stand.
    std::string_view text(int col, int width) const;
    // A text field held as a 4-character word (blank padded, cut to 4).
    Word word(int col, int width) const { return Word(text(col, width)); }

    // Numeric field with `decimals` implied decimals (Fw.d): blanks are
    // ignored, an all-blank field is 0, a field without a decimal point has
    // its last `decimals` digits as decimals. A field that is not a number,
    // or whose value is not finite, abandons the problem with `errorNumber`.
    double number(int col, int width, int decimals, int errorNumber) const;
    // Integer field (Iw): optional sign and digits, blanks ignored.
    long integer(int col, int width, int errorNumber) const;

private:
    std::array<char, COLUMNS> columns_{};
    long lineNumber_ = 0;
};

// Parses a numeric field's text by the card rules; false when it is not a number.
bool parseCardNumber(std::string_view field, int decimals, double& value);
bool parseCardInteger(std::string_view field, long& value);

}   // namespace bp
