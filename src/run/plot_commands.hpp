#pragma once
// The plot command file's output block: whole command lines gathered in
// one block and handed to the plot stream when the block fills up and when
// the run flushes it (at the end of the deck, or where the deck ends inside
// a problem). One block serves the whole run, so the commands keep their
// order; once it holds an output block, exactly that much goes to the file
// in one write from where it stands, and the part of a line beyond it stays.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>

namespace bp {

class PlotCommands {
public:
    explicit PlotCommands(std::ostream& out) : out_(out) {}
    ~PlotCommands() { flush(); }
    PlotCommands(const PlotCommands&) = delete;
    PlotCommands& operator=(const PlotCommands&) = delete;

    // Whole lines, each with its LF.
    void append(std::string_view lines) {
        std::memcpy(reserve(lines.size()), lines.data(), lines.size());
        commit(lines.size());
    }
    // Room for `length` characters at the end of the block (at most a
    // block and its spare room), to be assembled in place and kept by
    // commit(length).
    char* reserve(std::size_t length) {
        if (len_ + length > capacity_) {
            if (len_ + length > BLOCK + SPARE) flush();
            if (len_ + length > capacity_) grow(len_ + length);
        }
        return buf_.get() + len_;
    }
    void commit(std::size_t length) {
        len_ += length;
        if (len_ >= BLOCK) handOver(BLOCK);
    }
    // Hands what the block holds to the stream (it does not flush the stream).
    void flush() {
        if (len_ > 0) handOver(len_);
    }

    // The block handed to the stream at a time: the output file's own.
    static constexpr std::size_t BLOCK = std::size_t{1} << 18;

private:
    // Beyond the block, room for what is assembled while it is not yet full
    // (a command line is at most 128 characters).
    static constexpr std::size_t SPARE = 4096;
    // The block starts small and doubles up to a block and its spare room
    // as the plot grows: a short run takes no more than it fills.
    static constexpr std::size_t FIRST_CAPACITY = std::size_t{1} << 15;
    // The block's first `count` characters to the stream; the rest moves up.
    void handOver(std::size_t count) {
        out_.write(buf_.get(), static_cast<std::streamsize>(count));
        len_ -= count;
        std::memmove(buf_.get(), buf_.get() + count, len_);
    }
    void grow(std::size_t needed) {
        std::size_t capacity = capacity_ == 0 ? FIRST_CAPACITY : 2 * capacity_;
        while (capacity < needed) capacity *= 2;
        capacity = std::min(capacity, BLOCK + SPARE);
        std::unique_ptr<char[]> larger(new char[capacity]);   // default-initialised: written before it is read
        if (len_ > 0) std::memcpy(larger.get(), buf_.get(), len_);
        buf_ = std::move(larger);
        capacity_ = capacity;
    }
    std::ostream& out_;
    std::unique_ptr<char[]> buf_;
    std::size_t capacity_ = 0;
    std::size_t len_ = 0;
};

}   // namespace bp
