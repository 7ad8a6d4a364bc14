#include "run/deck_reader.hpp"

#include <cstring>
#include <string>

#include "bridgeplan/errors.hpp"

namespace bp {

DeckReader::DeckReader(std::istream& in) : in_(in), block_(std::make_unique_for_overwrite<char[]>(BLOCK)) {}

// The next block of the stream; false at its end.
bool DeckReader::refill() {
    at_ = end_ = 0;
    if (streamEnded_) return false;
    const std::streamsize got = in_.rdbuf()->sgetn(block_.get(), static_cast<std::streamsize>(BLOCK));
    if (got <= 0) {
        streamEnded_ = true;
        return false;
    }
    end_ = static_cast<std::size_t>(got);
    return true;
}

// A line that ends inside the block is read where it stands. One that runs
// past the block's end keeps only the card's columns (and one more, for a
// CR after the 80th) as the rest is read: a line of any length costs no
// more memory than a card.
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
    if (at_ == end_ && !refill()) {
        in_.setstate(std::ios::eofbit | std::ios::failbit);
        return std::nullopt;
    }
    constexpr std::size_t KEPT = Card::COLUMNS + 1;
    ++lineNumber_;
    const char* start = block_.get() + at_;
    std::size_t available = end_ - at_;
    if (const void* lineEnd = std::memchr(start, '\n', available)) {
        const auto length = static_cast<std::size_t>(static_cast<const char*>(lineEnd) - start);
        at_ += length + 1;
        std::string_view line(start, length);
        if (length <= KEPT && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        return Card(line, lineNumber_);
    }
    char kept[KEPT];
    std::size_t keptLength = 0, length = 0;
    for (;;) {
        const void* lineEnd = std::memchr(start, '\n', available);
        const std::size_t piece =
            lineEnd ? static_cast<std::size_t>(static_cast<const char*>(lineEnd) - start) : available;
        const std::size_t taken = std::min(piece, KEPT - keptLength);
        std::memcpy(kept + keptLength, start, taken);
        keptLength += taken;
        length += piece;
        at_ += piece;
        if (lineEnd) {
            ++at_;
            break;
        }
        if (!refill()) {
            in_.setstate(std::ios::eofbit);
            break;
        }
        start = block_.get();
        available = end_;
    }
    std::string_view line(kept, keptLength);
    if (length <= KEPT && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    return Card(line, lineNumber_);
}

Card DeckReader::require(std::string_view expected) {
    auto card = next();
    if (!card) throw DeckEnded(std::string(expected));
    return *card;
}

}   // namespace bp
