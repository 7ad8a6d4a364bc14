#include "run/report.hpp"

namespace bp {

void Report::emit() {
    if (!hasPending_) return;
    block_.append(pending_);
    block_.push_back('\n');
    hasPending_ = false;
    pending_.clear();
    if (block_.size() >= BLOCK) writeBlock();
}

void Report::writeBlock() {
    out_.write(block_.data(), static_cast<std::streamsize>(block_.size()));
    block_.clear();
}

void Report::write(const Record& record) { write(record.text()); }

void Report::write(std::string_view text) {
    char control = text.empty() ? ' ' : text[0];
    std::string_view body = text.empty() ? text : text.substr(1);
    if (mode_ == ReportMode::Asa) {
        emit();
        pending_.assign(1, control);
        pending_.append(body);
        hasPending_ = true;
        return;
    }
    if (control == '+') {
        // Print over the line before: each non-blank character replaces the
        // one below it.
        if (!hasPending_) {
            pending_.clear();
            hasPending_ = true;
        }
        std::size_t base = (!pending_.empty() && pending_[0] == '\f') ? 1 : 0;
        if (pending_.size() < base + body.size()) pending_.resize(base + body.size(), ' ');
        for (std::size_t i = 0; i < body.size(); ++i)
            if (body[i] != ' ') pending_[base + i] = body[i];
        return;
    }
    emit();
    if (control == '0') block_.push_back('\n');
    pending_.clear();
    if (control == '1') pending_.push_back('\f');
    pending_.append(body);
    hasPending_ = true;
}

void Report::empty() { write(std::string_view(" ")); }

void Report::flush() {
    emit();
    writeBlock();
    out_.flush();
}

}  // namespace bp
