// Reading the deck card by card, whatever the line ends.
#include <gtest/gtest.h>

#include <sstream>

#include "bridgeplan/errors.hpp"
#include "run/deck_reader.hpp"

using namespace bp;

TEST(DeckReader, CarriageReturnIsNotPartOfTheCard) {
    std::istringstream in("*B020001\r\n1  12\r\nlast");
    DeckReader deck(in);
    auto first = deck.next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->text(5, 4), "0001");
    EXPECT_EQ(first->column(9), ' ');
    auto second = deck.require("a location card");
    EXPECT_EQ(second.lineNumber(), 2);
    EXPECT_EQ(second.text(4, 2), "12");
    EXPECT_EQ(second.column(6), ' ');
    auto third = deck.next();   // no line end on the last line
    ASSERT_TRUE(third);
    EXPECT_EQ(third->text(1, 4), "last");
    EXPECT_FALSE(deck.next());
    EXPECT_THROW(deck.require("a span card"), DeckEnded);
}

TEST(DeckReader, LongAndEmptyLines) {
    std::string longLine(1 << 20, 'X');
    std::istringstream in(longLine + "\n\n");
    DeckReader deck(in);
    auto card = deck.next();
    ASSERT_TRUE(card);
    EXPECT_EQ(card->column(80), 'X');
    EXPECT_EQ(card->column(81), ' ');   // beyond the card
    auto empty = deck.next();
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->text(1, 80), std::string(80, ' '));
}
