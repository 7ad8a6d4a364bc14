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
    // The next card without taking it (the next call of next() or require()
    // hands it out), or null at the end of the deck. For optional cards.
    const Card* peek();

    // Lines taken so far; a card only looked at does not count.
    long linesRead() const { return lineNumber_ - (pending_ ? 1 : 0); }

private:
    static constexpr std::size_t BLOCK = 1 << 16;
    std::optional<Card> read();
    bool refill();
    std::istream& in_;
    std::optional<Card> pending_;
    std::unique_ptr<char[]> block_;
    std::size_t at_ = 0, end_ = 0;   // the unread part of the block
    bool streamEnded_ = false;
    long lineNumber_ = 0;
};

}   // namespace bp
