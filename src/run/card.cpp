#include "run/card.hpp"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

#include <fmt/format.h>

#include "bridgeplan/errors.hpp"

namespace bp {

Card::Card(std::string_view line, long lineNumber) : lineNumber_(lineNumber) {
    columns_.fill(' ');
    for (std::size_t i = 0; i < columns_.size() && i < line.size(); ++i) columns_[i] = line[i];
}

std::string_view Card::text(int col, int width) const {
    return {columns_.data() + (col - 1), static_cast<std::size_t>(width)};
}

namespace {
// A field's characters with its blanks (and tabs) dropped: card fields
// ignore blanks wherever they stand.
std::string withoutBlanks(std::string_view field) {
    std::string s;
    for (char ch : field)
        if (ch != ' ' && ch != '\t') s.push_back(ch);
    return s;
}
}  // namespace

// Reads sign, digits, optional point, digits, optional exponent (E or D,
// or a bare sign after the mantissa), blanks ignored. The value is formed
// as an exact decimal and converted once, so it is correctly rounded.
bool parseCardNumber(std::string_view field, int decimals, double& value) {
    const std::string s = withoutBlanks(field);
    if (s.empty()) {
        value = 0;
        return true;
    }
    std::size_t i = 0;
    std::string mantissa;
    if (s[i] == '+' || s[i] == '-') {
        if (s[i] == '-') mantissa.push_back('-');
        ++i;
    }
    bool point = false, digits = false;
    long fractionDigits = 0;
    for (; i < s.size(); ++i) {
        char ch = s[i];
        if (std::isdigit(static_cast<unsigned char>(ch))) {
            mantissa.push_back(ch);
            digits = true;
            if (point) ++fractionDigits;
        } else if (ch == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (!digits) return false;
    long exponent = 0;
    if (i < s.size()) {
        char ch = s[i];
        if (ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd') ++i;
        else if (ch != '+' && ch != '-') return false;
        std::string expText(s.substr(i));
        if (expText.empty()) return false;
        std::size_t j = 0;
        if (expText[0] == '+' || expText[0] == '-') j = 1;
        if (j >= expText.size() || expText.size() > 6) return false;
        for (std::size_t k = j; k < expText.size(); ++k)
            if (!std::isdigit(static_cast<unsigned char>(expText[k]))) return false;
        exponent = std::strtol(expText.c_str(), nullptr, 10);
    }
    long scale = exponent - (point ? fractionDigits : decimals);
    std::string text = mantissa + "e" + std::to_string(scale);
    errno = 0;
    double v = std::strtod(text.c_str(), nullptr);
    if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

bool parseCardInteger(std::string_view field, long& value) {
    const std::string s = withoutBlanks(field);
    if (s.empty()) {
        value = 0;
        return true;
    }
    std::size_t i = (s[0] == '+' || s[0] == '-') ? 1 : 0;
    if (i >= s.size() || s.size() > 18) return false;
    for (std::size_t k = i; k < s.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(s[k]))) return false;
    value = std::strtol(s.c_str(), nullptr, 10);
    return true;
}

namespace {
[[noreturn]] void badField(int col, int width, std::string_view text, int errorNumber) {
    abandon(errorNumber, fmt::format("columns {}-{} hold '{}', which is not a number", col,
                                     col + width - 1, text));
}
}  // namespace

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

}  // namespace bp
