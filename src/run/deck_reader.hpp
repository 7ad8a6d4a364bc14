#pragma once
// Reads the deck card by card from any input stream. A CR before the line
// end (decks written on DOS or Windows) is not part of the card.
//
// The stream is read in blocks of its own and every card is taken from the
// block where its line stands; the stream is read ahead of the cards
// handed out, so nothing else should read it while a reader is in use.

#include <istream>
#include <memory>
#include <optional>
#include <string_view>

#include "run/card.hpp"

namespace bp {

class DeckReader {
public:
    explicit DeckReader(std::istream& in);

    // The next card, or nothing at the end of the deck.
    std::optional<Card> next();
    // The next card of a problem; the end of the deck here throws DeckEnded
    // naming what was expected ("a location card "1"").
    Card require(std::string_view expected);

    long linesRead() const { return lineNumber_; }

private:
    static constexpr std::size_t BLOCK = 1 << 16;
    bool refill();
    std::istream& in_;
    std::unique_ptr<char[]> block_;
    std::size_t at_ = 0, end_ = 0;   // the unread part of the block
    bool streamEnded_ = false;
    long lineNumber_ = 0;
};

}  // namespace bp
