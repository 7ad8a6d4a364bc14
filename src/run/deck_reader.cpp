#include "run/deck_reader.hpp"

#include "bridgeplan/errors.hpp"

namespace bp {

std::optional<Card> DeckReader::next() {
    if (!std::getline(in_, line_)) return std::nullopt;
    ++lineNumber_;
    if (!line_.empty() && line_.back() == '\r') line_.pop_back();
    return Card(line_, lineNumber_);
}

Card DeckReader::require(const std::string& expected) {
    auto card = next();
    if (!card) throw DeckEnded(expected);
    return *card;
}

}  // namespace bp
