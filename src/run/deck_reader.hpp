#pragma once
// Reads the deck card by card from any input stream. A CR before the line
// end (decks written on DOS or Windows) is not part of the card.

#include <istream>
#include <optional>
#include <string>

#include "run/card.hpp"

namespace bp {

class DeckReader {
public:
    explicit DeckReader(std::istream& in) : in_(in) {}

    // The next card, or nothing at the end of the deck.
    std::optional<Card> next();
    // The next card of a problem; the end of the deck here throws DeckEnded
    // naming what was expected ("a location card "1"").
    Card require(const std::string& expected);
    // The next card without taking it (the next call of next() or require()
    // hands it out), or null at the end of the deck. For optional cards.
    const Card* peek();

    // Lines taken so far; a card only looked at does not count.
    long linesRead() const { return lineNumber_ - (pending_ ? 1 : 0); }

private:
    std::optional<Card> read();
    std::istream& in_;
    std::optional<Card> pending_;
    std::string line_;
    long lineNumber_ = 0;
};

}  // namespace bp
