#pragma once
// The plot command file's output block: whole command lines gathered in
// one block and handed to the plot stream when the block fills up and when
// the run flushes it (at the end of the deck, or where the deck ends inside
// a problem). One block serves the whole run, so the commands keep their
// order, and a full block (64 KB) goes to the file in one write from where
// it stands.

#include <cstddef>
#include <cstring>
#include <memory>
#include <ostream>
#include <string_view>

namespace bp {

class PlotCommands {
public:
    explicit PlotCommands(std::ostream& out) : out_(out), buf_(new char[CAPACITY]) {}
    ~PlotCommands() { flush(); }
    PlotCommands(const PlotCommands&) = delete;
    PlotCommands& operator=(const PlotCommands&) = delete;

    // Whole lines, each with its LF.
    void append(std::string_view lines) {
        std::memcpy(reserve(lines.size()), lines.data(), lines.size());
        commit(lines.size());
    }
    // Room for `length` characters at the end of the block (at most its
    // capacity), to be assembled in place and kept by commit(length).
    char* reserve(std::size_t length) {
        if (len_ + length > CAPACITY) flush();
        return buf_.get() + len_;
    }
    void commit(std::size_t length) { len_ += length; }
    // Hands what the block holds to the stream (it does not flush the stream).
    void flush() {
        if (len_ == 0) return;
        out_.write(buf_.get(), static_cast<std::streamsize>(len_));
        len_ = 0;
    }

private:
    static constexpr std::size_t CAPACITY = std::size_t{1} << 16;
    std::ostream& out_;
    std::unique_ptr<char[]> buf_;   // default-initialised: written before it is read
    std::size_t len_ = 0;
};

}   // namespace bp
