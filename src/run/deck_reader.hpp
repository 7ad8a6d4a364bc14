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

    long linesRead() const { return lineNumber_; }

private:
    std::istream& in_;
    std::string line_;
    long lineNumber_ = 0;
};

}  // namespace bp
