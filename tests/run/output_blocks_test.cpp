// The report and the plot command block hand their streams whole output
// blocks: every piece but the last is exactly one block, and the pieces
// joined are the text, whatever the lines' lengths and wherever a line
// (or an overprinted one) straddles a block's end.
#include <gtest/gtest.h>

#include <cstdint>
#include <streambuf>
#include <string>
#include <vector>

#include "run/plot_commands.hpp"
#include "run/record.hpp"
#include "run/report.hpp"

using namespace bp;

namespace {

// A stream buffer that keeps every piece written to it, as it came.
class Pieces : public std::streambuf {
public:
    std::vector<std::string> pieces;
    std::string joined() const {
        std::string all;
        for (const auto& p : pieces) all += p;
        return all;
    }

protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        pieces.emplace_back(s, static_cast<std::size_t>(n));
        return n;
    }
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof())) pieces.emplace_back(1, traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
};

void expectWholeBlocks(const Pieces& out, std::size_t block, const std::string& expected) {
    ASSERT_GE(out.pieces.size(), 3u) << "the text should fill more than two blocks";
    for (std::size_t k = 0; k + 1 < out.pieces.size(); ++k) EXPECT_EQ(out.pieces[k].size(), block) << "piece " << k;
    EXPECT_EQ(out.joined(), expected);
}

std::uint32_t next(std::uint32_t& seed) {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
}

}   // namespace

TEST(OutputBlocks, TheReportHandsOverWholeBlocks) {
    Pieces buffer;
    std::ostream stream(&buffer);
    std::string expected;
    std::uint32_t seed = 7;
    {
        Report report(stream, ReportMode::Rendered);
        for (int k = 0; expected.size() < 3 * Report::BLOCK; ++k) {
            const std::string body(1 + next(seed) % 130, static_cast<char>('A' + k % 26));
            const char control = " 01"[next(seed) % 3];
            report.write(Record(control).lit(body));
            std::string line = body;
            if (next(seed) % 5 == 0) {   // a dash printed over the line's first column
                report.write(Record('+').lit("-"));
                line[0] = '-';
            }
            expected += (control == '0' ? "\n" : control == '1' ? "\f" : "") + line + "\n";
        }
    }
    expectWholeBlocks(buffer, Report::BLOCK, expected);
}

TEST(OutputBlocks, ThePlotCommandsHandOverWholeBlocks) {
    Pieces buffer;
    std::ostream stream(&buffer);
    std::string expected;
    std::uint32_t seed = 11;
    {
        PlotCommands commands(stream);
        for (int k = 0; expected.size() < 3 * PlotCommands::BLOCK; ++k) {
            const std::string line = std::string(next(seed) % 127, static_cast<char>('a' + k % 26)) + "\n";
            if (k % 2 == 0) {
                commands.append(line);
            } else {   // assembled in place, in room reserved for the longest line
                line.copy(commands.reserve(128), line.size());
                commands.commit(line.size());
            }
            expected += line;
        }
    }
    expectWholeBlocks(buffer, PlotCommands::BLOCK, expected);
}
