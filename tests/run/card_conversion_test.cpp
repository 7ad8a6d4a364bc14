// The card field conversion against the one it replaced, kept here as the
// reference: the sign, digits and exponent written out as decimal text and
// handed to strtod. Both must accept the same fields and give the same
// double, bit for bit (the sign of zero included), on every column window
// of every deck the project ships and on millions of generated fields.
#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "run/card.hpp"

using namespace bp;
namespace fs = std::filesystem;

namespace {

std::string withoutBlanks(std::string_view field) {
    std::string s;
    for (char ch : field)
        if (ch != ' ' && ch != '\t') s.push_back(ch);
    return s;
}

bool referenceNumber(std::string_view field, int decimals, double& value) {
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
        if (ch == 'E' || ch == 'e' || ch == 'D' || ch == 'd')
            ++i;
        else if (ch != '+' && ch != '-')
            return false;
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

bool referenceInteger(std::string_view field, long& value) {
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

std::uint64_t bitsOf(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

// Counts the fields compared and reports the first few that differ.
struct Comparison {
    long fields = 0, accepted = 0, differences = 0;

    void number(std::string_view field, int decimals) {
        ++fields;
        double expected = 1.25, got = 1.25;
        const bool expectedOk = referenceNumber(field, decimals, expected);
        const bool gotOk = parseCardNumber(field, decimals, got);
        accepted += expectedOk;
        if (expectedOk != gotOk || (expectedOk && bitsOf(expected) != bitsOf(got))) {
            if (++differences <= 10)
                ADD_FAILURE() << "'" << field << "' with " << decimals << " decimals: reference "
                              << (expectedOk ? fmtValue(expected) : "rejects") << ", reader "
                              << (gotOk ? fmtValue(got) : "rejects");
        }
    }
    void integer(std::string_view field) {
        long expected = 7, got = 7;
        const bool expectedOk = referenceInteger(field, expected);
        const bool gotOk = parseCardInteger(field, got);
        if (expectedOk != gotOk || (expectedOk && expected != got)) {
            if (++differences <= 10)
                ADD_FAILURE() << "integer '" << field << "': reference "
                              << (expectedOk ? std::to_string(expected) : "rejects") << ", reader "
                              << (gotOk ? std::to_string(got) : "rejects");
        }
    }
    static std::string fmtValue(double v) {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", v);
        return text;
    }
};

fs::path sourceDir() { return fs::path(__FILE__).parent_path().parent_path().parent_path(); }

// Every card of the decks under tests/decks and examples/, and the card
// lines of the user guide's deck blocks.
std::vector<std::string> shippedCards() {
    std::vector<std::string> cards;
    auto readLines = [&](const fs::path& file, bool guide) {
        std::ifstream in(file);
        std::string line;
        bool inBlock = false;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (guide) {
                if (line.rfind("```", 0) == 0) {
                    inBlock = !inBlock && (line.rfind("```card", 0) == 0 || line.rfind("```deck", 0) == 0);
                    continue;
                }
                if (!inBlock) continue;
            }
            cards.push_back(line);
        }
    };
    for (const char* dir : {"tests/decks", "examples", "docs"}) {
        const fs::path path = sourceDir() / dir;
        if (!fs::is_directory(path)) continue;
        for (const auto& entry : fs::directory_iterator(path)) {
            const auto ext = entry.path().extension();
            if (ext == ".deck") readLines(entry.path(), false);
            if (ext == ".md") readLines(entry.path(), true);
        }
    }
    return cards;
}

}   // namespace

// The card layouts read fields of 1 to 10 columns with 0 to 6 decimals:
// every window of those widths on every shipped card, with each of those
// decimals, converts as before.
TEST(CardConversion, EveryFieldOfEveryShippedDeckAsBefore) {
    const auto cards = shippedCards();
    ASSERT_GT(cards.size(), 500u) << "the decks were not found under " << sourceDir();
    Comparison c;
    for (const std::string& line : cards) {
        const Card card(line, 1);
        for (int width = 1; width <= 10; ++width)
            for (int col = 1; col + width - 1 <= Card::COLUMNS; ++col) {
                const std::string_view field = card.text(col, width);
                for (int decimals : {0, 2, 3, 4, 6}) c.number(field, decimals);
                c.integer(field);
            }
    }
    EXPECT_EQ(c.differences, 0);
    EXPECT_GT(c.accepted, c.fields / 10);   // the windows hold numbers, not only text
}

// Generated fields: numbers as the cards hold them (signs, blanks between
// the digits, points, exponents of every form), mantissas at the edges of
// the exact range (2^53, 19 and 20 significant digits, many leading zeros),
// scales at and beyond 10^22, and fields that are almost numbers.
TEST(CardConversion, MillionsOfGeneratedFieldsAsBefore) {
    std::mt19937_64 random(20261209);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto digitsOf = [&](std::string& s, int count) {
        for (int i = 0; i < count; ++i) s.push_back(static_cast<char>('0' + pick(10)));
    };
    Comparison c;
    std::string field;
    for (int n = 0; n < 1500000; ++n) {
        field.clear();
        const int shape = pick(8);
        if (shape < 5) {
            // sign, digits, point, digits, exponent
            if (pick(3) == 0) field.push_back(pick(2) ? '-' : '+');
            if (pick(4) == 0) field.append(static_cast<std::size_t>(pick(4)), '0');
            digitsOf(field, pick(shape == 0 ? 24 : 12));
            if (pick(2)) field.push_back('.');
            digitsOf(field, pick(shape == 1 ? 20 : 8));
            if (pick(4) == 0) {
                static constexpr char MARKS[] = "EeDd+-";
                field.push_back(MARKS[pick(6)]);
                if (pick(2)) field.push_back(pick(2) ? '-' : '+');
                digitsOf(field, pick(3) == 0 ? pick(7) : 1 + pick(2));
            }
            // blanks anywhere, as on a punched card
            for (int b = pick(4); b > 0; --b)
                field.insert(static_cast<std::size_t>(pick(static_cast<int>(field.size()) + 1)), 1,
                             pick(8) ? ' ' : '\t');
        } else if (shape == 5) {
            // mantissas around 2^53 and the largest exact power of ten
            const std::uint64_t m = (std::uint64_t{1} << 53) + static_cast<std::uint64_t>(pick(2001)) - 1000;
            field = (pick(2) ? "-" : "") + std::to_string(m);
            if (pick(2)) field.insert(field.size() - static_cast<std::size_t>(pick(10)), ".");
            field += "E" + std::to_string(pick(60) - 30);
        } else if (shape == 6) {
            // any characters a card column may hold
            static constexpr char CHARS[] = "0123456789 .+-EDedA*/,\t";
            for (int k = 1 + pick(12); k > 0; --k) field.push_back(CHARS[pick(sizeof CHARS - 1)]);
        } else {
            // values exact in binary and values that are not, at every scale
            field = std::to_string(pick(1 << 20)) + "." + std::to_string(pick(100000)) + "E" +
                    std::to_string(pick(640) - 330);
        }
        c.number(field, pick(7));
        if (n % 4 == 0) c.integer(field);
    }
    EXPECT_EQ(c.differences, 0);
    EXPECT_GT(c.accepted, c.fields / 2);
}
