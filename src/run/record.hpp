#pragma once
// One report record, built left to right from fixed-width fields as the
// layouts give them: Aw text, Iw integers, Fw.d numbers, nX blanks, Tc tabs,
// and quoted literals. Column 1 is the carriage control.

#include <array>
#include <string_view>

namespace bp {

struct StationParts;
struct AngleParts;

class Record {
public:
    static constexpr int CAPACITY = 200;

    // Starts a record with its carriage control: ' ', '0', '1' or '+'.
    explicit Record(char control);

    Record& A(int width, std::string_view text);   // right-justified, or its leftmost chars
    Record& I(int width, long long value);         // asterisks when it does not fit
    Record& F(int width, int decimals, double value);
    Record& X(int count);
    Record& T(int recordColumn);   // next field starts at this record column
    Record& lit(std::string_view text);
    // Writes one character at a record column after the fields (an overwrite).
    Record& put(int recordColumn, char ch);

    // Station notation: hundreds (Iw), "+", tens digit (I1), rest (F6.4).
    Record& station(int hundredsWidth, const StationParts& s);
    // Angle notation: degrees (Iw), minutes tens (I2, first column "-"),
    // minutes units (I1), seconds tens (I2, first column "-"), rest (F3.1).
    Record& angle(int degreesWidth, const AngleParts& a);

    // The record as written, trailing blanks removed.
    std::string_view text() const;
    char control() const { return buf_[0]; }
    int column() const { return pos_ + 1; }   // record column of the next field

private:
    void place(std::string_view s);
    std::array<char, CAPACITY> buf_;   // blank filled by the constructor
    int pos_ = 1;                      // 0-based index of the next character
    int len_ = 1;                      // characters written so far (high-water mark)
};

// Fw.d as a string (right-justified, asterisks when it does not fit).
void formatFixed(char* out, int width, int decimals, double value);
void formatInteger(char* out, int width, long long value);

}   // namespace bp
