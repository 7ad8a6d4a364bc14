#include "run/deck_reader.hpp"

#include "bridgeplan/errors.hpp"

namespace bp {

// Only the card's columns (and one more, for a CR after the 80th) are kept
// of a line: a line of any length costs no more memory than a card.
std::optional<Card> DeckReader::next() {
    if (pending_) {
        std::optional<Card> card = std::move(pending_);
        pending_.reset();
        return card;
    }
    return read();
}

const Card* DeckReader::peek() {
    if (!pending_) pending_ = read();
    return pending_ ? &*pending_ : nullptr;
}

std::optional<Card> DeckReader::read() {
    if (!in_) return std::nullopt;
    std::streambuf* in = in_.rdbuf();
    using traits = std::streambuf::traits_type;
    int c = in->sbumpc();
    if (traits::eq_int_type(c, traits::eof())) {
        in_.setstate(std::ios::eofbit | std::ios::failbit);
        return std::nullopt;
    }
    constexpr std::size_t KEPT = Card::COLUMNS + 1;
    line_.clear();
    std::size_t length = 0;
    for (; !traits::eq_int_type(c, traits::eof()) && c != '\n'; c = in->sbumpc(), ++length)
        if (length < KEPT) line_.push_back(traits::to_char_type(c));
    if (traits::eq_int_type(c, traits::eof())) in_.setstate(std::ios::eofbit);
    ++lineNumber_;
    if (length <= KEPT && !line_.empty() && line_.back() == '\r') line_.pop_back();
    return Card(line_, lineNumber_);
}

Card DeckReader::require(const std::string& expected) {
    auto card = next();
    if (!card) throw DeckEnded(expected);
    return *card;
}

}  // namespace bp
