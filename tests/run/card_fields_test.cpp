// Card field reading: implied decimals, blanks, signs, bad fields.
#include <gtest/gtest.h>

#include "bridgeplan/errors.hpp"
#include "run/card.hpp"

using namespace bp;

namespace {
double read(std::string_view field, int decimals) {
    double v = -999;
    EXPECT_TRUE(parseCardNumber(field, decimals, v)) << field;
    return v;
}
bool rejects(std::string_view field) {
    double v = 0;
    return !parseCardNumber(field, 4, v);
}
}   // namespace

TEST(CardNumber, ImpliedDecimalsAndBlanks) {
    EXPECT_DOUBLE_EQ(read("    123456", 4), 12.3456);
    EXPECT_DOUBLE_EQ(read("123456    ", 4), 12.3456);   // blanks ignored wherever they stand
    EXPECT_DOUBLE_EQ(read("  -1234", 2), -12.34);
    EXPECT_DOUBLE_EQ(read("   12.5", 2), 12.5);   // a written point is taken as written
    EXPECT_DOUBLE_EQ(read("          ", 4), 0.0);
    EXPECT_DOUBLE_EQ(read("1 2 3", 0), 123.0);
    EXPECT_DOUBLE_EQ(read("+5", 1), 0.5);
    EXPECT_DOUBLE_EQ(read("1.5E2", 4), 150.0);
    EXPECT_DOUBLE_EQ(read("15E1", 1), 15.0);   // implied decimals, then the exponent
    EXPECT_DOUBLE_EQ(read("2.5D-1", 4), 0.25);
    EXPECT_DOUBLE_EQ(read(".5", 4), 0.5);
}

TEST(CardNumber, ValuesAreCorrectlyRounded) {
    // 1234567.8901 ft is read as the double nearest to the decimal, as if written with its point.
    EXPECT_EQ(read("12345678901", 4), 1234567.8901);
    EXPECT_EQ(read("1", 4), 0.0001);
}

TEST(CardNumber, NotANumberIsRejected) {
    EXPECT_TRUE(rejects("ABC"));
    EXPECT_TRUE(rejects("--5"));
    EXPECT_TRUE(rejects("+-5"));
    EXPECT_TRUE(rejects("1.2.3"));
    EXPECT_TRUE(rejects("NaN"));
    EXPECT_TRUE(rejects("Inf"));
    EXPECT_TRUE(rejects("1E999"));   // not finite
    EXPECT_TRUE(rejects("-"));
    EXPECT_TRUE(rejects("1E"));
}

TEST(CardInteger, SignsDigitsAndBlanks) {
    long v = 0;
    EXPECT_TRUE(parseCardInteger(" -12", v));
    EXPECT_EQ(v, -12);
    EXPECT_TRUE(parseCardInteger("1 2", v));
    EXPECT_EQ(v, 12);
    EXPECT_TRUE(parseCardInteger("   ", v));
    EXPECT_EQ(v, 0);
    EXPECT_FALSE(parseCardInteger("1.5", v));
    EXPECT_FALSE(parseCardInteger("X", v));
    EXPECT_FALSE(parseCardInteger("--1", v));
}

TEST(Card, FixedColumnsPaddingAndBadFieldError) {
    Card card("1  12", 7);
    EXPECT_EQ(card.lineNumber(), 7);
    EXPECT_EQ(card.code(), Word("1"));
    EXPECT_EQ(card.column(80), ' ');
    EXPECT_EQ(card.text(76, 5), "     ");
    EXPECT_DOUBLE_EQ(card.number(2, 10, 4, 2), 0.0012);
    Card bad("1ABCDEFGHIJ", 1);
    try {
        bad.number(2, 10, 4, 2);
        FAIL() << "a field of letters must abandon the problem";
    } catch (const ProblemAbandoned& e) {
        EXPECT_EQ(e.number(), 2);
    }
    EXPECT_THROW(bad.integer(2, 2, 9), ProblemAbandoned);
}

TEST(Word, FourCharacterComparison) {
    EXPECT_EQ(Word("1"), Word("1   "));
    EXPECT_EQ(Word("SPANX"), Word("SPAN"));
    EXPECT_FALSE(Word("LVL") == Word("LVLX"));
    EXPECT_EQ(Word("LVL").str(), "LVL ");
}
