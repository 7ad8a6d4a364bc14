// Cards punched by the importer read back, by the deck's own field rules, as
// the values meant; angles carry their rounded seconds into the minutes.

#include <gtest/gtest.h>

#include "import/card_writer.hpp"
#include "import/import_messages.hpp"
#include "run/card.hpp"

namespace bp::import {
namespace {

TEST(ImportCardWriter, FieldsReadBackAsPunched) {
    const std::string line = CardImage("4")
                                 .number(2, 8, 4, 1234.56789, "elevation")   // no room for the point
                                 .number(10, 9, 6, -12.3456789, "grade")     // implied decimals
                                 .number(19, 7, 3, 300.0, "length")          // "300.0"
                                 .number(26, 9, 6, -0.00000001, "grade")     // rounds to 0, not -0
                                 .line();
    const Card card(line, 1);
    EXPECT_DOUBLE_EQ(card.number(2, 8, 4, 5), 1234.5679);
    EXPECT_DOUBLE_EQ(card.number(10, 9, 6, 5), -12.345679);
    EXPECT_DOUBLE_EQ(card.number(19, 7, 3, 5), 300.0);
    EXPECT_EQ(card.text(19, 7), "  300.0");
    EXPECT_EQ(card.text(26, 9), "      0.0");
    EXPECT_THROW(CardImage("1").number(2, 10, 4, 123456789.0, "station"), ImportRefused);
}

TEST(ImportCardWriter, AnglesRoundToHundredthsOfASecond) {
    const CardAngle a = cardAngle(10.0 + 59.0 / 60 + 59.996 / 3600);
    EXPECT_EQ(a.degrees, 11);
    EXPECT_EQ(a.minutes, 0);
    EXPECT_DOUBLE_EQ(a.seconds, 0.0);
    const CardAngle b = cardAngle(3.0 + 12.0 / 60 + 7.254 / 3600);
    EXPECT_EQ(b.degrees, 3);
    EXPECT_EQ(b.minutes, 12);
    EXPECT_DOUBLE_EQ(b.seconds, 7.25);
}

}   // namespace
}   // namespace bp::import
