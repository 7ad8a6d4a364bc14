#pragma once
// The report: a print file of records whose first character is the
// carriage control. Rendered for a text viewer (the default) each record
// is one LF-terminated line without its control character: "1" puts a form
// feed before the line, "0" an empty line, and a "+" record is merged into
// the line before it (its non-blank characters replace those below). In
// ASA mode the records are written raw, control character in column 1.

#include <ostream>
#include <string>
#include <string_view>

#include "run/record.hpp"

namespace bp {

enum class ReportMode { Rendered, Asa };

class Report {
public:
    // The block starts small and grows (by doubling) as the report does:
    // a short run takes no more than it fills.
    Report(std::ostream& out, ReportMode mode) : out_(out), mode_(mode) { block_.reserve(FIRST_BLOCK); }
    ~Report() { flush(); }
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    void write(const Record& record);
    // A record given as its whole text, control character first.
    void write(std::string_view recordText);
    void empty();   // an empty record: an empty line
    void flush();   // writes the line held open for a possible overprint, and every line before it

    // The block handed to the stream at a time: the output file's own.
    static constexpr std::size_t BLOCK = std::size_t{1} << 18;

private:
    static constexpr std::size_t FIRST_BLOCK = std::size_t{1} << 15;
    void emit();
    void handOver(std::size_t count);
    std::ostream& out_;
    ReportMode mode_;
    // Lines are rendered straight into the block, which is handed to the
    // stream one whole output block at a time: the part of the last line
    // beyond it stays for the next. The last line stays open at the
    // block's end, from pendingAt_ on and without its LF, for a possible
    // overprint.
    std::string block_;
    std::size_t pendingAt_ = 0;
    bool hasPending_ = false;
};

}   // namespace bp
