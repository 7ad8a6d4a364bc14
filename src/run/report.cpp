#include "run/report.hpp"

namespace bp {

// Ends the open line; once the block is full, its first BLOCK characters
// go to the stream and the rest (part of the line just ended) stays.
void Report::emit() {
    if (!hasPending_) return;
    block_.push_back('\n');
    hasPending_ = false;
    if (block_.size() >= BLOCK) handOver(BLOCK);
}

// The block's first `count` characters to the stream; the rest moves up.
void Report::handOver(std::size_t count) {
    out_.write(block_.data(), static_cast<std::streamsize>(count));
    block_.erase(0, count);
}

void Report::write(const Record& record) { write(record.text()); }

void Report::write(std::string_view text) {
    char control = text.empty() ? ' ' : text[0];
    std::string_view body = text.empty() ? text : text.substr(1);
    if (mode_ == ReportMode::Asa) {
        emit();
        pendingAt_ = block_.size();
        block_.push_back(control);
        block_.append(body);
        hasPending_ = true;
        return;
    }
    if (control == '+') {
        // Print over the line before: each non-blank character replaces the
        // one below it.
        if (!hasPending_) {
            pendingAt_ = block_.size();
            hasPending_ = true;
        }
        const std::size_t base =
            pendingAt_ + ((block_.size() > pendingAt_ && block_[pendingAt_] == '\f') ? 1 : 0);
        if (block_.size() < base + body.size()) block_.resize(base + body.size(), ' ');
        for (std::size_t i = 0; i < body.size(); ++i)
            if (body[i] != ' ') block_[base + i] = body[i];
        return;
    }
    emit();
    if (control == '0') block_.push_back('\n');
    pendingAt_ = block_.size();
    if (control == '1') block_.push_back('\f');
    block_.append(body);
    hasPending_ = true;
}

void Report::empty() { write(std::string_view(" ")); }

void Report::flush() {
    emit();
    handOver(block_.size());
    out_.flush();
}

}   // namespace bp
